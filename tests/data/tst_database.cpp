#include "core/db/database.h"
#include "support/testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class DatabaseTest : public QObject
{
    Q_OBJECT
private slots:
    void openNeverCreatesAFile();
    void openRefusesAFileThatIsNoDatabase();
    void createIsAtomicAndKnowsAnExistingFile();
    void createInAnUnwritableFolderLeavesNothing();
    void transactionRollsBackUnlessCommitted();
    void insertReturnsNewIdAndIdsAreNotReused();
    void boundValuesKeepApostrophes();
    void preparedQueryRunsAgainWithNewValues();
    void matchingIgnoresCaseOfCroatianLetters_data();
    void matchingIgnoresCaseOfCroatianLetters();
    void patternCharactersMatchOnlyThemselves();
    void namesSortCroatianCaseInsensitive();

private:
    QString makeTable(QTemporaryDir& dir);
};

QString DatabaseTest::makeTable(QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("t.mdb"));
    createDatabase(path, [](Database& db) {
        db.exec(QStringLiteral("create table t(id integer primary key autoincrement, ime text)"));
    });
    return path;
}

void DatabaseTest::openNeverCreatesAFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing.mdb"));
    try {
        Database::open(path);
        QFAIL("opening a missing file must fail");
    } catch (const DbError& e) {
        QCOMPARE(e.kind(), DbErrorKind::FileNotFound);
        QVERIFY(!e.description().isEmpty());
    }
    QVERIFY(!QFile::exists(path));
}

void DatabaseTest::openRefusesAFileThatIsNoDatabase()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tvrtke.mdb"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    try {
        Database::open(path);
        QFAIL("a file that is no database must be refused");
    } catch (const DbError& e) {
        QCOMPARE(e.kind(), DbErrorKind::NotADatabase);
    }
    QCOMPARE(QFileInfo(path).size(), qint64(4096));
}

void DatabaseTest::createIsAtomicAndKnowsAnExistingFile()
{
    QTemporaryDir dir;
    const QString path = makeTable(dir);
    {
        Database db = Database::open(path);
        db.exec(QStringLiteral("insert into t(ime) values(?)"), {QStringLiteral("kept")});
    }
    try {
        createDatabase(path, [](Database&) {});
        QFAIL("creating over an existing file must fail");
    } catch (const DbError& e) {
        QCOMPARE(e.kind(), DbErrorKind::AlreadyExists);
    }
    QCOMPARE(Database::open(path).scalar(QStringLiteral("select ime from t")).toString(), QStringLiteral("kept"));

    // A build that fails half way leaves no file at all.
    const QString broken = dir.filePath(QStringLiteral("broken.mdb"));
    QVERIFY_THROWS_EXCEPTION(DbError, createDatabase(broken, [](Database& db) {
                                 db.exec(QStringLiteral("create table a(id integer)"));
                                 db.exec(QStringLiteral("create table a(id integer)"));
                             }));
    QVERIFY(!QFile::exists(broken));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void DatabaseTest::createInAnUnwritableFolderLeavesNothing()
{
    QTemporaryDir dir;
    QFile plain(dir.filePath(QStringLiteral("file")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    // A folder below a regular file can never be written, even by root.
    const QString path = dir.filePath(QStringLiteral("file/sub/tvrtke.mdb"));
    try {
        createDatabase(path, [](Database& db) { db.exec(QStringLiteral("create table a(id integer)")); });
        QFAIL("creation must fail");
    } catch (const DbError& e) {
        QCOMPARE(e.kind(), DbErrorKind::CannotCreate);
        QVERIFY(e.description().contains(QStringLiteral("tvrtke.mdb")));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void DatabaseTest::transactionRollsBackUnlessCommitted()
{
    QTemporaryDir dir;
    const QString path = makeTable(dir);
    Database db = Database::open(path);
    try {
        Transaction tx(db);
        db.exec(QStringLiteral("insert into t(ime) values(?)"), {QStringLiteral("a")});
        db.exec(QStringLiteral("insert into nowhere(ime) values(?)"), {QStringLiteral("b")});
        tx.commit();
        QFAIL("the second statement must fail");
    } catch (const DbError& e) {
        QCOMPARE(e.kind(), DbErrorKind::Statement);
        QVERIFY(e.description().contains(QStringLiteral("nowhere")));
    }
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from t")).toInt(), 0);
    {
        Transaction tx(db);
        db.exec(QStringLiteral("insert into t(ime) values(?)"), {QStringLiteral("a")});
        tx.commit();
    }
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from t")).toInt(), 1);
}

void DatabaseTest::insertReturnsNewIdAndIdsAreNotReused()
{
    QTemporaryDir dir;
    Database db = Database::open(makeTable(dir));
    QCOMPARE(db.insert(QStringLiteral("insert into t(ime) values(?)"), {QStringLiteral("a")}), qint64(1));
    QCOMPARE(db.insert(QStringLiteral("insert into t(ime) values(?)"), {QStringLiteral("b")}), qint64(2));
    db.exec(QStringLiteral("delete from t where id = ?"), {2});
    QCOMPARE(db.insert(QStringLiteral("insert into t(ime) values(?)"), {QStringLiteral("c")}), qint64(3));
}

void DatabaseTest::boundValuesKeepApostrophes()
{
    QTemporaryDir dir;
    Database db = Database::open(makeTable(dir));
    const QString name = QStringLiteral("O'Brien \"d.o.o.\"; drop table t; --");
    db.insert(QStringLiteral("insert into t(ime) values(?)"), {name});
    QCOMPARE(db.scalar(QStringLiteral("select ime from t where ") + sqlEqualsIgnoringCase(QStringLiteral("ime")),
                       {name.toUpper()})
                 .toString(),
             name);
}

void DatabaseTest::preparedQueryRunsAgainWithNewValues()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.mdb"));
    createDatabase(path, [](Database& db) {
        db.exec(QStringLiteral("create table p(id integer primary key, ime text not null, iznos real, oznaka text)"));
    });
    Database db = Database::open(path);
    {
        Transaction tx(db);
        PreparedQuery insert(db, QStringLiteral("insert into p(ime, iznos, oznaka) values(?, ?, ?)"));
        insert.exec({QStringLiteral("Čokolada"), 12.5, QString()});
        QCOMPARE(insert.lastInsertId(), qint64(1));
        insert.exec({QStringLiteral("O'Brien"), 3, QStringLiteral("")});
        QCOMPARE(insert.lastInsertId(), qint64(2));
        // A failed run throws with the engine's words and leaves the statement usable.
        try {
            insert.exec({QVariant(), 1.0, QStringLiteral("x")});
            QFAIL("a null name must be refused");
        } catch (const DbError& e) {
            QCOMPARE(e.kind(), DbErrorKind::Statement);
            QVERIFY(e.description().contains(QStringLiteral("NOT NULL")));
        }
        insert.exec({QStringLiteral("Šećer"), 0.1, QStringLiteral("s")});
        tx.commit();
    }
    // A null text is stored as null, an empty one as empty text; figures are numbers, never text.
    QCOMPARE(db.scalar(QStringLiteral("select group_concat(coalesce(typeof(oznaka), '') || ':' || typeof(iznos), ' ') "
                                      "from p order by id"))
                 .toString(),
             QStringLiteral("null:real text:real text:real"));

    PreparedQuery read(db, QStringLiteral("select id, ime, iznos from p where id >= ? order by id"));
    read.exec({2});
    QVERIFY(read.next());
    QCOMPARE(read.value(0).toLongLong(), qint64(2));
    QCOMPARE(read.value(1).toString(), QStringLiteral("O'Brien"));
    QVERIFY(read.next());
    QCOMPARE(read.value(1).toString(), QStringLiteral("Šećer"));
    QCOMPARE(read.value(2).toDouble(), 0.1);
    QVERIFY(!read.next());
    QVERIFY(!read.next());
    QVERIFY(!read.value(0).isValid());
    // Run again before the end: it starts afresh with the new value.
    read.exec({1});
    QVERIFY(read.next());
    QCOMPARE(read.value(1).toString(), QStringLiteral("Čokolada"));
    read.finish();
    read.exec({9});
    QVERIFY(!read.next());
    QVERIFY_THROWS_EXCEPTION(DbError, PreparedQuery(db, QStringLiteral("select nothing from nowhere")));
    QVERIFY_THROWS_EXCEPTION(DbError, read.exec({1, 2}));
}

void DatabaseTest::matchingIgnoresCaseOfCroatianLetters_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("equal");
    QTest::addColumn<bool>("begins");
    QTest::addColumn<bool>("contains");
    QTest::newRow("Č") << "Čelik d.o.o."
                       << "čELIK D.O.O." << true << true << true;
    QTest::newRow("Đ") << "Đuro"
                       << "đURO" << true << true << true;
    QTest::newRow("Š begins") << "Šuma"
                              << "šu" << false << true << true;
    QTest::newRow("Ž contains") << "Žaba žuta"
                                << "ŽUT" << false << false << true;
    QTest::newRow("Ć") << "ćevap"
                       << "Ćevap" << true << true << true;
    QTest::newRow("accent counts") << "Cesta"
                                   << "Česta" << false << false << false;
    QTest::newRow("1 is not 11") << "11"
                                 << "1" << false << true << true;
}

void DatabaseTest::matchingIgnoresCaseOfCroatianLetters()
{
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QTemporaryDir dir;
    Database db = Database::open(makeTable(dir));
    db.insert(QStringLiteral("insert into t(ime) values(?)"), {stored});
    auto count = [&](const QString& condition) {
        return db.scalar(QStringLiteral("select count(*) from t where ") + condition, {typed}).toInt() == 1;
    };
    QTEST(count(sqlEqualsIgnoringCase(QStringLiteral("ime"))), "equal");
    QTEST(count(sqlBeginsIgnoringCase(QStringLiteral("ime"))), "begins");
    QTEST(count(sqlContainsIgnoringCase(QStringLiteral("ime"))), "contains");
    QCOMPARE(foldText(stored) == foldText(typed),
             db.scalar(QStringLiteral("select hr_fold(ime) = hr_fold(?) from t"), {typed}).toBool());
}

void DatabaseTest::patternCharactersMatchOnlyThemselves()
{
    QTemporaryDir dir;
    Database db = Database::open(makeTable(dir));
    for (const char* name : {"A*", "AB", "A%", "A_", "A?", "A#", "A["})
        db.insert(QStringLiteral("insert into t(ime) values(?)"), {QString::fromLatin1(name)});
    for (const char* typed : {"a*", "A%", "A_", "a?", "A#", "a["}) {
        const auto rows = db.select(QStringLiteral("select ime from t where ") + sqlEqualsIgnoringCase("ime"),
                                    {QString::fromLatin1(typed)});
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().value(0).toString().toUpper(), QString::fromLatin1(typed).toUpper());
    }
}

void DatabaseTest::namesSortCroatianCaseInsensitive()
{
    QTemporaryDir dir;
    Database db = Database::open(makeTable(dir));
    for (const char* name : {"Zagreb", "Šuma", "Đuro", "dom", "Ćevap", "Čelik", "cesta", "Apple", "beta", "Alfa"})
        db.insert(QStringLiteral("insert into t(ime) values(?)"), {QString::fromUtf8(name)});
    QStringList order;
    for (const QSqlRecord& r : db.select(QStringLiteral("select ime from t order by ime collate hr")))
        order << r.value(0).toString();
    QCOMPARE(order, QString::fromUtf8("Alfa Apple beta cesta Čelik Ćevap dom Đuro Šuma Zagreb").split(' '));

    // Sorting in memory by keys gives the collation's order; names equal but for case keep one order too.
    const QStringList names =
        QString::fromUtf8("Zagreb beta Šuma Đuro dom Ćevap Beta Čelik cesta Apple BETA beta Alfa").split(' ');
    QStringList sorted;
    for (int i : orderHr(names))
        sorted << names.at(i);
    QCOMPARE(sorted,
             QString::fromUtf8("Alfa Apple BETA Beta beta beta cesta Čelik Ćevap dom Đuro Šuma Zagreb").split(' '));
    for (int i = 1; i < sorted.size(); ++i)
        QVERIFY(compareHr(sorted.at(i - 1), sorted.at(i)) <= 0);
}

KNJ_REGISTER_TEST(DatabaseTest)
#include "tst_database.moc"
