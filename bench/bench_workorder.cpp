// Times the issue of a work order whose product has 50 components spread over 5 warehouse books of 20 000 articles
// each, and the same writes run as a bare loop of SQLite statements in one transaction, and prints the medians and
// their ratio: first on books that hold only the articles, then on books that each hold the 500 000 lines of the
// cached benchmark book.
//
//   bench_workorder [runs]   (default 30)

#include "bigbook.h"
#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"
#include "core/db/registry.h"
#include "core/production/workorders.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

constexpr int BookCount = 5;
constexpr int ArticleCount = 20000;
constexpr int ComponentCount = 50;

void fillBook(const QString& path)
{
    CreateBookDatabase(path, BookKindWarehouse);
    Database db = Database::open(path);
    Transaction tx(db);
    PreparedQuery insert(db, QStringLiteral("insert into artikli(sifra, barkod, naziv, jedmjere, minkolicina, stanje, "
                                            "vrijednost, proscijena) values(?, '', ?, 'kom', 0, 100000, 1000000, 10)"));
    for (int n = 1; n <= ArticleCount; ++n)
        insert.exec({QStringLiteral("S%1").arg(n), QStringLiteral("Artikl %1").arg(n)});
    tx.commit();
}

struct Setup
{
    QString production;
    QStringList books;
    qint64 productId = 0;
};

// A warehouse book at path: the articles alone, or a copy of the filled book with its stock raised so that every
// issue of the run finds enough.
void makeBook(const QString& path, const QString& filled)
{
    if (filled.isEmpty()) {
        fillBook(path);
        return;
    }
    QFile::copy(filled, path);
    Database db = Database::open(path);
    db.exec(QStringLiteral("update artikli set stanje = stanje + 1000"));
}

Setup build(const QString& filled)
{
    Setup s;
    Registry::ensureExists();
    Registry::Company company;
    company.ime = QStringLiteral("Tvornica");
    const qint64 companyId = Registry::insertCompany(company);
    const qint64 productionId = Registry::insertBook(companyId, QStringLiteral("Pogon"), BookKindProduction, "-");
    s.production = ProgramFolder::filePath(BookFileName(BookKindProduction, productionId));
    CreateBookDatabase(s.production, BookKindProduction);
    QList<qint64> bookIds;
    for (int b = 0; b < BookCount; ++b) {
        bookIds.append(Registry::insertBook(companyId, QStringLiteral("Skladište %1").arg(b + 1), BookKindWarehouse,
                                            QStringLiteral("-")));
        s.books.append(ProgramFolder::filePath(BookFileName(BookKindWarehouse, bookIds.last())));
        makeBook(s.books.last(), filled);
    }
    Database db = Database::open(s.production);
    s.productId = db.insert(QStringLiteral("insert into proizvodi(sifra, naziv) values('P1', 'Stroj')"));
    std::mt19937 random(7);
    std::uniform_int_distribution<int> article(1, ArticleCount);
    std::uniform_int_distribution<int> cents(1, 500);
    for (int c = 0; c < ComponentCount; ++c)
        db.exec(QStringLiteral("insert into sastojci(idartikla, idproizvoda, idskladista, kolicina, cijena) "
                               "values(?, ?, ?, ?, ?)"),
                {QString::number(article(random)), QString::number(s.productId),
                 QString::number(bookIds.at(c % BookCount)), cents(random) / 100.0, cents(random) / 10.0});
    return s;
}

void check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
}

sqlite3_stmt* prepare(sqlite3* db, const QString& sql)
{
    sqlite3_stmt* st = nullptr;
    check(sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr), db);
    return st;
}

// The same writes as the issue: per book the partner, the header, each line's article read and update and the
// line; then the work order and its cost rows; one transaction over the attached books.
void bareIssue(const Setup& s, const QList<WorkOrders::RequirementLine>& lines)
{
    sqlite3* db = nullptr;
    check(sqlite3_open_v2(s.production.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr), db);
    for (int b = 0; b < BookCount; ++b) {
        sqlite3_stmt* attach = prepare(db, QStringLiteral("attach database ? as w%1").arg(b + 1));
        const QByteArray path = s.books.at(b).toUtf8();
        sqlite3_bind_text(attach, 1, path.constData(), -1, SQLITE_TRANSIENT);
        check(sqlite3_step(attach), db);
        sqlite3_finalize(attach);
    }
    check(sqlite3_exec(db, "begin", nullptr, nullptr, nullptr), db);
    for (int b = 0; b < BookCount; ++b) {
        const QString w = QStringLiteral("w%1").arg(b + 1);
        sqlite3_stmt* partner = prepare(db, QStringLiteral("select id from %1.kd where ime = 'Proizvodnja'").arg(w));
        check(sqlite3_step(partner), db);
        const sqlite3_int64 partnerId = sqlite3_column_int64(partner, 0);
        sqlite3_finalize(partner);
        sqlite3_stmt* header = prepare(
            db, QStringLiteral("insert into %1.pi(pi, brojpi, datumpi, idkd) values('I', 1, '2024-05-01', ?)").arg(w));
        sqlite3_bind_int64(header, 1, partnerId);
        check(sqlite3_step(header), db);
        const sqlite3_int64 headerId = sqlite3_last_insert_rowid(db);
        sqlite3_finalize(header);
        sqlite3_stmt* read =
            prepare(db, QStringLiteral("select stanje, vrijednost from %1.artikli where id = ?").arg(w));
        sqlite3_stmt* write =
            prepare(db, QStringLiteral("update %1.artikli set stanje = ?, vrijednost = ? where id = ?").arg(w));
        sqlite3_stmt* insert = prepare(db, QStringLiteral("insert into %1.ulazizlaz(idartikla, idpi, idkd, kolicina, "
                                                          "cijena) values(?, ?, ?, ?, ?)")
                                               .arg(w));
        for (int i = b; i < lines.size(); i += BookCount) {
            const WorkOrders::RequirementLine& line = lines.at(i);
            sqlite3_bind_int64(read, 1, line.articleId);
            check(sqlite3_step(read), db);
            const double stanje = sqlite3_column_double(read, 0) - line.quantity.toDouble();
            const double vrijednost = sqlite3_column_double(read, 1) - line.amount.toDouble();
            sqlite3_reset(read);
            sqlite3_bind_double(write, 1, stanje);
            sqlite3_bind_double(write, 2, vrijednost);
            sqlite3_bind_int64(write, 3, line.articleId);
            check(sqlite3_step(write), db);
            sqlite3_reset(write);
            const QByteArray id = QByteArray::number(line.articleId);
            sqlite3_bind_text(insert, 1, id.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int64(insert, 2, headerId);
            sqlite3_bind_int64(insert, 3, partnerId);
            sqlite3_bind_double(insert, 4, line.quantity.toDouble());
            sqlite3_bind_double(insert, 5, line.price.toDouble());
            check(sqlite3_step(insert), db);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(read);
        sqlite3_finalize(write);
        sqlite3_finalize(insert);
    }
    sqlite3_stmt* order = prepare(db, QStringLiteral("insert into main.radninalozi(brojrn, datumotv, datumzatv, "
                                                     "idproizvoda, kolicinaproizvoda, trosakmat, trosakrada, "
                                                     "trosakusluga, ostali1, ostali2, ostali3) values(1, '2024-05-01', "
                                                     "'2024-05-01', '1', 0.01, 1, 0, 0, 0, 0, 0)"));
    check(sqlite3_step(order), db);
    const QByteArray orderId = QByteArray::number(sqlite3_last_insert_rowid(db));
    sqlite3_finalize(order);
    sqlite3_stmt* cost = prepare(db, QStringLiteral("insert into main.troskovi(idrn, Nazivskladista, izdatnicabr, "
                                                    "iznos) values(?, 'Skladište', '1', ?)"));
    for (const WorkOrders::RequirementLine& line : lines) {
        sqlite3_bind_text(cost, 1, orderId.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(cost, 2, line.amount.toDouble());
        check(sqlite3_step(cost), db);
        sqlite3_reset(cost);
    }
    sqlite3_finalize(cost);
    check(sqlite3_exec(db, "commit", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

// Issues the order runs times both ways and prints the medians, of wall-clock and of processor time.
void timeIssues(const Setup& s, int runs)
{
    WorkOrders::NewOrder order;
    order.datumotv = order.datumzatv = QDate(2024, 5, 1);
    order.productId = s.productId;
    order.quantity = Figure::parse(QStringLiteral("0,01")).value();
    // Each issue takes the numbers proposed afresh, as the window does after every issue.
    const auto prepare = [&] {
        order.brojrn = WorkOrders::nextOrderNumber(s.production);
        order.lines = WorkOrders::requirement(s.production, s.productId);
        WorkOrders::rescale(order.lines, order.quantity);
        order.costs.material = WorkOrders::materialCost(order.lines);
    };

    // Warm the file cache for both.
    prepare();
    WorkOrders::issue(s.production, order);
    bareIssue(s, order.lines);

    // The two alternate, so that a busy moment of the machine weighs on both alike.
    std::vector<double> oursMs, bareMs, oursCpu, bareCpu;
    for (int r = 0; r < runs; ++r) {
        prepare();
        measureOnce(oursMs, oursCpu, [&] { WorkOrders::issue(s.production, order); });
        measureOnce(bareMs, bareCpu, [&] { bareIssue(s, order.lines); });
    }
    const double ours = median(oursMs);
    const double bare = median(bareMs);
    std::printf("  WorkOrders::issue   %8.2f ms\n", ours);
    std::printf("  bare SQLite loop    %8.2f ms\n", bare);
    std::printf("  ratio               %8.2f (aim: at most 1,5)\n", ours / bare);
    std::printf("  processor time      %8.2f ms against %.2f ms, ratio %.2f\n", median(oursCpu), median(bareCpu),
                median(oursCpu) / median(bareCpu));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    QTemporaryDir dir;
    ProgramFolder::setPath(dir.path());
    std::printf("Building %d warehouse books of %d articles ...\n", BookCount, ArticleCount);
    const Setup empty = build(QString());
    std::printf("Work order of %d components in %d books, median of %d runs:\n", ComponentCount, BookCount, runs);
    timeIssues(empty, runs);

    const QString filled = bigWarehouseBook();
    if (filled.isEmpty())
        return 1;
    const Setup busy = build(filled);
    std::printf("The same in %d books that each hold %d documents with %d lines, median of %d runs:\n", BookCount,
                BenchBookSize().documents, BenchBookSize().documents * BenchBookSize().linesPerDocument, runs);
    timeIssues(busy, runs);
    return 0;
}
