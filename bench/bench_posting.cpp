// Times the posting of 100-line receipts and issue notes into a warehouse book of 20 000 articles, and the same
// statements run as a bare loop of prepared queries, and prints the medians and their ratio.
//
//   bench_posting [documents]   (default 50; half receipts, half issue notes)

#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/stock/posting.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int ArticleCount = 20000;
constexpr int LinesPerDocument = 100;

void fillBook(const QString& path)
{
    CreateBookDatabase(path, BookKindWarehouse);
    Database db = Database::open(path);
    Transaction tx(db);
    db.exec(QStringLiteral("insert into kd(kd, ime) values('d', 'Dobavljač d.o.o.')"));
    db.exec(QStringLiteral("insert into kd(kd, ime) values('m', 'Trgovina')"));
    db.exec(QStringLiteral("insert into dokumenti(dokument) values('Račun')"));
    PreparedQuery insert(db, QStringLiteral("insert into artikli(sifra, barkod, naziv, jedmjere, minkolicina, stanje, "
                                            "vrijednost, proscijena) values(?, ?, ?, 'kom', 0, 1000, 10000, 10)"));
    for (int n = 1; n <= ArticleCount; ++n)
        insert.exec({QStringLiteral("S%1").arg(n), QString(), QStringLiteral("Artikl %1").arg(n)});
    tx.commit();
}

StockDocument makeDocument(int index, std::mt19937& random)
{
    std::uniform_int_distribution<qint64> article(1, ArticleCount);
    std::uniform_int_distribution<qint64> quantity(1, 500); // 0,01 .. 5,00
    std::uniform_int_distribution<qint64> price(1, 100000); // 0,01 .. 1000,00
    StockDocument d;
    d.receipt = index % 2 == 0;
    d.number = index + 1;
    d.date = QDate(2024, 5, 1);
    d.partnerId = d.receipt ? 2 : 3; // after the book's own "Proizvodnja"
    d.documentKindId = 1;
    d.supplierDocNumber = QStringLiteral("R-%1").arg(index);
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

// The same statements as the posting, without its look-up rules and exact figures.
void bareLoop(const QString& path, const StockDocument& d)
{
    Database db = Database::open(path);
    Transaction tx(db);
    const QVariant partner = db.scalar(QStringLiteral("select id from kd where id = ?"), {d.partnerId});
    const qint64 header =
        d.receipt ? db.insert(QStringLiteral("insert into pi(pi, brojpi, datumpi, dokument, brojdok, datumdok, idkd) "
                                             "values(?, ?, ?, ?, ?, ?, ?)"),
                              {d.kindLetter(), d.number, QStringLiteral("2024-05-01"), QStringLiteral("1"),
                               d.supplierDocNumber, QStringLiteral("2024-05-01"), partner})
                  : db.insert(QStringLiteral("insert into pi(pi, brojpi, datumpi, idkd) values(?, ?, ?, ?)"),
                              {d.kindLetter(), d.number, QStringLiteral("2024-05-01"), partner});
    QSqlQuery read(db.connection());
    read.prepare(QStringLiteral("select stanje, vrijednost, proscijena from artikli where id = ?"));
    QSqlQuery update(db.connection());
    update.prepare(QStringLiteral("update artikli set stanje = ?, vrijednost = ?, proscijena = ? where id = ?"));
    QSqlQuery insert(db.connection());
    insert.prepare(
        QStringLiteral("insert into ulazizlaz(idartikla, idpi, idkd, kolicina, cijena) values(?, ?, ?, ?, ?)"));
    const double sign = d.receipt ? 1.0 : -1.0;
    for (const StockLine& line : d.lines) {
        read.bindValue(0, line.articleId);
        read.exec();
        read.next();
        const double stanje = read.value(0).toDouble() + sign * line.quantity.toDouble();
        const double vrijednost = read.value(1).toDouble() + sign * line.amount.toDouble();
        const double proscijena = stanje != 0.0 ? vrijednost / stanje : read.value(2).toDouble();
        read.finish();
        update.bindValue(0, stanje);
        update.bindValue(1, vrijednost);
        update.bindValue(2, proscijena);
        update.bindValue(3, line.articleId);
        update.exec();
        insert.bindValue(0, QString::number(line.articleId));
        insert.bindValue(1, header);
        insert.bindValue(2, partner);
        insert.bindValue(3, line.quantity.toDouble());
        insert.bindValue(4, line.price.toDouble());
        insert.exec();
    }
    tx.commit();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int documents = argc > 1 ? std::max(2, QString::fromLocal8Bit(argv[1]).toInt()) : 50;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Skladiste1.mdb"));
    QElapsedTimer timer;
    timer.start();
    fillBook(path);
    std::printf("book of %d articles built in %.0f ms\n", ArticleCount, timer.nsecsElapsed() / 1e6);

    std::mt19937 random(7);
    std::vector<double> posting;
    std::vector<double> bare;
    try {
        // Alternate the two so that both meet the same book and the same disk.
        for (int i = 0; i < documents; ++i) {
            const StockDocument d = makeDocument(i, random);
            timer.restart();
            PostStockDocument(path, d);
            posting.push_back(timer.nsecsElapsed() / 1e6);
            timer.restart();
            bareLoop(path, d);
            bare.push_back(timer.nsecsElapsed() / 1e6);
        }
    } catch (const DbError& e) {
        std::fprintf(stderr, "posting failed: %s\n", qPrintable(e.description()));
        return 1;
    } catch (const PostingRefused& e) {
        std::fprintf(stderr, "posting refused (%d)\n", int(e.reason()));
        return 1;
    }

    const double postingMs = median(posting);
    const double bareMs = median(bare);
    std::printf("%d documents of %d lines (receipts and issue notes)\n", documents, LinesPerDocument);
    std::printf("PostStockDocument: median %.2f ms per document, %.0f lines/s\n", postingMs,
                LinesPerDocument / (postingMs / 1000.0));
    std::printf("bare loop:         median %.2f ms per document, %.0f lines/s\n", bareMs,
                LinesPerDocument / (bareMs / 1000.0));
    std::printf("ratio posting / bare loop: %.2f\n", postingMs / bareMs);
    return 0;
}
