#pragma once

#include "common/singleinstance.h"
#include "common/workingwindow.h"

class PartnerListModel;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QTreeView;
class QTreeWidget;

// The customers and suppliers window: partners of kind K (customer), D (supplier) and S (both; cost places)
// are collected on the list on the right (lsvkd) and stored together; stored partners (lsveditkd, the yellow
// table) are changed one at a time.
//
// Openers:
//   frmunos::openFromMenu()                    the main window's "Kupaca/dobavljača" item under "&Novi unos".
//   frmunos::openFromStockDocument(kindLetter) the stock-document window's partner button: sets izprimke, keeps
//                                              its kind letter ("P" receipt, "I" issue note) in lblpd and shows
//                                              the window, menus left off. Stored partners and the exit button
//                                              refill that window's partner picker.
class frmunos : public WorkingWindow, public SingleInstance<frmunos>
{
    Q_OBJECT
public:
    static inline const QString DesignCaption =
        QStringLiteral("Dodaj kupca/dobavljača ili izmijeni postojećeg u žutoj tablici    Pomoć  F1");
    static inline const QString WorkingCaption =
        QStringLiteral(" Dodaj kupca/dobavljača ili izmijeni postojećeg u žutoj tablici    Pomoć  F1");

    frmunos();
    void load();

    static void openFromMenu();
    static void openFromStockDocument(const QString& kindLetter);

    QFrame* frameartikli;
    QLineEdit* txtkd;
    QLineEdit* txtime;
    QLineEdit* txtmb;
    QLineEdit* txtziroracun;
    QLineEdit* txtmjesto;
    QLineEdit* txtulica;
    QLineEdit* txttelefon;
    QLineEdit* txtkontakt;
    QTreeWidget* lsvkd;
    QTreeView* lsveditkd;
    QPushButton* cmddodaj;
    QPushButton* cmdbrisi;
    QPushButton* cmdprihvati;
    QPushButton* cmdodustani;
    QPushButton* cmdeditiraj;
    QPushButton* cmdizmijeni;
    QPushButton* cmdne;
    QLabel* lblid;
    QLabel* lblimekd;
    QLabel* lblpd;
    QTextEdit* txtpomoc;

protected:
    bool confirmClose() override;
    void releaseMenus() override;

private:
    void kindLetterChanged();
    void updateAddButton();
    void addToList();
    void removeFromList();
    void acceptList();
    void exitWindow();
    void storedListClicked();
    void beginEdit();
    void storeChange();
    void cancelEdit();
    // Stores the pending rows in one transaction; a failure is reported and the rows stay.
    bool storePendingRows();
    // Refills the stored list by name or in stored order; a failed read leaves it empty (the caller reports it).
    void fillStored(bool byName);
    QList<QLineEdit*> boxes() const;

    PartnerListModel* m_stored;
    bool m_kindRuleRunning = false;
};
