#include "common/reportpane.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QTest>
#include <QTextCursor>

namespace {

// Long enough that the pane keeps it in more than one block: "Čavli" ends one, "B2" starts the next.
const QStringList Report = [] {
    QStringList lines = {"Šifra        Naziv", QString(83, u'_')};
    for (int n = 1; n <= 13; ++n)
        lines << QStringLiteral("X%1           Matica").arg(n, 2, 10, QLatin1Char('0'));
    return lines << "A1           Čavli"
                 << "B2           Vijak"
                 << "C3           Žica";
}();

} // namespace

class PrintQuestionTest : public QObject
{
    Q_OBJECT
private slots:
    void emptyPaneAsksNothing();
    void answerNoPrintsNothing();
    void answerYesPrintsTheWholeReport();
    void selectionPrintsExactlyTheSelectedText();
    void printerFailureGivesOneBox();
    void windowOwnQuestion();
};

void PrintQuestionTest::emptyPaneAsksNothing()
{
    knjtest::ProgramFolderFixture folder;
    knjtest::MsgBoxScript boxes;
    knjtest::PrintRecorder printed(folder.filePath("out.pdf"));
    ReportPane pane;
    PrintQuestion(&pane);
    pane.setReport(Report);
    pane.clearReport();
    PrintQuestion(&pane);
    QCOMPARE(boxes.calls().size(), 0);
    QCOMPARE(printed.jobs(), 0);
}

void PrintQuestionTest::answerNoPrintsNothing()
{
    knjtest::ProgramFolderFixture folder;
    knjtest::MsgBoxScript boxes;
    knjtest::PrintRecorder printed(folder.filePath("out.pdf"));
    ReportPane pane;
    pane.setReport(Report);
    boxes.answer(MsgNo);
    PrintQuestion(&pane);
    QCOMPARE(boxes.calls().size(), 1);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Ispis na pisač?"));
    QCOMPARE(boxes.last().style, 36);
    QCOMPARE(boxes.last().title, QStringLiteral("Ispis!"));
    QCOMPARE(printed.jobs(), 0);
    QCOMPARE(boxes.unanswered(), 0);
}

void PrintQuestionTest::answerYesPrintsTheWholeReport()
{
    knjtest::ProgramFolderFixture folder;
    knjtest::MsgBoxScript boxes;
    knjtest::PrintRecorder printed(folder.filePath("out.pdf"));
    ReportPane pane;
    pane.setReport(Report);
    boxes.answer(MsgYes);
    PrintQuestion(&pane);
    QCOMPARE(printed.jobs(), 1);
    QCOMPARE(printed.lines(), Report);
    QCOMPARE(boxes.calls().size(), 1);
    QCOMPARE(pane.toPlainText(), Report.join(u'\n')); // printing leaves the pane as it was
}

void PrintQuestionTest::selectionPrintsExactlyTheSelectedText()
{
    knjtest::ProgramFolderFixture folder;
    knjtest::MsgBoxScript boxes;
    knjtest::PrintRecorder printed(folder.filePath("out.pdf"));
    ReportPane pane;
    pane.setReport(Report);
    // From "Čavli" to "B2" across a line end.
    const int start = pane.toPlainText().indexOf(QStringLiteral("Čavli"));
    const int end = pane.toPlainText().indexOf(QStringLiteral("B2")) + 2;
    QTextCursor cursor = pane.textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    pane.setTextCursor(cursor);
    boxes.answer(MsgYes);
    PrintQuestion(&pane);
    QCOMPARE(printed.jobs(), 1);
    QCOMPARE(printed.lines(), QStringList({"Čavli", "B2"}));
    QCOMPARE(pane.textCursor().selectedText().size(), end - start);
}

void PrintQuestionTest::printerFailureGivesOneBox()
{
    knjtest::ProgramFolderFixture folder;
    knjtest::MsgBoxScript boxes;
    knjtest::NoPrinter none;
    ReportPane pane;
    pane.setReport(Report);
    boxes.answer(MsgYes).answer(1);
    PrintQuestion(&pane);
    QCOMPARE(boxes.calls().size(), 2);
    QCOMPARE(boxes.calls()[1].prompt, QStringLiteral("Nije pronađen zadani pisač."));
    QCOMPARE(boxes.unanswered(), 0);
}

void PrintQuestionTest::windowOwnQuestion()
{
    knjtest::ProgramFolderFixture folder;
    knjtest::MsgBoxScript boxes;
    knjtest::PrintRecorder printed(folder.filePath("out.pdf"));
    ReportPane pane;
    pane.setReport(Report);
    boxes.answer(MsgNo);
    PrintQuestion(&pane, QStringLiteral("Ispis radnog naloga?"), QStringLiteral("Ispis naloga"));
    QCOMPARE(boxes.last().prompt, QStringLiteral("Ispis radnog naloga?"));
    QCOMPARE(boxes.last().title, QStringLiteral("Ispis naloga"));
    QCOMPARE(printed.jobs(), 0);
}

KNJ_REGISTER_TEST(PrintQuestionTest)
#include "tst_printquestion.moc"
