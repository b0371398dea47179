#pragma once

#include "common/singleinstance.h"
#include "common/workspace.h"

#include <QMainWindow>

class QAction;
class QMdiArea;
class QMenu;

// The main window of the open book: the working windows are its child windows, opened from its menus.
// The book chooser enters a book with openBook(); the window keeps itself maximised, and closing it returns to the
// book chooser.
class frmSkladiste : public QMainWindow, public SingleInstance<frmSkladiste>
{
    Q_OBJECT
public:
    static inline const QString DesignCaption = QStringLiteral("Skladište");

    frmSkladiste();
    ~frmSkladiste() override;
    // Shows the menus of the book's kind and creates the book's file when it is absent; a book that cannot be
    // created is reported and the window stays unopened (openBookFile() empty).
    void load();

    // What the book chooser calls once it has set the open book (AppState): loads and shows the main window with
    // that caption, or, when it is loaded already, enters the book in it. False when the book cannot be opened
    // (reported to the user).
    static bool openBook(const QString& caption);
    // Enters another book in the loaded window: first its working windows close, each after its own closing
    // question; then its caption, the menus of its kind, its file created when absent. A working window that
    // stays open, or a book that cannot be created (reported), leaves the window and AppState's open book on the
    // earlier one.
    bool enterBook(const QString& caption);
    // The book file (BookFileName form) the main window works on; empty when it is not loaded.
    static QString openBookFile();
    // Whether the book file (BookFileName form) is in use: open in the main window or in one of its working windows.
    static bool holdsBook(const QString& bookFile);
    // Closes every working window through its closing question; false when one of them stays open.
    bool closeWorkingWindows();

    QMdiArea* mdiArea = nullptr;

    QMenu* mnuNoviunos = nullptr;
    QAction* mnuArtikala = nullptr;
    QAction* mnuPrimki = nullptr;
    QAction* mnuIzdatnica = nullptr;
    QAction* mnuKupaca = nullptr;
    QAction* mnucrta = nullptr;
    QAction* mnuizlaz = nullptr;
    QMenu* mnuPregled = nullptr;
    QAction* mnuArtikala1 = nullptr;
    QAction* mnuPrimki1 = nullptr;
    QAction* mnuIzdatnica1 = nullptr;
    QAction* mnuKupaca1 = nullptr;
    QAction* mnuDnevnika1 = nullptr;
    QMenu* mnuizbor = nullptr;
    QAction* mnuproizvodi = nullptr;
    QAction* mnuradninalozi = nullptr;
    QAction* mnucrta2 = nullptr;
    QAction* mnuizlazrn = nullptr;
    QMenu* mnualati = nullptr;
    QMenu* mnupomoc = nullptr;
    QAction* mnupomoc1 = nullptr;
    QAction* mnunama = nullptr;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QMenu* addTopMenu(const char* name, const QString& caption);
    QAction* addItem(QMenu* menu, const char* name, const QString& caption);
    QAction* addSeparator(QMenu* menu, const char* name);
    void showMenusOfKind(const QString& kind);
    static bool ensureBookFile(const QString& bookFile, const QString& kind);
    void openWorkingWindow(const QAction* item, MenuGroup group);
    void showWorkingWindow(QWidget* window, QWidget* frame);
    void setMenusEnabled(MenuGroup group, bool enabled);
    void keepMaximised();

    QString m_bookFile;
    QString m_bookKind;
    qint64 m_bookCompany = 0;
    bool m_opened = false;
    bool m_hostInstalled = false;
    bool m_restoring = false;
};
