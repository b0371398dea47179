#include "frmpregleddnevnika.h"

#include "common/controls.h"
#include "common/hrmsgbox.h"
#include "common/listmodel.h"
#include "common/reportpane.h"
#include "common/windowkeys.h"
#include "core/db/database.h"
#include "core/text/datetext.h"
#include "journal/journallistmodel.h"
#include "journal/journalprint.h"

#include <QDateEdit>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <numeric>

namespace {

// Widths of the journal's columns in pixels.
constexpr int ColumnWidths[JournalColumn::Count] = {96, 189, 17, 67, 93, 96, 80, 80, 67, 96, 96};

QTreeView* makeJournalList(QWidget* parent, const QString& name, const QString& accessibleName, JournalListModel* model)
{
    auto* list = new QTreeView(parent);
    list->setObjectName(name);
    list->setAccessibleName(accessibleName);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setModel(model);
    list->header()->setStretchLastSection(false);
    for (int c = 0; c < JournalColumn::Count; ++c)
        list->setColumnWidth(c, ColumnWidths[c]);
    // A document kind's name and a supplier's document number show whole at their stored length.
    widenColumnFor(list, JournalColumn::DocKind, 20, ValueKind::Letters);
    widenColumnFor(list, JournalColumn::DocNumber, 20, ValueKind::Digits);
    return list;
}

} // namespace

frmpregleddnevnika::frmpregleddnevnika() : WorkingWindow(MenuGroup::Warehouse)
{
    setObjectName(QStringLiteral("frmpregleddnevnika"));
    setWindowTitle(Caption);
    m_journal = new JournalListModel(this);
    m_range = new JournalListModel(this);

    frameartikli = new QFrame(this);
    frameartikli->setObjectName(QStringLiteral("frameartikli"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frameartikli);
    QWidget* f = frameartikli;

    Frame4 = new QFrame(f);
    Frame4->setObjectName(QStringLiteral("Frame4"));
    Frame4->setFrameShape(QFrame::StyledPanel);
    optsve = new QRadioButton(QStringLiteral("Cijeli dnevnik"), Frame4);
    optsve->setObjectName(QStringLiteral("optsve"));
    optsve->setChecked(true);
    optizbor = new QRadioButton(QStringLiteral("Izbor"), Frame4);
    optizbor->setObjectName(QStringLiteral("optizbor"));
    optdatumu = new QRadioButton(QStringLiteral("Po datumu"), Frame4);
    optdatumu->setObjectName(QStringLiteral("optdatumu"));
    auto* options = new QVBoxLayout(Frame4);
    for (QRadioButton* option : {optsve, optizbor, optdatumu})
        options->addWidget(option);

    Framedatum = new QFrame(f);
    Framedatum->setObjectName(QStringLiteral("Framedatum"));
    Framedatum->setFrameShape(QFrame::StyledPanel);
    dtpod = makeDatePicker(Framedatum, QStringLiteral("dtpod"), DateText::PickerFormatYmd);
    dtpdo = makeDatePicker(Framedatum, QStringLiteral("dtpdo"), DateText::PickerFormatYmd);
    lblod = makeLabelFor(Framedatum, QStringLiteral("Od :"), dtpod, QStringLiteral("lblod"));
    lbldo = makeLabelFor(Framedatum, QStringLiteral("Do:"), dtpdo, QStringLiteral("lbldo"));
    auto* dates = new QHBoxLayout(Framedatum);
    dates->addWidget(lblod);
    dates->addWidget(dtpod);
    dates->addWidget(lbldo);
    dates->addWidget(dtpdo);
    Framedatum->hide();

    cmdprikazart = makeButton(f, QStringLiteral("cmdprikazart"), QStringLiteral("&Prikaz"), QString(), true);
    cmdprikazart->setDefault(true);
    cmdispisart = makeButton(f, QStringLiteral("cmdispisart"), QStringLiteral("I&spis"), QString(), true);
    cmdizlaz = makeButton(f, QStringLiteral("cmdizlaz"), QStringLiteral("&Izlaz"), QString(), true);

    lsvdnevnik = makeJournalList(f, QStringLiteral("lsvdnevnik"), QStringLiteral("Dnevnik"), m_journal);
    lsvdnevnik->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lsvdnevnik->header()->setSectionsClickable(true);
    lsvizbor = makeJournalList(f, QStringLiteral("lsvizbor"), QStringLiteral("Dnevnik po datumu"), m_range);
    lsvizbor->setSelectionMode(QAbstractItemView::SingleSelection);
    lsvizbor->hide();
    rtfdnevnik = new ReportPane(f);
    rtfdnevnik->setObjectName(QStringLiteral("rtfdnevnik"));
    rtfdnevnik->setAccessibleName(QStringLiteral("Dnevnik kao tekst"));
    rtfdnevnik->hide();

    auto* top = new QHBoxLayout;
    top->addWidget(Frame4);
    top->addWidget(Framedatum, 0, Qt::AlignTop);
    top->addStretch(1);
    for (QPushButton* b : {cmdprikazart, cmdispisart, cmdizlaz})
        top->addWidget(b, 0, Qt::AlignTop);
    auto* frameLayout = new QVBoxLayout(f);
    frameLayout->addLayout(top);
    frameLayout->addWidget(lsvdnevnik, 1);
    frameLayout->addWidget(lsvizbor, 1);
    frameLayout->addWidget(rtfdnevnik, 1);
    setFrame(frameartikli);

    EnterClicksDefault(this);
    connect(optsve, &QRadioButton::clicked, this, &frmpregleddnevnika::loadJournal);
    connect(optizbor, &QRadioButton::clicked, this, &frmpregleddnevnika::loadJournal);
    connect(optdatumu, &QRadioButton::clicked, this, [this] {
        Framedatum->show();
        dateFilter();
    });
    // Either picker filters at once, however its date changes, so the rows always match the title's range.
    connect(dtpod, &QDateEdit::dateChanged, this, &frmpregleddnevnika::dateFilter);
    connect(dtpdo, &QDateEdit::dateChanged, this, &frmpregleddnevnika::dateFilter);
    connect(cmdprikazart, &QPushButton::clicked, this, &frmpregleddnevnika::showReport);
    connect(cmdispisart, &QPushButton::clicked, this, &frmpregleddnevnika::printReport);
    connect(cmdizlaz, &QPushButton::clicked, this, [this] { closeWindow(this); });
    connect(lsvdnevnik->header(), &QHeaderView::sectionClicked, this, &frmpregleddnevnika::sortJournal);
}

void frmpregleddnevnika::load()
{
    const QDate today = QDate::currentDate();
    for (QDateEdit* picker : {dtpod, dtpdo}) {
        const QSignalBlocker quiet(picker);
        picker->setDate(today);
    }
    loadJournal();
}

void frmpregleddnevnika::openFromMenu()
{
    instance()->showFromMenu();
}

void frmpregleddnevnika::showOnly(QWidget* shown)
{
    for (QWidget* w :
         {static_cast<QWidget*>(lsvdnevnik), static_cast<QWidget*>(lsvizbor), static_cast<QWidget*>(rtfdnevnik)})
        if (w != shown)
            w->hide();
    shown->show();
}

void frmpregleddnevnika::loadJournal()
{
    QString failure;
    {
        BusyPointer busy;
        Framedatum->hide();
        m_journal->clear();
        auto book = std::make_shared<JournalBook>();
        try {
            *book = LoadJournal(bookPath());
        } catch (const DbError& e) {
            failure = e.description();
        }
        QVector<int> rows(book->lines.size());
        std::iota(rows.begin(), rows.end(), 0);
        m_journal->setRows(std::move(book), std::move(rows));
        // The rows come in the order they were stored.
        m_sortColumn = -1;
        lsvdnevnik->header()->setSortIndicatorShown(false);
        showOnly(lsvdnevnik);
    }
    ReportErrTail(failure);
}

void frmpregleddnevnika::sortJournal(int column)
{
    if (column == m_sortColumn) {
        m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    } else {
        m_sortColumn = column;
        m_sortOrder = Qt::AscendingOrder;
    }
    BusyPointer busy;
    m_journal->sort(m_sortColumn, m_sortOrder);
    lsvdnevnik->header()->setSortIndicatorShown(true);
    lsvdnevnik->header()->setSortIndicator(m_sortColumn, m_sortOrder);
}

void frmpregleddnevnika::dateFilter()
{
    BusyPointer busy;
    if (m_journal->book())
        m_range->setRows(m_journal->book(),
                         JournalRowsBetween(*m_journal->book(), m_journal->rows(), dtpod->date(), dtpdo->date()));
    else
        m_range->clear();
    showOnly(lsvizbor);
}

QString frmpregleddnevnika::title(JournalSelection selection) const
{
    return JournalTitle(selection, QDate::currentDate(), dtpod->date(), dtpdo->date());
}

QVector<int> frmpregleddnevnika::selectedRows() const
{
    const QVector<int>& all = m_journal->rows();
    QVector<int> rows;
    for (int position : selectedPositions(lsvdnevnik))
        rows.append(all.at(position));
    return rows;
}

void frmpregleddnevnika::sve()
{
    if (m_journal->book())
        rtfdnevnik->setReport(
            JoinJournalReport(*m_journal->book(), m_journal->rows(), title(JournalSelection::Whole)));
}

void frmpregleddnevnika::izbor()
{
    if (m_journal->book())
        rtfdnevnik->setReport(
            JoinJournalReport(*m_journal->book(), selectedRows(), title(JournalSelection::Selected)));
}

void frmpregleddnevnika::datum()
{
    const JournalBook empty;
    const JournalBook& book = m_range->book() ? *m_range->book() : empty;
    rtfdnevnik->setReport(JoinJournalReport(book, m_range->rows(), title(JournalSelection::DateRange)));
}

void frmpregleddnevnika::showReport()
{
    BusyPointer busy;
    showOnly(rtfdnevnik);
    rtfdnevnik->clearReport();
    if (optsve->isChecked())
        sve();
    if (optizbor->isChecked())
        izbor();
    if (optdatumu->isChecked())
        datum();
}

void frmpregleddnevnika::printReport()
{
    showReport();
    if (rtfdnevnik->isEmpty())
        return;
    if (optsve->isChecked())
        ispissve();
    else if (optizbor->isChecked())
        ispisizbor();
    else if (optdatumu->isChecked())
        ispisdatum();
}

void frmpregleddnevnika::printRows(const JournalListModel* list, const QVector<int>& rows, const QString& title)
{
    if (list->rowCount() == 0)
        return;
    const QString prompt = QStringLiteral("Broj stranica: ") +
                           QString::number(JournalPrint::pageCount(int(rows.size()))) +
                           QStringLiteral(" Ispis dokumenta?");
    if (HrMsgBox(prompt, 36, QStringLiteral("Ispis dokumenta!")) != MsgYes)
        return;
    const JournalBook& book = *list->book();
    JournalLineWriter writer(book, JournalLayout::Printout);
    PrintJournalPages(
        title, int(rows.size()), [&](int i) { return writer.line(book.lines.at(rows.at(i))); },
        rtfdnevnik->font().family());
}

void frmpregleddnevnika::ispissve()
{
    printRows(m_journal, m_journal->rows(), title(JournalSelection::Whole));
}

void frmpregleddnevnika::ispisizbor()
{
    printRows(m_journal, selectedRows(), title(JournalSelection::Selected));
}

void frmpregleddnevnika::ispisdatum()
{
    printRows(m_range, m_range->rows(), title(JournalSelection::DateRange));
}
