// Times the posting of receipts and issue notes into a warehouse book of 20 000 articles and 2 000 partners, first
// with no movement lines and then with 1 000 000, against its limit: the same statements run through SQLite's C API
// on one connection held open for the whole run. Prints the medians, their ratio and how each grows with the book,
// and the same for 100-line documents posted with the proposed number checked, as the receipt window posts them.
//
//   bench_posting [documents]   (documents of 100 lines, default 40; a quarter as many of 1000 lines, at least 4)
//
// The book of 1 000 000 lines is built once and kept in the system's temporary folder (knjigovodstvo-bench); a change
// of the book's tables or indexes builds it anew. Each run posts into copies of it.

#include "bigbook.h"
#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/stock/articles.h"
#include "core/stock/posting.h"
#include "core/stock/stockdocs.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

constexpr int ArticleCount = 20000;
constexpr int PartnerCount = 2000;
constexpr int BigBookLines = 1000000;
constexpr int FillerLinesPerDocument = 25; // 40 000 documents in the book of 1 000 000 lines
const QString Supplier = QStringLiteral("Dobavljač d.o.o.");
constexpr qint64 SupplierId = 2; // after the book's own "Proizvodnja"
constexpr qint64 CustomerId = 3;
const QString Customer = QStringLiteral("Trgovina");
const QString DocumentKind = QStringLiteral("Račun");

// A statement of the C API, prepared once, reset after each run.
class Statement
{
public:
    Statement(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, qint64 value)
    {
        sqlite3_bind_int64(m_stmt, index, value);
        return *this;
    }
    Statement& bind(int index, double value)
    {
        sqlite3_bind_double(m_stmt, index, value);
        return *this;
    }
    Statement& bind(int index, const QByteArray& text)
    {
        sqlite3_bind_text(m_stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& bindNull(int index)
    {
        sqlite3_bind_null(m_stmt, index);
        return *this;
    }
    // Steps once; true while a row is there.
    bool step()
    {
        const int rc = sqlite3_step(m_stmt);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(sqlite3_db_handle(m_stmt)));
        return rc == SQLITE_ROW;
    }
    void run()
    {
        step();
        sqlite3_reset(m_stmt);
    }
    void reset() { sqlite3_reset(m_stmt); }
    qint64 integer(int column) const { return sqlite3_column_int64(m_stmt, column); }
    double real(int column) const { return sqlite3_column_double(m_stmt, column); }
    QByteArray text(int column) const { return reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column)); }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

// One connection of the C API, opened like the program opens a book: read-write, never created, a busy timeout.
class Connection
{
public:
    explicit Connection(const QString& path)
    {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(m_db));
        sqlite3_busy_timeout(m_db, 5000);
    }
    ~Connection() { sqlite3_close(m_db); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void exec(const QByteArray& sql)
    {
        char* error = nullptr;
        if (sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string text = error ? error : "";
            sqlite3_free(error);
            throw std::runtime_error(text);
        }
    }
    sqlite3* handle() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
};

// The tables and indexes a new warehouse book gets, as one fingerprint.
QByteArray schemaFingerprint()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("schema.mdb"));
    CreateBookDatabase(path, BookKindWarehouse);
    Connection db(path);
    Statement schema(db.handle(), "select coalesce(sql, '') from sqlite_master order by type, name");
    QCryptographicHash hash(QCryptographicHash::Sha1);
    while (schema.step())
        hash.addData(schema.text(0));
    return hash.result().toHex().left(10);
}

// A new warehouse book with the articles, the partners and `lines` movement lines in documents of 100 lines. The
// indexes are dropped while the lines go in and made again afterwards, which is much faster than keeping them.
void buildBook(const QString& path, int lines)
{
    CreateBookDatabase(path, BookKindWarehouse);
    Connection db(path);
    db.exec("begin");
    QList<QByteArray> names, indexes;
    {
        Statement list(db.handle(), "select name, sql from sqlite_master where type = 'index' and sql is not null");
        while (list.step()) {
            names.append(list.text(0));
            indexes.append(list.text(1));
        }
    }
    for (const QByteArray& name : names)
        db.exec("drop index " + name);
    std::mt19937 random(11);
    {
        Statement article(db.handle(), "insert into artikli(sifra, barkod, naziv, jedmjere, minkolicina, stanje, "
                                       "vrijednost, proscijena) values(?, '', ?, 'kom', 0, 100000, 1000000, 10)");
        for (int n = 1; n <= ArticleCount; ++n)
            article.bind(1, QByteArray("S") + QByteArray::number(n))
                .bind(2, QByteArray("Artikl ") + QByteArray::number(n))
                .run();
        Statement partner(db.handle(), "insert into kd(kd, ime, mb, ziroracun, mjesto, ulica, telefon, kontakt) "
                                       "values(?, ?, '', '', 'Zagreb', '', '', '')");
        partner.bind(1, QByteArray("d")).bind(2, Supplier.toUtf8()).run();
        partner.bind(1, QByteArray("k")).bind(2, Customer.toUtf8()).run();
        for (int n = 3; n <= PartnerCount; ++n)
            partner.bind(1, QByteArray(n % 2 ? "d" : "k"))
                .bind(2, QByteArray("Partner ") + QByteArray::number(n))
                .run();
        Statement kind(db.handle(), "insert into dokumenti(dokument) values(?)");
        kind.bind(1, DocumentKind.toUtf8()).run();
    }
    {
        Statement header(db.handle(), "insert into pi(pi, brojpi, datumpi, dokument, brojdok, datumdok, idkd) "
                                      "values(?, ?, '2023-06-01', ?, ?, ?, ?)");
        Statement line(db.handle(), "insert into ulazizlaz(idartikla, idpi, idkd, kolicina, cijena) "
                                    "values(?, ?, ?, ?, ?)");
        std::uniform_int_distribution<int> article(1, ArticleCount);
        std::uniform_int_distribution<int> partner(1, PartnerCount);
        std::uniform_int_distribution<int> cents(1, 100000);
        qint64 numbers[2] = {0, 0};
        for (int document = 0; document * FillerLinesPerDocument < lines; ++document) {
            const bool receipt = document % 2 == 0;
            const qint64 idkd = partner(random);
            header.bind(1, QByteArray(receipt ? "P" : "I")).bind(2, ++numbers[receipt ? 0 : 1]).bind(6, idkd);
            if (receipt)
                header.bind(3, QByteArray("1"))
                    .bind(4, QByteArray("R-") + QByteArray::number(document))
                    .bind(5, QByteArray("2023-06-01"));
            else
                header.bindNull(3).bindNull(4).bindNull(5);
            header.run();
            const qint64 idpi = sqlite3_last_insert_rowid(db.handle());
            const int count = std::min(FillerLinesPerDocument, lines - document * FillerLinesPerDocument);
            for (int n = 0; n < count; ++n)
                line.bind(1, QByteArray::number(article(random)))
                    .bind(2, idpi)
                    .bind(3, idkd)
                    .bind(4, cents(random) / 100.0)
                    .bind(5, cents(random) / 100.0)
                    .run();
        }
    }
    for (const QByteArray& sql : indexes)
        db.exec(sql);
    db.exec("commit");
}

StockDocument makeDocument(int index, int lines, std::mt19937& random)
{
    std::uniform_int_distribution<qint64> article(1, ArticleCount);
    std::uniform_int_distribution<qint64> quantity(1, 500); // 0,01 .. 5,00
    std::uniform_int_distribution<qint64> price(1, 100000); // 0,01 .. 1000,00
    StockDocument d;
    d.receipt = index % 2 == 0;
    d.number = 100000 + index;
    d.date = QDate(2024, 5, 1);
    d.partnerId = d.receipt ? SupplierId : CustomerId;
    d.documentKindId = 1;
    d.supplierDocNumber = QStringLiteral("R-%1").arg(index);
    d.supplierDocDate = d.date;
    for (int n = 0; n < lines; ++n) {
        StockLine line;
        line.articleId = article(random);
        line.quantity = Figure::fromCents(quantity(random));
        line.price = Figure::fromCents(price(random));
        line.amount = Figure::multiply(line.quantity, line.price);
        d.lines << line;
    }
    return d;
}

// The limit of a posting: its statements on one connection that stays open, prepared once, with plain figures.
class BareLoop
{
public:
    explicit BareLoop(const QString& path)
        : m_db(path), m_partner(m_db.handle(), "select id from kd where id = ?"),
          m_kind(m_db.handle(), "select id from dokumenti where id = ?"),
          m_receipt(m_db.handle(), "insert into pi(pi, brojpi, datumpi, dokument, brojdok, datumdok, idkd) "
                                   "values(?, ?, ?, ?, ?, ?, ?)"),
          m_issue(m_db.handle(), "insert into pi(pi, brojpi, datumpi, idkd) values(?, ?, ?, ?)"),
          m_read(m_db.handle(), "select stanje, vrijednost, proscijena from artikli where id = ?"),
          m_write(m_db.handle(), "update artikli set stanje = ?, vrijednost = ?, proscijena = ? where id = ?"),
          m_line(m_db.handle(), "insert into ulazizlaz(idartikla, idpi, idkd, kolicina, cijena) values(?, ?, ?, ?, ?)")
    {
    }

    void post(const StockDocument& d)
    {
        m_db.exec("begin");
        m_partner.bind(1, d.partnerId);
        if (!m_partner.step())
            throw std::runtime_error("no partner");
        const qint64 partner = m_partner.integer(0);
        m_partner.reset();
        const QByteArray date = d.date.toString(Qt::ISODate).toLatin1();
        if (d.receipt) {
            m_kind.bind(1, d.documentKindId);
            if (!m_kind.step())
                throw std::runtime_error("no document kind");
            const QByteArray kind = QByteArray::number(m_kind.integer(0));
            m_kind.reset();
            m_receipt.bind(1, QByteArray("P"))
                .bind(2, d.number)
                .bind(3, date)
                .bind(4, kind)
                .bind(5, d.supplierDocNumber.toUtf8())
                .bind(6, date)
                .bind(7, partner)
                .run();
        } else {
            m_issue.bind(1, QByteArray("I")).bind(2, d.number).bind(3, date).bind(4, partner).run();
        }
        const qint64 header = sqlite3_last_insert_rowid(m_db.handle());
        const double sign = d.receipt ? 1.0 : -1.0;
        for (const StockLine& line : d.lines) {
            m_read.bind(1, line.articleId);
            if (!m_read.step())
                throw std::runtime_error("no article");
            const double stanje = m_read.real(0) + sign * line.quantity.toDouble();
            const double vrijednost = m_read.real(1) + sign * line.amount.toDouble();
            const double proscijena = stanje != 0.0 ? vrijednost / stanje : m_read.real(2);
            m_read.reset();
            m_write.bind(1, stanje).bind(2, vrijednost).bind(3, proscijena).bind(4, line.articleId).run();
            m_line.bind(1, QByteArray::number(line.articleId))
                .bind(2, header)
                .bind(3, partner)
                .bind(4, line.quantity.toDouble())
                .bind(5, line.price.toDouble())
                .run();
        }
        m_db.exec("commit");
    }

private:
    Connection m_db;
    Statement m_partner, m_kind, m_receipt, m_issue, m_read, m_write, m_line;
};

// Medians of one way of posting: wall-clock time, and the thread's own processor time (which leaves out the
// waits for the disk, so it shows the work of the code also while other programs keep the disk busy).
struct Timing
{
    double wall = 0;
    double cpu = 0;
};

// Posts the same documents both ways, each into its own copy of the book, alternating so that both meet the same
// disk and the same load. With checkNumber the posting takes the number proposed before it, as the receipt window
// does, and checks it again. Returns the posting's timing and the bare loop's.
std::pair<Timing, Timing> timeDocuments(const QString& book, const QString& folder, int lines, int documents,
                                        bool checkNumber = false)
{
    const QString postingBook = folder + QStringLiteral("/posting.mdb");
    const QString bareBook = folder + QStringLiteral("/bare.mdb");
    QFile::remove(postingBook);
    QFile::remove(bareBook);
    if (!QFile::copy(book, postingBook) || !QFile::copy(book, bareBook))
        throw std::runtime_error("cannot copy the book");
    // As the receipt window is when it posts: its article picker has read the book's articles and holds them.
    const QList<StoredArticle> articles = Articles::all(postingBook);
    std::mt19937 random(7);
    std::vector<double> postingWall, postingCpu, bareWall, bareCpu;
    BareLoop loop(bareBook);
    for (int i = 0; i < documents; ++i) {
        StockDocument d = makeDocument(i, lines, random);
        if (checkNumber) {
            d.number = StockDocs::nextDocumentNumber(postingBook, d.receipt);
            d.proposedNumber = true;
        }
        measureOnce(postingWall, postingCpu, [&] { PostStockDocument(postingBook, d); });
        measureOnce(bareWall, bareCpu, [&] { loop.post(d); });
    }
    return {{median(postingWall), median(postingCpu)}, {median(bareWall), median(bareCpu)}};
}

// The book of a million lines from the cache, built there when missing or made for other tables.
QString bigBook()
{
    const QString cache = QDir::tempPath() + QStringLiteral("/knjigovodstvo-bench");
    QDir().mkpath(cache);
    const QString path = cache + QStringLiteral("/lines-%1x%2-%3.mdb")
                                     .arg(BigBookLines)
                                     .arg(FillerLinesPerDocument)
                                     .arg(QString::fromLatin1(schemaFingerprint()));
    if (QFile::exists(path))
        return path;
    const QString temp = path + QStringLiteral(".building");
    QFile::remove(temp);
    QElapsedTimer timer;
    timer.start();
    buildBook(temp, BigBookLines);
    if (!QFile::rename(temp, path))
        throw std::runtime_error("cannot keep the book");
    std::printf("book of %d lines built in %.1f s and kept as %s\n", BigBookLines, timer.nsecsElapsed() / 1e9,
                qPrintable(path));
    return path;
}

void printRow(const char* book, int lines, const Timing& posting, const Timing& bare)
{
    std::printf("%-18s %5d | %12.2f %12.2f %6.2f | %12.2f %12.2f %6.2f\n", book, lines, posting.wall, bare.wall,
                posting.wall / bare.wall, posting.cpu, bare.cpu, posting.cpu / bare.cpu);
}

// The timings, in a process that has built nothing: building a book raises glibc's dynamic trim threshold, which
// keeps the memory of a closed connection for the next one and hides what opening a connection per posting costs.
int measure(const QString& empty, const QString& big, int small, const QString& folder)
{
    const int large = std::max(4, small / 4);
    std::printf("%d articles, %d partners; medians of %d documents of 100 lines and %d of 1000 lines, half "
                "receipts, half issue notes;\nmeasured in a process of its own after reading the book's articles, as "
                "the program is when a receipt window posts\n",
                ArticleCount, PartnerCount, small, large);
    std::printf("%-18s %5s | %12s %12s %6s | %12s %12s %6s\n", "book", "lines", "posting ms", "bare loop ms", "ratio",
                "posting cpu", "bare cpu", "ratio");
    std::pair<Timing, Timing> timings[2][2];
    const QString books[2] = {empty, big};
    const char* names[2] = {"no movement lines", "1 000 000 lines"};
    for (int b = 0; b < 2; ++b) {
        for (int s = 0; s < 2; ++s) {
            const int lines = s == 0 ? 100 : 1000;
            const auto [posting, bare] = timeDocuments(books[b], folder, lines, s == 0 ? small : large);
            timings[b][s] = {posting, bare};
            printRow(names[b], lines, posting, bare);
        }
    }
    std::printf("growth from no lines to 1 000 000 lines (wall, cpu):\n");
    for (int s = 0; s < 2; ++s) {
        const auto& [emptyPosting, emptyBare] = timings[0][s];
        const auto& [bigPosting, bigBare] = timings[1][s];
        std::printf("  %4d lines: posting x%.2f, x%.2f; bare loop x%.2f, x%.2f\n", s == 0 ? 100 : 1000,
                    bigPosting.wall / emptyPosting.wall, bigPosting.cpu / emptyPosting.cpu,
                    bigBare.wall / emptyBare.wall, bigBare.cpu / emptyBare.cpu);
    }
    std::printf("100-line documents posted with the proposed number checked, as the receipt window posts them (the "
                "book of 1 000 000 lines holds %d documents; aim there: at most 1,3):\n",
                BigBookLines / FillerLinesPerDocument);
    for (int b = 0; b < 2; ++b) {
        const auto [posting, bare] = timeDocuments(books[b], folder, 100, small, true);
        printRow(names[b], 100, posting, bare);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const bool measuring = arguments.value(1) == QLatin1String("--measure");
    try {
        if (measuring)
            return measure(arguments.value(2), arguments.value(3), arguments.value(4).toInt(), arguments.value(5));
        const int small = argc > 1 ? std::max(2, QString::fromLocal8Bit(argv[1]).toInt()) : 40;
        QTemporaryDir dir;
        const QString empty = dir.filePath(QStringLiteral("empty.mdb"));
        buildBook(empty, 0);
        const QString big = bigBook();
        std::fflush(stdout);
        return QProcess::execute(QCoreApplication::applicationFilePath(),
                                 {QStringLiteral("--measure"), empty, big, QString::number(small), dir.path()});
    } catch (const DbError& e) {
        std::fprintf(stderr, "posting failed: %s\n", qPrintable(e.description()));
        return 1;
    } catch (const PostingRefused& e) {
        std::fprintf(stderr, "posting refused (%d)\n", int(e.reason()));
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
