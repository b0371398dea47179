// Times the journal window on a large warehouse book: opening (the load), a month's date filter, the whole text
// report shown in the pane; then the program's peak memory. Argument: a book file (else the cached big book).
#include "bigbook.h"
#include "common/appsetup.h"
#include "common/reportpane.h"
#include "core/db/appstate.h"
#include "core/db/programfolder.h"
#include "journal/frmpregleddnevnika.h"
#include "journal/journallistmodel.h"

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>

#include <cstdio>

namespace {

double elapsedMs(const std::function<void()>& f)
{
    QElapsedTimer timer;
    timer.start();
    f();
    QApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    AppSetup::init();
    const QString book = argc > 1 ? QString::fromLocal8Bit(argv[1]) : bigWarehouseBook();
    if (book.isEmpty()) {
        std::printf("no benchmark book\n");
        return 1;
    }
    ProgramFolder::setPath(QFileInfo(book).absolutePath());
    AppState::bazaknjige = QFileInfo(book).fileName();

    frmpregleddnevnika* window = nullptr;
    const double open = elapsedMs([&] {
        window = frmpregleddnevnika::instance();
        window->show();
    });
    const int rows = window->journalModel()->rowCount();
    const qint64 afterOpen = memoryStatusKb("VmRSS:");

    const double sort = elapsedMs([&] { window->journalModel()->sort(JournalColumn::Article); });

    window->optdatumu->click();
    QDate first = QDate::currentDate();
    const JournalBook& journal = *window->journalModel()->book();
    for (const JournalLine& line : journal.lines)
        if (line.hasDate() && line.day < first.toJulianDay())
            first = QDate::fromJulianDay(line.day);
    const QDate from(first.year(), first.month(), 1);
    window->dtpdo->setDate(from.addMonths(1).addDays(-1));
    const double filter = elapsedMs([&] { window->dtpod->setDate(from); });
    const int monthRows = window->rangeModel()->rowCount();

    window->optsve->click();
    // The report's own peak: the peak is reset to what the process holds now (clear_refs), then read after it.
    const qint64 before = memoryStatusKb("VmRSS:");
    const bool reset = resetPeakMemory();
    const double firstShown = elapsedMs([&] { window->cmdprikazart->click(); });
    const qint64 reportPeak = memoryStatusKb("VmHWM:") - before;
    // The pane holds sixteen lines a block, joined by line separators.
    qint64 reportLines = 0;
    for (QTextBlock block = window->rtfdnevnik->document()->begin(); block.isValid(); block = block.next())
        reportLines += block.text().count(QChar::LineSeparator) + 1;
    const double report = median({firstShown, elapsedMs([&] { window->cmdprikazart->click(); }),
                                  elapsedMs([&] { window->cmdprikazart->click(); })});

    std::printf("journal window: opened with %d rows in %.0f ms; sorted by name in %.0f ms; a month (%d rows) filtered "
                "in %.0f ms; memory with the list open %lld kB\n",
                rows, open, sort, monthRows, filter, afterOpen);
    std::printf("journal window: whole report (%lld lines) shown in %.0f ms, median of 3 (aim 2000 ms)%s\n",
                reportLines, report, report > 2000 ? "   ABOVE AIM" : "");
    if (reset)
        std::printf("journal window: the report's peak memory %lld MB, %.0f bytes a line (aim 500)%s\n",
                    reportPeak / 1024, reportPeak * 1024.0 / reportLines,
                    reportPeak * 1024.0 / reportLines > 500 ? "   ABOVE AIM" : "");
    std::printf("journal window: memory with the report %lld kB; peak of the process %ld MB (getrusage)\n",
                memoryStatusKb("VmRSS:"), peakMemoryKb() / 1024);
    frmpregleddnevnika::unload();
    return 0;
}
