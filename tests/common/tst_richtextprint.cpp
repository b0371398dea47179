#include "common/appsetup.h"
#include "common/richtextprint.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPrinter>
#include <QTest>
#include <QTextEdit>

#include <cmath>

namespace {

QStringList numberedLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("Redak %1").arg(i);
    return lines;
}

// Lines of the test font that fit between top and bottom margins (twips) on the recorder's paper.
int linesPerPage(const QFont& font, int topTw, int bottomTw)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const double paper = printer.paperRect(QPrinter::DevicePixel).height();
    const double body = paper - std::round((topTw + bottomTw) * printer.logicalDpiY() / 1440.0);
    // Text layout places lines at whole device pixels.
    return int(body / std::ceil(QFontMetricsF(font, &printer).lineSpacing()));
}

// Pages in a PDF file: page objects, not the page tree.
int pdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = file.readAll();
    return int(pdf.count("/Type /Page") - pdf.count("/Type /Pages"));
}

} // namespace

class RichTextPrintTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void pagesFollowTheMargins_data();
    void pagesFollowTheMargins();
    void textEndingAtThePageBottomAddsNoPage();
    void rangePrintsOnlyItsCharacters();
    void rangeAcrossPages();
    void emptyPanePrintsOneEmptyPage();
    void overlongLineWraps_data();
    void overlongLineWraps();
    void noPrinterIsReported();

private:
    QFont m_font;
};

void RichTextPrintTest::init()
{
    m_font = AppSetup::fixedFont(10);
}

void RichTextPrintTest::pagesFollowTheMargins_data()
{
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::newRow("one inch") << 1440 << 1440;
    QTest::newRow("two inches") << 2880 << 2880;
    QTest::newRow("top only") << 4320 << 0;
}

void RichTextPrintTest::pagesFollowTheMargins()
{
    QFETCH(int, top);
    QFETCH(int, bottom);
    knjtest::ProgramFolderFixture folder;
    const QString pdf = folder.filePath(QStringLiteral("ispis.pdf"));
    knjtest::PrintRecorder recorder(pdf);
    QTextEdit pane;
    pane.setFont(m_font);
    const QStringList text = numberedLines(200);
    pane.setPlainText(text.join('\n'));

    PrintRichText(&pane, 1440, top, 1440, bottom, 0, -1);

    const int perPage = linesPerPage(m_font, top, bottom);
    QVERIFY(perPage > 10);
    const int pages = (200 + perPage - 1) / perPage;
    QCOMPARE(recorder.jobs(), 1);
    QCOMPARE(recorder.pages().size(), pages);
    for (int p = 0; p < pages - 1; ++p)
        QCOMPARE(recorder.pages().at(p).size(), perPage);
    QCOMPARE(recorder.lines(), text);
    QCOMPARE(pdfPageCount(pdf), pages);
}

void RichTextPrintTest::textEndingAtThePageBottomAddsNoPage()
{
    knjtest::ProgramFolderFixture folder;
    const int perPage = linesPerPage(m_font, 1440, 1440);
    QTextEdit pane;
    pane.setFont(m_font);
    {
        knjtest::PrintRecorder recorder(folder.filePath(QStringLiteral("a.pdf")));
        pane.setPlainText(numberedLines(perPage).join('\n'));
        PrintRichText(&pane, 1440, 1440, 1440, 1440, 0, -1);
        QCOMPARE(recorder.pages().size(), 1);
    }
    knjtest::PrintRecorder recorder(folder.filePath(QStringLiteral("b.pdf")));
    pane.setPlainText(numberedLines(perPage + 1).join('\n'));
    PrintRichText(&pane, 1440, 1440, 1440, 1440, 0, -1);
    QCOMPARE(recorder.pages().size(), 2);
    QCOMPARE(recorder.pages().at(1), QStringList{QStringLiteral("Redak %1").arg(perPage + 1)});
}

void RichTextPrintTest::rangePrintsOnlyItsCharacters()
{
    knjtest::ProgramFolderFixture folder;
    knjtest::PrintRecorder recorder(folder.filePath(QStringLiteral("ispis.pdf")));
    QTextEdit pane;
    pane.setFont(m_font);
    pane.setPlainText(QStringLiteral("Prvi redak\nDrugi redak\nTreći redak"));
    const QString all = pane.toPlainText();
    const int start = int(all.indexOf(QStringLiteral("redak\nDrugi")));
    const int length = int(all.indexOf(QStringLiteral("Treći")) + 3 - start);

    PrintRichText(&pane, 1440, 1440, 1440, 1440, start, length);

    QCOMPARE(recorder.pages().size(), 1);
    QCOMPARE(recorder.lines(), (QStringList{"redak", "Drugi redak", "Tre"}));
    QCOMPARE(pane.toPlainText(), all);
}

void RichTextPrintTest::rangeAcrossPages()
{
    knjtest::ProgramFolderFixture folder;
    knjtest::PrintRecorder recorder(folder.filePath(QStringLiteral("ispis.pdf")));
    const int perPage = linesPerPage(m_font, 1440, 1440);
    QTextEdit pane;
    pane.setFont(m_font);
    const QStringList text = numberedLines(3 * perPage);
    pane.setPlainText(text.join('\n'));
    // From the start of line perPage / 2 + 1, as many lines as a page and a half holds.
    const int firstLine = perPage / 2;
    const int count = perPage + perPage / 2;
    const int start = int(text.mid(0, firstLine).join('\n').size()) + 1;
    const int length = int(text.mid(firstLine, count).join('\n').size());

    PrintRichText(&pane, 1440, 1440, 1440, 1440, start, length);

    QCOMPARE(recorder.pages().size(), 2);
    QCOMPARE(recorder.pages().at(0).size(), perPage);
    QCOMPARE(recorder.lines(), text.mid(firstLine, count));
}

void RichTextPrintTest::emptyPanePrintsOneEmptyPage()
{
    knjtest::ProgramFolderFixture folder;
    const QString pdf = folder.filePath(QStringLiteral("ispis.pdf"));
    knjtest::PrintRecorder recorder(pdf);
    QTextEdit pane;
    PrintRichText(&pane, 1440, 1440, 1440, 1440, 0, -1);
    QCOMPARE(recorder.jobs(), 1);
    QCOMPARE(recorder.pages().size(), 1);
    QCOMPARE(recorder.lines().join(QString()), QString());
    QCOMPARE(pdfPageCount(pdf), 1);
}

void RichTextPrintTest::overlongLineWraps_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::newRow("one inch each") << 1440 << 1440;
    QTest::newRow("wide left") << 2880 << 720;
}

void RichTextPrintTest::overlongLineWraps()
{
    QFETCH(int, left);
    QFETCH(int, right);
    knjtest::ProgramFolderFixture folder;
    knjtest::PrintRecorder recorder(folder.filePath(QStringLiteral("ispis.pdf")));
    QTextEdit pane;
    pane.setFont(m_font);
    const QString rule(300, QLatin1Char('_'));
    pane.setPlainText(rule);
    PrintRichText(&pane, left, 1440, right, 1440, 0, -1);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const double body =
        printer.paperRect(QPrinter::DevicePixel).width() - std::round((left + right) * printer.logicalDpiX() / 1440.0);
    const int perLine = int(body / QFontMetricsF(m_font, &printer).horizontalAdvance(QLatin1Char('_')));
    QVERIFY(recorder.lines().size() > 1);
    QCOMPARE(recorder.lines().first().size(), perLine);
    QCOMPARE(recorder.lines().join(QString()), rule);
}

void RichTextPrintTest::noPrinterIsReported()
{
    knjtest::NoPrinter noPrinter;
    knjtest::MsgBoxScript boxes;
    Printing::PrintedPages pages;
    Printing::setRecorder(&pages);
    QTextEdit pane;
    pane.setPlainText(QStringLiteral("Nešto"));
    PrintRichText(&pane, 1440, 1440, 1440, 1440, 0, -1);
    Printing::setRecorder(nullptr);
    QCOMPARE(boxes.calls().size(), 1);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Nije pronađen zadani pisač."));
    QVERIFY(pages.isEmpty());
}

KNJ_REGISTER_TEST(RichTextPrintTest)
#include "tst_richtextprint.moc"
