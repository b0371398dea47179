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
#include <QFile>
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

// A line of the process's memory status: "VmHWM:" the peak, "VmRSS:" now.
QString memory(const QByteArray& key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return QString::fromLatin1(line.mid(key.size()).trimmed());
    return QStringLiteral("?");
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
    const QString afterOpen = memory("VmRSS:");

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
    const double report = elapsedMs([&] { window->cmdprikazart->click(); });
    // The pane holds sixteen lines a block, joined by line separators.
    int reportLines = 0;
    for (QTextBlock block = window->rtfdnevnik->document()->begin(); block.isValid(); block = block.next())
        reportLines += int(block.text().count(QChar::LineSeparator)) + 1;

    std::printf("journal window: opened with %d rows in %.0f ms; sorted by name in %.0f ms; a month (%d rows) filtered "
                "in %.0f ms; "
                "whole report (%d lines) shown in %.0f ms; memory with the list open %s, with the report %s, "
                "peak %s\n",
                rows, open, sort, monthRows, filter, reportLines, report, qPrintable(afterOpen),
                qPrintable(memory("VmRSS:")), qPrintable(memory("VmHWM:")));
    frmpregleddnevnika::unload();
    return 0;
}
