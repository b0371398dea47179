#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"
#include "core/db/registry.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

class DatabaseTest : public QObject
{
    Q_OBJECT
private slots:
    void openNeverCreatesAFile();
    void openRefusesAFileThatIsNoDatabase();
    void createIsAtomicAndKnowsAnExistingFile();
    void createInAnUnwritableFolderLeavesNothing();
    void createClearsWhatACrashLeft();
    void engineErrorsNameTheFileInCroatian_data();
    void engineErrorsNameTheFileInCroatian();
    void aBookOfTheOtherKindIsRefused();
    void openingKeepsTheLocksThisProcessHolds_data();
    void openingKeepsTheLocksThisProcessHolds();
    void transactionRollsBackUnlessCommitted();
    void everyBookIsWrittenThroughToTheDisk();
    void insertReturnsNewIdAndIdsAreNotReused();
    void boundValuesKeepApostrophes();
    void preparedQueryRunsAgainWithNewValues();
    void matchingIgnoresCaseOfCroatianLetters_data();
    void matchingIgnoresCaseOfCroatianLetters();
    void patternCharactersMatchOnlyThemselves();
    void namesSortCroatianCaseInsensitive();
    void namesEqualButForCaseTieById_data();
    void namesEqualButForCaseTieById();

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
        // The program's sentence; the engine's text only in parentheses.
        QCOMPARE(e.description(), QStringLiteral("Baza %1 nije stvorena: Datoteka %1 se ne može otvoriti. (unable to "
                                                 "open database file)")
                                      .arg(path));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void DatabaseTest::createClearsWhatACrashLeft()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Skladiste1.mdb"));
    auto build = [](Database& db) {
        db.exec(QStringLiteral("create table t(id integer primary key autoincrement, ime text)"));
    };
    createDatabase(path, build);
    {
        // A posting cut short: its journal holds the pages of the old book.
        Database db = Database::open(path);
        db.exec(QStringLiteral("pragma synchronous = off"));
        Transaction fill(db);
        for (int i = 0; i < 400; ++i)
            db.exec(QStringLiteral("insert into t(ime) values(?)"), {QStringLiteral("stari artikl %1").arg(i)});
        fill.commit();
        Transaction tx(db);
        db.exec(QStringLiteral("update t set ime = 'promijenjeno'"));
        db.exec(QStringLiteral("create table u(x text)"));
        QVERIFY(QFile::copy(path + QStringLiteral("-journal"), dir.filePath(QStringLiteral("saved"))));
    }
    // The book file is removed outside the program; its journal stays.
    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::rename(dir.filePath(QStringLiteral("saved")), path + QStringLiteral("-journal")));
    // A creation killed half way left its temporary file (named with its process id).
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    QVERIFY(gone.waitForStarted());
    const qint64 deadPid = gone.processId();
    QVERIFY(gone.waitForFinished());
    const QString left = dir.filePath(QStringLiteral(".Skladiste1.mdb.%1.1a2b3c4d.tmp").arg(deadPid));
    for (const QString& name : {left, left + QStringLiteral("-journal")}) {
        QFile f(name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("ostatak");
    }

    createDatabase(path, build);
    Database db = Database::open(path);
    QCOMPARE(db.scalar(QStringLiteral("pragma integrity_check")).toString(), QStringLiteral("ok"));
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from t")).toInt(), 0);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Skladiste1.mdb")});
}

void DatabaseTest::engineErrorsNameTheFileInCroatian_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("engine");
    QTest::addColumn<DbErrorKind>("kind");
    const QString busy =
        QStringLiteral("Baza %1 je zauzeta: u nju upravo upisuje druga kopija programa. Pokušajte ponovo.");
    const QString locked = QStringLiteral("database is locked");
    QTest::newRow("empty file") << "empty"
                                << "Datoteka %1 nema tablicu koju program treba: prazna je, oštećena ili je baza "
                                   "druge vrste."
                                << "no such table: t" << DbErrorKind::Statement;
    QTest::newRow("locked") << "locked" << busy << locked << DbErrorKind::Busy;
    QTest::newRow("full") << "full"
                          << "Na disku nema mjesta za upis u bazu %1."
                          << "database or disk is full" << DbErrorKind::Statement;
    QTest::newRow("read only") << "readonly"
                               << "U bazu %1 se ne može upisivati: datoteka ili njezina mapa je samo za čitanje."
                               << "attempt to write a readonly database" << DbErrorKind::Statement;
    // Another copy holds the file while this one opens it: busy, not "no database".
    QTest::newRow("held exclusively") << "exclusive" << busy << locked << DbErrorKind::Busy;
    // Another copy reads the file until the commit gives up waiting.
    QTest::newRow("commit while read") << "reader" << busy << locked << DbErrorKind::Busy;
    QTest::newRow("random bytes") << "random"
                                  << "Datoteka %1 nije baza podataka."
                                  << "file is not a database" << DbErrorKind::NotADatabase;
    const QString damaged = QStringLiteral("Datoteka %1 je oštećena: baza podataka u njoj nije ispravna.");
    const QString malformed = QStringLiteral("database disk image is malformed");
    QTest::newRow("malformed") << "malformed" << damaged << malformed << DbErrorKind::NotADatabase;
    QTest::newRow("damaged schema") << "schema" << damaged << malformed << DbErrorKind::NotADatabase;
}

void DatabaseTest::engineErrorsNameTheFileInCroatian()
{
    QFETCH(QString, setup);
    QFETCH(QString, sentence);
    QFETCH(QString, engine);
    QFETCH(DbErrorKind, kind);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Skladiste1.mdb"));
    if (setup == QLatin1String("empty") || setup == QLatin1String("random")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (setup == QLatin1String("random"))
            file.write(QByteArray(4096, '\x5a'));
    } else {
        path = makeTable(dir);
    }
    if (setup == QLatin1String("malformed") || setup == QLatin1String("schema")) {
        // The table's root page (the file's second page), or the schema's page after the file header, overwritten.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(setup == QLatin1String("schema") ? 100 : 4096));
        file.write(QByteArray(32, '\xff'));
    }
    std::optional<Database> other;
    if (setup != QLatin1String("random") && setup != QLatin1String("schema"))
        other.emplace(Database::open(path));
    std::optional<Transaction> holding;
    if (setup == QLatin1String("exclusive"))
        other->exec(QStringLiteral("begin exclusive"));
    try {
        Database db = Database::open(path);
        if (setup == QLatin1String("locked")) {
            holding.emplace(*other);
            db.exec(QStringLiteral("pragma busy_timeout = 0"));
        } else if (setup == QLatin1String("reader")) {
            holding.emplace(*other, Transaction::Read);
            other->scalar(QStringLiteral("select count(*) from t"));
            db.exec(QStringLiteral("pragma busy_timeout = 0"));
        } else if (setup == QLatin1String("full")) {
            db.exec(QStringLiteral("pragma max_page_count = 2"));
        } else if (setup == QLatin1String("readonly")) {
            db.exec(QStringLiteral("pragma query_only = 1"));
        }
        Transaction tx(db);
        for (int i = 0; i < 100; ++i)
            db.exec(QStringLiteral("insert into t(ime) values(?)"), {QString(200, QLatin1Char('x'))});
        tx.commit();
        QFAIL("the writes went through");
    } catch (const DbError& e) {
        QCOMPARE(e.description(), sentence.arg(path) + QStringLiteral(" (") + engine + QLatin1Char(')'));
        QCOMPARE(e.kind(), kind);
    }
}

// Opening or attaching a book this process is writing must not release its lock: another copy of the program
// still waits for it.
void DatabaseTest::openingKeepsTheLocksThisProcessHolds_data()
{
    QTest::addColumn<bool>("attach");
    QTest::newRow("opened") << false;
    QTest::newRow("attached") << true;
}

void DatabaseTest::openingKeepsTheLocksThisProcessHolds()
{
    QFETCH(bool, attach);
    QTemporaryDir dir;
    const QString path = makeTable(dir);
    const QString other = dir.filePath(QStringLiteral("other.mdb"));
    createDatabase(other, [](Database&) {});
    Database writer = Database::open(path);
    Transaction tx(writer);
    writer.exec(QStringLiteral("insert into t(ime) values('x')"));
    QCOMPARE(knjtest::beginWriteInAnotherProcess(path), SQLITE_BUSY);
    {
        Database db = Database::open(attach ? other : path);
        if (attach)
            db.attach(path, QStringLiteral("w1"));
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from t")).toInt(), 0);
        QCOMPARE(knjtest::beginWriteInAnotherProcess(path), SQLITE_BUSY);
    }
    QCOMPARE(knjtest::beginWriteInAnotherProcess(path), SQLITE_BUSY);
    tx.commit();
    QCOMPARE(knjtest::beginWriteInAnotherProcess(path), SQLITE_OK);
}

void DatabaseTest::aBookOfTheOtherKindIsRefused()
{
    QTemporaryDir dir;
    const QString production = dir.filePath(QStringLiteral("Skladiste2.mdb"));
    QVERIFY(CreateBookDatabase(production, BookKindProduction));
    QVERIFY(!CreateBookDatabase(production, BookKindProduction));
    const QString empty = dir.filePath(QStringLiteral("Skladiste3.mdb"));
    QVERIFY(QFile(empty).open(QIODevice::WriteOnly));
    for (const QString& path : {production, empty}) {
        try {
            CreateBookDatabase(path, BookKindWarehouse);
            QFAIL("the book was taken");
        } catch (const DbError& e) {
            QCOMPARE(e.kind(), DbErrorKind::NotADatabase);
            QCOMPARE(e.description(),
                     QStringLiteral("Datoteka %1 nije knjiga skladišta: u njoj nema tablice artikli.").arg(path));
        }
    }

    // An empty registry says which file lacks what.
    knjtest::ProgramFolderFixture folder;
    QVERIFY(QFile(ProgramFolder::registryPath()).open(QIODevice::WriteOnly));
    QVERIFY(!Registry::ensureExists());
    try {
        Registry::companies();
        QFAIL("an empty registry listed companies");
    } catch (const DbError& e) {
        QCOMPARE(e.description(), QStringLiteral("Datoteka %1 nema tablicu koju program treba: prazna je, oštećena ili "
                                                 "je baza druge vrste. (no such table: svetvrtke)")
                                      .arg(ProgramFolder::registryPath()));
    }
}

void DatabaseTest::everyBookIsWrittenThroughToTheDisk()
{
    QTemporaryDir dir;
    const QString path = makeTable(dir);
    const QString attached = dir.filePath(QStringLiteral("u.mdb"));
    QVERIFY(QFile::copy(path, attached));
    Database db = Database::open(path);
    db.attach(attached, QStringLiteral("w1"));
    for (const char* schema : {"main", "w1"}) // 2: full
        QCOMPARE(db.scalar(QStringLiteral("pragma %1.synchronous").arg(QLatin1String(schema))).toInt(), 2);
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

    // Sorting in memory by keys gives the collation's order; names equal but for case stay in the order given.
    const QStringList names =
        QString::fromUtf8("Zagreb beta Šuma Đuro dom Ćevap Beta Čelik cesta Apple BETA beta Alfa").split(' ');
    QStringList sorted;
    for (int i : orderHr(names))
        sorted << names.at(i);
    QCOMPARE(sorted,
             QString::fromUtf8("Alfa Apple beta Beta BETA beta cesta Čelik Ćevap dom Đuro Šuma Zagreb").split(' '));
    for (int i = 1; i < sorted.size(); ++i)
        QVERIFY(compareHr(sorted.at(i - 1), sorted.at(i)) <= 0);
}

void DatabaseTest::namesEqualButForCaseTieById_data()
{
    QTest::addColumn<QString>("names"); // stored in this order, between "Ž" and "A"
    QTest::newRow("lower first") << "abc ABC Abc";
    QTest::newRow("upper first") << "ABC Abc abc";
    QTest::newRow("partners") << "ivo IVO";
    QTest::newRow("Croatian letters") << "čelik ČELIK Čelik";
}

void DatabaseTest::namesEqualButForCaseTieById()
{
    QFETCH(QString, names);
    const QStringList stored = names.split(' ');
    QTemporaryDir dir;
    Database db = Database::open(makeTable(dir));
    for (const QString& name : QStringList{QStringLiteral("Ž")} + stored + QStringList{QStringLiteral("A")})
        db.insert(QStringLiteral("insert into t(ime) values(?)"), {name});
    QStringList bySql;
    for (const QSqlRecord& r : db.select(QStringLiteral("select ime from t order by ime collate hr, id")))
        bySql << r.value(0).toString();
    QCOMPARE(bySql, QStringList{QStringLiteral("A")} + stored + QStringList{QStringLiteral("Ž")});
    QStringList inMemory;
    for (int i : orderHr(stored))
        inMemory << stored.at(i);
    QCOMPARE(inMemory, stored);
    QCOMPARE(compareHr(stored.first(), stored.last()), 0);
}

KNJ_REGISTER_TEST(DatabaseTest)
#include "tst_database.moc"
