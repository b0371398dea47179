// Times the reports on a large warehouse book (built once and cached, see bigbook.h), and the cards of all articles
// shown in the stock-report window (offscreen unless QT_QPA_PLATFORM is set).
#include "bigbook.h"
#include "reportbenches.h"

#include "common/appsetup.h"
#include "core/db/appstate.h"
#include "core/db/programfolder.h"
#include "stockreports/frmPregledart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>

#include <cstdio>

namespace {

// The cards of all articles in the stock-report window: loader, builder and pane, until painted.
void benchCardsWindow(const QString& book)
{
    ProgramFolder::setPath(QFileInfo(book).absolutePath());
    AppState::bazaknjige = QFileInfo(book).fileName();
    frmPregledart* window = frmPregledart::instance();
    window->show();
    window->optkarticeart->click();
    window->optviseart->click();
    window->optsveart->click();
    QApplication::processEvents();
    const long before = peakMemoryKb();
    const double ms = medianMs(3, [&] {
        window->cmdprikazart->click();
        QApplication::processEvents();
    });
    std::printf("stock-report window: cards of all articles shown in %.0f ms (aim 2000 ms)%s; peak memory %ld MB "
                "(%ld MB before)\n",
                ms, ms > 2000 ? "   ABOVE AIM" : "", peakMemoryKb() / 1024, before / 1024);
    frmPregledart::unload();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AppSetup::init();
    const QString book = bigWarehouseBook();
    if (book.isEmpty()) {
        std::printf("no benchmark book\n");
        return 1;
    }
    benchStockReports(book);
    benchCardsWindow(book);
    benchReviews(book);
    benchJournal(book);
    return 0;
}
