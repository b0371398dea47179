#include "reportbook.h"

#include "core/db/database.h"
#include "core/reports/partnerlist.h"
#include "core/reports/stockcard.h"
#include "core/reports/stocklist.h"
#include "support/testmain.h"

#include <QElapsedTimer>
#include <QSemaphore>
#include <QSqlRecord>
#include <QTest>
#include <QThread>

#include <memory>

namespace {

QStringList codes(const QList<StockListRow>& rows)
{
    QStringList result;
    for (const StockListRow& r : rows)
        result << r.sifra;
    return result;
}

QStringList texts(const QList<ArticleChoice>& choices)
{
    QStringList result;
    for (const ArticleChoice& c : choices)
        result << c.text;
    return result;
}

QStringList names(const QList<Partner>& partners)
{
    QStringList result;
    for (const Partner& p : partners)
        result << p.ime;
    return result;
}

} // namespace

class ReportLoadersTest : public QObject
{
    Q_OBJECT
private slots:
    void selections();
    void chooserAndOneArticle();
    void nullAndTinyFigures();
    void cardEndsOnTheStoredFigures();
    void cardKeepsLinesWithoutHeader();
    void partnersOfEachList();
    void missingBookIsAnError();
    void cardDoesNotWaitForAPosting();
};

void ReportLoadersTest::selections()
{
    ReportBook book;
    book.addArticle("Z1", "Žica", 5.0, 5.0);   // stock equal to the minimum: not below it
    book.addArticle("C2", "čavli", 0.0, 1.0);  // zero and below the minimum
    book.addArticle("C1", "Cijev", 0.01, 0.0); // not zero
    book.addArticle("A1", "avion", -2.0, 0.0); // below the minimum
    book.addArticle("N1", "Nula", 0.0, 0.0);   // zero, not below
    QCOMPARE(codes(StockReports::selection(book.path(), StockSelection::All)),
             QStringList({"A1", "C1", "C2", "N1", "Z1"}));
    QCOMPARE(codes(StockReports::selection(book.path(), StockSelection::ZeroStock)), QStringList({"C2", "N1"}));

    // The same order as the book's name collation, ties included.
    int n = 0;
    for (const QString name : {"vijak", "Vijak", "Đak", "Dž", "ćup", "Čep", " Alat", "vijak", "Cijev", "d"})
        book.addArticle(QStringLiteral("T%1").arg(++n), name);
    QStringList sqlOrder;
    QStringList sqlNames;
    {
        Database db = Database::open(book.path());
        for (const QSqlRecord& r : db.select("select sifra, naziv from artikli order by naziv collate hr, id")) {
            sqlOrder << r.value(0).toString();
            sqlNames << r.value(1).toString();
        }
    }
    QCOMPARE(codes(StockReports::selection(book.path(), StockSelection::All)), sqlOrder);
    // Names equal but for letter case ("vijak", "Vijak", "vijak") come in id order.
    QCOMPARE(sqlOrder, QStringList({"T7", "A1", "C1", "T9", "C2", "T6", "T5", "T10", "T4", "T3", "N1", "T1", "T2", "T8",
                                    "Z1"}));
    const QList<ArticleChoice> chooser = StockReports::articleChoices(book.path(), false);
    QCOMPARE(texts(chooser), sqlNames);
    for (int i = 0; i < chooser.size(); ++i)
        QCOMPARE(StockReports::oneArticle(book.path(), chooser[i].id)[0].sifra, sqlOrder[i]);
    QCOMPARE(codes(StockReports::selection(book.path(), StockSelection::BelowMinimum)), QStringList({"C2", "A1"}));
}

void ReportLoadersTest::chooserAndOneArticle()
{
    ReportBook book;
    book.addArticle("b2", "Vijak", 1.0);
    const qint64 second = book.addArticle("A'1", "Vijak", 2.0);
    book.addArticle("A*", "Matica");
    book.addArticle("AB", "Brtva");
    QCOMPARE(texts(StockReports::articleChoices(book.path(), false)),
             QStringList({"Brtva", "Matica", "Vijak", "Vijak"}));
    const QList<ArticleChoice> byCode = StockReports::articleChoices(book.path(), true);
    QCOMPARE(texts(byCode), QStringList({"A'1", "A*", "AB", "b2"}));

    // The chosen entry's article, by its id: the second of two equal names, a code with an apostrophe or a star.
    const QList<StockListRow> rows = StockReports::oneArticle(book.path(), second);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].sifra, QStringLiteral("A'1"));
    QCOMPARE(rows[0].stanje, std::optional<Figure>(Figure::fromInt(2)));
    QCOMPARE(codes(StockReports::oneArticle(book.path(), byCode[1].id)), QStringList{"A*"});
    QVERIFY(StockReports::oneArticle(book.path(), 999).isEmpty());
}

void ReportLoadersTest::nullAndTinyFigures()
{
    ReportBook book;
    book.addArticle("X", "Bez podataka", QVariant(), QVariant(), QVariant(), QVariant());
    book.exec("update artikli set vrijednost = -0.001, proscijena = null");
    const QList<StockListRow> rows = StockReports::selection(book.path(), StockSelection::All);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(buildStockList(rows)[2],
             QStringLiteral("X            Bez podataka                                            0,00         "));
}

void ReportLoadersTest::cardEndsOnTheStoredFigures()
{
    ReportBook book;
    const qint64 id = book.addArticle("V", "Vijak");
    const qint64 other = book.addArticle("M", "Matica");
    for (int n = 0; n < 10; ++n)
        book.post(true, id, "0,1", "5");
    book.post(true, other, "1", "1"); // another article's line between them
    book.post(false, id, "1", "5");
    book.post(true, id, "3", "0,33");
    book.post(true, id, "0,5", "0,05");

    const StockCardData one = StockCards::oneCard(book.path(), id);
    QCOMPARE(one.articles.size(), 1);
    QCOMPARE(one.lines.value(id).size(), 13);
    const QStringList card = buildStockCard(one.articles[0], one.lines.value(id));
    // Ten receipts of 0,1 and an issue of 1 leave nothing, and the average price stays.
    QCOMPARE(card[6 + 10],
             QStringLiteral("  11. I     1     0,00     0,00     1,00     5,00       0,00         0,00      5,00"));
    QCOMPARE(card.last(),
             QStringLiteral("  13. P    13     0,50     0,05     0,00     0,00       3,50         1,02      0,29"));
    const StockListRow stored = StockReports::oneArticle(book.path(), id)[0];
    QCOMPARE(stored.stanje->text00(), QStringLiteral("3,50"));
    QCOMPARE(stored.vrijednost->text00(), QStringLiteral("1,02"));
    QCOMPARE(stored.proscijena->text00(), QStringLiteral("0,29"));

    // Every article's lines read at once give the same card.
    const StockCardData all = StockCards::selectionCards(book.path(), StockSelection::All);
    QCOMPARE(codes(all.articles), QStringList({"M", "V"}));
    QCOMPARE(buildStockCard(stored, all.lines.value(id)), card);
    QCOMPARE(all.lines.value(other).size(), 1);
    QVERIFY(StockCards::oneCard(book.path(), 999).articles.isEmpty());
}

void ReportLoadersTest::cardKeepsLinesWithoutHeader()
{
    ReportBook book;
    const qint64 id = book.addArticle("V", "Vijak");
    book.post(true, id, "5", "2");
    const qint64 second = book.post(true, id, "1", "2");
    book.post(true, id, "1", "2");
    book.exec("update pi set pi = 'p' where id = 1");
    book.exec("delete from pi where id = ?", {second});
    const QList<StockCardLine> lines = StockCards::oneCard(book.path(), id).lines.value(id);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0].kind, QStringLiteral("p"));
    QCOMPARE(lines[1].kind, QString());
    QVERIFY(!lines[1].number);
    QCOMPARE(*lines[2].number, 3);
}

void ReportLoadersTest::partnersOfEachList()
{
    ReportBook book;
    book.addPartner("K", "kupac veliki");
    book.addPartner("s", "Oboje");
    book.addPartner("d", "dobavljač mali");
    book.addPartner("S", "Čokolada d.d.");
    book.addPartner("x", "Nepoznat");
    book.exec("insert into kd(kd, ime) values('k', 'Bez podataka')");
    QCOMPARE(names(PartnerLists::partners(book.path(), PartnerListKind::Customers)),
             QStringList({"Bez podataka", "Čokolada d.d.", "kupac veliki", "Oboje", "Proizvodnja"}));
    QCOMPARE(names(PartnerLists::partners(book.path(), PartnerListKind::Suppliers)),
             QStringList({"Čokolada d.d.", "Dobavljač", "dobavljač mali", "Oboje"}));
}

void ReportLoadersTest::missingBookIsAnError()
{
    knjtest::ProgramFolderFixture folder;
    const QString missing = folder.filePath("Skladiste9.mdb");
    QVERIFY_THROWS_EXCEPTION(DbError, StockReports::selection(missing, StockSelection::All));
    QVERIFY_THROWS_EXCEPTION(DbError, StockCards::oneCard(missing, 1));
    QVERIFY_THROWS_EXCEPTION(DbError, PartnerLists::partners(missing, PartnerListKind::Customers));
    QVERIFY(!QFile::exists(missing));
}

void ReportLoadersTest::cardDoesNotWaitForAPosting()
{
    ReportBook book;
    const qint64 id = book.addArticle("V", "Vijak");
    book.post(true, id, "2", "5");
    // Another copy holds a posting's write transaction a while; the card reads what is committed meanwhile.
    QSemaphore writing;
    std::unique_ptr<QThread> other(QThread::create([&] {
        Database db = Database::open(book.path());
        Transaction tx(db);
        db.exec(QStringLiteral("update artikli set stanje = 7 where id = ?"), {id});
        writing.release();
        QThread::msleep(600);
        tx.commit();
    }));
    other->start();
    QVERIFY(writing.tryAcquire(1, 5000));
    QElapsedTimer timer;
    timer.start();
    const StockCardData card = StockCards::oneCard(book.path(), id);
    const qint64 took = timer.elapsed();
    other->wait();
    QVERIFY2(took < 400, qPrintable(QString::number(took)));
    QCOMPARE(card.articles.value(0).stanje->text00(), QStringLiteral("2,00"));
}

KNJ_REGISTER_TEST(ReportLoadersTest)
#include "tst_reportloaders.moc"
