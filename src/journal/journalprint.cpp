#include "journalprint.h"

#include "common/hrmsgbox.h"
#include "common/printing.h"
#include "core/reports/journaltext.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

void PrintJournalPages(const QString& title, int rowCount, const std::function<QString(int)>& rowLine,
                       const QString& fontFamily)
{
    std::unique_ptr<QPrinter> printer = Printing::acquirePrinter();
    if (!printer)
        return;
    printer->setPageOrientation(QPageLayout::Landscape);
    printer->setFullPage(false); // the painter's origin is the printable area's corner
    QFont font(fontFamily, 9);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);

    QPainter painter;
    if (!Printing::beginPainting(painter, printer.get()))
        return;
    painter.setFont(font);
    const QFontMetricsF metrics(font, printer.get());
    const double height = printer->pageRect(QPrinter::DevicePixel).height();
    // A full page is one sheet: the pitch shrinks when the font's own spacing would not fit the lines.
    const double pitch = qMin(metrics.lineSpacing(), height / JournalPrint::LinesPerPage);
    const double baseline = pitch * metrics.ascent() / metrics.lineSpacing();

    bool failed = false;
    int lineOnPage = 0;
    Printing::recordNewPage();
    JournalPrint::Sink sink;
    sink.line = [&](const QString& text) {
        if (!text.isEmpty())
            painter.drawText(QPointF(0, lineOnPage * pitch + baseline), text);
        Printing::recordLine(text);
        ++lineOnPage;
    };
    sink.newPage = [&] {
        if (!printer->newPage())
            failed = true;
        Printing::recordNewPage();
        lineOnPage = 0;
    };
    JournalPrint::write(title, rowCount, rowLine, sink);
    if (!painter.end())
        failed = true;
    if (failed)
        HrMsgBox(QStringLiteral("Ispis nije uspio."), 0, QString());
}
