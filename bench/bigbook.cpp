#include "bigbook.h"

#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/stock/posting.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int ArticleCount = 20000;
constexpr int PartnerCount = 2000;
constexpr int DocumentCount = 20000;
constexpr int LinesPerDocument = 25; // 500 000 lines
constexpr int DocumentsPerTransaction = 500;

// Bump when the book's content changes, so that an old cached book is not reused.
const QString CachedName = QStringLiteral("Skladiste1-v2.mdb");

const QStringList Words = {
    QStringLiteral("Vijak"), QStringLiteral("Matica"),  QStringLiteral("Čavao"),   QStringLiteral("Šarafciger"),
    QStringLiteral("Žica"),  QStringLiteral("Ćelija"),  QStringLiteral("Đubrivo"), QStringLiteral("brtva"),
    QStringLiteral("Ležaj"), QStringLiteral("Opruga"),  QStringLiteral("Cijev"),   QStringLiteral("Ventil"),
    QStringLiteral("Kabel"), QStringLiteral("Sklopka"), QStringLiteral("Boja"),    QStringLiteral("Ljepilo"),
    QStringLiteral("Daska"), QStringLiteral("Pločica"), QStringLiteral("Žarulja"), QStringLiteral("Filter")};
const QStringList Places = {QStringLiteral("Zagreb"),        QStringLiteral("Split"),
                            QStringLiteral("Rijeka"),        QStringLiteral("Osijek"),
                            QStringLiteral("Velika Gorica"), QStringLiteral("Slavonski Brod")};

void fillMasterData(Database& db, std::mt19937& random)
{
    Transaction tx(db);
    PreparedQuery article(db, QStringLiteral("insert into artikli(sifra, barkod, naziv, jedmjere, minkolicina, stanje, "
                                             "vrijednost, proscijena) values(?, ?, ?, ?, ?, 0, 0, 0)"));
    std::uniform_int_distribution<int> word(0, int(Words.size()) - 1);
    std::uniform_int_distribution<int> minimum(0, 50);
    for (int n = 1; n <= ArticleCount; ++n) {
        const QString name = QStringLiteral("%1 %2 %3").arg(Words[word(random)], Words[word(random)]).arg(n);
        article.exec({QStringLiteral("A%1").arg(n, 5, 10, QLatin1Char('0')),
                      QStringLiteral("385%1").arg(n, 10, 10, QLatin1Char('0')), name,
                      n % 3 == 0 ? QStringLiteral("kg") : QStringLiteral("kom"), double(minimum(random))});
    }
    PreparedQuery partner(db, QStringLiteral("insert into kd(kd, ime, mb, ziroracun, mjesto, ulica, telefon, kontakt) "
                                             "values(?, ?, ?, ?, ?, ?, ?, ?)"));
    const QStringList kinds = {QStringLiteral("k"), QStringLiteral("D"), QStringLiteral("s"),
                               QStringLiteral("K"), QStringLiteral("d"), QStringLiteral("S")};
    for (int n = 1; n <= PartnerCount; ++n) {
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

StockDocument makeDocument(int index, int receipts, int issues, qint64 firstPartnerId, std::mt19937& random)
{
    std::uniform_int_distribution<qint64> article(1, ArticleCount);
    std::uniform_int_distribution<int> partner(0, PartnerCount / 6 - 1);
    std::uniform_int_distribution<qint64> quantity(1, 2000); // 0,01 .. 20,00
    std::uniform_int_distribution<qint64> price(1, 50000);   // 0,01 .. 500,00
    StockDocument d;
    // Receipts first in every block of ten, so that stock mostly stays above zero.
    d.receipt = index % 10 < 6;
    d.number = d.receipt ? receipts + 1 : issues + 1;
    d.date = QDate(2024, 1, 1).addDays(index * 730 / DocumentCount);
    // Partner n has kind number n % 6 of k, D, s, K, d, S: receipts come from 6m+1 (D), issues go to 6m+3 (K).
    const int m = partner(random);
    d.partnerId = firstPartnerId - 1 + 6 * m + (d.receipt ? 1 : 3);
    d.documentKindId = d.receipt ? (index % 2 == 0 ? 1 : 2) : 0;
    d.supplierDocNumber = QStringLiteral("R-%1").arg(index + 1);
    d.supplierDocDate = d.date;
    for (int n = 0; n < LinesPerDocument; ++n) {
        StockLine line;
        line.articleId = article(random);
        line.quantity = Figure::fromCents(quantity(random));
        line.price = Figure::fromCents(price(random));
        line.amount = Figure::multiply(line.quantity, line.price);
        d.lines << line;
    }
    return d;
}

void build(const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    QFile::remove(path);
    CreateBookDatabase(path, BookKindWarehouse);
    Database db = Database::open(path);
    db.exec(QStringLiteral("pragma synchronous = off"));
    std::mt19937 random(20261209);
    fillMasterData(db, random);
    const qint64 firstPartnerId =
        db.scalar(QStringLiteral("select min(id) from kd where ime = 'Partner 1 d.o.o.'")).toLongLong();
    int receipts = 0;
    int issues = 0;
    for (int first = 0; first < DocumentCount; first += DocumentsPerTransaction) {
        Transaction tx(db);
        for (int index = first; index < std::min(DocumentCount, first + DocumentsPerTransaction); ++index) {
            const StockDocument d = makeDocument(index, receipts, issues, firstPartnerId, random);
            PostStockDocument(db, d);
            (d.receipt ? receipts : issues) += 1;
        }
        tx.commit();
        std::fprintf(stderr, "\rbuilding the big book: %d / %d documents",
                     std::min(DocumentCount, first + DocumentsPerTransaction), DocumentCount);
    }
    std::fprintf(stderr, "\nbuilt in %.1f s\n", timer.elapsed() / 1000.0);
}

} // namespace

QString bigWarehouseBook()
{
    const QString folder = QDir::temp().filePath(QStringLiteral("knj-bigbook"));
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(CachedName);
    if (QFile::exists(path))
        return path;
    // Built under another name and renamed when complete: an interrupted build is never reused.
    const QString partial = path + QStringLiteral(".building");
    build(partial);
    QFile::rename(partial, path);
    return path;
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
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
