#include "richtextprint.h"

#include "hrmsgbox.h"
#include "printing.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <cmath>
#include <memory>

namespace {

constexpr double TwipsPerInch = 1440.0;

// One laid-out line of the document: where it stands and what it says.
struct LaidOutLine
{
    double top;
    double bottom;
    QString text;
};

// The pane's text cut to the range, as a document of its own (the pane stays as it is).
std::unique_ptr<QTextDocument> rangeOf(const QTextDocument* source, int firstChar, int charCount)
{
    std::unique_ptr<QTextDocument> doc(source->clone());
    doc->setDefaultFont(source->defaultFont());
    const int length = doc->characterCount() - 1;
    const int start = qBound(0, firstChar, length);
    const int end = charCount < 0 ? length : qBound(start, firstChar + charCount, length);
    QTextCursor cursor(doc.get());
    cursor.setPosition(end);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.setPosition(0);
    cursor.setPosition(start, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    return doc;
}

QList<LaidOutLine> linesOf(QTextDocument& doc)
{
    QList<LaidOutLine> lines;
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* blockLayout = block.layout();
        const double blockTop = layout->blockBoundingRect(block).top();
        for (int i = 0; i < blockLayout->lineCount(); ++i) {
            const QTextLine line = blockLayout->lineAt(i);
            QString text = block.text().mid(line.textStart(), line.textLength());
            if (text.endsWith(QChar::LineSeparator))
                text.chop(1);
            lines.append({blockTop + line.y(), blockTop + line.y() + line.height(), text});
        }
    }
    return lines;
}

} // namespace

void PrintRichText(QTextEdit* pane, int leftTw, int topTw, int rightTw, int bottomTw, int firstChar, int charCount)
{
    PrintRichText(pane->document(), leftTw, topTw, rightTw, bottomTw, firstChar, charCount);
}

void PrintRichText(const QTextDocument* source, int leftTw, int topTw, int rightTw, int bottomTw, int firstChar,
                   int charCount)
{
    std::unique_ptr<QPrinter> printer = Printing::acquirePrinter();
    if (!printer)
        return;
    printer->setFullPage(true); // the painter's origin is the paper's corner, so margins count from the edge

    const QRectF paper = printer->paperRect(QPrinter::DevicePixel);
    const double dpiX = printer->logicalDpiX();
    const double dpiY = printer->logicalDpiY();
    const QRectF body(std::round(leftTw * dpiX / TwipsPerInch), std::round(topTw * dpiY / TwipsPerInch),
                      paper.width() - std::round((leftTw + rightTw) * dpiX / TwipsPerInch),
                      paper.height() - std::round((topTw + bottomTw) * dpiY / TwipsPerInch));

    std::unique_ptr<QTextDocument> doc = rangeOf(source, firstChar, charCount);
    doc->documentLayout()->setPaintDevice(printer.get());
    doc->setDocumentMargin(0);
    QTextOption option = doc->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    doc->setDefaultTextOption(option);
    doc->setPageSize(body.size());
    const QList<LaidOutLine> lines = linesOf(*doc);

    QPainter painter;
    if (!Printing::beginPainting(painter, printer.get())) {
        return;
    }
    const double pageHeight = body.height();
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    qsizetype next = 0; // the first line not printed yet; lines come in the order they stand
    for (int page = 0;; ++page) {
        const double pageTop = page * pageHeight;
        const double pageBottom = pageTop + pageHeight;
        if (page > 0)
            printer->newPage();
        Printing::recordNewPage();
        painter.save();
        painter.translate(body.left(), body.top() - pageTop);
        context.clip = QRectF(0, pageTop, body.width(), pageHeight);
        painter.setClipRect(context.clip);
        doc->documentLayout()->draw(&painter, context);
        painter.restore();

        // A page makes progress when a line starts on it, or a line taller than a page goes on over it.
        bool progress = next > 0 && lines.at(next - 1).bottom > pageTop;
        for (; next < lines.size() && lines.at(next).top < pageBottom; ++next) {
            Printing::recordLine(lines.at(next).text);
            progress = true;
        }
        if (next >= lines.size() || !progress)
            break;
    }
    painter.end();
}
