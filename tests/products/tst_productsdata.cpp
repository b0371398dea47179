#include "core/db/database.h"
#include "core/production/products.h"
#include "productsbook.h"
#include "support/testmain.h"

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

const QString FailingComponentInsert =
    QStringLiteral("create trigger kvar before insert on sastojci begin select raise(abort, 'disk je pun'); end");

} // namespace

class ProductsDataTest : public QObject
{
    Q_OBJECT
private slots:
    void clashesAreTestedRowByRow_data()
    {
        QTest::addColumn<QString>("sifra");
        QTest::addColumn<QString>("naziv");
        QTest::addColumn<QString>("barkod");
        QTest::addColumn<bool>("exceptSecond");
        QTest::addColumn<int>("clash");
        // Stored in this order: A1 "Kruh" without bar code, B2 "Pecivo" with 385.
        // clang-format off
        QTest::newRow("new texts") << "C3" << "Burek" << "" << false << int(ProductClash::None);
        QTest::newRow("same code") << "A1" << "Burek" << "" << false << int(ProductClash::Code);
        QTest::newRow("code with blanks") << " B2 " << "Burek" << "" << false << int(ProductClash::Code);
        QTest::newRow("code in other case") << "b2" << "Burek" << "" << false << int(ProductClash::None);
        QTest::newRow("first row's name before second row's code") << "B2" << "Kruh" << "" << false << int(ProductClash::Name);
        QTest::newRow("name in other case") << "C3" << "kruh" << "" << false << int(ProductClash::None);
        QTest::newRow("two empty bar codes") << "C3" << "Burek" << "" << false << int(ProductClash::None);
        QTest::newRow("bar code with blanks") << "C3" << "Burek" << " 385 " << false << int(ProductClash::BarCode);
        QTest::newRow("own texts") << "B2" << "Pecivo" << "385" << true << int(ProductClash::None);
        // clang-format on
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
        // A deletion whose product row cannot go keeps its lines too.
        book.exec("create trigger cuvaj before delete on proizvodi begin select raise(abort, 'zaključano'); end");
        QVERIFY_THROWS_EXCEPTION(DbError, Products::remove(book.path(), id));
        QCOMPARE(book.rows("select * from proizvodi"), products);
        QCOMPARE(book.rows("select * from sastojci"), lines);
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

    void billOfMaterialsCutsNamesToTheirColumns()
    {
        BillOfMaterials bill{"Prozor", "PR", "", "kom", "37,50", {}};
        bill.rows = {{"Skladište-Zagreb-Istok", "ALU-PROFIL-40", "Aluminijski profil 40x40x2000", "3", "12,5", "37,5"}};
        QCOMPARE(BillOfMaterialsText(bill, QDate(2026, 1, 2)).at(12),
                 QStringLiteral("Skladište-Zagreb ALU-PROFIL Aluminijski profil 40x40x2     3,00    12,50     37,50"));
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
