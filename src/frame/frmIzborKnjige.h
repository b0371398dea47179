#pragma once

#include "common/singleinstance.h"

#include <QWidget>

#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

// The book chooser: the chosen company's books; adds, renames, deletes and enters them.
class frmIzborKnjige : public QWidget, public SingleInstance<frmIzborKnjige>
{
    Q_OBJECT
public:
    static inline const QString EntryCaption = QStringLiteral("Unosim knji&gu");
    static inline const QString ChangeCaption = QStringLiteral("Iz&mjena");

    enum Column
    {
        ColNaziv,
        ColVrsta,
        ColAdresa,
        ColId,
        ColumnCount
    };

    // What entering a book does, after bazaknjige, vrstabaze and openBookCompany are set: the main window opens or
    // takes the book. Tests may put a stand-in here; empty means the main window.
    static inline std::function<void(const QString& caption)> onEnterBook;
    // The file name of the book open in the main window, or an empty text. Empty means the main window's.
    static inline std::function<QString()> openBookFile;

    frmIzborKnjige();
    void load();

    // The company chooser hands over the chosen company (its id as text) and the window's caption.
    void takeCompany(const QString& companyIdText, const QString& caption);
    // The company whose books the window lists and stores.
    qint64 listedCompany() const { return m_listedCompany; }

    QTreeWidget* lsvotvorene = nullptr;
    QPushButton* cmdUlaz = nullptr;
    QPushButton* cmdizlaz = nullptr;
    QPushButton* cmdBrisanje = nullptr;
    QPushButton* cmdUredjivanje = nullptr;
    QPushButton* cmdNova = nullptr;
    QPushButton* cmdalati = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLineEdit* txtnaziv = nullptr;
    QLineEdit* txtadresa = nullptr;
    QListWidget* lstpostojece = nullptr;
    QPushButton* cmdunosimo = nullptr;
    QPushButton* cmdodustani = nullptr;
    QTextEdit* txtpomoc = nullptr;
    QLabel* lblimeknjige = nullptr;
    QLabel* lblvrstaknjige = nullptr;
    QLabel* lblid = nullptr;
    QLabel* lblimebaze = nullptr;
    QLabel* lblidtvrtke = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void listBooks();
    void lsvotvoreneClick();
    void cmdUlazClick();
    void cmdNovaClick();
    void cmdUredjivanjeClick();
    void cmdunosimoClick();
    void cmdodustaniClick();
    void cmdBrisanjeClick();
    void afterHelpPane();
    QTreeWidgetItem* selectedRow() const;
    void setBrowseButtonsEnabled(bool enabled);
    void backToBrowseMode();
    // After a refill: the current book's row is selected again; without it the buttons wait for a choice.
    void reselectCurrentBook();
    // The current book's file name, from the current-book labels.
    QString currentBookFile() const;
    // bazaknjige follows the current book only while no book is open in the main window: the book open there
    // changes only by entering another one.
    static void followCurrentBook(const QString& bookFile);
    static bool mainWindowHoldsABook();
    static bool bookInUse(const QString& bookFile);

    qint64 m_listedCompany = -1;
    // The book an edit started on; the store changes that book whatever row is selected meanwhile.
    qint64 m_editBookId = -1;
};
