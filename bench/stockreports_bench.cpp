// Times each stock report on the big book: the loader and the builder together.
#include "reportbenches.h"

#include "bigbook.h"
#include "core/db/database.h"
#include "core/reports/partnerlist.h"
#include "core/reports/stockcard.h"
#include "core/reports/stocklist.h"

#include <QFile>

#include <cstdio>
#include <ctime>

namespace {

// The median wall time of the runs and their mean processor time, both in ms: on a busy machine the processor time
// says what the report itself costs.
struct Timing
{
    double wallMs = 0;
    double cpuMs = 0;
};

Timing timed(int runs, const std::function<void()>& f)
{
    const std::clock_t start = std::clock();
    Timing t;
    t.wallMs = medianMs(runs, f);
    t.cpuMs = double(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC / runs;
    return t;
}

qint64 textSize(const QStringList& lines)
{
    qint64 size = 0;
    for (const QString& line : lines)
        size += line.size() + 1;
    return size;
}

void report(const char* name, Timing t, const QStringList& lines, double aimMs)
{
    std::printf("  %-34s %8.1f ms (cpu %8.1f ms) %8lld lines %6.1f MB%s\n", name, t.wallMs, t.cpuMs,
                qlonglong(lines.size()), textSize(lines) / 1e6, aimMs > 0 && t.wallMs > aimMs ? "   ABOVE AIM" : "");
}

double loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().split(' ').value(0).toDouble() : 0.0;
}

void timeOneCard(const char* name, const QString& book, qint64 id)
{
    QStringList text;
    const Timing t = timed(21, [&] {
        const StockCardData card = StockCards::oneCard(book, id);
        text = buildStockCard(card.articles.first(), card.lines.value(id));
    });
    report(name, t, text, 20);
}

void timeList(const char* name, const QString& book, StockSelection which)
{
    QStringList text;
    const Timing t = timed(5, [&] { text = buildStockList(StockReports::selection(book, which)); });
    report(name, t, text, 300);
}

void timeCards(const char* name, const QString& book, StockSelection which)
{
    QStringList text;
    const Timing t = timed(3, [&] { text = buildStockCards(StockCards::selectionCards(book, which)); });
    report(name, t, text, 0);
    std::printf("  %-34s %8.0f card lines per second\n", "", text.size() / (t.wallMs / 1000.0));
}

void timePartners(const char* name, const QString& book, PartnerListKind kind)
{
    QStringList text;
    const Timing t =
        timed(5, [&] { text = buildPartnerList(kind, QDate::currentDate(), PartnerLists::partners(book, kind)); });
    report(name, t, text, 300);
}

} // namespace

void benchStockReports(const QString& book)
{
    std::printf("stock reports (loader + builder: median wall time, mean processor time; load average %.1f):\n",
                loadAverage());
    timeList("stock list, all articles", book, StockSelection::All);
    timeList("stock list, zero stock", book, StockSelection::ZeroStock);
    timeList("stock list, below minimum", book, StockSelection::BelowMinimum);
    QStringList text;
    const Timing one = timed(21, [&] { text = buildStockList(StockReports::oneArticle(book, 10001)); });
    report("stock list, one article", one, text, 20);
    for (const bool byCode : {false, true}) {
        QList<ArticleChoice> choices;
        const Timing t = timed(5, [&] { choices = StockReports::articleChoices(book, byCode); });
        std::printf("  %-34s %8.1f ms (cpu %8.1f ms) %8lld entries\n",
                    byCode ? "article chooser, by code" : "article chooser, by name", t.wallMs, t.cpuMs,
                    qlonglong(choices.size()));
    }

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

    timeCards("stock cards, all articles", book, StockSelection::All);
    {
        const Timing loader = timed(5, [&] { StockCards::selectionCards(book, StockSelection::All); });
        const double bare =
            bareReadMs(book,
                       {"select id, sifra, naziv, barkod, jedmjere, minkolicina, stanje, vrijednost, proscijena "
                        "from artikli order by id",
                        "select u.idartikla, p.pi, p.brojpi, u.kolicina, u.cijena from ulazizlaz u left join pi p on "
                        "p.id = u.idpi order by u.id"},
                       5);
        std::printf("  %-34s %8.1f ms (cpu %8.1f ms); bare read of its rows %.1f ms: %.2fx (aim 2x)%s\n",
                    "stock cards, all articles, loader", loader.wallMs, loader.cpuMs, bare, loader.wallMs / bare,
                    loader.wallMs > 2 * bare ? "   ABOVE AIM" : "");
    }
    timeCards("stock cards, below minimum", book, StockSelection::BelowMinimum);
    timePartners("customer list", book, PartnerListKind::Customers);
    timePartners("supplier list", book, PartnerListKind::Suppliers);
}
