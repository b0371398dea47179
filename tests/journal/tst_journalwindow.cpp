#include "common/reportpane.h"
#include "common/windowkeys.h"
#include "core/db/appstate.h"
#include "core/db/bookschema.h"
#include "core/reports/journaltext.h"
#include "core/text/datetext.h"
#include "frame/frmSkladiste.h"
#include "journal/frmpregleddnevnika.h"
#include "journal/journallistmodel.h"
#include "support/testmain.h"
#include "warehousebook.h"

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>

#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTreeView>
#include <optional>

using knjtest::MsgBoxScript;

namespace {

const QDate March1(2024, 3, 1);
const QString Margin(12, u' ');

frmpregleddnevnika* openWindow()
{
    frmpregleddnevnika* w = frmpregleddnevnika::instance();
    w->showFromMenu();
    if (!QTest::qWaitForWindowExposed(w))
        qWarning("journal window not shown");
    return w;
}

// Three lines on three days: a receipt of Vijak (1 March), an issue of Matica (2 March), a receipt of Šaraf
// (31 March).
void seedThreeDays(journaltest::WarehouseBook& db)
{
    db.addLine(db.addArticle(QStringLiteral("Vijak")), db.addReceipt(March1), 5, 2);
    db.addLine(db.addArticle(QStringLiteral("Matica")), db.addIssue(QDate(2024, 3, 2)), 3, 1.5);
    db.addLine(db.addArticle(QStringLiteral("Šaraf")), db.addReceipt(QDate(2024, 3, 31)), 1, 1);
}

void seedRows(journaltest::WarehouseBook& db, int count)
{
    const qint64 article = db.addArticle(QStringLiteral("Vijak"));
    const qint64 header = db.addIssue(March1);
    for (int i = 1; i <= count; ++i)
        db.addLine(article, header, i, 1);
}

QString visibleOne(frmpregleddnevnika* w)
{
    QStringList shown;
    for (QWidget* part : {static_cast<QWidget*>(w->lsvdnevnik), static_cast<QWidget*>(w->lsvizbor),
                          static_cast<QWidget*>(w->rtfdnevnik)})
        if (part->isVisible())
            shown << part->objectName();
    return shown.join(QLatin1Char(','));
}

QStringList paneLines(frmpregleddnevnika* w)
{
    return w->rtfdnevnik->toPlainText().split(QLatin1Char('\n'));
}

// The article names of a list, in list order.
QStringList names(QTreeView* list)
{
    QStringList result;
    for (int r = 0; r < list->model()->rowCount(); ++r)
        result << list->model()->index(r, JournalColumn::Article).data().toString();
    return result;
}

void ctrlClickRow(QTreeView* list, int row)
{
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, list->visualRect(index).center());
}

// A file in the test's program folder.
QString beside(const journaltest::WarehouseBook& db, const QString& name)
{
    return QFileInfo(db.path()).absoluteDir().filePath(name);
}

QString today()
{
    return QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
}

} // namespace

class JournalWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void opensFromTheMenuAndReleasesIt_data();
    void opensFromTheMenuAndReleasesIt();
    void visibilityFollowsTheLastAction_data();
    void visibilityFollowsTheLastAction();
    void dateFilterIncludesBothEndDays();
    void eitherPickerRefilters();
    void izborReportsSelectedRowsInListOrder();
    void headerSortsAsText();
    void reportVariants();
    void longDocumentKindsAndNumbersShowWhole();
    void printedPages_data();
    void printedPages();
    void printedSelectionAndRange();
    void noPrintOnNoOrEmptyList();
    void failingPrinterSaysSoOnce_data();
    void failingPrinterSaysSoOnce();
    void printsLandscapeToPdf();
    void unreadableBookSaysSoOnce();
};

void JournalWindowTest::opensFromTheMenuAndReleasesIt_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("Izlaz") << "Izlaz";
    QTest::newRow("Esc") << "Esc";
    QTest::newRow("close box") << "close";
}

void JournalWindowTest::opensFromTheMenuAndReleasesIt()
{
    QFETCH(QString, way);
    journaltest::WarehouseBook db;
    MsgBoxScript boxes;
    seedThreeDays(db);
    AppState::vrstabaze = BookKindWarehouse;
    QVERIFY(frmSkladiste::openBook(QStringLiteral("Knjiga: Roba      Baza: ") + db.path()));
    frmSkladiste* main = frmSkladiste::loaded();
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main));

    knjtest::triggerAction(main, QStringLiteral("mnuDnevnika1"));
    QMdiSubWindow* sub = main->mdiArea->activeSubWindow();
    QVERIFY(sub);
    QPointer<frmpregleddnevnika> w = qobject_cast<frmpregleddnevnika*>(sub->widget());
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Pregled dnevnika"));
    QCOMPARE(sub->size(), QSize(800, 520));
    QVERIFY(!main->mnuNoviunos->menuAction()->isEnabled());
    QVERIFY(!main->mnuPregled->menuAction()->isEnabled());
    QCOMPARE(visibleOne(w), QStringLiteral("lsvdnevnik"));
    QCOMPARE(names(w->lsvdnevnik), (QStringList{"Vijak", "Matica", "Šaraf"}));
    QVERIFY(w->optsve->isChecked());
    QCOMPARE(w->dtpod->date(), QDate::currentDate());
    QCOMPARE(w->dtpdo->date(), QDate::currentDate());

    // Enter in the list runs "&Prikaz".
    w->lsvdnevnik->setFocus();
    QTest::keyClick(w->lsvdnevnik, Qt::Key_Return);
    QCOMPARE(visibleOne(w), QStringLiteral("rtfdnevnik"));
    QCOMPARE(paneLines(w).size(), 7);

    if (way == QLatin1String("Izlaz"))
        w->cmdizlaz->click();
    else if (way == QLatin1String("Esc")) {
        w->rtfdnevnik->setFocus();
        QTest::keyClick(w->rtfdnevnik, Qt::Key_Escape);
    } else
        sub->close();
    QTRY_VERIFY(!w);
    QVERIFY(main->mnuNoviunos->menuAction()->isEnabled());
    QVERIFY(main->mnuPregled->menuAction()->isEnabled());
    QCOMPARE(boxes.calls().size(), 0);
    frmSkladiste::unload();
}

void JournalWindowTest::visibilityFollowsTheLastAction_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("visible");
    QTest::addColumn<bool>("dateFrame");
    QTest::newRow("load") << QStringList{} << "lsvdnevnik" << false;
    QTest::newRow("Po datumu") << QStringList{"optdatumu"} << "lsvizbor" << true;
    QTest::newRow("a date change") << QStringList{"optdatumu", "Prikaz", "date"} << "lsvizbor" << true;
    QTest::newRow("Prikaz keeps the date frame") << QStringList{"optdatumu", "Prikaz"} << "rtfdnevnik" << true;
    QTest::newRow("Cijeli dnevnik") << QStringList{"optdatumu", "optsve"} << "lsvdnevnik" << false;
    QTest::newRow("Izbor") << QStringList{"optdatumu", "Prikaz", "optizbor"} << "lsvdnevnik" << false;
    QTest::newRow("Ispis") << QStringList{"Ispis"} << "rtfdnevnik" << false;
}

void JournalWindowTest::visibilityFollowsTheLastAction()
{
    QFETCH(QStringList, actions);
    QFETCH(QString, visible);
    QFETCH(bool, dateFrame);
    journaltest::WarehouseBook db;
    MsgBoxScript boxes;
    boxes.answer(MsgNo);
    seedThreeDays(db);
    frmpregleddnevnika* w = openWindow();
    for (const QString& action : actions) {
        if (action == QLatin1String("Prikaz"))
            w->cmdprikazart->click();
        else if (action == QLatin1String("Ispis"))
            w->cmdispisart->click();
        else if (action == QLatin1String("date"))
            w->dtpod->setDate(March1);
        else
            knjtest::find<QRadioButton>(w, action)->click();
    }
    QCOMPARE(visibleOne(w), visible);
    QCOMPARE(w->Framedatum->isVisible(), dateFrame);
}

void JournalWindowTest::dateFilterIncludesBothEndDays()
{
    journaltest::WarehouseBook db;
    seedThreeDays(db);
    db.addLine(db.addArticle(QStringLiteral("Bez zaglavlja")), 999, 1, 1);
    frmpregleddnevnika* w = openWindow();
    w->optdatumu->click();
    QCOMPARE(w->rangeModel()->rowCount(), 0); // today has no rows

    w->dtpdo->setDate(QDate(2024, 3, 31));
    w->dtpod->setDate(March1);
    QCOMPARE(names(w->lsvizbor), (QStringList{"Vijak", "Matica", "Šaraf"}));
    w->dtpod->setDate(QDate(2024, 3, 2));
    w->dtpdo->setDate(QDate(2024, 3, 2));
    QCOMPARE(names(w->lsvizbor), QStringList{"Matica"});

    w->dtpod->setDate(QDate(2024, 4, 1));
    QCOMPARE(w->rangeModel()->rowCount(), 0);
    QCOMPARE(visibleOne(w), QStringLiteral("lsvizbor"));
    // The row without a date is in no range; the whole journal keeps it.
    w->dtpod->setDate(QDate(1900, 1, 1));
    w->dtpdo->setDate(QDate(2100, 1, 1));
    QCOMPARE(w->rangeModel()->rowCount(), 3);
    QCOMPARE(w->journalModel()->rowCount(), 4);
}

void JournalWindowTest::eitherPickerRefilters()
{
    journaltest::WarehouseBook db;
    seedThreeDays(db);
    frmpregleddnevnika* w = openWindow();
    w->optdatumu->click();
    w->dtpod->setDate(March1);
    w->dtpdo->setDate(March1);
    QCOMPARE(names(w->lsvizbor), QStringList{"Vijak"});

    // The to-date stepped up a day with the keyboard, as a person would.
    w->dtpdo->setFocus();
    w->dtpdo->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(w->dtpdo, Qt::Key_Up);
    QCOMPARE(w->dtpdo->date(), QDate(2024, 3, 2));
    QCOMPARE(names(w->lsvizbor), (QStringList{"Vijak", "Matica"}));
    w->cmdprikazart->click();
    QCOMPARE(paneLines(w).first(), "Ispis dijela dnevnika od: 01.03.2024 do: 02.03.2024 na dan: " + today());
    QCOMPARE(paneLines(w).size(), 6);
}

void JournalWindowTest::izborReportsSelectedRowsInListOrder()
{
    journaltest::WarehouseBook db;
    seedThreeDays(db);
    frmpregleddnevnika* w = openWindow();
    w->lsvdnevnik->selectAll();
    w->optizbor->click();
    QVERIFY(!w->lsvdnevnik->selectionModel()->hasSelection());

    w->cmdprikazart->click();
    QCOMPARE(paneLines(w).size(), 4); // nothing selected: the title block alone
    w->optizbor->click();
    ctrlClickRow(w->lsvdnevnik, 2);
    ctrlClickRow(w->lsvdnevnik, 0);
    w->cmdprikazart->click();
    const QStringList lines = paneLines(w);
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines.at(0), "Izabrano iz dnevnika na dan: " + today());
    QVERIFY(lines.at(4).startsWith(QStringLiteral("01.03.2024 Vijak ")));
    QVERIFY(lines.at(5).startsWith(QStringLiteral("31.03.2024 Šaraf ")));
    // The selection survives the report.
    w->cmdprikazart->click();
    QCOMPARE(paneLines(w), lines);
}

void JournalWindowTest::headerSortsAsText()
{
    journaltest::WarehouseBook db;
    seedThreeDays(db);
    db.addLine(db.addArticle(QStringLiteral("čavao")), db.addIssue(QDate(2024, 2, 15)), 1, 1);
    frmpregleddnevnika* w = openWindow();
    ctrlClickRow(w->lsvdnevnik, 1); // Matica

    knjtest::clickHeader(w->lsvdnevnik, JournalColumn::Article);
    QCOMPARE(names(w->lsvdnevnik), (QStringList{"čavao", "Matica", "Šaraf", "Vijak"}));
    knjtest::clickHeader(w->lsvdnevnik, JournalColumn::Article);
    QCOMPARE(names(w->lsvdnevnik), (QStringList{"Vijak", "Šaraf", "Matica", "čavao"}));
    // The date as text: the day of the month first.
    knjtest::clickHeader(w->lsvdnevnik, JournalColumn::Date);
    QCOMPARE(names(w->lsvdnevnik), (QStringList{"Vijak", "Matica", "čavao", "Šaraf"}));
    const QModelIndexList selected = w->lsvdnevnik->selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first().row(), 1);

    // Reloading brings the stored order back.
    w->optsve->click();
    QCOMPARE(names(w->lsvdnevnik), (QStringList{"Vijak", "Matica", "Šaraf", "čavao"}));
}

void JournalWindowTest::reportVariants()
{
    journaltest::WarehouseBook db;
    seedThreeDays(db);
    frmpregleddnevnika* w = openWindow();
    w->cmdprikazart->click();
    w->cmdprikazart->click();
    const QStringList lines = paneLines(w);
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines.mid(0, 4),
             (QStringList{"Ispis dnevnika na dan: " + today(), "", JournalHeaderLine(), JournalRuleLine()}));
    QCOMPARE(lines.at(4).size(), 118);
    QCOMPARE(lines.at(5).size(), 129);
    QCOMPARE(lines.at(5).right(4), QStringLiteral("4,50"));
}

void JournalWindowTest::longDocumentKindsAndNumbersShowWhole()
{
    journaltest::WarehouseBook db;
    const QString kind = QStringLiteral("Ulazni račun kupovni");
    const QString number = QStringLiteral("R-2026/0000123456789");
    QCOMPARE(kind.size() + number.size(), 40);
    db.addLine(db.addArticle(QStringLiteral("Vijak")),
               db.addHeader(QStringLiteral("P"), March1, db.addDocumentKind(kind), number, DateText::toIso(March1)), 1,
               1);
    frmpregleddnevnika* w = openWindow();
    QCOMPARE(w->lsvdnevnik->model()->index(0, JournalColumn::DocNumber).data().toString(), number);
    QCOMPARE(w->lsvdnevnik->model()->index(0, JournalColumn::DocNumber).data(Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignRight | Qt::AlignVCenter));
    for (QTreeView* list : {w->lsvdnevnik, w->lsvizbor}) {
        const QFontMetrics metrics(list->font());
        // A cell keeps a few pixels beside its text.
        QVERIFY(list->columnWidth(JournalColumn::DocKind) - 6 > metrics.horizontalAdvance(kind));
        QVERIFY(list->columnWidth(JournalColumn::DocNumber) - 6 > metrics.horizontalAdvance(number));
    }
}

void JournalWindowTest::printedPages_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    QTest::newRow("49") << 49 << 1;
    QTest::newRow("50") << 50 << 2;
    QTest::newRow("51") << 51 << 2;
}

void JournalWindowTest::printedPages()
{
    QFETCH(int, rows);
    QFETCH(int, pages);
    journaltest::WarehouseBook db;
    seedRows(db, rows);
    knjtest::PrintRecorder recorder(beside(db, QStringLiteral("journal-pages.pdf")));
    MsgBoxScript boxes;
    boxes.answer(MsgYes);
    frmpregleddnevnika* w = openWindow();
    w->cmdispisart->click();

    QCOMPARE(boxes.calls().size(), 1);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Broj stranica: %1 Ispis dokumenta?").arg(pages));
    QCOMPARE(boxes.last().style, 36);
    QCOMPARE(boxes.last().title, QStringLiteral("Ispis dokumenta!"));
    QCOMPARE(recorder.jobs(), 1);
    QCOMPARE(recorder.pages().size(), pages);
    const QStringList report = paneLines(w);
    const QStringList first = recorder.pages().first();
    QCOMPARE(first.at(3), Margin + report.first() + QStringLiteral("  Stranica br.  1 "));
    QCOMPARE(first.mid(5, 2), (QStringList{Margin + report.at(2), Margin + report.at(3)}));
    // Every printed row is the report's line behind the margin.
    QStringList printedRows;
    for (const QStringList& page : recorder.pages())
        printedRows += page.mid(7, qMin(50, int(page.size()) - 7));
    QCOMPARE(printedRows.size(), rows);
    for (int i = 0; i < rows; ++i)
        QCOMPARE(printedRows.at(i), Margin + report.at(4 + i));
    if (pages == 2) {
        QCOMPARE(first.size(), 59);
        QCOMPARE(first.mid(57), (QStringList{"", Margin + " 1 "}));
        const QStringList last = recorder.pages().last();
        QCOMPARE(last.size(), 7 + rows - 50);
        QVERIFY(last.at(3).endsWith(QStringLiteral("  Stranica br.  2 ")));
    } else {
        QCOMPARE(first.size(), 7 + rows);
    }
}

void JournalWindowTest::printedSelectionAndRange()
{
    journaltest::WarehouseBook db;
    seedThreeDays(db);
    knjtest::PrintRecorder recorder(beside(db, QStringLiteral("journal-selection.pdf")));
    MsgBoxScript boxes;
    frmpregleddnevnika* w = openWindow();

    w->optizbor->click();
    boxes.answer(MsgYes);
    w->cmdispisart->click(); // nothing selected: one page holding its head
    QCOMPARE(boxes.last().prompt, QStringLiteral("Broj stranica: 1 Ispis dokumenta?"));
    QCOMPARE(recorder.pages().size(), 1);
    QCOMPARE(recorder.pages().first().size(), 7);
    QCOMPARE(recorder.pages().first().at(3), Margin + "Izabrano iz dnevnika na dan: " + today() + "  Stranica br.  1 ");

    ctrlClickRow(w->lsvdnevnik, 1);
    boxes.answer(MsgYes);
    w->cmdispisart->click();
    const QStringList page = recorder.pages().last();
    QCOMPARE(page.size(), 8);
    QCOMPARE(page.at(7), Margin + paneLines(w).at(4));
    QVERIFY(page.at(7).contains(QStringLiteral("Matica")));

    w->optdatumu->click();
    w->dtpdo->setDate(QDate(2024, 3, 31));
    w->dtpod->setDate(QDate(2024, 3, 2));
    boxes.answer(MsgYes);
    w->cmdispisart->click();
    const QStringList range = recorder.pages().last();
    QCOMPARE(range.at(3),
             Margin + "Ispis dijela dnevnika od: 02.03.2024 do: 31.03.2024 na dan: " + today() + "  Stranica br.  1 ");
    QCOMPARE(range.mid(7), (QStringList{Margin + paneLines(w).at(4), Margin + paneLines(w).at(5)}));
    QCOMPARE(recorder.jobs(), 3);
    QCOMPARE(boxes.unanswered(), 0);
}

void JournalWindowTest::noPrintOnNoOrEmptyList()
{
    journaltest::WarehouseBook db;
    knjtest::PrintRecorder recorder(beside(db, QStringLiteral("journal-none.pdf")));
    MsgBoxScript boxes;
    frmpregleddnevnika* w = openWindow();
    w->cmdispisart->click(); // an empty book: the report's head only, no question
    QCOMPARE(paneLines(w).size(), 4);
    QCOMPARE(boxes.calls().size(), 0);

    seedThreeDays(db);
    w->optsve->click();
    boxes.answer(MsgNo);
    w->cmdispisart->click();
    QCOMPARE(boxes.calls().size(), 1);

    w->optdatumu->click(); // today: no row in range, whatever the journal holds
    w->cmdispisart->click();
    QCOMPARE(boxes.calls().size(), 1);
    QCOMPARE(recorder.jobs(), 0);
}

void JournalWindowTest::failingPrinterSaysSoOnce_data()
{
    QTest::addColumn<bool>("noPrinter");
    QTest::addColumn<QString>("message");
    QTest::newRow("no default printer") << true << "Nije pronađen zadani pisač.";
    QTest::newRow("printer fails") << false << "Ispis nije uspio: pisač se ne može otvoriti.";
}

void JournalWindowTest::failingPrinterSaysSoOnce()
{
    QFETCH(bool, noPrinter);
    QFETCH(QString, message);
    journaltest::WarehouseBook db;
    seedRows(db, 120);
    std::optional<knjtest::NoPrinter> none;
    std::optional<knjtest::PrintRecorder> broken;
    if (noPrinter)
        none.emplace();
    else
        broken.emplace(QStringLiteral("/nonexistent-folder/journal.pdf"));
    MsgBoxScript boxes;
    boxes.answer(MsgYes);
    frmpregleddnevnika* w = openWindow();
    w->optizbor->click();
    ctrlClickRow(w->lsvdnevnik, 3);
    ctrlClickRow(w->lsvdnevnik, 5);
    w->cmdprikazart->click();
    const QString pane = w->rtfdnevnik->toPlainText();

    w->cmdispisart->click();
    QCOMPARE(boxes.calls().size(), 2);
    QCOMPARE(boxes.last().prompt, message);
    QCOMPARE(w->rtfdnevnik->toPlainText(), pane);
    QCOMPARE(w->lsvdnevnik->selectionModel()->selectedRows().size(), 2);
    QCOMPARE(w->journalModel()->rowCount(), 120);
    if (broken)
        QVERIFY(broken->pages().isEmpty());
}

void JournalWindowTest::printsLandscapeToPdf()
{
    journaltest::WarehouseBook db;
    seedRows(db, 51);
    const QString pdf = beside(db, QStringLiteral("dnevnik.pdf"));
    knjtest::PrintRecorder recorder(pdf);
    MsgBoxScript boxes;
    boxes.answer(MsgYes);
    openWindow()->cmdispisart->click();

    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(int(bytes.count("/Type /Page") - bytes.count("/Type /Pages")), 2);
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]")).match(QString::fromLatin1(bytes));
    QVERIFY(box.hasMatch());
    QVERIFY(box.captured(1).toDouble() > box.captured(2).toDouble());
}

void JournalWindowTest::unreadableBookSaysSoOnce()
{
    journaltest::WarehouseBook db;
    db.addLine(db.addArticle(QStringLiteral("Vijak")), db.addIssue(March1), 1, 1);
    QFile::remove(db.path());
    QFile(db.path()).open(QIODevice::WriteOnly); // a file that holds no book
    MsgBoxScript boxes;
    frmpregleddnevnika* w = openWindow();
    QCOMPARE(boxes.calls().size(), 1);
    QCOMPARE(boxes.last().style, 0);
    QCOMPARE(w->journalModel()->rowCount(), 0);
    QCOMPARE(visibleOne(w), QStringLiteral("lsvdnevnik"));
}

KNJ_REGISTER_TEST(JournalWindowTest)
#include "tst_journalwindow.moc"
