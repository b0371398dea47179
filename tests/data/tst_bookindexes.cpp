#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/stock/stockdocs.h"
#include "support/testmain.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

namespace {

const QString StockCardQuery =
    QStringLiteral("select u.id, u.kolicina, u.cijena, p.pi, p.brojpi from ulazizlaz u join pi p on p.id = u.idpi "
                   "where cast(u.idartikla as integer) = ? order by u.id");

QStringList indexesOfLines(Database& db)
{
    QStringList names;
    for (const QSqlRecord& r : db.select(QStringLiteral("select name from sqlite_master where type = 'index' and "
                                                        "tbl_name = 'ulazizlaz' and sql is not null order by name")))
        names << r.value(0).toString();
    return names;
}

QString planOf(Database& db, const QString& query)
{
    QStringList steps;
    for (const QSqlRecord& r : db.select(QStringLiteral("explain query plan ") + query, {7}))
        steps << r.value(3).toString();
    return steps.join(QLatin1Char('|'));
}

// A book as an earlier version made it: the article's lines indexed by the stored text.
QString oldBook(QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("Skladiste1.mdb"));
    CreateBookDatabase(path, BookKindWarehouse);
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db,
                 "drop index ulazizlaz_artikl; drop index pi_pi_datumpi; "
                 "create index ulazizlaz_idartikla on ulazizlaz(idartikla); "
                 "insert into pi(pi, brojpi, datumpi, idkd) values('I', 1, '2024-05-01', 1); "
                 "insert into ulazizlaz(idartikla, idpi, idkd, kolicina, cijena) values('7', 1, 1, 2, 3), "
                 "('17', 1, 1, 4, 5), ('7', 1, 1, 6, 7);",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return path;
}

// Adds the steps of full scans of each statement that finishes to the count at steps.
int countFullScanSteps(unsigned, void* steps, void* statement, void*)
{
    *static_cast<int*>(steps) +=
        sqlite3_stmt_status(static_cast<sqlite3_stmt*>(statement), SQLITE_STMTSTATUS_FULLSCAN_STEP, 0);
    return 0;
}

} // namespace

class BookIndexesTest : public QObject
{
    Q_OBJECT
private slots:
    // A new book, and an old one once opened, read an article's lines from the index, without sorting them.
    void openingAnOldBookGivesItTheIndex()
    {
        QTemporaryDir dir;
        const QString path = oldBook(dir);
        {
            Database db = Database::open(path);
            QCOMPARE(indexesOfLines(db), QStringList({"ulazizlaz_artikl", "ulazizlaz_idpi"}));
            const QString plan = planOf(db, StockCardQuery);
            QVERIFY2(plan.contains(QStringLiteral("USING INDEX ulazizlaz_artikl")), qPrintable(plan));
            QVERIFY2(!plan.contains(QStringLiteral("TEMP B-TREE")), qPrintable(plan));
            // The lines of article 7, not of 17, in the order they were stored.
            QStringList quantities;
            for (const QSqlRecord& r : db.select(StockCardQuery, {7}))
                quantities << r.value(1).toString();
            QCOMPARE(quantities, QStringList({"2", "6"}));
            // A year's documents of a kind are read by date.
            const QString dated = planOf(db, QStringLiteral("select id from pi where pi in ('I', 'i') and datumpi >= "
                                                            "'2024-01-01' and datumpi < '2025-01-01' and id <> ?"));
            QVERIFY2(dated.contains(QStringLiteral("INDEX pi_pi_datumpi")), qPrintable(dated));
            QVERIFY(!UpgradeBookIndexes(db)); // once is enough
        }
        const QString fresh = dir.filePath(QStringLiteral("Skladiste2.mdb"));
        CreateBookDatabase(fresh, BookKindWarehouse);
        Database db = Database::open(fresh);
        QCOMPARE(indexesOfLines(db), QStringList({"ulazizlaz_artikl", "ulazizlaz_idpi"}));
        // A registry or a production book has no lines: nothing to do.
        db.exec(QStringLiteral("drop table ulazizlaz"));
        QVERIFY(!UpgradeBookIndexes(db));
    }

    void aBusyOldBookOpensAtOnceAndIsUpgradedLater()
    {
        QTemporaryDir dir;
        const QString path = oldBook(dir);
        sqlite3* other = nullptr;
        sqlite3_open_v2(path.toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr);
        QCOMPARE(sqlite3_exec(other, "begin immediate", nullptr, nullptr, nullptr), SQLITE_OK);
        QElapsedTimer timer;
        timer.start();
        {
            Database db = Database::open(path);
            QVERIFY(timer.elapsed() < 2000); // no waiting for the other copy's transaction
            QCOMPARE(indexesOfLines(db), QStringList({"ulazizlaz_idartikla", "ulazizlaz_idpi"}));
            QCOMPARE(db.select(StockCardQuery, {7}).size(), 2); // slower, but right
        }
        sqlite3_exec(other, "commit", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        Database db = Database::open(path);
        QCOMPARE(indexesOfLines(db), QStringList({"ulazizlaz_artikl", "ulazizlaz_idpi"}));
    }

    // The next number counts the headers whose kind begins with the letter, letter case ignored, whatever follows
    // it; it reads them from the index, in the book itself and in a book attached as the work order attaches it.
    void nextNumberCountsTheKindFromTheIndex_data()
    {
        QTest::addColumn<QVariant>("kind");
        QTest::addColumn<int>("receipts");
        QTest::addColumn<int>("issueNotes");
        QTest::newRow("P") << QVariant(QStringLiteral("P")) << 1 << 0;
        QTest::newRow("p") << QVariant(QStringLiteral("p")) << 1 << 0;
        QTest::newRow("Primka") << QVariant(QStringLiteral("Primka")) << 1 << 0;
        QTest::newRow("I") << QVariant(QStringLiteral("I")) << 0 << 1;
        QTest::newRow("izdatnica") << QVariant(QStringLiteral("izdatnica")) << 0 << 1;
        QTest::newRow("i with a combining dot") << QVariant(QStringLiteral("i\u0307")) << 0 << 1;
        QTest::newRow("null") << QVariant(QMetaType(QMetaType::QString)) << 0 << 0;
        QTest::newRow("empty") << QVariant(QString("")) << 0 << 0;
        QTest::newRow("space first") << QVariant(QStringLiteral(" P")) << 0 << 0;
        QTest::newRow("digit first") << QVariant(QStringLiteral("1P")) << 0 << 0;
        QTest::newRow("Q") << QVariant(QStringLiteral("Q")) << 0 << 0;
        QTest::newRow("q") << QVariant(QStringLiteral("q")) << 0 << 0;
        QTest::newRow("j") << QVariant(QStringLiteral("j")) << 0 << 0;
        QTest::newRow("J") << QVariant(QStringLiteral("J")) << 0 << 0;
        QTest::newRow("dotted capital I") << QVariant(QStringLiteral("\u0130zdatnica")) << 0 << 0;
        QTest::newRow("dotless i") << QVariant(QStringLiteral("\u0131zdatnica")) << 0 << 0;
        QTest::newRow("fullwidth P") << QVariant(QStringLiteral("\uFF30")) << 0 << 0;
    }
    void nextNumberCountsTheKindFromTheIndex()
    {
        QFETCH(QVariant, kind);
        QFETCH(int, receipts);
        QFETCH(int, issueNotes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Skladiste1.mdb"));
        const QString other = dir.filePath(QStringLiteral("Skladiste2.mdb"));
        CreateBookDatabase(path, BookKindWarehouse);
        CreateBookDatabase(other, BookKindWarehouse);
        int fullScanSteps = 0;
        Database db = Database::open(path);
        db.exec(QStringLiteral("insert into pi(pi, brojpi, datumpi, idkd) values('P', 1, '2024-05-01', 1), "
                               "('i', 1, '2024-05-01', 1), (?, 2, '2024-05-01', 1)"),
                {kind});
        Database attaching = Database::open(other);
        attaching.attach(path, QStringLiteral("w1"));
        for (Database* connection : {&db, &attaching}) {
            sqlite3_trace_v2(connection->sqliteHandle(), SQLITE_TRACE_PROFILE, countFullScanSteps, &fullScanSteps);
            const QString schema = connection == &db ? QString() : QStringLiteral("w1");
            QCOMPARE(StockDocs::nextDocumentNumber(*connection, true, schema), 2 + receipts);
            QCOMPARE(StockDocs::nextDocumentNumber(*connection, false, schema), 2 + issueNotes);
        }
        QCOMPARE(fullScanSteps, 0);
    }
};

KNJ_REGISTER_TEST(BookIndexesTest)
#include "tst_bookindexes.moc"
