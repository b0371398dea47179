#include "core/reports/journaltext.h"
#include "core/text/figure.h"
#include "support/testmain.h"

#include <QTest>

namespace {

// An in-memory journal whose rows are made from their cells.
struct Rows
{
    JournalBook book;

    quint32 text(const QString& s)
    {
        book.texts.append(s);
        return quint32(book.texts.size() - 1);
    }
    // quantity and amount in hundredths, price in ten-thousandths
    void add(const QString& date, const QString& name, const QString& letter, qint64 quantity, qint64 price,
             const QString& kind = QString(), const QString& number = QString(), const QString& docDate = QString())
    {
        JournalLine line;
        line.date = text(date);
        line.article = text(name);
        line.letter = text(letter);
        line.receipt = letter == QLatin1String("P");
        line.docKind = text(kind);
        line.docNumber = text(number);
        line.docDate = text(docDate);
        line.quantity = quantity;
        line.price = price;
        line.amount = Figure::lineAmount(Figure::fromCents(quantity), price).cents();
        book.lines.append(line);
    }
    QString line(int row, JournalLayout layout = JournalLayout::Report)
    {
        JournalLineWriter writer(book, layout);
        return writer.line(book.lines.at(row));
    }
};

// Whether text stands in line with its last character in column end (counted from 1), a blank or the line's
// start before it.
bool endsAt(const QString& line, int end, const QString& text)
{
    const int start = end - int(text.size());
    return start >= 0 && line.mid(start, text.size()) == text && (start == 0 || line.at(start - 1) == u' ');
}

const QString Receipt = "01.03.2024 Vijak                   P Račun                  R-1 01.03.2024       5,00         "
                        "         2,00      10,00";
const QString Issue = "02.03.2024 Matica                  I                                                        3,00"
                      "       1,50                  4,50";

} // namespace

class JournalTextTest : public QObject
{
    Q_OBJECT
private slots:
    void titles_data();
    void titles();
    void headerAndRule();
    void lines_data();
    void lines();
    void reportOfRows();
    void pages_data();
    void pages();
};

void JournalTextTest::titles_data()
{
    QTest::addColumn<int>("selection");
    QTest::addColumn<QString>("title");
    QTest::newRow("whole") << int(JournalSelection::Whole) << "Ispis dnevnika na dan: 15.04.2024";
    QTest::newRow("selected") << int(JournalSelection::Selected) << "Izabrano iz dnevnika na dan: 15.04.2024";
    QTest::newRow("range") << int(JournalSelection::DateRange)
                           << "Ispis dijela dnevnika od: 01.03.2024 do: 31.03.2024 na dan: 15.04.2024";
}

void JournalTextTest::titles()
{
    QFETCH(int, selection);
    QFETCH(QString, title);
    QCOMPARE(JournalTitle(JournalSelection(selection), QDate(2024, 4, 15), QDate(2024, 3, 1), QDate(2024, 3, 31)),
             title);
}

void JournalTextTest::headerAndRule()
{
    const QString header = JournalHeaderLine();
    QCOMPARE(header, QStringLiteral("Datum.p/i  Naziv artikla           V Dokument        Broj.dok   Datum.dok  "
                                    "Kol.ulaz   Kol.izlaz  Cijena     Duguje     Potražuje "));
    QCOMPARE(header.size(), 129);
    QCOMPARE(JournalRuleLine(), QString(130, u'_'));
}

void JournalTextTest::lines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("length");
    Rows r;
    r.add("01.03.2024", "Vijak", "P", 500, 20000, "Račun", "R-1", "01.03.2024");
    r.add("02.03.2024", "Matica", "I", 300, 15000);
    r.add("01.03.2024", "  Vijak  ", "P", 500, 20000, " Račun ", " R-1 ", "01.03.2024");
    r.add("02.03.2024", "  Matica s podloškom i dva vijka ", "I", 300, 15000);
    r.add("01.03.2024", "Vijak", "P", 500, 20000, "Račun za robu R1", "R-1", "01.03.2024");
    r.add("01.03.2024", "Vijak", "P", 500, 20000, "0", "0", "0");
    r.add("02.03.2024", "Matica", "I", 300, 3330);
    r.add("02.03.2024", "Matica", "p", 300, 15000);
    r.add("", "Matica", "", 300, 15000);
    r.add("01.03.2024", "Vijak", "P", 500, 20000, "Račun", "R-1", "");
    r.add("02.03.2024", "Matica", "I", 300, 3367);
    QTest::newRow("receipt") << r.line(0) << Receipt << 118;
    QTest::newRow("issue") << r.line(1) << Issue << 129;
    QTest::newRow("blanks around texts trimmed") << r.line(2) << Receipt << 118;
    QTest::newRow("name trimmed, then cut to 23")
        << r.line(3) << "02.03.2024 Matica s podloškom i dv I" + Issue.mid(36) << 129;
    QTest::newRow("long kind grows the line")
        << r.line(4) << Receipt.left(37) + "Račun za robu R1" + Receipt.mid(52) << 119;
    QTest::newRow("placeholders keep their columns")
        << r.line(5) << Receipt.left(37) + "0               " + "         0 0         " + Receipt.mid(74) << 118;
    QTest::newRow("0,333 x 3") << r.line(6) << Issue.left(96) + "       0,33" + Issue.mid(107, 11) + "       1,00"
                               << 129;
    QTest::newRow("lower-case p") << r.line(7) << Issue.left(34) + " p" + Issue.mid(36) << 129;
    QTest::newRow("no header: no date, no letter") << r.line(8) << Issue.mid(10, 25) + Issue.mid(36) << 118;
    QTest::newRow("no header, printed: blank columns")
        << r.line(8, JournalLayout::Printout) << QString(10, u' ') + Issue.mid(10, 25) + u' ' + Issue.mid(36) << 129;
    QTest::newRow("empty document date") << r.line(9) << Receipt.left(64) + Receipt.mid(74) << 108;
    QTest::newRow("empty document date, printed")
        << r.line(9, JournalLayout::Printout) << Receipt.left(64) + QString(10, u' ') + Receipt.mid(74) << 118;
    QTest::newRow("receipt, printed") << r.line(0, JournalLayout::Printout) << Receipt << 118;
    QTest::newRow("issue, printed") << r.line(1, JournalLayout::Printout) << Issue << 129;
    QTest::newRow("0,3367 rounded to 0,34")
        << r.line(10) << Issue.left(96) + "       0,34" + Issue.mid(107, 11) + "       1,01" << 129;
    QTest::newRow("0,3367 rounded to 0,34, printed")
        << r.line(10, JournalLayout::Printout) << Issue.left(96) + "       0,34" + Issue.mid(107, 11) + "       1,01"
        << 129;
}

void JournalTextTest::lines()
{
    QFETCH(QString, line);
    QFETCH(QString, expected);
    QFETCH(int, length);
    QCOMPARE(line, expected);
    QCOMPARE(line.size(), length);
}

void JournalTextTest::reportOfRows()
{
    Rows r;
    r.add("01.03.2024", "Vijak", "P", 500, 20000, "Račun", "R-1", "01.03.2024");
    r.add("02.03.2024", "Matica", "I", 300, 15000);
    QCOMPARE(endsAt(Receipt, 85, "5,00") && endsAt(Receipt, 107, "2,00") && endsAt(Receipt, 118, "10,00"), true);
    QCOMPARE(Receipt.mid(86, 10), QString(10, u' '));
    QCOMPARE(endsAt(Issue, 96, "3,00") && endsAt(Issue, 107, "1,50") && endsAt(Issue, 129, "4,50"), true);
    QCOMPARE(Issue.mid(108, 10), QString(10, u' '));

    const QStringList report = BuildJournalReport(r.book, {1, 0, 1}, "Naslov");
    QCOMPARE(report, (QStringList{"Naslov", "", JournalHeaderLine(), JournalRuleLine(), Issue, Receipt, Issue}));
    QCOMPARE(BuildJournalReport(r.book, {}, "Naslov").size(), 4);
}

void JournalTextTest::pages_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<int>>("rowsOnPages");
    QTest::newRow("49") << 49 << QList<int>{49};
    QTest::newRow("50") << 50 << QList<int>{50, 0};
    QTest::newRow("51") << 51 << QList<int>{50, 1};
    QTest::newRow("none") << 0 << QList<int>{0};
}

void JournalTextTest::pages()
{
    QFETCH(int, rows);
    QFETCH(QList<int>, rowsOnPages);
    QList<QStringList> pages{{}};
    JournalPrint::Sink sink;
    sink.line = [&pages](const QString& line) { pages.last().append(line); };
    sink.newPage = [&pages] { pages.append(QStringList()); };
    JournalPrint::write(
        "Ispis dnevnika na dan: 15.04.2024", rows, [](int i) { return QStringLiteral("redak %1").arg(i + 1); }, sink);

    QCOMPARE(JournalPrint::pageCount(rows), int(rowsOnPages.size()));
    QCOMPARE(pages.size(), rowsOnPages.size());
    const QString margin(12, u' ');
    int next = 1;
    for (int p = 0; p < pages.size(); ++p) {
        const QString number = QStringLiteral(" %1 ").arg(p + 1);
        QStringList expected{"",
                             "",
                             "",
                             margin + "Ispis dnevnika na dan: 15.04.2024  Stranica br. " + number,
                             "",
                             margin + JournalHeaderLine(),
                             margin + JournalRuleLine()};
        for (int i = 0; i < rowsOnPages.at(p); ++i)
            expected << margin + QStringLiteral("redak %1").arg(next++);
        if (rowsOnPages.at(p) == JournalPrint::RowsPerPage)
            expected << "" << margin + number;
        QCOMPARE(pages.at(p), expected);
    }
}

KNJ_REGISTER_TEST(JournalTextTest)
#include "tst_journaltext.moc"
