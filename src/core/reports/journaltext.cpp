#include "journaltext.h"

#include "core/text/datetext.h"
#include "core/text/figure.h"
#include "core/text/reporttext.h"

namespace {

constexpr int NameWidth = 23;

QString numberText(qint64 hundredths)
{
    return Figure::fromCents(hundredths).text00();
}

// Appends count blanks (none for a count below one).
void blanks(QString& text, int count)
{
    if (count > 0)
        text.resize(text.size() + count, QLatin1Char(' '));
}

} // namespace

QString JournalTitle(JournalSelection selection, const QDate& today, const QDate& from, const QDate& to)
{
    switch (selection) {
    case JournalSelection::Whole:
        return QStringLiteral("Ispis dnevnika na dan: ") + DateText::toShort(today);
    case JournalSelection::Selected:
        return QStringLiteral("Izabrano iz dnevnika na dan: ") + DateText::toShort(today);
    case JournalSelection::DateRange:
        break;
    }
    return QStringLiteral("Ispis dijela dnevnika od: ") + DateText::toShort(from) + QStringLiteral(" do: ") +
           DateText::toShort(to) + QStringLiteral(" na dan: ") + DateText::toShort(today);
}

QString JournalHeaderLine()
{
    return QStringList{QStringLiteral("Datum.p/i "), QStringLiteral("Naziv artikla          "),
                       QStringLiteral("V"),          QStringLiteral("Dokument       "),
                       QStringLiteral("Broj.dok  "), QStringLiteral("Datum.dok "),
                       QStringLiteral("Kol.ulaz  "), QStringLiteral("Kol.izlaz "),
                       QStringLiteral("Cijena    "), QStringLiteral("Duguje    "),
                       QStringLiteral("Potražuje ")}
        .join(QLatin1Char(' '));
}

QString JournalRuleLine()
{
    return ReportRule(ReportText::JournalReportWidth, QLatin1Char('_'));
}

JournalLineWriter::JournalLineWriter(const JournalBook& book, JournalLayout layout)
    : m_book(book), m_layout(layout), m_names(book.texts.size()), m_kinds(book.texts.size()),
      m_numbers(book.texts.size()), m_dates(book.texts.size())
{
}

namespace {
enum ColumnKind
{
    NameColumn,
    KindColumn,
    NumberColumn,
    DateColumn
};
}

const QString& JournalLineWriter::column(QVector<QString>& cache, quint32 text, int kind)
{
    QString& made = cache[text];
    if (made.isEmpty()) {
        const QString& value = m_book.text(text);
        switch (kind) {
        case NameColumn: // the only column that is ever cut
            made = PadRightTo(CutTo(value.trimmed(), NameWidth), NameWidth);
            break;
        case KindColumn:
            made = PadRightTo(value.trimmed(), 15);
            break;
        case NumberColumn:
            made = PadLeftTo(value.trimmed(), 10);
            break;
        default: // a text that is not a date keeps the date's width
            made = PadRightTo(value, 10);
            break;
        }
    }
    return made;
}

const QString& JournalLineWriter::figureColumn(QHash<qint64, QString>& cache, qint64 hundredths)
{
    auto it = cache.find(hundredths);
    if (it == cache.end())
        it = cache.insert(hundredths, PadLeftTo(numberText(hundredths), 10));
    return it.value();
}

void JournalLineWriter::appendDate(QString& text, quint32 date)
{
    if (m_layout == JournalLayout::Printout || !m_book.text(date).isEmpty())
        text += column(m_dates, date, DateColumn);
}

QString JournalLineWriter::line(const JournalLine& row)
{
    const QChar blank(QLatin1Char(' '));
    QString text;
    text.reserve(row.receipt ? 118 : 129); // the length when every value fits its column
    appendDate(text, row.date);
    text += blank;
    text += column(m_names, row.article, NameColumn);
    text += blank;
    const QString& letter = m_book.text(row.letter);
    text += m_layout == JournalLayout::Printout ? PadRightTo(letter, 1) : letter;
    text += blank;
    const QString& price = figureColumn(m_prices, divideRounded(row.price, 100));
    if (row.receipt) {
        text += column(m_kinds, row.docKind, KindColumn);
        text += blank;
        text += column(m_numbers, row.docNumber, NumberColumn);
        text += blank;
        appendDate(text, row.docDate);
        text += blank;
        text += figureColumn(m_quantities, row.quantity);
        text += blank;
        blanks(text, 9 + 2); // the empty Kol.izlaz column between its blanks
        text += price;
        text += blank;
        text += PadLeftTo(numberText(row.amount), 10);
        return text;
    }
    // An issue note has no document, no document date (not even its blanks) and no Kol.ulaz; its quantity ends
    // where Kol.izlaz ends.
    blanks(text, 15 + 1 + 10 + 1 + 1 + 10 + 1);
    const QString quantity = numberText(row.quantity);
    blanks(text, 19 - int(quantity.size()));
    text += blank;
    text += quantity;
    text += blank;
    text += price;
    text += blank;
    blanks(text, 10); // the empty Duguje column
    text += blank;
    text += PadLeftTo(numberText(row.amount), 10);
    return text;
}

namespace {

// The report's lines in order, each handed to add.
template <class Add> void writeJournalReport(const JournalBook& book, const QVector<int>& rows, const QString& title,
                                             Add add)
{
    add(title);
    add(QString());
    add(JournalHeaderLine());
    add(JournalRuleLine());
    JournalLineWriter writer(book);
    for (int row : rows)
        add(writer.line(book.lines.at(row)));
}

} // namespace

QStringList BuildJournalReport(const JournalBook& book, const QVector<int>& rows, const QString& title)
{
    QStringList lines;
    lines.reserve(rows.size() + 4);
    writeJournalReport(book, rows, title, [&lines](const QString& line) { lines.append(line); });
    return lines;
}

JoinedReport JoinJournalReport(const JournalBook& book, const QVector<int>& rows, const QString& title)
{
    JoinedReport report;
    // Room for lines a little longer than the rule (long kind names): running out of it would copy the report.
    report.reserve((rows.size() + 4) * (ReportText::JournalReportWidth + 8));
    writeJournalReport(book, rows, title, [&report](const QString& line) { report.append(line); });
    return report;
}

namespace JournalPrint {

void write(const QString& title, int rowCount, const std::function<QString(int)>& rowLine, const Sink& sink)
{
    const QString margin(Margin, QLatin1Char(' '));
    const QString header = margin + JournalHeaderLine();
    const QString rule = margin + JournalRuleLine();
    int page = 1;
    const auto pageNumber = [&page] { return QLatin1Char(' ') + QString::number(page) + QLatin1Char(' '); };
    const auto head = [&] {
        for (int i = 0; i < 3; ++i)
            sink.line(QString());
        sink.line(margin + title + QStringLiteral("  Stranica br. ") + pageNumber());
        sink.line(QString());
        sink.line(header);
        sink.line(rule);
    };
    head();
    int onPage = 0;
    for (int i = 0; i < rowCount; ++i) {
        sink.line(margin + rowLine(i));
        if (++onPage == RowsPerPage) {
            sink.line(QString());
            sink.line(margin + pageNumber());
            sink.newPage();
            ++page;
            onPage = 0;
            head();
        }
    }
}

} // namespace JournalPrint
