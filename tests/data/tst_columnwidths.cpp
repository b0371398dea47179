#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"
#include "core/db/registry.h"
#include "core/stock/articles.h"
#include "core/stock/partners.h"
#include "core/stock/posting.h"
#include "core/stock/stockdocs.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QTest>

class ColumnWidthsTest : public QObject
{
    Q_OBJECT
private slots:
    void cutOnACharacterBoundary_data();
    void cutOnACharacterBoundary();
    void storedTextsKeepToTheirColumns();
};

// The tables read best one case to a line.
// clang-format off
void ColumnWidthsTest::cutOnACharacterBoundary_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("stored");
    QTest::newRow("fits") << "Čelik" << 5 << "Čelik";
    QTest::newRow("cut") << "Čelik d.o.o." << 5 << "Čelik";
    QTest::newRow("emoji across the end") << "abcd\U0001F600" << 5 << "abcd";
    QTest::newRow("emoji that fits") << "abc\U0001F600x" << 5 << "abc\U0001F600";
    QTest::newRow("letter with its accent") << "abcdc\u030C" << 5 << "abcd";
    QTest::newRow("flag of two emoji") << "ab\U0001F1ED\U0001F1F7" << 5 << "ab";
    QTest::newRow("empty") << "" << 1 << "";
}
// clang-format on

void ColumnWidthsTest::cutOnACharacterBoundary()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QTEST(fitToWidth(text, width), "stored");
}

void ColumnWidthsTest::storedTextsKeepToTheirColumns()
{
    knjtest::ProgramFolderFixture folder;
    const QString book = ProgramFolder::filePath(QStringLiteral("Skladiste1.mdb"));
    QVERIFY(CreateBookDatabase(book, BookKindWarehouse));
    const QString huge(100000, QLatin1Char('x'));
    const QString emojis = QString(9, QLatin1Char('a')) + QString::fromUtf8("\xF0\x9F\x98\x80\xF0\x9F\x98\x80");

    ArticleEntry entry{huge, huge, huge, huge, Figure()};
    const qint64 article = Articles::insertAll(book, {entry}).first();
    const qint64 partner = Partners::insertAll(book, {{0, huge, huge, huge, huge, huge, huge, huge, huge}}).first();
    const qint64 kind = StockDocs::addDocumentKind(book, huge);
    StockDocument receipt;
    receipt.date = QDate(2024, 1, 2);
    receipt.supplierDocDate = receipt.date;
    receipt.partnerId = partner;
    receipt.documentKindId = kind;
    receipt.supplierDocNumber = huge;
    PostStockDocument(book, receipt);
    Registry::ensureExists();
    const qint64 company = Registry::insertCompany({0, huge, huge, huge, huge, huge, huge, huge, huge, huge, huge});
    Registry::insertBook(company, huge, huge, huge);

    const QList<QPair<QString, QString>> columns{
        {book, "select max(length(sifra)) || '/' || max(length(barkod)) || '/' || max(length(naziv)) || '/' || "
               "max(length(jedmjere)) from artikli"},
        {book, "select length(kd) || '/' || length(ime) || '/' || length(mb) || '/' || length(ziroracun) || '/' || "
               "length(mjesto) || '/' || length(ulica) || '/' || length(telefon) || '/' || length(kontakt) "
               "from kd where id = " +
                   QString::number(partner)},
        {book, "select length(dokument) from dokumenti"},
        {book, "select length(brojdok) from pi"},
        {ProgramFolder::registryPath(),
         "select length(ime) || '/' || length(mb) || '/' || length(sifradj) || '/' || length(\"to\") || '/' || "
         "length(ziroracun) || '/' || length(posta) || '/' || length(mjesto) || '/' || length(ulica) || '/' || "
         "length(telefon) || '/' || length(kontakt) from svetvrtke"},
        {ProgramFolder::registryPath(),
         "select length(nazivknjige) || '/' || length(vrstaknjige) || '/' || length(adresa) from otvoreneknjige"}};
    const QStringList widths{"10/13/30/5", "1/30/13/20/20/30/20/30",      "20",
                             "20",         "30/13/10/1/20/6/20/30/20/30", "30/30/30"};
    for (int i = 0; i < columns.size(); ++i)
        QCOMPARE(Database::open(columns[i].first).scalar(columns[i].second).toString(), widths[i]);

    // A change is cut the same way, and an emoji at the end is left out whole.
    entry.naziv = QString(29, QLatin1Char('n')) + QString::fromUtf8("\xF0\x9F\x98\x80");
    entry.sifra = emojis;
    Articles::update(book, article, entry);
    const StoredArticle stored = Articles::all(book).first();
    QCOMPARE(stored.entry.naziv, QString(29, QLatin1Char('n')));
    QCOMPARE(stored.entry.sifra, emojis.left(9));
    Partner changed = Partners::inStoredOrder(book).last();
    changed.ime = huge;
    Partners::update(book, changed);
    QCOMPARE(Partners::inStoredOrder(book).last().ime.size(), 30);
}

KNJ_REGISTER_TEST(ColumnWidthsTest)
#include "tst_columnwidths.moc"
