#pragma once

#include "core/text/reporttext.h"

#include <QPlainTextEdit>
#include <QString>
#include <QStringList>

// The pane a report window shows its report in: plain text in a fixed-pitch font ("Courier New", 9 points), no
// wrapping, selectable but not editable. A report is set whole, once.
class ReportPane : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit ReportPane(QWidget* parent = nullptr);

    // Replaces the pane's text with the report's lines.
    void setReport(const QStringList& lines);
    // The same for a report already joined; its text is let go as soon as the pane holds it.
    void setReport(JoinedReport&& report);
    void clearReport();
    bool isEmpty() const;
};

// The print button of a report window: nothing on an empty pane; otherwise asks (style 36) and on "Da" prints the
// pane, or exactly its selection when text is selected, with one-inch margins.
void PrintQuestion(ReportPane* pane, const QString& prompt = QStringLiteral("Ispis na pisač?"),
                   const QString& title = QStringLiteral("Ispis!"));

// Ends a report handler that failed: the failure's description in a plain box with the application title.
void ReportErrTail(const QString& description);
