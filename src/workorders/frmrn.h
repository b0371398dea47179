#pragma once

#include "common/singleinstance.h"
#include "common/workingwindow.h"
#include "core/production/workorders.h"

class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QTreeWidget;
class ReportPane;

// The work-orders window of a production book: a new work order (product, quantity, dates, the material
// requirement and the costs) issued into the warehouse books at once, the list of stored work orders, the edit of
// a stored order's dates and costs, and its printed sheet.
class frmrn : public WorkingWindow, public SingleInstance<frmrn>
{
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Radni nalozi    Pomoć F1");

    // Columns of the requirement list.
    enum RequirementColumn
    {
        ColSkladiste,
        ColIzdatnica,
        ColIznos,
        ColKol,
        ColStanje
    };

    frmrn();
    void load();
    // The main menu's "Radni nalozi": switches "Izbor" off and shows the window.
    static frmrn* openFromMenu();

    // Loads the window afresh for a new work order: products, stored orders, the proposed number, reset boxes.
    void ucitavanje();

    // The requirement lines of the new work order (one per bill-of-materials line).
    const QList<WorkOrders::RequirementLine>& requirementLines() const { return m_lines; }
    // Set when the last issue was refused or declined, or the closing question was cancelled.
    bool keepOpen() const { return m_keepOpen; }

    QFrame* frameartikli = nullptr;
    QLabel* Label8 = nullptr;
    QLineEdit* txtbr = nullptr;
    QLabel* Label9 = nullptr;
    QComboBox* cboproizvod = nullptr;
    QLabel* Label12 = nullptr;
    QLineEdit* txtkolicina = nullptr;
    QLabel* Label10 = nullptr;
    QDateEdit* dtpotv = nullptr;
    QLabel* Label11 = nullptr;
    QDateEdit* dtpzatv = nullptr;
    QTreeWidget* lsvartikli = nullptr;
    QFrame* Frame1 = nullptr;
    QLabel* lblkd = nullptr;
    QLineEdit* txtmat = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtrada = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtusluga = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txt1 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txt2 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* txt3 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* txtukupno = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* txtpojed = nullptr;
    QPushButton* cmdprihvati = nullptr;
    QPushButton* cmdispis = nullptr;
    QPushButton* cmdodustani = nullptr;
    QPushButton* cmdeditiraj = nullptr;
    QPushButton* cmdizmjena = nullptr;
    QPushButton* cmdne = nullptr;
    QTreeWidget* lsvsviartikli = nullptr;
    QTextEdit* rtbnema = nullptr;
    ReportPane* rtfispis = nullptr;
    QTextEdit* txtpomoc = nullptr;
    // Values the handlers hand on: the chosen product's id, the proposed number, the selected order's number and
    // product name, the id of the order loaded for editing.
    QLabel* lblidpro = nullptr;
    QLabel* lblrn = nullptr;
    QLabel* lblsifra = nullptr;
    QLabel* lblidrn = nullptr;
    QLabel* lblidrnpravi = nullptr;

protected:
    // With a prepared work order: Yes issues it (and stays open when it was not issued), No drops it.
    bool confirmClose() override;

private:
    void productChosen(int index);
    void requirementRecompute();
    void totalsRecompute();
    void orderSelected();
    void issueOrder();
    bool reportShortage();
    bool izdatnice();
    void cmdeditirajClick();
    void izmjena(const WorkOrders::StoredOrder& order);
    void cmdizmjenaClick();
    void cmdneClick();
    void cmdispisClick();
    void ispis();
    void resetBoxes();
    void showRequirementLines();

    QList<WorkOrders::RequirementLine> m_lines;
    qint64 m_productId = 0;
    qint64 m_editId = 0;
    // The order chosen in the list of work orders.
    qint64 m_selectedId = 0;
    bool m_keepOpen = false;
};
