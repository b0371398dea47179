#include "core/db/database.h"
#include "core/reports/journal.h"
#include "support/testmain.h"
#include "warehousebook.h"

#include <QTest>

namespace {

const QDate March1(2024, 3, 1);

// The eleven cells of a row, joined by "|".
QString cellsOf(const JournalBook& book, int row)
{
    QStringList cells;
    for (int c = 0; c < JournalColumn::Count; ++c)
        cells << book.cell(book.lines.at(row), c);
    return cells.join(QLatin1Char('|'));
}

} // namespace

class JournalLoaderTest : public QObject
{
    Q_OBJECT
private slots:
    void lineCells_data();
    void lineCells();
    void placeholdersOfAReceipt();
    void rowsKeepTheirPlaceInIdOrder();
    void rowsOfARange();
    void unreadableBookThrows();
};

void JournalLoaderTest::lineCells_data()
{
    QTest::addColumn<QString>("letter");
    QTest::addColumn<double>("quantity");
    QTest::addColumn<double>("price");
    QTest::addColumn<QString>("cells");
    QTest::newRow("receipt 3 @ 10") << "P" << 3.0 << 10.0 << "01.03.2024|Vijak|P|Račun|R-1|01.03.2024|3||10|30|";
    QTest::newRow("four-decimal price") << "P" << 2.5 << 12.3456
                                        << "01.03.2024|Vijak|P|Račun|R-1|01.03.2024|2,5||12,3456|30,86|";
    QTest::newRow("half a cent rounds up")
        << "P" << 0.5 << 0.05 << "01.03.2024|Vijak|P|Račun|R-1|01.03.2024|0,5||0,05|0,03|";
    QTest::newRow("issue 4 @ 1,5") << "I" << 4.0 << 1.5 << "01.03.2024|Vijak|I|||||4|1,5||6";
    QTest::newRow("lower-case p is an issue") << "p" << 3.0 << 10.0 << "01.03.2024|Vijak|p|||||3|10||30";
    QTest::newRow("large amount stays whole")
        << "P" << 99999.99 << 99999.99 << "01.03.2024|Vijak|P|Račun|R-1|01.03.2024|99999,99||99999,99|9999998000|";
}

void JournalLoaderTest::lineCells()
{
    QFETCH(QString, letter);
    QFETCH(double, quantity);
    QFETCH(double, price);
    QFETCH(QString, cells);
    journaltest::WarehouseBook db;
    const qint64 kind = db.addDocumentKind(QStringLiteral("Račun"));
    const qint64 header = db.addHeader(letter, March1, kind, QStringLiteral("R-1"), QStringLiteral("2024-03-01"));
    db.addLine(db.addArticle(QStringLiteral("Vijak")), header, quantity, price);

    const JournalBook book = LoadJournal(db.path());
    QCOMPARE(book.lines.size(), 1);
    QCOMPARE(cellsOf(book, 0), cells);
}

void JournalLoaderTest::placeholdersOfAReceipt()
{
    journaltest::WarehouseBook db;
    const qint64 article = db.addArticle(QStringLiteral("Vijak"));
    // A kind that names no row, no number and no date.
    db.addLine(article, db.addHeader(QStringLiteral("P"), March1, 99), 1, 2);
    // An issue note's empty kind stays empty on the list.
    db.addLine(article, db.addIssue(March1), 1, 2);
    // An empty number is no Null.
    db.addLine(article, db.addHeader(QStringLiteral("P"), March1, 99, QStringLiteral("")), 1, 2);

    const JournalBook book = LoadJournal(db.path());
    QCOMPARE(cellsOf(book, 0), QStringLiteral("01.03.2024|Vijak|P|0|0|0|1||2|2|"));
    QCOMPARE(cellsOf(book, 1), QStringLiteral("01.03.2024|Vijak|I|||||1|2||2"));
    QCOMPARE(cellsOf(book, 2), QStringLiteral("01.03.2024|Vijak|P|0||0|1||2|2|"));
}

void JournalLoaderTest::rowsKeepTheirPlaceInIdOrder()
{
    journaltest::WarehouseBook db;
    const qint64 late = db.addReceipt(QDate(2024, 5, 1));
    const qint64 early = db.addIssue(QDate(2024, 1, 1));
    const qint64 a = db.addArticle(QStringLiteral("Prvi"));
    const qint64 b = db.addArticle(QStringLiteral("Drugi"));
    db.addLine(a, late, 1, 1);
    db.addLine(b, early, 2, 1);
    db.addLine(999, late, 3, 1); // an article that is not there
    db.addLine(a, 999, 4, 1);    // a header that is not there
    db.addLine(QVariant(), early, 5, 1);
    db.addLine(b, late, 6, 1);

    const JournalBook book = LoadJournal(db.path());
    QStringList rows;
    for (int r = 0; r < book.lines.size(); ++r)
        rows << cellsOf(book, r);
    QCOMPARE(rows, (QStringList{"01.05.2024|Prvi|P|Račun|R-1|01.05.2024|1||1|1|", "01.01.2024|Drugi|I|||||2|1||2",
                                "01.05.2024||P|Račun|R-1|01.05.2024|3||1|3|", "|Prvi||||||4|1||4",
                                "01.01.2024||I|||||5|1||5", "01.05.2024|Drugi|P|Račun|R-1|01.05.2024|6||1|6|"}));
    QVERIFY(!book.lines.at(3).hasDate());
}

void JournalLoaderTest::rowsOfARange()
{
    journaltest::WarehouseBook db;
    const qint64 article = db.addArticle(QStringLiteral("Vijak"));
    for (const QDate& d :
         {QDate(2024, 2, 29), QDate(2024, 3, 1), QDate(2024, 3, 15), QDate(2024, 3, 31), QDate(2024, 4, 1)})
        db.addLine(article, db.addIssue(d), 1, 1);
    db.addLine(article, 999, 1, 1); // no header, so no date
    const JournalBook book = LoadJournal(db.path());
    const QVector<int> order = {5, 4, 3, 2, 1, 0}; // the list sorted the other way round

    QCOMPARE(JournalRowsBetween(book, order, QDate(2024, 3, 1), QDate(2024, 3, 31)), (QVector<int>{3, 2, 1}));
    QCOMPARE(JournalRowsBetween(book, order, QDate(2024, 3, 15), QDate(2024, 3, 15)), (QVector<int>{2}));
    QVERIFY(JournalRowsBetween(book, order, QDate(2024, 3, 31), QDate(2024, 3, 1)).isEmpty());
    QCOMPARE(JournalRowsBetween(book, order, QDate(1900, 1, 1), QDate(2100, 1, 1)).size(), 5);
}

void JournalLoaderTest::unreadableBookThrows()
{
    knjtest::ProgramFolderFixture folder;
    QVERIFY_THROWS_EXCEPTION(DbError, LoadJournal(folder.filePath(QStringLiteral("Skladiste9.mdb"))));
}

KNJ_REGISTER_TEST(JournalLoaderTest)
#include "tst_journalloader.moc"
