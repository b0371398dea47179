#include "bigbook.h"
#include "reportbenches.h"

#include "core/db/database.h"
#include "core/reports/reviews.h"
#include "core/reports/reviewstext.h"
#include "core/stock/posting.h"
#include "core/text/datetext.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int Runs = 7;

// The summary of the receipts or issue notes of the book's first year.
void benchYear(const QString& book, bool receipt, double aimMs = 300)
{
    QDate first;
    {
        Database db = Database::open(book);
        first = DateText::fromIso(db.scalar(QStringLiteral("select min(datumpi) from pi")).toString());
    }
    const QDate last = first.addYears(1).addDays(-1);
    qsizetype documents = 0;
    const double ms = medianMs(Runs, [&] {
        const auto found = Reviews::documentsDated(book, receipt, first, last);
        documents = ReviewsText::summary(receipt, ReviewsText::Summary::DateRange, found).size() - 2;
    });
    long long all = 0;
    {
        Database db = Database::open(book);
        all = db.scalar(QStringLiteral("select count(*) from pi")).toLongLong();
    }
    std::printf("reviews: %s summary of %s to %s (%lld documents of %lld): %.1f ms (aim %.0f ms)%s\n",
                receipt ? "receipt" : "issue-note", qPrintable(DateText::toShort(first)),
                qPrintable(DateText::toShort(last)), static_cast<long long>(documents), all, ms, aimMs,
                ms > aimMs ? "   ABOVE AIM" : "");
}

// The full listing of a receipt of 100 lines, posted into a copy of the book.
void benchListing(const QString& book)
{
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("Skladiste1.mdb"));
    if (!QFile::copy(book, copy)) {
        std::printf("reviews: cannot copy the book for the listing\n");
        return;
    }
    qint64 id = 0;
    {
        Database db = Database::open(copy);
        StockDocument d;
        d.number = db.scalar(QStringLiteral("select max(brojpi) from pi where pi = 'P'")).toLongLong() + 1;
        d.date = QDate(2026, 12, 9);
        d.partnerId = db.scalar(QStringLiteral("select min(id) from kd where kd in ('D', 'd')")).toLongLong();
        d.documentKindId = 1;
        for (int n = 1; n <= 100; ++n)
            d.lines.append({n * 7, Figure::fromCents(100 + n), Figure::fromCents(1234 + n), Figure()});
        Transaction tx(db);
        id = PostStockDocument(db, d);
        tx.commit();
    }
    qsizetype lines = 0;
    const double ms = medianMs(Runs, [&] {
        const auto document = Reviews::document(copy, true, id);
        const auto documentLines = Reviews::documentLines(copy, id);
        lines = ReviewsText::fullListing(true, document, documentLines).size();
    });
    std::printf("reviews: full listing of a 100-line receipt (%lld report lines): %.2f ms (limit 10 ms)\n",
                static_cast<long long>(lines), ms);
}

// The by-partner load of the partner with the most documents of a kind.
void benchPartner(const QString& book)
{
    qint64 partner = 0;
    qint64 count = 0;
    bool receipt = true;
    {
        Database db = Database::open(book);
        const auto row = db.selectFirst(QStringLiteral("select idkd, pi, count(*) from pi group by idkd, pi "
                                                       "order by count(*) desc, idkd limit 1"));
        if (!row) {
            std::printf("reviews: the book holds no documents\n");
            return;
        }
        partner = row->value(0).toLongLong();
        receipt = row->value(1).toString().compare(QStringLiteral("P"), Qt::CaseInsensitive) == 0;
        count = row->value(2).toLongLong();
    }
    const double ms = medianMs(Runs, [&] { Reviews::documentsOfPartner(book, receipt, partner); });
    std::printf("reviews: by-partner load of partner %lld (%lld %s): %.1f ms (limit 100 ms)\n",
                static_cast<long long>(partner), static_cast<long long>(count), receipt ? "receipts" : "issue notes",
                ms);
}

} // namespace

void benchReviews(const QString& book)
{
    benchYear(book, true);
    benchYear(book, false);
    const QString many = manyDocumentsBook();
    if (!many.isEmpty())
        benchYear(many, true, 150);
    benchListing(book);
    benchPartner(book);
}
