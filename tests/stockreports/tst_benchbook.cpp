#include "bigbook.h"

#include "core/db/database.h"
#include "support/testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A small run of the benchmarks' book generator, so that a change of the posting cannot break it unnoticed.
class BenchBookTest : public QObject
{
    Q_OBJECT
private slots:
    void everyPostingIsValid();
    void refusalIsReportedAndLeavesNoFile();
};

void BenchBookTest::everyPostingIsValid()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Skladiste1.mdb"));
    const BenchBookSize size{300, 60, 200, 25};
    QCOMPARE(buildBenchBook(path, size), QString());
    Database db = Database::open(path);
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from ulazizlaz")).toInt(), 200 * 25);
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from pi where pi = 'I'")).toInt(), 80);
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from artikli where stanje < 0")).toInt(), 0);
}

void BenchBookTest::refusalIsReportedAndLeavesNoFile()
{
    // With one partner the issue notes go to a partner the book does not hold.
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Skladiste1.mdb"));
    QCOMPARE(buildBenchBook(path, {50, 1, 20, 5}), QStringLiteral("document 7 refused: partner not found"));
    QVERIFY(!QFile::exists(path));
}

KNJ_REGISTER_TEST(BenchBookTest)
#include "tst_benchbook.moc"
