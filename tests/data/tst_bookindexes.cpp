#include "core/db/bookschema.h"
#include "core/db/database.h"
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
};

KNJ_REGISTER_TEST(BookIndexesTest)
#include "tst_bookindexes.moc"
