#include "core/reports/partnerlist.h"
#include "core/reports/stockcard.h"
#include "core/reports/stocklist.h"
#include "support/testmain.h"

#include <QLocale>
#include <QTest>

#include <clocale>

Q_DECLARE_METATYPE(Partner)

namespace {

std::optional<Figure> fig(const QString& text)
{
    return Figure::parse(text);
}

// "P 1 10 5|I 1 10 5": kind (or "-" for a missing header), number (or "-"), quantity and price of each line.
QList<StockCardLine> cardLines(const QString& spec)
{
    QList<StockCardLine> lines;
    for (const QString& part : spec.split(u'|', Qt::SkipEmptyParts)) {
        const QStringList f = part.split(u' ');
        StockCardLine line;
        line.kind = f[0] == QLatin1String("-") ? QString() : f[0];
        if (f[1] != QLatin1String("-"))
            line.number = f[1].toLongLong();
        line.kolicina = *Figure::parse(f[2]);
        line.cijena = *Figure::parse(f[3]);
        lines << line;
    }
    return lines;
}

StockListRow article(qint64 id, const QString& sifra, const QString& naziv, const QString& barkod,
                     const QString& jedmjere, const QString& minkolicina)
{
    StockListRow a;
    a.id = id;
    a.sifra = sifra;
    a.naziv = naziv;
    a.barkod = barkod;
    a.jedmjere = jedmjere;
    a.minkolicina = fig(minkolicina);
    return a;
}

Partner partner(const QString& ime, const QString& mb, const QString& ziroracun, const QString& kontakt,
                const QString& mjesto, const QString& ulica, const QString& telefon)
{
    Partner p;
    p.ime = ime;
    p.mb = mb;
    p.ziroracun = ziroracun;
    p.kontakt = kontakt;
    p.mjesto = mjesto;
    p.ulica = ulica;
    p.telefon = telefon;
    return p;
}

const QString Rule83 = QString(83, u'_');

// Every builder on fixed data, for comparing runs under different locales.
QStringList everyReport()
{
    StockListRow a = article(1, "A1", "Čavli", "", "kom", "2");
    a.stanje = fig("-1234,5");
    a.vrijednost = fig("0");
    a.proscijena = fig("1234567,89");
    return buildStockList({a}) + buildStockCard(a, cardLines("P 1 10,5 5,25|I 2 3 7")) +
           buildStockCards({{a}, {{1, cardLines("P 1 1 1")}}}) +
           buildPartnerList(PartnerListKind::Suppliers, QDate(2026, 12, 8),
                            {partner("Ivić", "1", "2", "Ana", "Zagreb", "Ilica 1", "01/1")});
}

} // namespace

class ReportLayoutsTest : public QObject
{
    Q_OBJECT
private slots:
    void stockListLines_data();
    void stockListLines();
    void stockListHeader();
    void cardRows_data();
    void cardRows();
    void cardHeader();
    void cardsOfSeveralArticles();
    void partnerBlocks_data();
    void partnerBlocks();
    void partnerListHeader();
    void sameTextUnderEveryLocale();
};

void ReportLayoutsTest::stockListLines_data()
{
    QTest::addColumn<QString>("sifra");
    QTest::addColumn<QString>("naziv");
    QTest::addColumn<QString>("jedmjere");
    QTest::addColumn<QString>("figures"); // minimum, stock, value, average price; "" is a null column
    QTest::addColumn<QString>("line");
    // clang-format off
    QTest::newRow("plain")          << "A1"    << "Čavli"                       << "kom" << "2;10;50;5"                  << "A1           Čavli                 kom       2,00      10,00        50,00     5,00";
    QTest::newRow("name of 21")     << "Š-22"  << "Vijak za drvo 4x40 mm"       << "kom" << "0;3;1,5;0,5"                << "Š-22         Vijak za drvo 4x40 mm kom       0,00       3,00         1,50     0,50";
    QTest::newRow("name cut")       << "B-2"   << "Boja za drvo, bijela 0,75 l" << "l"   << "1;-3,5;-7;2"                << "B-2          Boja za drvo, bijela  l         1,00      -3,50        -7,00     2,00";
    QTest::newRow("cut in a word")  << "B-3"   << "Brusni papir P120 granulacija" << "kom" << "1;2;3;1,5"              << "B-3          Brusni papir P120 gra kom       1,00       2,00         3,00     1,50";
    QTest::newRow("null columns")   << "C3"    << "Bez jedinice"                << ""    << ";0;0;0"                     << "C3           Bez jedinice                               0,00         0,00     0,00";
    QTest::newRow("long price")     << "SKUPO" << "Stroj"                       << "kom" << "0;1;1234567,89;1234567,89"  << "SKUPO        Stroj                 kom       0,00       1,00   1234567,891234567,89";
    QTest::newRow("code of 13")     << "1234567890123" << "Ž"                   << "kom" << "0;0;0;0"                    << "1234567890123Ž                     kom       0,00       0,00         0,00     0,00";
    // clang-format on
}

void ReportLayoutsTest::stockListLines()
{
    QFETCH(QString, sifra);
    QFETCH(QString, naziv);
    QFETCH(QString, jedmjere);
    QFETCH(QString, figures);
    QFETCH(QString, line);
    StockListRow row = article(1, sifra, naziv, "3850000000000", jedmjere, figures.section(u';', 0, 0));
    row.stanje = fig(figures.section(u';', 1, 1));
    row.vrijednost = fig(figures.section(u';', 2, 2));
    row.proscijena = fig(figures.section(u';', 3, 3));
    const QStringList lines = buildStockList({row});
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[2], line);
}

void ReportLayoutsTest::stockListHeader()
{
    const QStringList lines = buildStockList({});
    QCOMPARE(lines, QStringList({"Šifra        Naziv                 J.mj. Min.kol. Stanje     Vrijednost   Pr.cijena",
                                 Rule83}));
    QCOMPARE(lines[0].size(), 83);
}

void ReportLayoutsTest::cardRows_data()
{
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QStringList>("rows");
    // clang-format off
    QTest::newRow("receipt then issue") << "P 1 10 5|I 1 10 5" << QStringList{
        "   1. P     1    10,00     5,00     0,00     0,00      10,00        50,00      5,00",
        "   2. I     1     0,00     0,00    10,00     5,00       0,00         0,00      5,00"};
    QTest::newRow("issue first") << "I 4 3 2,5" << QStringList{
        "   1. I     4     0,00     0,00     3,00     2,50      -3,00        -7,50      2,50"};
    QTest::newRow("lower-case p is an issue") << "P 1 2 3|p 2 1 3" << QStringList{
        "   1. P     1     2,00     3,00     0,00     0,00       2,00         6,00      3,00",
        "   2. p     2     0,00     0,00     1,00     3,00       1,00         3,00      3,00"};
    QTest::newRow("missing header keeps its place") << "P 1 5 2|- - 1 2|P 3 1 2" << QStringList{
        "   1. P     1     5,00     2,00     0,00     0,00       5,00        10,00      2,00",
        "   2.             0,00     0,00     1,00     2,00       4,00         8,00      2,00",
        "   3. P     3     1,00     2,00     0,00     0,00       5,00        10,00      2,00"};
    QTest::newRow("amount rounded per line") << "P 1 3 0,33|P 2 0,5 0,05" << QStringList{
        "   1. P     1     3,00     0,33     0,00     0,00       3,00         0,99      0,33",
        "   2. P     2     0,50     0,05     0,00     0,00       3,50         1,02      0,29"};
    QTest::newRow("long document number") << "P 1234567 1 2" << QStringList{
        "   1. P1234567     1,00     2,00     0,00     0,00       1,00         2,00      2,00"};
    // clang-format on
}

void ReportLayoutsTest::cardRows()
{
    QFETCH(QString, lines);
    QFETCH(QStringList, rows);
    const QStringList card = buildStockCard(article(1, "A1", "Čavli", "", "kom", "0"), cardLines(lines));
    QCOMPARE(card.mid(6), rows);
}

void ReportLayoutsTest::cardHeader()
{
    const QStringList card = buildStockCard(article(1, "A1", "Čavli", "", "", "2"), {});
    const QStringList header = {
        "Šifra:        Naziv:                                  Barkod:       J.m.: Min.kol.",
        "A1            Čavli                                                            2,00",
        Rule83,
        "R.br. V B.P/I Ulaz              Izlaz             Stanje     Vrijednost   Pr.cijena",
        "              Količina Cijena   Količina Cijena                                         ",
        Rule83};
    QCOMPARE(card, header);
    const QList<int> lengths = {82, 83, 83, 83, 88, 83};
    for (int i = 0; i < card.size(); ++i)
        QCOMPARE(card[i].size(), lengths[i]);
}

void ReportLayoutsTest::cardsOfSeveralArticles()
{
    const QString end = QString(83, u'-');
    const QString blanks(83, u' ');
    QCOMPARE(buildStockCards({}),
             QStringList(
                 {"Šifra:        Naziv:                                  Barkod:       J.m.: Min.kol.", Rule83, ""}));

    // Each card numbers its rows from 1 and starts its running figures afresh; an article without lines has none.
    const QList<StockListRow> articles = {article(7, "B", "Drugi", "", "kom", "0"),
                                          article(3, "A", "Prvi", "", "kom", "0"),
                                          article(9, "C", "Bez prometa", "", "kom", "0")};
    const QHash<qint64, QList<StockCardLine>> lines = {{3, cardLines("P 1 1 4")}, {7, cardLines("P 1 2 3|P 2 2 3")}};
    const QStringList cards = buildStockCards({articles, lines});
    const QStringList expected = {
        "Šifra:        Naziv:                                  Barkod:       J.m.: Min.kol.",
        Rule83,
        "",
        "B             Drugi                                                 kom        0,00",
        Rule83,
        "R.br. V B.P/I Ulaz              Izlaz             Stanje     Vrijednost   Pr.cijena",
        "              Količina Cijena   Količina Cijena                                         ",
        Rule83,
        "   1. P     1     2,00     3,00     0,00     0,00       2,00         6,00      3,00",
        "   2. P     2     2,00     3,00     0,00     0,00       4,00        12,00      3,00",
        end,
        blanks,
        blanks,
        "A             Prvi                                                  kom        0,00",
        Rule83,
        "R.br. V B.P/I Ulaz              Izlaz             Stanje     Vrijednost   Pr.cijena",
        "              Količina Cijena   Količina Cijena                                         ",
        Rule83,
        "   1. P     1     1,00     4,00     0,00     0,00       1,00         4,00      4,00",
        end,
        blanks,
        blanks,
        "C             Bez prometa                                           kom        0,00",
        Rule83,
        "R.br. V B.P/I Ulaz              Izlaz             Stanje     Vrijednost   Pr.cijena",
        "              Količina Cijena   Količina Cijena                                         ",
        Rule83,
        end,
        blanks,
        blanks};
    QCOMPARE(cards, expected);
}

void ReportLayoutsTest::partnerBlocks_data()
{
    QTest::addColumn<Partner>("p");
    QTest::addColumn<QString>("line1");
    QTest::addColumn<QString>("line3");
    // clang-format off
    QTest::newRow("plain")          << partner("Ivić d.o.o.", "1234567890123", "HR121001005186300016", "Ana Ivić", "Zagreb", "Ilica 1", "01/123-456")
                                    << "Ivić d.o.o.                    1234567890123 HR121001005186300016 Ana Ivić"
                                    << "                               Zagreb        Ilica 1              01/123-456";
    QTest::newRow("trimmed")        << partner("  Tvrtka  ", "12", " 2360000 ", "Marko ", " Split ", "Obala 2", "021")
                                    << "Tvrtka                         12            2360000              Marko"
                                    << "                               Split         Obala 2              021";
    QTest::newRow("long place and street") << partner("A", "", "", "", "Velika Gorica - Centar", "Ulica kralja Tomislava 12", "01/6")
                                    << "A                                                                 "
                                    << "                               Velika Gorica Ulica kralja Tomislava 12 01/6";
    QTest::newRow("null columns")   << partner("B", QString(), QString(), QString(), QString(), QString(), QString())
                                    << "B                                                                 "
                                    << "                                                                  ";
    // clang-format on
}

void ReportLayoutsTest::partnerBlocks()
{
    QFETCH(Partner, p);
    QFETCH(QString, line1);
    QFETCH(QString, line3);
    const QStringList lines = buildPartnerList(PartnerListKind::Customers, QDate(2026, 12, 8), {p});
    QCOMPARE(lines.mid(5), QStringList({line1, "", line3, QString(83, u'-')}));
}

void ReportLayoutsTest::partnerListHeader()
{
    const QStringList header = {"",
                                "Naziv                          Mat. broj     Žiroračun            Kontakt          ",
                                "_____                          Mjesto        Ulica i br.          Telefon", Rule83};
    QCOMPARE(buildPartnerList(PartnerListKind::Customers, QDate(2026, 12, 8), {}),
             QStringList{"Kupci na dan: 08.12.2026"} + header);
    QCOMPARE(buildPartnerList(PartnerListKind::Suppliers, QDate(2026, 1, 31), {}),
             QStringList{"Dobavljači na dan: 31.01.2026"} + header);
    const QString line1 = buildPartnerList(PartnerListKind::Customers, QDate(2026, 12, 8),
                                           {partner("Ivić", "MB", "RACUN", "KONTAKT", "", "", "")})[5];
    QCOMPARE(line1.indexOf("MB") + 1, 32);
    QCOMPARE(line1.indexOf("RACUN") + 1, 46);
    QCOMPARE(line1.indexOf("KONTAKT") + 1, 67);
}

void ReportLayoutsTest::sameTextUnderEveryLocale()
{
    const QLocale before;
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
    const QStringList plain = everyReport();
    std::setlocale(LC_ALL, "hr_HR.UTF-8");
    QLocale::setDefault(QLocale(QLocale::Croatian, QLocale::Croatia));
    const QStringList croatian = everyReport();
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(before);
    QCOMPARE(croatian, plain);
    QVERIFY(plain.join(u'\n').contains(QStringLiteral("1234567,89")));
    QVERIFY(!plain.join(u'\n').contains(QStringLiteral("-0,00")));
}

KNJ_REGISTER_TEST(ReportLayoutsTest)
#include "tst_reportlayouts.moc"
