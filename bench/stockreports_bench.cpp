// Times each stock report on the big book: the loader and the builder together.
#include "reportbenches.h"

#include "bigbook.h"
#include "core/db/database.h"
#include "core/reports/partnerlist.h"
#include "core/reports/stockcard.h"
#include "core/reports/stocklist.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

qint64 textSize(const QStringList& lines)
{
    qint64 size = 0;
    for (const QString& line : lines)
        size += line.size() + 1;
    return size;
}

void report(const char* name, double ms, const QStringList& lines, double aimMs)
{
    std::printf("  %-34s %9.1f ms  %8lld lines  %6.1f MB%s\n", name, ms, qlonglong(lines.size()), textSize(lines) / 1e6,
                aimMs > 0 && ms > aimMs ? "   ABOVE AIM" : "");
}

} // namespace

double loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().split(' ').value(0).toDouble() : 0.0;
}

void timeOneCard(const char* name, const QString& book, qint64 id)
{
    QStringList text;
    const double ms = medianMs(21, [&] {
        const QList<StockListRow> rows = StockReports::oneArticle(book, id);
        text = buildStockCard(rows.first(), StockCards::lines(book, id));
    });
    report(name, ms, text, 20);
}

void benchStockReports(const QString& book)
{
    std::printf("stock reports (median of runs, loader + builder; load average %.1f):\n", loadAverage());
    QStringList text;

    double ms = medianMs(5, [&] { text = buildStockList(StockReports::selection(book, StockSelection::All)); });
    report("stock list, all articles", ms, text, 300);
    ms = medianMs(5, [&] { text = buildStockList(StockReports::selection(book, StockSelection::ZeroStock)); });
    report("stock list, zero stock", ms, text, 300);
    ms = medianMs(5, [&] { text = buildStockList(StockReports::selection(book, StockSelection::BelowMinimum)); });
    report("stock list, below minimum", ms, text, 300);
    ms = medianMs(21, [&] { text = buildStockList(StockReports::oneArticle(book, 10001)); });
    report("stock list, one article", ms, text, 20);

    // The article with the most lines.
    qint64 busiest = 0;
    {
        Database db = Database::open(book);
        busiest = db.scalar(QStringLiteral("select cast(idartikla as integer) from ulazizlaz group by idartikla "
                                           "order by count(*) desc limit 1"))
                      .toLongLong();
    }
    timeOneCard("stock card, busiest article", book, busiest);
    timeOneCard("stock card, one article", book, 10001);
    {
        // The same on a copy of the book with an index on the lines' article id as a number.
        QTemporaryDir dir;
        const QString copy = QDir(dir.path()).filePath(QStringLiteral("Skladiste1.mdb"));
        QFile::copy(book, copy);
        Database db = Database::open(copy);
        db.exec(QStringLiteral("create index ulazizlaz_article on ulazizlaz(cast(idartikla as integer), id)"));
        timeOneCard("stock card, busiest, indexed", copy, busiest);
        timeOneCard("stock card, one article, indexed", copy, 10001);
    }

    ms = medianMs(3, [&] {
        const QList<StockListRow> articles = StockReports::selection(book, StockSelection::All);
        text = buildStockCards(articles, StockCards::allLines(book));
    });
    report("stock cards, all articles", ms, text, 0);
    std::printf("  %-34s %9.0f card lines per second\n", "", text.size() / (ms / 1000.0));
    ms = medianMs(3, [&] {
        const QList<StockListRow> articles = StockReports::selection(book, StockSelection::BelowMinimum);
        text = buildStockCards(articles, StockCards::allLines(book));
    });
    report("stock cards, below minimum", ms, text, 0);

    ms = medianMs(5, [&] {
        text = buildPartnerList(PartnerListKind::Customers, QDate::currentDate(),
                                PartnerLists::partners(book, PartnerListKind::Customers));
    });
    report("customer list", ms, text, 300);
    ms = medianMs(5, [&] {
        text = buildPartnerList(PartnerListKind::Suppliers, QDate::currentDate(),
                                PartnerLists::partners(book, PartnerListKind::Suppliers));
    });
    report("supplier list", ms, text, 300);
}
