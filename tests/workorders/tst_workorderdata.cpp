#include "core/db/appstate.h"
#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"
#include "core/db/registry.h"
#include "core/production/products.h"
#include "core/production/workorders.h"
#include "core/reports/stocklist.h"
#include "core/stock/posting.h"
#include "productionbooks.h"
#include "support/testmain.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QThread>

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <optional>

using namespace WorkOrders;
using wotest::ProductionBooks;

namespace {

Figure fig(const QString& text)
{
    return Figure::parse(text).value_or(Figure());
}

NewOrder orderFor(const QString& productionPath, qint64 productId, const QString& quantity)
{
    NewOrder order;
    order.brojrn = 1;
    order.datumotv = QDate(2024, 3, 1);
    order.datumzatv = QDate(2024, 3, 5);
    order.productId = productId;
    order.quantity = fig(quantity);
    order.lines = requirement(productionPath, productId);
    rescale(order.lines, order.quantity);
    order.costs.material = materialCost(order.lines);
    return order;
}

NewOrder orderFor(const ProductionBooks& books, qint64 productId, const QString& quantity)
{
    return orderFor(books.productionPath(), productId, quantity);
}

// The schemas every connection opened while tracing attaches, in order.
QStringList attachedSchemas;

int noteAttach(unsigned, void*, void* statement, void*)
{
    const QString sql = QString::fromUtf8(sqlite3_sql(static_cast<sqlite3_stmt*>(statement)));
    if (sql.startsWith(QLatin1String("attach")))
        attachedSchemas.append(sql.section(QLatin1Char(' '), -1));
    return 0;
}

int traceAttaches(sqlite3* db, char**, const sqlite3_api_routines*)
{
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT, noteAttach, nullptr);
    return SQLITE_OK;
}

// One article "Art" at price 1 in each warehouse book, and a component of 1 of it.
QList<wotest::Component> oneArticleEach(ProductionBooks& books, const QString& stock)
{
    QList<wotest::Component> components;
    for (int i = 0; i < books.bookCount(); ++i)
        components.append({i, books.addArticle(i, QStringLiteral("Art"), stock, QStringLiteral("1")),
                           QStringLiteral("1"), QStringLiteral("1")});
    return components;
}

// The journal mode a book file was left in: 1 the rollback journal, 2 WAL.
int fileJournalMode(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.seek(18) ? int(file.read(1).at(0)) : 0;
}

RequirementLine line(qint64 book, qint64 article, const QString& name, const QString& stock, const QString& quantity)
{
    RequirementLine l;
    l.bookId = book;
    l.bookName = QStringLiteral("Skladište %1").arg(book);
    l.articleId = article;
    l.articleName = name;
    l.stock = fig(stock);
    l.quantity = fig(quantity);
    return l;
}

} // namespace

class WorkOrderDataTest : public QObject
{
    Q_OBJECT
private slots:
    void requirementKeepsEveryLineInItsPlace()
    {
        ProductionBooks books(2);
        books.addIssueHeaders(0, QStringLiteral("I"), 4);
        books.addIssueHeaders(0, QStringLiteral("P"), 2);
        const qint64 vijak = books.addArticle(0, QStringLiteral("Vijak"), QStringLiteral("12,5"), QStringLiteral("3"));
        const qint64 matica =
            books.addArticle(0, QStringLiteral("Matica"), QStringLiteral("100"), QStringLiteral("1,2"));
        const qint64 lim = books.addArticle(1, QStringLiteral("Lim"), QStringLiteral("10"), QStringLiteral("20"));
        const qint64 product =
            books.addProduct(QStringLiteral("Stol"), {{0, vijak, QStringLiteral("2,5"), QStringLiteral("3")},
                                                      {1, lim + 50, QStringLiteral("1"), QStringLiteral("1")},
                                                      {1, lim, QStringLiteral("1"), QStringLiteral("20")},
                                                      {0, matica, QStringLiteral("4"), QStringLiteral("1,2")}});
        // A component whose book is no longer in the registry.
        books.exec(books.productionPath(),
                   QStringLiteral("insert into sastojci(idartikla, idproizvoda, idskladista, kolicina, cijena) "
                                  "values('1', ?, '77', 1, 1)"),
                   {QString::number(product)});

        const QList<RequirementLine> lines = requirement(books.productionPath(), product);
        QCOMPARE(lines.size(), 5);
        QStringList seen;
        for (const RequirementLine& l : lines)
            seen << QStringLiteral("%1|%2|%3|%4|%5|%6")
                        .arg(l.bookName, QString::number(l.issueNumber), l.articleName, l.stock.text00(),
                             l.quantity.text00(), l.amount.text00());
        QCOMPARE(seen, (QStringList{QStringLiteral("Skladište A|5|Vijak|12,50|2,50|7,50"),
                                    QStringLiteral("Skladište B|1||0,00|1,00|1,00"),
                                    QStringLiteral("Skladište B|1|Lim|10,00|1,00|20,00"),
                                    QStringLiteral("Skladište A|5|Matica|100,00|4,00|4,80"),
                                    QStringLiteral("77|0||0,00|1,00|1,00")}));
        QVERIFY(!lines.at(1).articleFound && lines.at(2).articleFound && !lines.at(4).bookFound);
        QCOMPARE(materialCost(lines).text00(), QStringLiteral("34,30"));
        QVERIFY(requirement(books.productionPath(), product + 1).isEmpty());
    }

    void rescaleAndCostPerUnit_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("perUnit");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("kol");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("costPerUnit");
        // clang-format off
        QTest::newRow("worked example")   << "2,5"      << "1,5"  << "3,2" << "3,75"      << "12,00"     << "4,80";
        QTest::newRow("three units")      << "3"        << "2,5"  << "3"   << "7,50"      << "22,50"     << "7,50";
        QTest::newRow("zero quantity")    << "0"        << "1,5"  << "3,2" << "0,00"      << "0,00"      << "";
        QTest::newRow("decimal tie up")   << "2,5"      << "0,87" << "1"   << "2,18"      << "2,18"      << "0,87";
        QTest::newRow("over 100 000")     << "99999,99" << "2"    << "1"   << "199999,98" << "199999,98" << "2,00";
        // clang-format on
    }
    void rescaleAndCostPerUnit()
    {
        QFETCH(QString, quantity);
        QFETCH(QString, perUnit);
        QFETCH(QString, price);
        QFETCH(QString, kol);
        QFETCH(QString, amount);
        QFETCH(QString, costPerUnit);
        RequirementLine l;
        l.perUnit = fig(perUnit);
        l.price = fig(price);
        QList<RequirementLine> lines{l, l};
        rescale(lines, fig(quantity));
        QCOMPARE(lines.first().quantity.text00(), kol);
        QCOMPARE(lines.first().amount.text00(), amount);
        const Figure material = materialCost(lines);
        QCOMPARE(material, lines.first().amount + lines.last().amount);
        const auto perUnitCost = WorkOrders::costPerUnit(lines.first().amount, fig(quantity));
        QCOMPARE(perUnitCost ? perUnitCost->text00() : QString(), costPerUnit);
    }

    void shortagesAreSummedPerArticle()
    {
        // The same article on two lines draws on one stock: 3 + 3 against 5.
        QCOMPARE(shortageText(
                     {line(1, 7, QStringLiteral("Vijak"), "5", "3"), line(1, 7, QStringLiteral("Vijak"), "5", "3")}),
                 QStringLiteral("Skladište 1: (Vijak) Nedostaje: 1,00\r\n"));
        // The same article id in another book is another article.
        QCOMPARE(
            shortageText({line(1, 7, QStringLiteral("Vijak"), "5", "3"), line(2, 7, QStringLiteral("Lim"), "5", "3")}),
            QString());
        // Stock equal to the requirement is enough.
        QCOMPARE(shortageText({line(1, 7, QStringLiteral("Vijak"), "7,5", "7,5")}), QString());
        const QString two = shortageText({line(1, 7, QStringLiteral("Vijak"), "5", "7,5"),
                                          line(1, 8, QStringLiteral("Matica"), "9", "1"),
                                          line(2, 3, QStringLiteral("Lim"), "0", "0,5")});
        QCOMPARE(two, QStringLiteral("Skladište 1: (Vijak) Nedostaje: 2,50\r\nSkladište 2: (Lim) Nedostaje: 0,50\r\n"));
    }

    void issueLeavesEveryFileAsItWasOnFailure_data()
    {
        QTest::addColumn<QString>("breakLastBook");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("no Proizvodnja partner")
            << "update kd set ime = 'Pogon'"
            << "U skladištu Skladište C nema mjesta troška \"Proizvodnja\"! Radni nalog nije izdan.";
        QTest::newRow("article gone") << "delete from artikli"
                                      << "U skladištu Skladište C nema artikla Lim! Radni "
                                         "nalog nije izdan.";
        // A statement that fails after the other books were written.
        QTest::newRow("lines table gone")
            << "alter table ulazizlaz rename to stari"
            << "Skladište Skladište C: Datoteka <C> nema tablicu koju program treba: prazna je, oštećena ili je baza "
               "druge vrste. (no such table: w4.ulazizlaz) Radni nalog nije izdan.";
    }
    void issueLeavesEveryFileAsItWasOnFailure()
    {
        QFETCH(QString, breakLastBook);
        QFETCH(QString, refusal);
        ProductionBooks books(3);
        const qint64 a = books.addArticle(0, QStringLiteral("Vijak"), QStringLiteral("10"), QStringLiteral("2"));
        const qint64 b = books.addArticle(1, QStringLiteral("Matica"), QStringLiteral("5"), QStringLiteral("4"));
        const qint64 c = books.addArticle(2, QStringLiteral("Lim"), QStringLiteral("8"), QStringLiteral("1,5"));
        const qint64 product =
            books.addProduct(QStringLiteral("Stol"), {{0, a, QStringLiteral("1,5"), QStringLiteral("2")},
                                                      {1, b, QStringLiteral("1"), QStringLiteral("4")},
                                                      {2, c, QStringLiteral("2"), QStringLiteral("1,5")}});
        const NewOrder order = orderFor(books, product, QStringLiteral("2"));
        books.exec(books.bookPath(2), breakLastBook);
        const QList<QStringList> before = books.allContents();
        try {
            issue(books.productionPath(), order);
            QFAIL("the issue went through");
        } catch (const IssueRefused& e) {
            QCOMPARE(e.message(), QString(refusal).replace(QStringLiteral("<C>"), books.bookPath(2)));
        }
        QCOMPARE(books.allContents(), before);
    }

    // Whatever keeps a warehouse book from taking its issue note, the message names that book's file.
    void issueNamesTheBookAtFault_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
        const QString busy = QStringLiteral("Baza %1 je zauzeta: u nju upravo upisuje druga kopija programa. "
                                            "Pokušajte ponovo. (database is locked)");
        const QString noTable = QStringLiteral("Datoteka %1 nema tablicu koju program treba: prazna je, oštećena ili "
                                               "je baza druge vrste. (no such table: w4.kd)");
        QTest::newRow("held exclusively") << "exclusive" << busy;
        QTest::newRow("held for writing") << "write" << busy;
        QTest::newRow("read while committing") << "read" << busy;
        // Another program reads the book in WAL mode, which cannot be left while it does.
        QTest::newRow("read in WAL mode") << "wal" << busy;
        QTest::newRow("random bytes") << "random"
                                      << "Datoteka %1 nije baza podataka. (file is not a database)";
        QTest::newRow("empty file") << "empty" << noTable;
        QTest::newRow("a production book") << "production" << noTable;
        QTest::newRow("malformed") << "malformed"
                                   << "Datoteka %1 je oštećena: baza podataka u njoj nije ispravna. (database disk "
                                      "image is malformed)";
        // Another program left it in WAL mode, and it cannot be written here.
        QTest::newRow("read-only in WAL mode") << "read-only wal"
                                               << "Baza %1 se ne može otvoriti: datoteka je samo za čitanje, a njezin "
                                                  "dnevnik izmjena (WAL) ne može se isključiti.";
        // Another program left it in WAL mode, and its folder cannot take the files that mode needs.
        QTest::newRow("WAL in a read-only folder") << "read-only folder"
                                                   << "Baza %1 se ne može otvoriti: njezina mapa je samo za čitanje, a "
                                                      "njezin dnevnik izmjena (WAL) ne može se isključiti.";
    }
    void issueNamesTheBookAtFault()
    {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        ProductionBooks books(3);
        const QList<wotest::Component> components = oneArticleEach(books, QStringLiteral("5"));
        const NewOrder order = orderFor(books, books.addProduct(QStringLiteral("Stol"), components), "1");
        const QList<QStringList> before = books.allContents();
        const QString path = books.bookPath(2);

        std::optional<Database> other;
        std::optional<Transaction> holding;
        std::optional<knjtest::ReadOnlyFile> readOnly;
        QSqlDatabase wal;
        if (fault == QLatin1String("exclusive") || fault == QLatin1String("write")) {
            other.emplace(Database::open(path));
            other->exec(fault == QLatin1String("write") ? QStringLiteral("begin immediate")
                                                        : QStringLiteral("begin exclusive"));
        } else if (fault == QLatin1String("read")) {
            other.emplace(Database::open(path));
            holding.emplace(*other, Transaction::Read);
            other->scalar(QStringLiteral("select count(*) from artikli"));
        } else if (fault == QLatin1String("wal")) {
            wal = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("wal"));
            wal.setDatabaseName(path);
            QVERIFY(wal.open());
            for (const char* sql : {"pragma journal_mode = wal", "begin", "select count(*) from artikli"})
                QVERIFY(QSqlQuery(wal).exec(QString::fromLatin1(sql)));
        } else if (fault.startsWith(QLatin1String("read-only"))) {
            wal = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("wal"));
            wal.setDatabaseName(path);
            QVERIFY(wal.open() && QSqlQuery(wal).exec(QStringLiteral("pragma journal_mode = wal")));
            wal.close();
            readOnly.emplace(fault == QLatin1String("read-only wal") ? path : QFileInfo(path).absolutePath());
            if (!readOnly->isReadOnly())
                QSKIP("this file system cannot make a file read-only for this user");
        } else if (fault == QLatin1String("malformed")) {
            const int page = books.scalar(path, QStringLiteral("pragma page_size")).toInt();
            const int root =
                books.scalar(path, QStringLiteral("select rootpage from sqlite_master where name = 'artikli'")).toInt();
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(qint64(root - 1) * page));
            file.write(QByteArray(32, '\xff'));
        } else {
            QVERIFY(QFile::remove(path));
            if (fault == QLatin1String("production"))
                QVERIFY(QFile::copy(books.productionPath(), path));
            QFile file(path);
            QVERIFY(file.open(QIODevice::Append));
            if (fault == QLatin1String("random"))
                file.write(QByteArray(4096, '\x5a'));
        }
        const QString expected =
            QStringLiteral("Skladište Skladište C: ") + reason.arg(path) + QStringLiteral(" Radni nalog nije izdan.");
        try {
            issue(books.productionPath(), order);
            QFAIL("the issue went through");
        } catch (const IssueRefused& e) {
            QCOMPARE(e.message(), expected);
        }
        // Choosing the product again tells the same fault, not a stock of 0.
        if (fault == QLatin1String("exclusive") || fault == QLatin1String("random") || readOnly) {
            try {
                requirement(books.productionPath(), order.productId);
                QFAIL("the requirement was read");
            } catch (const DbError& e) {
                QCOMPARE(e.description(), reason.arg(path));
            }
        }
        if (readOnly) {
            try {
                StockReports::selection(path, StockSelection::All);
                QFAIL("the stock list was read");
            } catch (const DbError& e) {
                QCOMPARE(e.description(), reason.arg(path));
            }
            QVERIFY(!QFile::exists(path + QStringLiteral("-wal")) && !QFile::exists(path + QStringLiteral("-shm")));
        }
        holding.reset();
        other.reset();
        wal.close();
        wal = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("wal"));
        const QList<QStringList> after{books.contents(books.productionPath()), books.contents(books.bookPath(0)),
                                       books.contents(books.bookPath(1))};
        QCOMPARE(after, before.mid(0, 3));
    }

    // Two production books issue at once from the same warehouse books, their products listing them in opposite
    // orders: each takes the books' locks in the same order, so one waits for the other and both go through.
    void twoProductionBooksIssueAtOnce()
    {
        ProductionBooks books(3);
        const QList<wotest::Component> forward = oneArticleEach(books, QStringLiteral("10"));
        const NewOrder first = orderFor(books, books.addProduct(QStringLiteral("Stol"), forward), "1");
        const qint64 secondBook = Registry::insertBook(qint64(AppState::idizabranetvrtke), QStringLiteral("Pogon 2"),
                                                       BookKindProduction, QStringLiteral("-"));
        const QString secondPath = ProgramFolder::filePath(BookFileName(BookKindProduction, secondBook));
        QVERIFY(CreateBookDatabase(secondPath, BookKindProduction));
        QList<wotest::Component> backward;
        for (int i = 2; i >= 0; --i)
            backward.append({i, forward.at(i).articleId, QStringLiteral("2"), QStringLiteral("1")});
        const NewOrder second =
            orderFor(secondPath, books.addProduct(QStringLiteral("Ormar"), backward, secondPath), "1");

        // The middle book is held a moment, so that each issue has taken its first book before either goes on.
        Database other = Database::open(books.bookPath(1));
        std::optional<Transaction> holding(std::in_place, other);
        std::array<QString, 2> outcomes;
        std::array<qint64, 2> took{};
        auto issueIn = [&](int i, const QString& productionPath, const NewOrder& order) {
            return QThread::create([&, i, productionPath, order] {
                QElapsedTimer timer;
                timer.start();
                // The one that comes second finds its issue-note numbers taken and confirms again with the new ones.
                NewOrder attempt = order;
                for (int tries = 0; tries < 2 && outcomes[i] != QStringLiteral("issued"); ++tries) {
                    try {
                        issue(productionPath, attempt);
                        outcomes[i] = QStringLiteral("issued");
                    } catch (const IssueOutdated& e) {
                        outcomes[i] = e.message();
                        attempt.lines = e.current();
                        attempt.brojrn = e.nextNumber();
                    } catch (const IssueRefused& e) {
                        outcomes[i] = e.message();
                        break;
                    } catch (const DbError& e) {
                        outcomes[i] = e.description();
                        break;
                    }
                }
                took[i] = timer.elapsed();
            });
        };
        std::unique_ptr<QThread> one(issueIn(0, books.productionPath(), first));
        std::unique_ptr<QThread> two(issueIn(1, secondPath, second));
        one->start();
        two->start();
        QThread::msleep(300);
        holding.reset();
        QVERIFY(one->wait(20000) && two->wait(20000));
        QCOMPARE(outcomes[0], QStringLiteral("issued"));
        QCOMPARE(outcomes[1], QStringLiteral("issued"));
        QVERIFY2(std::max(took[0], took[1]) < 4000, qPrintable(QString::number(std::max(took[0], took[1]))));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(books.figures(i, forward.at(i).articleId), QStringLiteral("7;7;1"));
    }

    // A book another program left in WAL mode is switched back to the rollback journal, with which a commit across
    // books is all or nothing; an issue that fails after the warehouse writes leaves no book changed.
    void issueKeepsEveryBookInTheRollbackJournal()
    {
        ProductionBooks books(2);
        const qint64 a = books.addArticle(0, QStringLiteral("Vijak"), QStringLiteral("10"), QStringLiteral("2"));
        const qint64 b = books.addArticle(1, QStringLiteral("Lim"), QStringLiteral("8"), QStringLiteral("1,5"));
        const NewOrder order =
            orderFor(books,
                     books.addProduct(QStringLiteral("Stol"), {{0, a, QStringLiteral("1"), QStringLiteral("2")},
                                                               {1, b, QStringLiteral("2"), QStringLiteral("1,5")}}),
                     "1");
        books.exec(books.productionPath(), QStringLiteral("create trigger pun before insert on troskovi "
                                                          "begin select raise(abort, 'disk full'); end"));
        const QList<QStringList> before = books.allContents();
        books.exec(books.bookPath(1), QStringLiteral("pragma journal_mode = wal"));
        QCOMPARE(fileJournalMode(books.bookPath(1)), 2);

        QVERIFY_THROWS_EXCEPTION(DbError, issue(books.productionPath(), order));
        QCOMPARE(fileJournalMode(books.bookPath(1)), 1);
        QVERIFY(!QFileInfo::exists(books.bookPath(1) + QStringLiteral("-wal")));
        QCOMPARE(books.allContents(), before);

        books.exec(books.productionPath(), QStringLiteral("drop trigger pun"));
        books.exec(books.bookPath(1), QStringLiteral("pragma journal_mode = wal"));
        issue(books.productionPath(), order);
        QCOMPARE(fileJournalMode(books.bookPath(1)), 1);
        QCOMPARE(books.figures(0, a), QStringLiteral("9;18;2"));
        QCOMPARE(books.figures(1, b), QStringLiteral("6;9;1,5"));
    }

    // A failure in the production book's own rows, after every issue note was posted, leaves no issue note behind.
    void issueLeavesEveryFileAsItWasWhenItsOwnRowsFail_data()
    {
        QTest::addColumn<QString>("refusedTable");
        QTest::newRow("the order") << "radninalozi";
        QTest::newRow("a cost row") << "troskovi";
    }
    void issueLeavesEveryFileAsItWasWhenItsOwnRowsFail()
    {
        QFETCH(QString, refusedTable);
        ProductionBooks books(2);
        const qint64 a = books.addArticle(0, QStringLiteral("Vijak"), QStringLiteral("10"), QStringLiteral("2"));
        const qint64 b = books.addArticle(1, QStringLiteral("Matica"), QStringLiteral("5"), QStringLiteral("4"));
        const qint64 product =
            books.addProduct(QStringLiteral("Stol"), {{0, a, QStringLiteral("1,5"), QStringLiteral("2")},
                                                      {1, b, QStringLiteral("1"), QStringLiteral("4")}});
        const NewOrder order = orderFor(books, product, QStringLiteral("2"));
        books.exec(books.productionPath(), QStringLiteral("create trigger odbij before insert on %1 "
                                                          "begin select raise(abort, 'odbijeno'); end")
                                               .arg(refusedTable));
        const QList<QStringList> before = books.allContents();
        QVERIFY_THROWS_EXCEPTION(DbError, issue(books.productionPath(), order));
        QCOMPARE(books.allContents(), before);
    }

    // Ten warehouse books is the most one order may draw on, and is written whole. Whatever order the product
    // lists them in, the books are attached, and so locked by "begin immediate", by id.
    void issueWritesTenBooks()
    {
        ProductionBooks books(10);
        QList<wotest::Component> components = oneArticleEach(books, QStringLiteral("5"));
        std::rotate(components.begin(), components.begin() + 7, components.end());
        std::swap(components[1], components[5]);
        const qint64 product = books.addProduct(QStringLiteral("Ormar"), components);
        QStringList byId;
        for (int i = 0; i < 10; ++i)
            byId.append(QStringLiteral("w%1").arg(books.bookId(i)));
        attachedSchemas.clear();
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(traceAttaches));
        try {
            issue(books.productionPath(), orderFor(books, product, QStringLiteral("2")));
        } catch (const IssueRefused& e) {
            QFAIL(qPrintable(e.message()));
        }
        sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(traceAttaches));
        QCOMPARE(attachedSchemas, byId);
        for (int i = 0; i < 10; ++i)
            QCOMPARE(books.scalar(books.bookPath(i), QStringLiteral("select count(*) from pi")).toInt(), 1);
        QCOMPARE(books.scalar(books.productionPath(), QStringLiteral("select count(*) from troskovi")).toInt(), 10);
    }

    void issueRefusesWhatItCannotWriteWholly()
    {
        ProductionBooks books(11);
        const qint64 product = books.addProduct(QStringLiteral("Ormar"), oneArticleEach(books, QStringLiteral("5")));
        const NewOrder order = orderFor(books, product, QStringLiteral("1"));
        const QList<QStringList> before = books.allContents();
        QVERIFY_THROWS_EXCEPTION(IssueRefused, issue(books.productionPath(), order));
        QCOMPARE(books.allContents(), before);

        // A missing book file is refused, and not created.
        QVERIFY(QFile::remove(books.bookPath(3)));
        NewOrder three = order;
        three.lines = order.lines.mid(0, 4);
        try {
            issue(books.productionPath(), three);
            QFAIL("the issue went through");
        } catch (const IssueRefused& e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("Skladište Skladište D: Datoteka ")),
                     qPrintable(e.message()));
        }
        QVERIFY(!QFileInfo::exists(books.bookPath(3)));
        QCOMPARE(books.contents(books.bookPath(0)), before.at(1));
    }

    // Another copy of the program, working on the same folder, changes the books between the product choice and
    // the issue: the issue is refused, nothing is written, and the numbers and stock as they are now come back.
    void issueRefusedWhenAnotherCopyChangedTheBooks_data()
    {
        QTest::addColumn<QString>("otherCopy");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("numbersNow"); // work order; each line's issue note; empty: not IssueOutdated
        QTest::newRow("issue note posted")
            << "post issue note in A"
            << "Broj izdatnice skladišta Skladište A u međuvremenu je zauzet; novi broj je 2. Pokušajte ponovno."
            << "1;2,1";
        QTest::newRow("work order issued")
            << "issue Polica"
            << "Broj radnog naloga u međuvremenu je zauzet; novi broj je 2.\r\nBroj izdatnice skladišta Skladište B "
               "u međuvremenu je zauzet; novi broj je 2.\r\nPokušajte ponovno."
            << "2;1,2";
        QTest::newRow("product deleted") << "delete Stol"
                                         << "Proizvod Stol u međuvremenu je obrisan! Radni nalog nije izdan."
                                         << "";
        QTest::newRow("stock taken") << "take Lim"
                                     << shortageMessage(QStringLiteral("Skladište B: (Lim) Nedostaje: 1,00\r\n"))
                                     << "1;1,2";
    }
    void issueRefusedWhenAnotherCopyChangedTheBooks()
    {
        QFETCH(QString, otherCopy);
        QFETCH(QString, refusal);
        QFETCH(QString, numbersNow);
        ProductionBooks books(2);
        const qint64 daska = books.addArticle(0, QStringLiteral("Daska"), QStringLiteral("10"), QStringLiteral("3"));
        const qint64 lim = books.addArticle(1, QStringLiteral("Lim"), QStringLiteral("5"), QStringLiteral("10"));
        const qint64 product =
            books.addProduct(QStringLiteral("Stol"), {{0, daska, QStringLiteral("2"), QStringLiteral("3")},
                                                      {1, lim, QStringLiteral("1"), QStringLiteral("10")}});
        const qint64 polica = books.addProduct(QStringLiteral("Polica"), {{1, lim, QStringLiteral("1"), "10"}});
        NewOrder order = orderFor(books, product, QStringLiteral("2"));
        order.productName = QStringLiteral("Stol");

        const auto issueNote = [&](int book, qint64 article, const QString& quantity) {
            StockDocument d;
            d.receipt = false;
            d.number = 1;
            d.proposedNumber = true;
            d.date = QDate(2024, 3, 1);
            d.partnerId = 1;
            d.lines.append({article, fig(quantity), fig("1"), fig(quantity)});
            PostStockDocument(books.bookPath(book), d);
        };
        if (otherCopy == QLatin1String("post issue note in A"))
            issueNote(0, daska, QStringLiteral("1"));
        else if (otherCopy == QLatin1String("issue Polica"))
            issue(books.productionPath(), orderFor(books, polica, QStringLiteral("1")));
        else if (otherCopy == QLatin1String("delete Stol"))
            Products::remove(books.productionPath(), product);
        else if (otherCopy == QLatin1String("take Lim"))
            issueNote(1, lim, QStringLiteral("4"));

        const QList<QStringList> before = books.allContents();
        try {
            issue(books.productionPath(), order);
            QFAIL("the issue went through");
        } catch (const IssueOutdated& e) {
            QCOMPARE(e.message(), refusal);
            QStringList issueNumbers;
            for (const RequirementLine& l : e.current())
                issueNumbers << QString::number(l.issueNumber);
            QCOMPARE(QStringLiteral("%1;%2").arg(e.nextNumber()).arg(issueNumbers.join(QLatin1Char(','))), numbersNow);
        } catch (const IssueRefused& e) {
            QCOMPARE(e.message(), refusal);
            QVERIFY(numbersNow.isEmpty());
        }
        QCOMPARE(books.allContents(), before);
    }

    void issueTakesIdsFromItsOwnInserts()
    {
        ProductionBooks books(1);
        // The cost row keeps 20 characters of the book's name; the emoji at the cut is left out whole.
        Registry::updateBook(books.bookId(0), QStringLiteral("Skladište materijal😀 B"), QStringLiteral("-"));
        const qint64 a = books.addArticle(0, QStringLiteral("Daska"), QStringLiteral("10"), QStringLiteral("12"));
        const qint64 b = books.addArticle(0, QStringLiteral("Čavao"), QStringLiteral("5"), QStringLiteral("0,1"));
        const qint64 product =
            books.addProduct(QStringLiteral("Stol"), {{0, a, QStringLiteral("1,5"), QStringLiteral("10")},
                                                      {0, b, QStringLiteral("1,25"), QStringLiteral("0,1")}});
        // An older header with a high id, and an older order with the same number and an id that is no number.
        books.exec(
            books.bookPath(0),
            QStringLiteral("insert into pi(id, pi, brojpi, datumpi, idkd) values(1000, 'I', 9, '2024-01-01', 1)"));
        books.exec(books.productionPath(), QStringLiteral("insert into radninalozi(id, brojrn) values(6, 2)"));

        NewOrder order = orderFor(books, product, QStringLiteral("2"));
        order.brojrn = 2;
        QCOMPARE(order.lines.at(1).quantity.text00(), QStringLiteral("2,50"));
        order.quantity = fig("1,5"); // 1,5 × 1,25 = 1,875: one figure, 1,88, for stock, line and cost row
        rescale(order.lines, order.quantity);
        order.costs.material = materialCost(order.lines);
        order.costs.labour = fig("7,5");
        const qint64 id = issue(books.productionPath(), order);
        QCOMPARE(id, 7);

        const QString book = books.bookPath(0);
        QCOMPARE(
            books
                .scalar(book,
                        QStringLiteral(
                            "select group_concat(id || ':' || brojpi || ':' || idkd, ' ') from pi where id > 1000"))
                .toString(),
            QStringLiteral("1001:2:1"));
        QCOMPARE(books
                     .scalar(book, QStringLiteral("select group_concat(idartikla || ':' || idpi || ':' || idkd || ':' "
                                                  "|| kolicina || ':' || cijena, ' ') from ulazizlaz"))
                     .toString(),
                 QStringLiteral("%1:1001:1:2.25:10.0 %2:1001:1:1.88:0.1").arg(a).arg(b));
        // Average prices stay; stock and value fall by the lines' quantity and amount.
        QCOMPARE(books.figures(0, a), QStringLiteral("7,75;97,5;12"));
        QCOMPARE(books.figures(0, b), QStringLiteral("3,12;0,31;0,1"));
        QCOMPARE(books
                     .scalar(books.productionPath(),
                             QStringLiteral("select group_concat(idrn || ':' || Nazivskladista || ':' || izdatnicabr "
                                            "|| ':' || iznos, ' ') from troskovi"))
                     .toString(),
                 QStringLiteral("7:Skladište materijal:2:22.5 7:Skladište materijal:2:0.19"));
    }

    void printedSheet()
    {
        Sheet sheet;
        sheet.number = QStringLiteral("3");
        sheet.productName = QStringLiteral("Stol");
        sheet.opened = QStringLiteral("01.03.2024");
        sheet.closed = QStringLiteral("05.03.2024");
        sheet.quantity = QStringLiteral("2,00");
        sheet.issueRows = {
            {QStringLiteral("Skladiste A"), QStringLiteral("4"), QStringLiteral("        7,50")},
            {QStringLiteral("Glavno skladiste materijala"), QStringLiteral("12"), QStringLiteral("120,00")}};
        sheet.material = QStringLiteral("127,50");
        sheet.labour = QStringLiteral("10,00");
        sheet.services = sheet.other1 = sheet.other2 = sheet.other3 = QStringLiteral("0,00");
        sheet.total = QStringLiteral("137,50");
        sheet.perUnit = QStringLiteral("63,75");
        sheet.today = QStringLiteral("09.12.2026");
        const QString rule = QString(83, QLatin1Char('_'));
        const QStringList expected{"Ispis radnog naloga za proizvod: Stol na dan: 09.12.2026",
                                   "",
                                   rule,
                                   "Br.rad.naloga: 3                   Datum  otvaranja rad.naloga: 01.03.2024",
                                   "Ime proizvoda: Stol                Datum zatvaranja rad.naloga: 05.03.2024",
                                   "Kol.proiz.:    2,00",
                                   "",
                                   "Popis izdat.:   ",
                                   rule,
                                   "Skladište        Izdatnica broj Iznos izdatnice",
                                   rule,
                                   "Skladiste A                   4            7,50",
                                   "Glavno skladiste             12          120,00",
                                   QString(83, QLatin1Char('-')),
                                   "             Ukupna cijena izdatnica:    127,50",
                                   "Troškovi",
                                   "-------",
                                   "Trošak materijala:       127,50",
                                   "Trošak rada:              10,00",
                                   "Trošak usluga:             0,00",
                                   "Ostali troškovi 1:         0,00",
                                   "Ostali troškovi 2:         0,00",
                                   "Ostali troškovi 3:         0,00",
                                   "----------------------------------------",
                                   "Troškovi ukupno:         137,50",
                                   "Troškovi po j.mj.:        63,75"};
        QCOMPARE(sheetLines(sheet), expected);

        // A long product name and a total past eight characters make longer lines, nothing is lost.
        sheet.productName = QStringLiteral("Trosjed od masivnog drva, bukva");
        sheet.issueRows = {{QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("123456,78")}};
        const QStringList lines = sheetLines(sheet);
        QCOMPARE(
            lines.at(4),
            QStringLiteral("Ime proizvoda: Trosjed od masivnog drva, bukvaDatum zatvaranja rad.naloga: 05.03.2024"));
        QCOMPARE(lines.at(11), QStringLiteral("A                             1       123456,78"));
        QCOMPARE(lines.at(13), QStringLiteral("             Ukupna cijena izdatnica:  123456,78"));
        QCOMPARE(lines.size(), expected.size() - 1);
    }
};

KNJ_REGISTER_TEST(WorkOrderDataTest)
#include "tst_workorderdata.moc"
