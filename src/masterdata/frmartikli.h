#pragma once

#include "common/singleinstance.h"
#include "common/workingwindow.h"

class ArticleListModel;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QTreeView;
class QTreeWidget;
struct ArticleEntry;

// The articles window: new articles are collected on the list on the right (lsvartikli) and stored together;
// stored articles (lsvsviartikli) are changed one at a time.
//
// Openers:
//   frmartikli::openFromMenu()           the main window's "Artikala" item under "&Novi unos".
//   frmartikli::openFromStockDocument()  the stock-document window's article button: sets izprimke, shows the
//                                        window and leaves the menus off (they stay off while that window is
//                                        open); stored and changed articles refill that window's pickers.
class frmartikli : public WorkingWindow, public SingleInstance<frmartikli>
{
    Q_OBJECT
public:
    static inline const QString WorkingCaption = QStringLiteral("Unos novog artikla     Pomoć  F1");

    frmartikli();
    void load();

    static void openFromMenu();
    static void openFromStockDocument();

    // Fills the stored list from the book; opened from the stock-document window, refills its pickers too.
    void loud();
    // Refills the stock-document window's article pickers (when that window is open).
    void izmjenacomboboxova();
    // Set by adding to the list and by a stored change; closing then refreshes the pickers and asks about rows.
    bool articlesChanged() const { return m_changed; }

    QFrame* frameartikli;
    QLineEdit* txtsifra;
    QLineEdit* txtbarkod;
    QLineEdit* txtnaziv;
    QLineEdit* txtjedmjere;
    QLineEdit* txtminkolicina;
    QTreeWidget* lsvartikli;
    QTreeView* lsvsviartikli;
    QPushButton* cmddodaj;
    QPushButton* cmdbrisi;
    QPushButton* cmdprihvati;
    QPushButton* cmdodustani;
    QPushButton* cmdeditiraj;
    QPushButton* cmdizmjena;
    QPushButton* cmdne;
    QLabel* lblida;
    QLabel* lblsifra;
    QTextEdit* txtpomoc;

protected:
    bool confirmClose() override;
    void releaseMenus() override;

private:
    void updateAddGate();
    void addToList();
    void removeFromList();
    void acceptList();
    void storedListClicked();
    void beginEdit();
    void storeChange();
    void leaveEdit();
    void emptyEntryBoxes();
    // Stores the pending rows in one transaction; a failure is reported and the rows stay.
    bool storePendingRows();
    QList<ArticleEntry> pendingEntries() const;

    ArticleListModel* m_stored;
    bool m_changed = false;
};
