// Times the report pane taking a large report: the cards of every article of the big book, cut to 20 MB and whole.
// Links the user-interface library; runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "bigbook.h"

#include "common/reportpane.h"
#include "core/reports/stockcard.h"
#include "core/reports/stocklist.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace {

// Lines from the start of the report up to about size characters.
QStringList firstCharacters(const QStringList& lines, qint64 size)
{
    QStringList cut;
    qint64 total = 0;
    for (const QString& line : lines) {
        if (total >= size)
            break;
        cut << line;
        total += line.size() + 1;
    }
    return cut;
}

void timePane(const char* name, const QStringList& lines)
{
    ReportPane pane;
    pane.resize(627, 308);
    pane.show();
    QApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    pane.setReport(lines);
    const double set = timer.nsecsElapsed() / 1e6;
    QApplication::processEvents(); // the first paint
    const double shown = timer.nsecsElapsed() / 1e6;
    pane.moveCursor(QTextCursor::End);
    QApplication::processEvents();
    const double end = timer.nsecsElapsed() / 1e6;
    std::printf("  %-28s %8lld lines: set %7.0f ms, shown %7.0f ms, scrolled to the end %7.0f ms%s\n", name,
                qlonglong(lines.size()), set, shown, end, shown > 2000 ? "   ABOVE AIM" : "");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString book = bigWarehouseBook();
    if (book.isEmpty()) {
        std::printf("no benchmark book\n");
        return 1;
    }
    const QStringList cards = buildStockCards(StockCards::selectionCards(book, StockSelection::All));
    std::printf("report pane (ReportPane::setReport, then the events until it is painted):\n");
    timePane("cards, 20 MB", firstCharacters(cards, 20'000'000));
    timePane("cards, whole", cards);
    return 0;
}
