#pragma once

#include "core/reports/journal.h"
#include "core/text/reporttext.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// The journal written as 130-column text, and its printout page by page. The printout's rows are the text
// report's lines behind a margin, under the same title.

enum class JournalSelection
{
    Whole,    // "Cijeli dnevnik": every row of the journal
    Selected, // "Izbor": the rows the user selected
    DateRange // "Po datumu": the rows of the date range
};

// The report's title; from and to are used by the date range only.
QString JournalTitle(JournalSelection selection, const QDate& today, const QDate& from = QDate(),
                     const QDate& to = QDate());
// The column header (129 characters) and the rule under it (130).
QString JournalHeaderLine();
QString JournalRuleLine();

// Which lines a JournalLineWriter writes. The text report writes an empty date or kind letter as nothing at all;
// the printout keeps every column's width, blanks where a cell is empty.
enum class JournalLayout
{
    Report,
    Printout
};

// Writes the rows of a journal as report lines: 118 characters for a receipt, 129 for an issue note when every
// value fits its column. The columns of a text are made once for the whole report.
class JournalLineWriter
{
public:
    explicit JournalLineWriter(const JournalBook& book, JournalLayout layout = JournalLayout::Report);
    QString line(const JournalLine& row);

private:
    const QString& column(QVector<QString>& cache, quint32 text, int kind);
    // A figure in hundredths right-aligned in ten characters; quantities and prices repeat, so they are kept.
    const QString& figureColumn(QHash<qint64, QString>& cache, qint64 hundredths);
    // A date column: nothing for an empty date in the text report.
    void appendDate(QString& text, quint32 date);
    const JournalBook& m_book;
    JournalLayout m_layout;
    QVector<QString> m_names, m_kinds, m_numbers, m_dates;
    QHash<qint64, QString> m_quantities, m_prices;
};

// The whole text report: the title, an empty line, the header, the rule, then one line per row. rows are
// positions into book.lines in the order the list shows them.
QStringList BuildJournalReport(const JournalBook& book, const QVector<int>& rows, const QString& title);
// The same report joined for the pane, without the list of its lines.
JoinedReport JoinJournalReport(const JournalBook& book, const QVector<int>& rows, const QString& title);

// The printout's layout.
namespace JournalPrint {

inline constexpr int RowsPerPage = 50;
// Lines of a full page: the head (7), the rows and the foot (2).
inline constexpr int LinesPerPage = 7 + RowsPerPage + 2;
inline constexpr int Margin = 12;

// The pages announced before printing.
inline int pageCount(int rows)
{
    return rows / RowsPerPage + 1;
}

// Where the printed lines go.
struct Sink
{
    std::function<void(const QString&)> line;
    std::function<void()> newPage; // before every page but the first
};

// Writes the printout: each page starts with its head (three empty lines, the title with the page number, an
// empty line, the header, the rule); after 50 rows a page ends with its foot (an empty line and the page number)
// and the next page begins, so a count of rows divisible by 50 ends with a page holding its head only.
void write(const QString& title, int rowCount, const std::function<QString(int)>& rowLine, const Sink& sink);

} // namespace JournalPrint
