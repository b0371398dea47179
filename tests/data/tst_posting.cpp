#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/stock/posting.h"
#include "core/stock/stockdocs.h"
#include "support/testmain.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSemaphore>
#include <QSqlField>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

Figure fig(const QString& text)
{
    const auto f = Figure::parse(text);
    if (!f)
        qFatal("bad figure in test data: %s", qPrintable(text));
    return *f;
}

// A warehouse book in a temporary folder with (after its own "Proizvodnja", id 1) a supplier (id 2), a cost place
// (id 3) and a document kind (id 1).
class Book
{
public:
    Book()
    {
        m_path = m_dir.filePath(QStringLiteral("Skladiste1.mdb"));
        CreateBookDatabase(m_path, BookKindWarehouse);
        Database db = Database::open(m_path);
        db.exec(QStringLiteral("insert into kd(kd, ime) values('d', 'Dobavljač d.o.o.')"));
        db.exec(QStringLiteral("insert into kd(kd, ime) values('m', 'Skladište 2')"));
        db.exec(QStringLiteral("insert into dokumenti(dokument) values('Račun')"));
    }
    const QString& path() const { return m_path; }

    qint64 addArticle(Figure stanje, Figure vrijednost, Figure proscijena)
    {
        Database db = Database::open(m_path);
        return db.insert(QStringLiteral("insert into artikli(sifra, naziv, jedmjere, minkolicina, stanje, vrijednost, "
                                        "proscijena) values(?, ?, 'kom', 0, ?, ?, ?)"),
                         {QStringLiteral("A%1").arg(++m_articles), QStringLiteral("Artikl"), stanje.toDouble(),
                          vrijednost.toDouble(), proscijena.toDouble()});
    }

    StockFigures figures(qint64 articleId) const
    {
        Database db = Database::open(m_path);
        const auto row = db.selectFirst(
            QStringLiteral("select stanje, vrijednost, proscijena from artikli where id = ?"), {articleId});
        StockFigures f;
        f.stanje = Figure::fromDouble(row->value(0).toDouble());
        f.vrijednost = Figure::fromDouble(row->value(1).toDouble());
        f.proscijena = Figure::fromDouble(row->value(2).toDouble());
        return f;
    }

    // Every row of every table, with the storage type of each value.
    QStringList snapshot() const
    {
        Database db = Database::open(m_path);
        QStringList rows;
        for (const char* table : {"kd", "artikli", "ulazizlaz", "pi", "dokumenti", "sqlite_sequence"}) {
            for (const QSqlRecord& r : db.select(QStringLiteral("select * from %1 order by 1").arg(table))) {
                QStringList values{QString::fromLatin1(table)};
                for (int i = 0; i < r.count(); ++i)
                    values << (r.isNull(i) ? QStringLiteral("NULL") : r.value(i).toString());
                rows << values.join(QLatin1Char('|'));
            }
        }
        return rows;
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
    int m_articles = 0;
};

// A receipt from the supplier or an issue note to the cost place of Book.
StockDocument document(bool isReceipt, qint64 number = 1)
{
    StockDocument d;
    d.receipt = isReceipt;
    d.number = number;
    d.date = QDate(2024, 3, isReceipt ? 15 : 16);
    d.partnerId = isReceipt ? 2 : 3;
    if (isReceipt) {
        d.documentKindId = 1;
        d.supplierDocNumber = QStringLiteral("R-77");
        d.supplierDocDate = QDate(2024, 3, 14);
    }
    return d;
}

StockDocument receipt(qint64 number = 1)
{
    return document(true, number);
}

StockDocument issueNote(qint64 number = 1)
{
    return document(false, number);
}

StockLine line(qint64 articleId, const QString& quantity, const QString& price)
{
    StockLine l;
    l.articleId = articleId;
    l.quantity = fig(quantity);
    l.price = fig(price);
    l.amount = Figure::multiply(l.quantity, l.price);
    return l;
}

QString figuresText(const StockFigures& f)
{
    return f.stanje.shortText() + QLatin1Char(';') + f.vrijednost.shortText() + QLatin1Char(';') +
           f.proscijena.shortText();
}

} // namespace

class PostingTest : public QObject
{
    Q_OBJECT
private slots:
    void workedExamples_data();
    void workedExamples();
    void storesHeaderAndLines();
    void failureHalfWayLeavesBookUnchanged();
    void refusalsWriteNothing_data();
    void refusalsWriteNothing();
    void refusedIssueNoteNamesItsShortArticles_data();
    void refusedIssueNoteNamesItsShortArticles();
    void stockEqualsSumOfPostedLines();
    void partnerAndKindAreTakenById();
    void postsSeveralBooksInOneTransaction();
    void aSecondCopyWaitsForTheFirst();
};

// documents: documents separated by "|", each "P" or "I" (or "K" for an issue that keeps the average price)
// followed by lines "quantity@price"; expected: "stanje;vrijednost;proscijena" after each document.
void PostingTest::workedExamples_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("documents");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1 receipt onto stock") << "10;10;1"
                                          << "P 10@2"
                                          << "20;30;1,5";
    QTest::newRow("2 first receipt") << "0;0;0"
                                     << "P 4@2,5"
                                     << "4;10;2,5";
    QTest::newRow("3 issue of the whole stock keeps average") << "4;10;2,5"
                                                              << "I 4@2,5"
                                                              << "0;0;2,5";
    QTest::newRow("4 one article twice on one receipt") << "0;0;0"
                                                        << "P 3@1 2@2"
                                                        << "5;7;1,4";
    QTest::newRow("4 the same lines one by one") << "0;0;0"
                                                 << "P 3@1 | P 2@2"
                                                 << "3;3;1|5;7;1,4";
    QTest::newRow("5 value residue at zero stock") << "0;0;0"
                                                   << "P 2@3 1@4 | I 3@3,33 | P 1@5"
                                                   << "3;10;3,33|0;0,01;3,33|1;5,01;5,01";
    QTest::newRow("6 average tie rounds away") << "0;0;0"
                                               << "P 7@0,1 | P 1@0,3"
                                               << "7;0,7;0,1|8;1;0,13";
    QTest::newRow("7 average of an issue") << "3;10;3,33"
                                           << "I 1@3,33"
                                           << "2;6,67;3,34";
    QTest::newRow("8 average 5,025") << "0;0;0"
                                     << "P 1@5 | P 1@5,05"
                                     << "1;5;5|2;10,05;5,03";
    QTest::newRow("9 amount tie rounds away") << "0;0;0"
                                              << "P 1,5@0,15"
                                              << "1,5;0,23;0,15";
    QTest::newRow("10 large value stays exact") << "1000;100000;100"
                                                << "P 1@23456,78"
                                                << "1001;123456,78;123,33";
    QTest::newRow("11 a cent onto a large value")
        << "0;0;0"
        << "P 1000@150 | P 999,99@123,45 | P 1@0,01"
        << "1000;150000;150|1999,99;273448,77;136,73|2000,99;273448,78;136,66";
    QTest::newRow("work-order issue keeps average") << "5;50;10"
                                                    << "K 2@12 | K 3@8,66"
                                                    << "3;26;10|0;0,02;10";
}

void PostingTest::workedExamples()
{
    QFETCH(QString, start);
    QFETCH(QString, documents);
    QFETCH(QString, expected);
    Book book;
    const QStringList s = start.split(QLatin1Char(';'));
    const qint64 article = book.addArticle(fig(s[0]), fig(s[1]), fig(s[2]));
    const QStringList expectedAfter = expected.split(QLatin1Char('|'));
    const QStringList docs = documents.split(QLatin1Char('|'));
    QCOMPARE(docs.size(), expectedAfter.size());
    for (int i = 0; i < docs.size(); ++i) {
        const QStringList parts = docs[i].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        StockDocument d = parts[0] == QLatin1String("P") ? receipt(i + 1) : issueNote(i + 1);
        if (parts[0] == QLatin1String("K"))
            d.averagePrice = AveragePriceMode::Keep;
        for (const QString& l : parts.mid(1)) {
            const QStringList qp = l.split(QLatin1Char('@'));
            d.lines << line(article, qp[0], qp[1]);
        }
        PostStockDocument(book.path(), d);
        QCOMPARE(figuresText(book.figures(article)), expectedAfter[i]);
    }
}

void PostingTest::storesHeaderAndLines()
{
    Book book;
    const qint64 a = book.addArticle(Figure(), Figure(), Figure());
    const qint64 b = book.addArticle(fig("10"), fig("25"), fig("2,5"));
    StockDocument r = receipt(5);
    r.lines << line(a, "10", "2") << line(b, "1,5", "0,15");
    const qint64 first = PostStockDocument(book.path(), r);
    StockDocument i = issueNote(3);
    i.lines << line(b, "4", "2,5");
    const qint64 second = PostStockDocument(book.path(), i);
    QVERIFY(second != first);

    Database db = Database::open(book.path());
    const auto header = db.selectFirst(QStringLiteral("select pi, brojpi, datumpi, dokument, brojdok, datumdok, idkd, "
                                                      "typeof(brojpi) from pi where id = ?"),
                                       {first});
    QVERIFY(header);
    QCOMPARE(header->value(0).toString(), QStringLiteral("P"));
    QCOMPARE(header->value(1).toLongLong(), 5);
    QCOMPARE(header->value(2).toString(), QStringLiteral("2024-03-15"));
    QCOMPARE(header->value(3).toString(), QStringLiteral("1"));
    QCOMPARE(header->value(4).toString(), QStringLiteral("R-77"));
    QCOMPARE(header->value(5).toString(), QStringLiteral("2024-03-14"));
    QCOMPARE(header->value(6).toLongLong(), 2);
    QCOMPARE(header->value(7).toString(), QStringLiteral("integer"));

    const auto issueHeader = db.selectFirst(
        QStringLiteral("select pi, brojpi, datumpi, dokument, brojdok, datumdok, idkd from pi where id = ?"), {second});
    QVERIFY(issueHeader);
    QCOMPARE(issueHeader->value(0).toString(), QStringLiteral("I"));
    QCOMPARE(issueHeader->value(2).toString(), QStringLiteral("2024-03-16"));
    QVERIFY(issueHeader->isNull(3) && issueHeader->isNull(4) && issueHeader->isNull(5));
    QCOMPARE(issueHeader->value(6).toLongLong(), 3);

    const auto lines = db.select(QStringLiteral("select idartikla, idpi, idkd, kolicina, cijena, typeof(idartikla), "
                                                "typeof(kolicina), typeof(cijena) from ulazizlaz order by id"));
    QCOMPARE(lines.size(), 3);
    const QStringList expected{QStringLiteral("%1|%2|2|10|2|text|real|real").arg(a).arg(first),
                               QStringLiteral("%1|%2|2|1.5|0.15|text|real|real").arg(b).arg(first),
                               QStringLiteral("%1|%2|3|4|2.5|text|real|real").arg(b).arg(second)};
    for (int n = 0; n < lines.size(); ++n) {
        QStringList v;
        for (int c = 0; c < lines[n].count(); ++c)
            v << lines[n].value(c).toString();
        QCOMPARE(v.join(QLatin1Char('|')), expected[n]);
    }
    QCOMPARE(figuresText(book.figures(b)), QStringLiteral("7,5;15,23;2,03"));
}

void PostingTest::failureHalfWayLeavesBookUnchanged()
{
    Book book;
    const qint64 a = book.addArticle(fig("10"), fig("10"), fig("1"));
    const qint64 b = book.addArticle(fig("5"), fig("50"), fig("10"));
    PostStockDocument(book.path(), [&] {
        StockDocument d = receipt(1);
        d.lines << line(a, "1", "1");
        return d;
    }());
    {
        Database db = Database::open(book.path());
        db.exec(QStringLiteral("create trigger refuse_line before insert on ulazizlaz when new.idartikla = '%1' "
                               "begin select raise(abort, 'redak odbijen'); end")
                    .arg(b));
    }
    const QStringList before = book.snapshot();

    StockDocument d = receipt(2);
    d.lines << line(a, "3", "2") << line(b, "1", "10") << line(a, "1", "1");
    try {
        PostStockDocument(book.path(), d);
        QFAIL("the posting went through");
    } catch (const DbError& e) {
        QVERIFY2(e.description().contains(QStringLiteral("redak odbijen")), qPrintable(e.description()));
    }
    QCOMPARE(book.snapshot(), before);

    // A line whose article is gone refuses the whole document, also after lines that moved stock.
    StockDocument missing = issueNote(1);
    missing.lines << line(a, "1", "1") << line(999, "1", "1");
    try {
        PostStockDocument(book.path(), missing);
        QFAIL("the posting went through");
    } catch (const PostingRefused& e) {
        QCOMPARE(e.reason(), PostingRefused::ArticleNotFound);
    }
    QCOMPARE(book.snapshot(), before);
}

void PostingTest::refusalsWriteNothing_data()
{
    QTest::addColumn<bool>("isReceipt");
    QTest::addColumn<qint64>("partner");
    QTest::addColumn<qint64>("kind");
    QTest::addColumn<int>("reason");
    QTest::newRow("receipt, unknown supplier")
        << true << qint64(9) << qint64(1) << int(PostingRefused::PartnerNotFound);
    QTest::newRow("issue, unknown cost place")
        << false << qint64(9) << qint64(0) << int(PostingRefused::PartnerNotFound);
    QTest::newRow("issue, no cost place") << false << qint64(0) << qint64(0) << int(PostingRefused::PartnerNotFound);
    QTest::newRow("receipt, unknown kind")
        << true << qint64(2) << qint64(2) << int(PostingRefused::DocumentKindNotFound);
    QTest::newRow("receipt, no kind") << true << qint64(2) << qint64(0) << int(PostingRefused::DocumentKindNotFound);
}

void PostingTest::refusalsWriteNothing()
{
    QFETCH(bool, isReceipt);
    QFETCH(qint64, partner);
    QFETCH(qint64, kind);
    QFETCH(int, reason);
    Book book;
    const qint64 a = book.addArticle(fig("10"), fig("10"), fig("1"));
    const QStringList before = book.snapshot();
    StockDocument d = document(isReceipt);
    d.partnerId = partner;
    d.documentKindId = kind;
    d.lines << line(a, "1", "1");
    try {
        PostStockDocument(book.path(), d);
        QFAIL("the posting went through");
    } catch (const PostingRefused& e) {
        QCOMPARE(int(e.reason()), reason);
    }
    QCOMPARE(book.snapshot(), before);
}

// lines: "code quantity" separated by "|"; the book holds 5 of A1, 4 of A2 and 2 of A3, and A4 was removed.
void PostingTest::refusedIssueNoteNamesItsShortArticles_data()
{
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QStringList>("shortages");
    const QString a1 = QStringLiteral("Artikl (A1): na skladištu je 5,00, izdaje se 6,00");
    QTest::newRow("one article on two lines") << "A1 3|A1 3" << QStringList{a1};
    QTest::newRow("exact stock beside a short one") << "A2 4|A1 6" << QStringList{a1};
    QTest::newRow("in the order of the lines")
        << "A3 3|A1 6" << QStringList{QStringLiteral("Artikl (A3): na skladištu je 2,00, izdaje se 3,00"), a1};
    QTest::newRow("a removed article before a short one") << "A4 1|A1 6" << QStringList{a1};
}

void PostingTest::refusedIssueNoteNamesItsShortArticles()
{
    QFETCH(QString, lines);
    Book book;
    QHash<QString, qint64> ids;
    for (const char* stanje : {"5", "4", "2", "9"}) {
        const qint64 id = book.addArticle(fig(stanje), fig(stanje), fig("1"));
        ids.insert(QStringLiteral("A%1").arg(ids.size() + 1), id);
    }
    Database::open(book.path()).exec(QStringLiteral("delete from artikli where sifra = 'A4'"));
    QList<StockLine> entered;
    for (const QString& l : lines.split(QLatin1Char('|')))
        entered << line(ids.value(l.section(QLatin1Char(' '), 0, 0)), l.section(QLatin1Char(' '), 1), "1");
    QTEST(StockDocs::issueShortages(book.path(), entered), "shortages");
}

void PostingTest::stockEqualsSumOfPostedLines()
{
    Book book;
    QList<qint64> articles;
    for (int n = 0; n < 4; ++n)
        articles << book.addArticle(Figure(), Figure(), Figure());
    const QStringList quantities{QStringLiteral("1,5"), QStringLiteral("3"), QStringLiteral("0,33"),
                                 QStringLiteral("999,99"), QStringLiteral("2,25")};
    const QStringList prices{QStringLiteral("0,15"), QStringLiteral("3,33"), QStringLiteral("1,01"),
                             QStringLiteral("123,45"), QStringLiteral("0,07")};
    for (int doc = 0; doc < 12; ++doc) {
        // Every third document issues part of what the receipts before it brought in.
        const bool isReceipt = doc % 3 != 2;
        StockDocument d = document(isReceipt, doc + 1);
        for (int n = 0; n < 6; ++n) {
            const int k = (doc * 7 + n * 3) % quantities.size();
            const QString quantity = isReceipt ? quantities[k] : QStringLiteral("0,5");
            d.lines << line(articles[(doc + n) % articles.size()], quantity, prices[(k + doc) % prices.size()]);
        }
        PostStockDocument(book.path(), d);
    }

    // Sums in cents: each line's amount is quantity × price rounded half away to the cent.
    Database db = Database::open(book.path());
    const auto rows = db.select(QStringLiteral(
        "select a.id, cast(round(a.stanje * 100) as integer), cast(round(a.vrijednost * 100) as integer), "
        "coalesce(sum(case p.pi when 'P' then 1 else -1 end * cast(round(u.kolicina * 100) as integer)), 0), "
        "coalesce(sum(case p.pi when 'P' then 1 else -1 end * "
        "((cast(round(u.kolicina * 100) as integer) * cast(round(u.cijena * 100) as integer) + 50) / 100)), 0) "
        "from artikli a left join ulazizlaz u on u.idartikla = cast(a.id as text) left join pi p on p.id = u.idpi "
        "group by a.id order by a.id"));
    QCOMPARE(rows.size(), articles.size());
    for (const QSqlRecord& r : rows) {
        QCOMPARE(r.value(1).toLongLong(), r.value(3).toLongLong());
        QCOMPARE(r.value(2).toLongLong(), r.value(4).toLongLong());
    }
    QVERIFY(db.scalar(QStringLiteral("select count(*) from ulazizlaz")).toInt() == 72);
}

void PostingTest::partnerAndKindAreTakenById()
{
    Book book;
    const qint64 a = book.addArticle(fig("100"), fig("100"), fig("1"));
    {
        // Names alike but for letter case, or the same name for another kind of partner.
        Database db = Database::open(book.path());
        db.exec(QStringLiteral("insert into kd(kd, ime) values('d', 'Petar')"));       // id 4
        db.exec(QStringLiteral("insert into kd(kd, ime) values('k', 'Petar')"));       // id 5
        db.exec(QStringLiteral("insert into kd(kd, ime) values('k', 'Kupac Čelik')")); // id 6
        db.exec(QStringLiteral("insert into kd(kd, ime) values('k', 'kupac čelik')")); // id 7
        db.exec(QStringLiteral("insert into dokumenti(dokument) values('račun')"));    // id 2
    }
    struct Case
    {
        bool receipt;
        qint64 partnerId;
        qint64 kindId;
    };
    const QList<Case> cases{{false, 5, 0}, {true, 4, 2}, {false, 7, 0}, {false, 6, 0}, {true, 2, 1}};
    Database db = Database::open(book.path());
    for (const Case& c : cases) {
        StockDocument d = document(c.receipt);
        d.partnerId = c.partnerId;
        d.documentKindId = c.kindId;
        d.supplierDocNumber = QStringLiteral("12'3*");
        d.lines << line(a, "1", "1");
        const qint64 id = PostStockDocument(book.path(), d);
        const auto h = db.selectFirst(QStringLiteral("select idkd, dokument, brojdok from pi where id = ?"), {id});
        QCOMPARE(h->value(0).toLongLong(), c.partnerId);
        if (c.receipt) {
            QCOMPARE(h->value(1).toLongLong(), c.kindId);
            QCOMPARE(h->value(2).toString(), QStringLiteral("12'3*"));
        } else {
            QVERIFY(h->isNull(1));
        }
        QCOMPARE(db.scalar(QStringLiteral("select idkd from ulazizlaz where idpi = ?"), {id}).toLongLong(),
                 c.partnerId);
    }
}

void PostingTest::postsSeveralBooksInOneTransaction()
{
    Book first;
    Book second;
    const qint64 a = first.addArticle(fig("10"), fig("100"), fig("10"));
    const qint64 b = second.addArticle(fig("4"), fig("20"), fig("5"));
    const QStringList firstBefore = first.snapshot();
    const QStringList secondBefore = second.snapshot();

    auto postBoth = [&](qint64 secondArticle) {
        Database db = Database::open(first.path());
        db.exec(QStringLiteral("attach database ? as w1"), {second.path()});
        {
            Transaction tx(db);
            StockDocument d = issueNote();
            d.averagePrice = AveragePriceMode::Keep;
            d.lines << line(a, "2", "12");
            PostStockDocument(db, d);
            d.lines = {line(secondArticle, "1", "6")};
            PostStockDocument(db, d, QStringLiteral("w1"));
            tx.commit();
        }
        db.exec(QStringLiteral("detach database w1"));
    };

    // A refusal in the second book leaves both books as they were.
    QVERIFY_THROWS_EXCEPTION(PostingRefused, postBoth(b + 1));
    QCOMPARE(first.snapshot(), firstBefore);
    QCOMPARE(second.snapshot(), secondBefore);

    postBoth(b);
    QCOMPARE(figuresText(first.figures(a)), QStringLiteral("8;76;10"));
    QCOMPARE(figuresText(second.figures(b)), QStringLiteral("3;14;5"));
    Database db = Database::open(second.path());
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from ulazizlaz")).toInt(), 1);
    QCOMPARE(db.scalar(QStringLiteral("select idkd from pi")).toInt(), 3);
}

// How a posting ended: "posted", the reason of a refusal, or the engine's error.
QString outcome(const QString& path, const StockDocument& d)
{
    try {
        PostStockDocument(path, d);
        return QStringLiteral("posted");
    } catch (const PostingRefused& e) {
        return QStringLiteral("refused %1").arg(int(e.reason()));
    } catch (const DbError& e) {
        return e.description();
    }
}

void PostingTest::aSecondCopyWaitsForTheFirst()
{
    Book book;
    const qint64 a = book.addArticle(fig("10"), fig("20"), fig("2"));
    // Another copy of the program posts a document and holds its transaction a while; meanwhile this copy posts
    // its own. Returns how this copy's posting ended and how long it took.
    auto whileAnotherPosts = [&](const StockDocument& theirs, const StockDocument& mine) {
        QSemaphore holding;
        std::unique_ptr<QThread> other(QThread::create([&] {
            Database db = Database::open(book.path());
            Transaction tx(db);
            PostStockDocument(db, theirs);
            holding.release();
            QThread::msleep(400);
            tx.commit();
        }));
        other->start();
        QString result = QStringLiteral("the other copy did not post");
        QElapsedTimer waited;
        if (holding.tryAcquire(1, 5000)) {
            waited.start();
            result = outcome(book.path(), mine);
        }
        other->wait();
        return qMakePair(result, waited.isValid() ? waited.elapsed() : 0);
    };

    // An issue of the stock the other copy is issuing waits for it to end, then finds nothing left.
    StockDocument whole = issueNote(1);
    whole.lines << line(a, "10", "2");
    StockDocument part = issueNote(2);
    part.lines << line(a, "4", "2");
    auto [result, waited] = whileAnotherPosts(whole, part);
    QCOMPARE(result, QStringLiteral("refused %1").arg(int(PostingRefused::NotEnoughStock)));
    QVERIFY2(waited >= 300, qPrintable(QString::number(waited)));
    QCOMPARE(figuresText(book.figures(a)), QStringLiteral("0;0;2"));
    QCOMPARE(Database::open(book.path()).scalar(QStringLiteral("select count(*) from pi")).toInt(), 1);

    // A receipt waits too, and goes through.
    StockDocument in = receipt(1);
    in.lines << line(a, "5", "3");
    PostStockDocument(book.path(), in);
    StockDocument more = receipt(2);
    more.lines << line(a, "1", "3");
    std::tie(result, waited) = whileAnotherPosts(part, more);
    QCOMPARE(result, QStringLiteral("posted"));
    QVERIFY2(waited >= 300, qPrintable(QString::number(waited)));
    QCOMPARE(figuresText(book.figures(a)), QStringLiteral("2;10;5"));
}

KNJ_REGISTER_TEST(PostingTest)
#include "tst_posting.moc"
