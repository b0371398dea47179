#pragma once

#include "core/text/figure.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>

// Fixed-width report text: every report is a list of lines (no line ends) in columns counted in characters.
namespace ReportText {

// Width of every report but the journal's, and of the journal's text report.
inline constexpr int ReportWidth = 83;
inline constexpr int JournalReportWidth = 130;

} // namespace ReportText

// A left-aligned column of width characters. A text of width or more characters is returned whole: the line grows.
QString PadRightTo(const QString& text, int width);
// A right-aligned column of width characters; the same rule for a longer text.
QString PadLeftTo(const QString& text, int width);
// The figure in the "0,00" form right-aligned in twelve characters; a longer text stays whole.
QString MoneyColumn12(Figure value);
// A missing value gives empty text (the line is kept).
QString MoneyColumn12(const std::optional<Figure>& value);
// A line of length copies of ch.
QString ReportRule(int length, QChar ch);
// The first width characters of text, never splitting a surrogate pair (the explicit cut some columns make).
QString CutTo(const QString& text, int width);

// Report lines joined the way the report pane holds them: sixteen lines a block, the lines of a block joined by
// line separators, which read back as line breaks and count as one character each like them. A large report is
// written straight into it, without a list of its lines beside it, in parts of whole blocks that the pane takes one
// by one, letting each go once it holds it: the report is never held twice over.
class JoinedReport
{
public:
    static constexpr int LinesPerBlock = 16;
    // Characters of a part (a little more to end its block); in bytes above the size the C library always gives
    // back to the system when freed.
    static constexpr qsizetype PartSize = 20 * 1024 * 1024;

    explicit JoinedReport(qsizetype partSize = PartSize) : m_partSize(partSize) {}

    // Room for a report of about this many characters.
    void reserve(qsizetype characters);
    void append(const QString& line);
    qsizetype lineCount() const { return m_lines; }
    // The joined text in its parts, in order (the second and later start with their line break); the report is
    // empty afterwards.
    QStringList takeParts();

private:
    QStringList m_parts;
    QString m_text;
    qsizetype m_lines = 0;
    qsizetype m_partSize;
};
