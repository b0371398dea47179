#include "common/reportpane.h"
#include "core/text/reporttext.h"
#include "support/testmain.h"

#include <QTest>
#include <QTextDocument>

#include <utility>

class ReportTextTest : public QObject
{
    Q_OBJECT
private slots:
    void columns_data();
    void columns();
    void rules();
    void joinedReportGoesSixteenLinesABlock();
    void paneTakesAReportInPartsWhole_data();
    void paneTakesAReportInPartsWhole();
};

// One case a line: what the helper makes of a value, shown between bars.
// clang-format off
void ReportTextTest::columns_data()
{
    QTest::addColumn<QString>("made");
    QTest::addColumn<QString>("expected");
    QTest::newRow("pad right")           << PadRightTo("abc", 6)                      << "abc   ";
    QTest::newRow("pad right exact")     << PadRightTo("abcdef", 6)                   << "abcdef";
    QTest::newRow("pad right longer")    << PadRightTo("abcdefgh", 6)                 << "abcdefgh";
    QTest::newRow("pad left")            << PadLeftTo("12", 5)                        << "   12";
    QTest::newRow("pad left longer")     << PadLeftTo("123456", 5)                    << "123456";
    QTest::newRow("croatian letters")    << PadRightTo(QStringLiteral("ČŠŽ"), 5)      << QStringLiteral("ČŠŽ  ");
    QTest::newRow("money zero")          << MoneyColumn12(Figure())                   << "        0,00";
    QTest::newRow("money negative")      << MoneyColumn12(Figure::fromCents(-12350))  << "     -123,50";
    QTest::newRow("money twelve digits") << MoneyColumn12(Figure::fromCents(12345678901234)) << "123456789012,34";
    QTest::newRow("money missing")       << MoneyColumn12(std::optional<Figure>())    << "";
    QTest::newRow("cut")                 << CutTo(QStringLiteral("Čokolada mliječna"), 8) << QStringLiteral("Čokolada");
    QTest::newRow("cut short text")      << CutTo("abc", 8)                           << "abc";
    QTest::newRow("cut keeps emoji whole") << CutTo(QStringLiteral("ab\U0001F600"), 3) << "ab";
}
// clang-format on

void ReportTextTest::columns()
{
    QFETCH(QString, made);
    QFETCH(QString, expected);
    QCOMPARE(made, expected);
}

void ReportTextTest::rules()
{
    QCOMPARE(ReportRule(ReportText::ReportWidth, u'_'), QString(83, u'_'));
    QCOMPARE(ReportRule(ReportText::JournalReportWidth, u'_').size(), 130);
    QCOMPARE(ReportRule(0, u'-'), QString());
}

void ReportTextTest::joinedReportGoesSixteenLinesABlock()
{
    JoinedReport report;
    QStringList lines;
    for (int n = 1; n <= 33; ++n) {
        lines << QString::number(n);
        report.append(lines.last());
    }
    QCOMPARE(report.lineCount(), 33);
    const QStringList blocks = report.takeParts().join(QString()).split(u'\n');
    QCOMPARE(blocks.size(), 3);
    QCOMPARE(blocks[0].split(QChar(QChar::LineSeparator)), lines.mid(0, 16));
    QCOMPARE(blocks[1].split(QChar(QChar::LineSeparator)), lines.mid(16, 16));
    QCOMPARE(blocks[2], QStringLiteral("33"));
    QCOMPARE(report.lineCount(), 0);
    QVERIFY(report.takeParts().isEmpty());
}

void ReportTextTest::paneTakesAReportInPartsWhole_data()
{
    // Parts of at least 150 characters: a part a block of 16 lines of 10.
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<int>("partCount");
    QTest::newRow("one part") << 10 << 1;
    QTest::newRow("two parts") << 20 << 2;
    QTest::newRow("three parts") << 40 << 3;
}

void ReportTextTest::paneTakesAReportInPartsWhole()
{
    QFETCH(int, lineCount);
    QFETCH(int, partCount);
    JoinedReport report(150);
    QStringList lines;
    for (int n = 1; n <= lineCount; ++n) {
        lines << QStringLiteral("line %1").arg(n, 5);
        report.append(lines.last());
    }
    JoinedReport copy = report;
    QCOMPARE(copy.takeParts().size(), partCount);
    ReportPane pane;
    pane.setReport(std::move(report));
    QCOMPARE(pane.document()->blockCount(), partCount);
    QCOMPARE(pane.toPlainText().split(u'\n'), lines);
    pane.setReport(JoinedReport());
    QVERIFY(pane.isEmpty());
}

KNJ_REGISTER_TEST(ReportTextTest)
#include "tst_reporttext.moc"
