#pragma once

#include "common/singleinstance.h"
#include "common/workingwindow.h"
#include "core/reports/journaltext.h"

#include <QVector>

class JournalListModel;
class QDateEdit;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QTreeView;
class ReportPane;

// The journal window: every stock movement of the book, one row per document line. "Cijeli dnevnik" and "Izbor"
// (re)load the list lsvdnevnik, "Po datumu" narrows it to a date range in lsvizbor; "&Prikaz" writes the whole
// journal, the selected rows or the range as text into rtfdnevnik, "I&spis" writes it and prints the rows page by
// page. Exactly one of the two lists and the pane is visible.
class frmpregleddnevnika : public WorkingWindow, public SingleInstance<frmpregleddnevnika>
{
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Pregled dnevnika");

    frmpregleddnevnika();
    void load();

    static void openFromMenu();

    QFrame* frameartikli;
    QFrame* Frame4;
    QRadioButton* optsve;
    QRadioButton* optizbor;
    QRadioButton* optdatumu;
    QFrame* Framedatum;
    QLabel* lblod;
    QDateEdit* dtpod;
    QLabel* lbldo;
    QDateEdit* dtpdo;
    QPushButton* cmdprikazart;
    QPushButton* cmdispisart;
    QPushButton* cmdizlaz;
    QTreeView* lsvdnevnik;
    QTreeView* lsvizbor;
    ReportPane* rtfdnevnik;

    JournalListModel* journalModel() const { return m_journal; }
    JournalListModel* rangeModel() const { return m_range; }

    // The three text reports and the three printouts of the options.
    void sve();
    void izbor();
    void datum();
    void ispissve();
    void ispisizbor();
    void ispisdatum();

private:
    // Reads the journal of the book into lsvdnevnik and shows it.
    void loadJournal();
    void dateFilter();
    void showReport();
    void printReport();
    void sortJournal(int column);
    // lsvdnevnik's selected rows in list order (positions into the journal).
    QVector<int> selectedRows() const;
    void printRows(const JournalListModel* list, const QVector<int>& rows, const QString& title);
    QString title(JournalSelection selection) const;
    void showOnly(QWidget* shown);

    JournalListModel* m_journal;
    JournalListModel* m_range;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
