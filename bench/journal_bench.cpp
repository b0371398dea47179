#include "bigbook.h"
#include "core/reports/journal.h"
#include "core/reports/journaltext.h"
#include "reportbenches.h"

#include <QDate>

#include <cstdio>
#include <numeric>

void benchJournal(const QString& bookPath)
{
    JournalBook book;
    const double load = medianMs(3, [&] { book = LoadJournal(bookPath); });
    QVector<int> rows(book.lines.size());
    std::iota(rows.begin(), rows.end(), 0);

    // The busiest month of the book's first year.
    QDate first;
    for (const JournalLine& line : book.lines)
        if (line.hasDate() && (!first.isValid() || line.day < first.toJulianDay()))
            first = QDate::fromJulianDay(line.day);
    const QDate from(first.year(), first.month(), 1);
    const QDate to = from.addMonths(1).addDays(-1);
    QVector<int> month;
    const double filter = medianMs(5, [&] { month = JournalRowsBetween(book, rows, from, to); });

    QStringList report;
    const double text = medianMs(3, [&] {
        report = BuildJournalReport(book, rows, JournalTitle(JournalSelection::Whole, QDate::currentDate()));
    });
    const double bare = bareReadMs(bookPath,
                                   {"select u.kolicina, u.cijena, a.id, a.naziv, p.id, p.pi, p.datumpi, d.dokument, "
                                    "p.brojdok, p.datumdok from ulazizlaz u left join artikli a on a.id = u.idartikla "
                                    "left join pi p on p.id = u.idpi left join dokumenti d on d.id = p.dokument "
                                    "order by u.id"},
                                   3);
    std::printf("journal: %lld lines loaded in %.0f ms (limit 1500 ms, with the window: bench_journalwindow); bare "
                "read of its rows %.0f ms: %.2fx\n",
                qlonglong(book.lines.size()), load, bare, load / bare);
    std::printf("journal: a month (%lld rows) filtered in %.1f ms (limit 200 ms)\n", qlonglong(month.size()), filter);
    std::printf("journal: whole text report (%lld lines) built in %.0f ms (limit 1500 ms)\n", qlonglong(report.size()),
                text);
}
