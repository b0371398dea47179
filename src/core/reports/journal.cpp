#include "journal.h"

#include "core/db/database.h"
#include "core/text/datetext.h"
#include "core/text/figure.h"

#include <QHash>

#include <cmath>

namespace {

// Keeps each distinct text once.
class TextPool
{
public:
    explicit TextPool(QStringList& texts) : m_texts(texts)
    {
        for (int i = 0; i < m_texts.size(); ++i)
            m_index.insert(m_texts.at(i), quint32(i));
    }
    quint32 add(const QString& text)
    {
        auto it = m_index.constFind(text);
        if (it != m_index.constEnd())
            return it.value();
        const auto index = quint32(m_texts.size());
        m_texts.append(text);
        m_index.insert(text, index);
        return index;
    }

private:
    QStringList& m_texts;
    QHash<QString, quint32> m_index;
};

// What a line takes from its header.
struct HeaderCells
{
    qint32 day = 0;
    quint32 date = 0;
    quint32 letter = 0;
    quint32 docKind = 0;
    quint32 docNumber = 0;
    quint32 docDate = 0;
    bool receipt = false;
};

// A stored price in ten-thousandths, the finest a price keeps.
qint64 storedPrice(double value)
{
    return std::isfinite(value) ? std::llround(value * 10000) : 0;
}

// A stored date as the short date, or as it stands when it is not a date.
QString storedDateText(const QString& stored)
{
    const QDate date = DateText::fromIso(stored);
    return date.isValid() ? DateText::toShort(date) : stored;
}

} // namespace

const QStringList& JournalHeaders()
{
    static const QStringList headers = {
        QStringLiteral("Dat.primke"), QStringLiteral("Naziv artikla"), QStringLiteral("V"),
        QStringLiteral("Dokument"),   QStringLiteral("Br.dok"),        QStringLiteral("Datum dok."),
        QStringLiteral("Kol.ulaz"),   QStringLiteral("Kol.izlaz"),     QStringLiteral("Cijena"),
        QStringLiteral("Duguje"),     QStringLiteral("Potražuje")};
    return headers;
}

bool JournalColumnIsNumber(int column)
{
    return column == JournalColumn::DocNumber || column >= JournalColumn::QuantityIn;
}

namespace {

QString figureText(qint64 hundredths)
{
    return Figure::fromCents(hundredths).shortText();
}

} // namespace

QString JournalBook::cell(const JournalLine& line, int column) const
{
    switch (column) {
    case JournalColumn::Date:
        return text(line.date);
    case JournalColumn::Article:
        return text(line.article);
    case JournalColumn::Kind:
        return text(line.letter);
    case JournalColumn::DocKind:
        return line.receipt ? text(line.docKind) : QString();
    case JournalColumn::DocNumber:
        return line.receipt ? text(line.docNumber) : QString();
    case JournalColumn::DocDate:
        return line.receipt ? text(line.docDate) : QString();
    case JournalColumn::QuantityIn:
        return line.receipt ? figureText(line.quantity) : QString();
    case JournalColumn::QuantityOut:
        return line.receipt ? QString() : figureText(line.quantity);
    case JournalColumn::Price:
        return priceText(line.price);
    case JournalColumn::Debit:
        return line.receipt ? figureText(line.amount) : QString();
    case JournalColumn::Credit:
        return line.receipt ? QString() : figureText(line.amount);
    default:
        return QString();
    }
}

JournalBook LoadJournal(const QString& bookPath)
{
    JournalBook book;
    TextPool pool(book.texts);
    const quint32 zero = pool.add(QStringLiteral("0"));
    QHash<qint64, quint32> articleNames;
    QHash<qint64, HeaderCells> headers;

    Database db = Database::open(bookPath);
    const qint64 lineCount = db.scalar(QStringLiteral("select count(*) from ulazizlaz")).toLongLong();
    book.lines.reserve(int(lineCount));
    // The largest view of a book: read straight from the engine, taking the texts of an article or a header
    // only the first time a line names it.
    PreparedQuery query(db,
                        QStringLiteral("select u.kolicina, u.cijena, a.id, a.naziv, p.id, p.pi, p.datumpi, d.dokument, "
                                       "p.brojdok, p.datumdok from ulazizlaz u "
                                       "left join artikli a on a.id = u.idartikla "
                                       "left join pi p on p.id = u.idpi "
                                       "left join dokumenti d on d.id = p.dokument "
                                       "order by u.id"));
    enum
    {
        Quantity,
        Price,
        ArticleId,
        ArticleName,
        HeaderId,
        Letter,
        Date,
        KindName,
        DocNumber,
        DocDate
    };
    query.exec({});
    while (query.next()) {
        JournalLine line;
        line.quantity = Figure::fromDouble(query.real(Quantity)).cents();
        line.price = storedPrice(query.real(Price));
        line.amount = Figure::lineAmount(Figure::fromCents(line.quantity), line.price).cents();

        if (!query.isNull(ArticleId)) {
            const qint64 id = query.integer(ArticleId);
            auto it = articleNames.constFind(id);
            if (it == articleNames.constEnd())
                it = articleNames.insert(id, pool.add(query.text(ArticleName)));
            line.article = it.value();
        }

        if (!query.isNull(HeaderId)) {
            const qint64 id = query.integer(HeaderId);
            auto it = headers.constFind(id);
            if (it == headers.constEnd()) {
                HeaderCells h;
                const QString letter = query.text(Letter);
                h.letter = pool.add(letter);
                h.receipt = letter == QLatin1String("P");
                const QDate date = DateText::fromIso(query.text(Date));
                if (date.isValid()) {
                    h.day = qint32(date.toJulianDay());
                    h.date = pool.add(DateText::toShort(date));
                }
                // A kind that is Null or names no row of dokumenti reads "0"; so do a Null number and date.
                h.docKind = query.isNull(KindName) ? zero : pool.add(query.text(KindName));
                h.docNumber = query.isNull(DocNumber) ? zero : pool.add(query.text(DocNumber));
                h.docDate = query.isNull(DocDate) ? zero : pool.add(storedDateText(query.text(DocDate)));
                it = headers.insert(id, h);
            }
            const HeaderCells& h = it.value();
            line.day = h.day;
            line.date = h.date;
            line.letter = h.letter;
            line.docKind = h.docKind;
            line.docNumber = h.docNumber;
            line.docDate = h.docDate;
            line.receipt = h.receipt;
        }
        book.lines.append(line);
    }
    query.finish();
    return book;
}

QVector<int> JournalRowsBetween(const JournalBook& book, const QVector<int>& rows, const QDate& from, const QDate& to)
{
    QVector<int> inRange;
    if (!from.isValid() || !to.isValid() || from > to)
        return inRange;
    const qint64 first = from.toJulianDay();
    const qint64 last = to.toJulianDay();
    for (int row : rows) {
        const JournalLine& line = book.lines.at(row);
        if (line.hasDate() && first <= line.day && line.day <= last)
            inRange.append(row);
    }
    return inRange;
}
