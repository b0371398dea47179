#include "core/db/appstate.h"
#include "core/db/database.h"
#include "core/db/registry.h"
#include "core/production/products.h"
#include "productsbook.h"
#include "support/testmain.h"

#include <QFileInfo>
#include <QTest>

using productstest::ProductionBook;

namespace {

Product product(const QString& sifra, const QString& naziv, const QString& barkod = QString(),
                const QString& jedmjere = QStringLiteral("kom"))
{
    return Product{0, sifra, barkod, naziv, jedmjere};
}

Component line(qint64 bookId, qint64 articleId, const char* kolicina, const char* cijena)
{
    return Component{0, articleId, bookId, *Figure::parse(QLatin1String(kolicina)),
                     *Figure::parse(QLatin1String(cijena))};
}

QStringList names(const QList<WarehouseBook>& books)
{
    QStringList list;
    for (const WarehouseBook& b : books)
        list.append(b.naziv);
    return list;
}

const QString FailingComponentInsert =
    QStringLiteral("create trigger kvar before insert on sastojci begin select raise(abort, 'disk je pun'); end");

} // namespace

class ProductsDataTest : public QObject
{
    Q_OBJECT
private slots:
    void warehouseBooksOfTheChosenCompanyByName()
    {
        ProductionBook book;
        book.addWarehouse(0, QStringLiteral("čokolade"));
        book.addWarehouse(0, QStringLiteral("Bijelo"));
        QCOMPARE(names(warehouseBooks(qint64(AppState::idizabranetvrtke))),
                 (QStringList{"Alati", "Bijelo", "čokolade", "Veliko skladište"}));
        QCOMPARE(warehouseBooks(qint64(AppState::idizabranetvrtke)).first().filePath(),
                 book.warehousePath(book.bookAlati));
    }

    void aMissingWarehouseFileReadsAsABookWithoutArticles()
    {
        ProductionBook book;
        const qint64 id = book.addWarehouse(0, QStringLiteral("Prazno"), false);
        QVERIFY(warehouseArticles(book.warehousePath(id)).isEmpty());
        QVERIFY(!warehouseArticle(book.warehousePath(id), 1));
        QVERIFY(!QFileInfo::exists(book.warehousePath(id)));
    }

    void aProductIsStoredWithItsLinesAndBoundTexts()
    {
        ProductionBook book;
        const qint64 id =
            Products::insert(book.path(), product("K'1", "Kolač 'Baka'", "", "kg  "),
                             {line(book.bookVeliko, 3, "2,5", "12,5"), line(book.bookAlati, 3, "1", "0,07")});
        QCOMPARE(book.rows("select id, sifra, naziv, barkod, jedmjere from proizvodi"),
                 QStringList{QString::number(id) + "|K'1|Kolač 'Baka'||kg"});
        const QString pid = QString::number(id);
        QCOMPARE(book.rows("select idartikla, idproizvoda, idskladista, kolicina, cijena from sastojci order by id"),
                 (QStringList{"3|" + pid + "|" + QString::number(book.bookVeliko) + "|2,5|12,5",
                              "3|" + pid + "|" + QString::number(book.bookAlati) + "|1|0,07"}));
        const QList<Component> read = Products::components(book.path(), id);
        QCOMPARE(read.size(), 2);
        QCOMPARE(read.at(0).amount().text00(), QStringLiteral("31,25"));
        QCOMPARE(read.at(1).bookId, book.bookAlati);
    }

    void clashesAreTestedRowByRow_data()
    {
        QTest::addColumn<QString>("sifra");
        QTest::addColumn<QString>("naziv");
        QTest::addColumn<QString>("barkod");
        QTest::addColumn<bool>("exceptSecond");
        QTest::addColumn<int>("clash");
        // Stored in this order: A1 "Kruh" without bar code, B2 "Pecivo" with 385.
        QTest::newRow("new texts") << "C3"
                                   << "Burek"
                                   << "" << false << int(ProductClash::None);
        QTest::newRow("same code") << "A1"
                                   << "Burek"
                                   << "" << false << int(ProductClash::Code);
        QTest::newRow("code with blanks") << " B2 "
                                          << "Burek"
                                          << "" << false << int(ProductClash::Code);
        QTest::newRow("code in other case") << "b2"
                                            << "Burek"
                                            << "" << false << int(ProductClash::None);
        QTest::newRow("first row's name before second row's code") << "B2"
                                                                   << "Kruh"
                                                                   << "" << false << int(ProductClash::Name);
        QTest::newRow("name in other case") << "C3"
                                            << "kruh"
                                            << "" << false << int(ProductClash::None);
        QTest::newRow("two empty bar codes") << "C3"
                                             << "Burek"
                                             << "" << false << int(ProductClash::None);
        QTest::newRow("bar code with blanks") << "C3"
                                              << "Burek"
                                              << " 385 " << false << int(ProductClash::BarCode);
        QTest::newRow("own texts") << "B2"
                                   << "Pecivo"
                                   << "385" << true << int(ProductClash::None);
    }

    void clashesAreTestedRowByRow()
    {
        QFETCH(QString, sifra);
        QFETCH(QString, naziv);
        QFETCH(QString, barkod);
        QFETCH(bool, exceptSecond);
        QFETCH(int, clash);
        ProductionBook book;
        Products::insert(book.path(), product("A1", "Kruh"), {});
        const qint64 second = Products::insert(book.path(), product("B2", "Pecivo", "385"), {});
        QCOMPARE(int(Products::findClash(book.path(), product(sifra, naziv, barkod), exceptSecond ? second : 0)),
                 clash);
    }

    void aFailedWriteLeavesBothTablesAsBefore()
    {
        ProductionBook book;
        const qint64 id = Products::insert(book.path(), product("A1", "Kruh"),
                                           {line(book.bookVeliko, 1, "1", "1"), line(book.bookVeliko, 2, "2", "2")});
        const QStringList products = book.rows("select * from proizvodi");
        const QStringList lines = book.rows("select * from sastojci");
        book.exec(FailingComponentInsert);

        QVERIFY_THROWS_EXCEPTION(
            DbError, Products::insert(book.path(), product("B2", "Pecivo"), {line(book.bookVeliko, 1, "1", "1")}));
        Product changed = product("A9", "Kruh bijeli");
        changed.id = id;
        const qint64 firstLine = book.scalar("select min(id) from sastojci").toLongLong();
        QVERIFY_THROWS_EXCEPTION(
            DbError, Products::update(book.path(), changed, {line(book.bookAlati, 5, "1", "1")}, {firstLine}));
        QCOMPARE(book.rows("select * from proizvodi"), products);
        QCOMPARE(book.rows("select * from sastojci"), lines);
    }

    void changesAddAndRemoveOnlyThisProductsLines()
    {
        ProductionBook book;
        const qint64 kruh = Products::insert(book.path(), product("A1", "Kruh"),
                                             {line(book.bookVeliko, 1, "1", "1"), line(book.bookVeliko, 2, "2", "2")});
        const qint64 pecivo =
            Products::insert(book.path(), product("B2", "Pecivo"), {line(book.bookAlati, 1, "3", "3")});
        const QList<Component> kruhLines = Products::components(book.path(), kruh);
        const qint64 pecivoLine = Products::components(book.path(), pecivo).first().id;
        Product changed = product("A1", "Kruh crni", "", "kom ");
        changed.id = kruh;
        Products::update(book.path(), changed, {line(book.bookAlati, 7, "0,5", "4")},
                         {kruhLines.first().id, pecivoLine});
        QCOMPARE(book.rows("select naziv, jedmjere from proizvodi where id = ?", {kruh}),
                 QStringList{"Kruh crni|kom "});
        QCOMPARE(
            book.rows("select idartikla, idproizvoda from sastojci order by id"),
            (QStringList{"2|" + QString::number(kruh), "1|" + QString::number(pecivo), "7|" + QString::number(kruh)}));
    }

    void workOrdersBlockTheDeletionOfTheirProductOnly()
    {
        ProductionBook book;
        QList<qint64> ids;
        for (int i = 1; i <= 11; ++i)
            ids.append(Products::insert(book.path(), product(QString::number(i), "P" + QString::number(i)),
                                        {line(book.bookVeliko, i, "1", "1")}));
        QCOMPARE(ids.last(), qint64(11));
        book.exec("insert into radninalozi(brojrn, idproizvoda) values(1, '11')");
        QVERIFY(Products::usedByWorkOrder(book.path(), 11));
        QVERIFY(!Products::usedByWorkOrder(book.path(), 1));
        Products::remove(book.path(), 1);
        QCOMPARE(book.scalar("select count(*) from proizvodi").toInt(), 10);
        QCOMPARE(book.rows("select idproizvoda from sastojci where idproizvoda in ('1', '11')"), QStringList{"11"});
    }

    void linesWhoseBookOrArticleIsGoneKeepTheirPlace()
    {
        ProductionBook book;
        const qint64 brasno = book.addArticle(book.bookVeliko, "BR", "Brašno", "10", "1");
        const qint64 sol = book.addArticle(book.bookVeliko, "SO", "Sol", "10", "1");
        const qint64 gone = book.addWarehouse(0, QStringLiteral("Zatvoreno"));
        const qint64 kalup = book.addArticle(gone, "KA", "Kalup", "1", "1");
        const qint64 id = Products::insert(book.path(), product("A1", "Kruh"),
                                           {line(book.bookVeliko, sol, "1", "1"), line(gone, kalup, "1", "1"),
                                            line(book.bookVeliko, brasno, "2", "1")});
        {
            Database warehouse = Database::open(book.warehousePath(book.bookVeliko));
            warehouse.exec("delete from artikli where id = ?", {sol});
        }
        QVERIFY(Registry::deleteBook(gone));

        const QList<ResolvedComponent> lines = Products::resolveComponents(book.path(), id);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines.at(0).book && !lines.at(0).article);
        QCOMPARE(lines.at(0).book->naziv, QStringLiteral("Veliko skladište"));
        QVERIFY(!lines.at(1).book && !lines.at(1).article);
        QCOMPARE(lines.at(1).line.articleId, kalup);
        QVERIFY(lines.at(2).book && lines.at(2).article);
        QCOMPARE(lines.at(2).article->naziv, QStringLiteral("Brašno"));
        QVERIFY(!QFileInfo::exists(book.warehousePath(gone)));
    }

    void billOfMaterialsLayout()
    {
        BillOfMaterials bill{"Kruh", "K-1", "3850001", "kom", "4,10", {}};
        bill.rows = {
            {"Veliko skladište", "BR-1", "Brašno T-550", "2,50", "1,40", "3,50"},
            {"Skladište sirovina 2", "KVASAC-SVJEZI", "Kvasac svježi u kockama 42", "        0,05", "12", "0,6"}};
        const QStringList expected{
            "Ispis podataka za proizvod: Kruh na dan: 09.12.2026",
            "",
            "___________________________________________________________________________________",
            "Naziv proizvoda: Kruh",
            "Šifra proizvoda: K-1",
            "Barkod         : 3850001",
            "Jedinica mjere : kom",
            "",
            "Sastavnica:",
            "___________________________________________________________________________________",
            "Skladište        Šifra art. Naziv artikla              Količina Cijena   Iznos",
            "___________________________________________________________________________________",
            "Veliko skladište BR-1       Brašno T-550                   2,50     1,40      3,50",
            "Skladište sirovi KVASAC-SVJ Kvasac svježi u kockama 42     0,05    12,00      0,60",
            "-----------------------------------------------------------------------------------",
            "                                                Ukupna cijena proizvoda:      4,10"};
        const QStringList text = BillOfMaterialsText(bill, QDate(2026, 12, 9));
        QCOMPARE(text, expected);
        QCOMPARE(text.at(2).size(), 83);
        QCOMPARE(text.at(10).size(), 78);
        QCOMPARE(text.at(12).size(), 82);
        QCOMPARE(text.last().size(), 82);
    }

    void billOfMaterialsWritesOverflowingNumbersWhole()
    {
        BillOfMaterials bill{"Peć", "P", "", "kom", "1334567,00", {}};
        bill.rows = {{"Alati", "Y", "Peć", "1", "1234567", "1234567"}};
        const QStringList text = BillOfMaterialsText(bill, QDate(2026, 1, 2));
        QCOMPARE(
            text.at(12),
            QStringLiteral("Alati            Y          Peć                            1,00 1234567,00 1234567,00"));
        QCOMPARE(text.last(), QString(48, ' ') + "Ukupna cijena proizvoda:  1334567,00");
        // A product without lines: the heads between their rules, then the dashed rule and the total.
        bill.rows.clear();
        QCOMPARE(BillOfMaterialsText(bill, QDate(2026, 1, 2)).size(), 14);
    }
};

KNJ_REGISTER_TEST(ProductsDataTest)
#include "tst_productsdata.moc"
