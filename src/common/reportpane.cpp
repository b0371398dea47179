#include "reportpane.h"

#include "common/appsetup.h"
#include "common/hrmsgbox.h"
#include "common/richtextprint.h"

#include <QTextCursor>
#include <QTextDocument>

#include <utility>

namespace {
constexpr int OneInchTw = 1440;
}

ReportPane::ReportPane(QWidget* parent) : QPlainTextEdit(parent)
{
    setFont(AppSetup::fixedFont(9));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setUndoRedoEnabled(false);
}

void ReportPane::setReport(const QStringList& lines)
{
    // A text block per line makes a large report slow to set and heavy to hold: lines go sixteen to a block.
    JoinedReport report;
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 1;
    report.reserve(size);
    for (const QString& line : lines)
        report.append(line);
    setReport(std::move(report));
}

void ReportPane::setReport(JoinedReport&& report)
{
    // Part by part, each let go once the pane holds it.
    QStringList parts = report.takeParts();
    setPlainText(parts.isEmpty() ? QString() : std::exchange(parts.first(), QString()));
    if (parts.size() < 2)
        return;
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    for (qsizetype i = 1; i < parts.size(); ++i)
        end.insertText(std::exchange(parts[i], QString()));
    document()->setModified(false);
}

void ReportPane::clearReport()
{
    clear();
}

bool ReportPane::isEmpty() const
{
    return document()->isEmpty();
}

void PrintQuestion(ReportPane* pane, const QString& prompt, const QString& title)
{
    if (pane->isEmpty())
        return;
    if (HrMsgBox(prompt, 36, title) != MsgYes)
        return;
    const QTextCursor cursor = pane->textCursor();
    if (cursor.hasSelection())
        PrintRichText(pane->document(), OneInchTw, OneInchTw, OneInchTw, OneInchTw, cursor.selectionStart(),
                      cursor.selectionEnd() - cursor.selectionStart());
    else
        PrintRichText(pane->document(), OneInchTw, OneInchTw, OneInchTw, OneInchTw, 0, -1);
}

void ReportErrTail(const QString& description)
{
    if (!description.isEmpty())
        HrMsgBox(description, 0, QString());
}
