#include "printing.h"

#include "hrmsgbox.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

Printing::PrinterFactory& factory()
{
    static Printing::PrinterFactory f;
    return f;
}

Printing::PrintedPages*& recorder()
{
    static Printing::PrintedPages* pages = nullptr;
    return pages;
}

} // namespace

namespace Printing {

std::unique_ptr<QPrinter> acquirePrinter()
{
    if (factory()) {
        if (auto printer = factory()())
            return printer;
    } else {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (!info.isNull())
            return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    }
    HrMsgBox(QStringLiteral("Nije pronađen zadani pisač."), 48, QString());
    return nullptr;
}

bool beginPainting(QPainter& painter, QPrinter* printer)
{
    if (painter.begin(printer))
        return true;
    HrMsgBox(QStringLiteral("Ispis nije uspio: pisač se ne može otvoriti."), 0, QString());
    return false;
}

void setPrinterFactory(PrinterFactory f)
{
    factory() = std::move(f);
}

void setRecorder(PrintedPages* pages)
{
    recorder() = pages;
}

void recordNewPage()
{
    if (recorder())
        recorder()->append(QStringList());
}

void recordLine(const QString& line)
{
    if (!recorder())
        return;
    if (recorder()->isEmpty())
        recorder()->append(QStringList());
    recorder()->last().append(line);
}

} // namespace Printing
