#include "bigbook.h"

#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/stock/posting.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <sqlite3.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <random>
#include <vector>

namespace {

constexpr int DocumentsPerTransaction = 500;

// Bump when the book's content changes, so that an old cached book is not reused.
const QString CachedName = QStringLiteral("Skladiste1-v3.mdb");

const QStringList Words = {
    QStringLiteral("Vijak"), QStringLiteral("Matica"),  QStringLiteral("Čavao"),   QStringLiteral("Šarafciger"),
    QStringLiteral("Žica"),  QStringLiteral("Ćelija"),  QStringLiteral("Đubrivo"), QStringLiteral("brtva"),
    QStringLiteral("Ležaj"), QStringLiteral("Opruga"),  QStringLiteral("Cijev"),   QStringLiteral("Ventil"),
    QStringLiteral("Kabel"), QStringLiteral("Sklopka"), QStringLiteral("Boja"),    QStringLiteral("Ljepilo"),
    QStringLiteral("Daska"), QStringLiteral("Pločica"), QStringLiteral("Žarulja"), QStringLiteral("Filter")};
const QStringList Places = {QStringLiteral("Zagreb"),        QStringLiteral("Split"),
                            QStringLiteral("Rijeka"),        QStringLiteral("Osijek"),
                            QStringLiteral("Velika Gorica"), QStringLiteral("Slavonski Brod")};

void fillMasterData(Database& db, const BenchBookSize& size, std::mt19937& random)
{
    Transaction tx(db);
    PreparedQuery article(db, QStringLiteral("insert into artikli(sifra, barkod, naziv, jedmjere, minkolicina, stanje, "
                                             "vrijednost, proscijena) values(?, ?, ?, ?, ?, 0, 0, 0)"));
    std::uniform_int_distribution<int> word(0, int(Words.size()) - 1);
    std::uniform_int_distribution<int> minimum(0, 50);
    for (int n = 1; n <= size.articles; ++n) {
        const QString name = QStringLiteral("%1 %2 %3").arg(Words[word(random)], Words[word(random)]).arg(n);
        article.exec({QStringLiteral("A%1").arg(n, 5, 10, QLatin1Char('0')),
                      QStringLiteral("385%1").arg(n, 10, 10, QLatin1Char('0')), name,
                      n % 3 == 0 ? QStringLiteral("kg") : QStringLiteral("kom"), double(minimum(random))});
    }
    PreparedQuery partner(db, QStringLiteral("insert into kd(kd, ime, mb, ziroracun, mjesto, ulica, telefon, kontakt) "
                                             "values(?, ?, ?, ?, ?, ?, ?, ?)"));
    const QStringList kinds = {QStringLiteral("k"), QStringLiteral("D"), QStringLiteral("s"),
                               QStringLiteral("K"), QStringLiteral("d"), QStringLiteral("S")};
    for (int n = 1; n <= size.partners; ++n) {
        partner.exec({kinds[n % kinds.size()], QStringLiteral("Partner %1 d.o.o.").arg(n),
                      QStringLiteral("%1").arg(1000000 + n, 13, 10, QLatin1Char('0')),
                      QStringLiteral("HR12%1").arg(n, 16, 10, QLatin1Char('0')), Places[n % Places.size()],
                      QStringLiteral("Ulica %1").arg(n), QStringLiteral("01/%1").arg(100000 + n),
                      QStringLiteral("Osoba %1").arg(n)});
    }
    db.exec(QStringLiteral("insert into dokumenti(dokument) values('Račun')"));
    db.exec(QStringLiteral("insert into dokumenti(dokument) values('Otpremnica')"));
    tx.commit();
}

// The stock of every article in cents as the generated documents leave it, so that an issue takes only what is
// there, and the articles that may hold some.
struct Stock
{
    std::vector<qint64> cents;
    std::vector<qint64> held;

    // An article holding stock, drawn at random; 0 when none does.
    qint64 drawHeld(std::mt19937& random)
    {
        while (!held.empty()) {
            const size_t at = std::uniform_int_distribution<size_t>(0, held.size() - 1)(random);
            const qint64 article = held[at];
            if (cents[size_t(article)] > 0)
                return article;
            held[at] = held.back();
            held.pop_back();
        }
        return 0;
    }
    void move(qint64 article, qint64 quantity)
    {
        if (cents[size_t(article)] <= 0 && cents[size_t(article)] + quantity > 0)
            held.push_back(article);
        cents[size_t(article)] += quantity;
    }
};

StockDocument makeDocument(int index, int receipts, int issues, qint64 firstPartnerId, const BenchBookSize& size,
                           Stock& stock, std::mt19937& random)
{
    std::uniform_int_distribution<qint64> article(1, size.articles);
    std::uniform_int_distribution<int> partner(0, std::max(1, size.partners / 6) - 1);
    std::uniform_int_distribution<qint64> quantity(1, 2000); // 0,01 .. 20,00
    std::uniform_int_distribution<qint64> price(1, 50000);   // 0,01 .. 500,00
    StockDocument d;
    // Receipts first in every block of ten, so that stock mostly stays above zero.
    d.receipt = index % 10 < 6;
    d.number = d.receipt ? receipts + 1 : issues + 1;
    d.date = QDate(2024, 1, 1).addDays(qint64(index) * 730 / size.documents);
    // Partner n has kind number n % 6 of k, D, s, K, d, S: receipts come from 6m+1 (D), issues go to 6m+3 (K).
    const int m = partner(random);
    d.partnerId = firstPartnerId - 1 + 6 * m + (d.receipt ? 1 : 3);
    d.documentKindId = d.receipt ? (index % 2 == 0 ? 1 : 2) : 0;
    d.supplierDocNumber = QStringLiteral("R-%1").arg(index + 1);
    d.supplierDocDate = d.date;
    for (int n = 0; n < size.linesPerDocument; ++n) {
        StockLine line;
        line.articleId = d.receipt ? article(random) : stock.drawHeld(random);
        if (line.articleId == 0)
            break;
        qint64 cents = quantity(random);
        if (!d.receipt)
            cents = std::min(cents, stock.cents[size_t(line.articleId)]);
        stock.move(line.articleId, d.receipt ? cents : -cents);
        line.quantity = Figure::fromCents(cents);
        line.price = Figure::fromCents(price(random));
        line.amount = Figure::multiply(line.quantity, line.price);
        d.lines << line;
    }
    return d;
}

QString refusal(PostingRefused::Reason reason)
{
    switch (reason) {
    case PostingRefused::PartnerNotFound:
        return QStringLiteral("partner not found");
    case PostingRefused::DocumentKindNotFound:
        return QStringLiteral("document kind not found");
    case PostingRefused::ArticleNotFound:
        return QStringLiteral("article not found");
    case PostingRefused::NotEnoughStock:
        return QStringLiteral("not enough stock");
    case PostingRefused::NumberTaken:
        return QStringLiteral("document number taken");
    }
    return QString();
}

} // namespace

QString buildBenchBook(const QString& path, const BenchBookSize& size, bool showProgress)
{
    QElapsedTimer timer;
    timer.start();
    QFile::remove(path);
    int index = 0;
    QString failure;
    try {
        CreateBookDatabase(path, BookKindWarehouse);
        Database db = Database::open(path);
        db.exec(QStringLiteral("pragma synchronous = off"));
        std::mt19937 random(20261209);
        fillMasterData(db, size, random);
        const qint64 firstPartnerId =
            db.scalar(QStringLiteral("select min(id) from kd where ime = 'Partner 1 d.o.o.'")).toLongLong();
        Stock stock;
        stock.cents.assign(size_t(size.articles) + 1, 0);
        int receipts = 0;
        int issues = 0;
        for (int first = 0; first < size.documents; first += DocumentsPerTransaction) {
            Transaction tx(db);
            for (index = first; index < std::min(size.documents, first + DocumentsPerTransaction); ++index) {
                const StockDocument d = makeDocument(index, receipts, issues, firstPartnerId, size, stock, random);
                PostStockDocument(db, d);
                (d.receipt ? receipts : issues) += 1;
            }
            tx.commit();
            if (showProgress)
                std::fprintf(stderr, "\rbuilding the benchmark book: %d / %d documents",
                             std::min(size.documents, first + DocumentsPerTransaction), size.documents);
        }
    } catch (const PostingRefused& e) {
        failure = QStringLiteral("document %1 refused: %2").arg(index + 1).arg(refusal(e.reason()));
    } catch (const DbError& e) {
        failure = QStringLiteral("document %1: %2").arg(index + 1).arg(e.description());
    }
    if (!failure.isEmpty()) {
        QFile::remove(path);
        return failure;
    }
    if (showProgress)
        std::fprintf(stderr, "\nbuilt in %.1f s\n", timer.elapsed() / 1000.0);
    return QString();
}

namespace {

QString cachedBook(const QString& name, const BenchBookSize& size)
{
    const QString folder = QDir::temp().filePath(QStringLiteral("knj-bigbook"));
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(name);
    if (QFile::exists(path))
        return path;
    // Built under another name and renamed when complete: an interrupted build is never reused.
    const QString partial = path + QStringLiteral(".building");
    const QString failure = buildBenchBook(partial, size, true);
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "\nthe benchmark book cannot be built: %s\n", qPrintable(failure));
        return QString();
    }
    if (!QFile::rename(partial, path)) {
        QFile::remove(partial);
        std::fprintf(stderr, "the benchmark book cannot be kept as %s\n", qPrintable(path));
        return QString();
    }
    return path;
}

} // namespace

QString bigWarehouseBook()
{
    return cachedBook(CachedName, BenchBookSize());
}

QString manyDocumentsBook()
{
    return cachedBook(QStringLiteral("Documents-") + CachedName, {20000, 2000, 100000, 5});
}

double bareReadMs(const QString& book, const QList<QByteArray>& statements, int runs)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(book).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return 0;
    }
    qint64 sum = 0;
    const double ms = medianMs(runs, [&] {
        for (const QByteArray& sql : statements) {
            sqlite3_stmt* statement = nullptr;
            if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) != SQLITE_OK)
                break;
            const int columns = sqlite3_column_count(statement);
            while (sqlite3_step(statement) == SQLITE_ROW)
                for (int c = 0; c < columns; ++c)
                    switch (sqlite3_column_type(statement, c)) {
                    case SQLITE_INTEGER:
                        sum += sqlite3_column_int64(statement, c);
                        break;
                    case SQLITE_FLOAT:
                        sum += qint64(sqlite3_column_double(statement, c));
                        break;
                    case SQLITE_TEXT:
                        sum += sqlite3_column_bytes(statement, c) + *sqlite3_column_text(statement, c);
                        break;
                    default:
                        break;
                    }
            sqlite3_finalize(statement);
        }
    });
    sqlite3_close(db);
    return sum == -1 ? 0 : ms; // the sum keeps the reads
}

long peakMemoryKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

qint64 memoryStatusKb(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

bool resetPeakMemory()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

double medianMs(int runs, const std::function<void()>& f)
{
    std::vector<double> times;
    for (int n = 0; n < std::max(1, runs); ++n) {
        QElapsedTimer timer;
        timer.start();
        f();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return median(std::move(times));
}

void measureOnce(std::vector<double>& wallMs, std::vector<double>& cpuMs, const std::function<void()>& f)
{
    timespec start{}, end{};
    QElapsedTimer timer;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    timer.start();
    f();
    wallMs.push_back(timer.nsecsElapsed() / 1e6);
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
    cpuMs.push_back((end.tv_sec - start.tv_sec) * 1e3 + (end.tv_nsec - start.tv_nsec) / 1e6);
}
