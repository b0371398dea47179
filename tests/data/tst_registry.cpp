#include "core/db/database.h"
#include "core/db/programfolder.h"
#include "core/db/registry.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlRecord>
#include <QTest>

class RegistryTest : public QObject
{
    Q_OBJECT
private slots:
    void firstStartCreatesTablesAndBookKinds();
    void secondStartChangesNothing();
    void unwritableFolderIsReportedAndLeavesNothing();
    void deleteCompanyRemovesItsBooksAndFilesOnly();
    void deleteKeepsWhatCouldNotBeRemoved();
    void deleteFailingHalfWayKeepsEveryRow();
    void bookFileNames();
};

namespace {

QStringList columnsOf(Database& db, const QString& table)
{
    QStringList names;
    for (const QSqlRecord& r : db.select(QStringLiteral("select name from pragma_table_info(?) order by cid"), {table}))
        names << r.value(0).toString();
    return names;
}

qint64 addCompany(Database& db, const QString& name)
{
    return db.insert(QStringLiteral("insert into svetvrtke(ime, mb) values(?, ?)"), {name, QStringLiteral("-")});
}

qint64 addBook(Database& db, qint64 company, const QString& kind, const QString& name)
{
    return db.insert(QStringLiteral("insert into otvoreneknjige(idtvrtke, nazivknjige, vrstaknjige, adresa) "
                                    "values(?, ?, ?, ?)"),
                     {QString::number(company), name, kind, QStringLiteral("-")});
}

void touch(const QString& path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("book");
}

} // namespace

void RegistryTest::firstStartCreatesTablesAndBookKinds()
{
    knjtest::ProgramFolderFixture folder;
    QVERIFY(Registry::ensureExists());
    Database db = Database::open(folder.filePath(QStringLiteral("tvrtke.mdb")));
    QStringList tables;
    for (const QSqlRecord& r :
         db.select(QStringLiteral("select name from sqlite_master where type = 'table' and name not like 'sqlite_%' "
                                  "order by name")))
        tables << r.value(0).toString();
    QCOMPARE(tables, (QStringList{"dodajknjige", "otvoreneknjige", "svetvrtke"}));
    QCOMPARE(columnsOf(db, QStringLiteral("svetvrtke")),
             QString("id ime mb sifradj to ziroracun posta mjesto ulica telefon kontakt").split(' '));
    QCOMPARE(columnsOf(db, QStringLiteral("dodajknjige")), QString("id Nazivvrste").split(' '));
    QCOMPARE(columnsOf(db, QStringLiteral("otvoreneknjige")),
             QString("id idtvrtke nazivknjige vrstaknjige adresa").split(' '));
    const auto kinds = db.select(QStringLiteral("select id, nazivvrste from dodajknjige order by id"));
    QCOMPARE(kinds.size(), 2);
    QCOMPARE(kinds[0].value(0).toInt(), 1);
    QCOMPARE(kinds[0].value(1).toString(), QStringLiteral("Skladiste"));
    QCOMPARE(kinds[1].value(0).toInt(), 2);
    QCOMPARE(kinds[1].value(1).toString(), QStringLiteral("Proizvodnja"));
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from svetvrtke")).toInt(), 0);
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from otvoreneknjige")).toInt(), 0);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"tvrtke.mdb"});
}

void RegistryTest::secondStartChangesNothing()
{
    knjtest::ProgramFolderFixture folder;
    QVERIFY(Registry::ensureExists());
    {
        Database db = Database::open(ProgramFolder::registryPath());
        addCompany(db, QStringLiteral("Moja tvrtka"));
    }
    const QByteArray before = [] {
        QFile f(ProgramFolder::registryPath());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    QVERIFY(!Registry::ensureExists());
    QFile after(ProgramFolder::registryPath());
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), before);
    QCOMPARE(Registry::companies().size(), 1);
}

void RegistryTest::unwritableFolderIsReportedAndLeavesNothing()
{
    knjtest::ProgramFolderFixture folder;
    touch(folder.filePath(QStringLiteral("plain")));
    ProgramFolder::setPath(folder.filePath(QStringLiteral("plain/program")));
    QVERIFY_THROWS_EXCEPTION(DbError, Registry::ensureExists());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"plain"});
}

void RegistryTest::deleteCompanyRemovesItsBooksAndFilesOnly()
{
    knjtest::ProgramFolderFixture folder;
    Registry::ensureExists();
    qint64 company4 = 0, company14 = 0;
    qint64 book7 = 0, book9 = 0, other = 0;
    {
        Database db = Database::open(ProgramFolder::registryPath());
        company4 = addCompany(db, QStringLiteral("Četiri"));
        db.exec(QStringLiteral("update sqlite_sequence set seq = 10 where name = 'svetvrtke'"));
        company14 = addCompany(db, QStringLiteral("Četrnaest"));
        book7 = addBook(db, company4, QStringLiteral("Skladiste"), QStringLiteral("Roba"));
        book9 = addBook(db, company4, QStringLiteral("Proizvodnja"), QStringLiteral("Pogon"));
        other = addBook(db, company14, QStringLiteral("Skladiste"), QStringLiteral("Tuđa roba"));
    }
    QCOMPARE(company14, qint64(11)); // "1" must not reach the books of "11"
    for (const QString& f :
         {BookFileName("Skladiste", book7), BookFileName("Proizvodnja", book9), BookFileName("Skladiste", other)})
        touch(ProgramFolder::filePath(f));

    const Registry::DeleteOutcome outcome = Registry::deleteCompany(company4);
    QVERIFY(outcome.complete);
    QVERIFY(outcome.failures.isEmpty());
    QVERIFY(!QFile::exists(ProgramFolder::filePath(BookFileName("Skladiste", book7))));
    QVERIFY(!QFile::exists(ProgramFolder::filePath(BookFileName("Proizvodnja", book9))));
    QVERIFY(QFile::exists(ProgramFolder::filePath(BookFileName("Skladiste", other))));
    const auto companies = Registry::companies();
    QCOMPARE(companies.size(), 1);
    QCOMPARE(companies.first().id, company14);
    QCOMPARE(Registry::booksOfCompany(company4).size(), 0);
    QCOMPARE(Registry::booksOfCompany(company14).size(), 1);
}

void RegistryTest::deleteKeepsWhatCouldNotBeRemoved()
{
    knjtest::ProgramFolderFixture folder;
    Registry::ensureExists();
    qint64 company = 0, stuck = 0, gone = 0;
    {
        Database db = Database::open(ProgramFolder::registryPath());
        company = addCompany(db, QStringLiteral("Tvrtka"));
        stuck = addBook(db, company, QStringLiteral("Skladiste"), QStringLiteral("A"));
        gone = addBook(db, company, QStringLiteral("Proizvodnja"), QStringLiteral("B"));
    }
    // A non-empty folder of the book file's name cannot be removed as a file, even by root.
    const QString stuckPath = ProgramFolder::filePath(BookFileName("Skladiste", stuck));
    QVERIFY(QDir().mkpath(stuckPath + "/inside"));
    touch(ProgramFolder::filePath(BookFileName("Proizvodnja", gone)));

    const Registry::DeleteOutcome outcome = Registry::deleteCompany(company);
    QVERIFY(!outcome.complete);
    QCOMPARE(outcome.failures.size(), 1);
    QVERIFY(outcome.failures.first().contains(BookFileName("Skladiste", stuck)));
    QCOMPARE(Registry::companies().size(), 1);
    const auto books = Registry::booksOfCompany(company);
    QCOMPARE(books.size(), 1);
    QCOMPARE(books.first().id, stuck);
    QVERIFY(!QFile::exists(ProgramFolder::filePath(BookFileName("Proizvodnja", gone))));

    // Once the obstacle is gone, deleting again completes.
    QVERIFY(QDir(stuckPath).removeRecursively());
    QVERIFY(Registry::deleteCompany(company).complete);
    QCOMPARE(Registry::companies().size(), 0);
}

void RegistryTest::deleteFailingHalfWayKeepsEveryRow()
{
    knjtest::ProgramFolderFixture folder;
    Registry::ensureExists();
    qint64 company = 0, first = 0, second = 0;
    {
        Database db = Database::open(ProgramFolder::registryPath());
        company = addCompany(db, QStringLiteral("Tvrtka"));
        first = addBook(db, company, QStringLiteral("Skladiste"), QStringLiteral("A"));
        second = addBook(db, company, QStringLiteral("Skladiste"), QStringLiteral("B"));
        // The second book's row cannot be deleted.
        db.exec(QStringLiteral("create trigger keep_book before delete on otvoreneknjige when old.id = %1 "
                               "begin select raise(abort, 'redak zaključan'); end")
                    .arg(second));
    }
    touch(ProgramFolder::filePath(BookFileName("Skladiste", first)));
    touch(ProgramFolder::filePath(BookFileName("Skladiste", second)));

    const Registry::DeleteOutcome outcome = Registry::deleteCompany(company);
    QVERIFY(!outcome.complete);
    QCOMPARE(outcome.failures.size(), 1);
    QVERIFY2(outcome.failures.first().contains(QStringLiteral("redak zaključan")),
             qPrintable(outcome.failures.first()));
    // The statements before the failing one are undone with it: the company keeps both its rows.
    QCOMPARE(Registry::companies().size(), 1);
    QCOMPARE(Registry::booksOfCompany(company).size(), 2);
}

void RegistryTest::bookFileNames()
{
    QCOMPARE(BookFileName(QStringLiteral("Skladiste"), 3), QStringLiteral("Skladiste3.mdb"));
    QCOMPARE(BookFileName(QStringLiteral("Proizvodnja"), 12), QStringLiteral("Proizvodnja12.mdb"));
}

KNJ_REGISTER_TEST(RegistryTest)
#include "tst_registry.moc"
