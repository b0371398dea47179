#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QPainter;
class QPrinter;

// Every print takes its printer from here.
namespace Printing {

// The default printer, or nothing after the user was told "Nije pronađen zadani pisač.".
std::unique_ptr<QPrinter> acquirePrinter();

// Starts painting on the printer; tells the user and returns false when the printer cannot be opened.
bool beginPainting(QPainter& painter, QPrinter* printer);

// Where printers come from (tests put a PDF printer here); an empty factory restores the default printer.
using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;
void setPrinterFactory(PrinterFactory factory);

// What was printed, as text: one list of lines per page. Kept only while a recorder is installed.
using PrintedPages = QList<QStringList>;
void setRecorder(PrintedPages* pages);
void recordNewPage();
void recordLine(const QString& line);

} // namespace Printing
