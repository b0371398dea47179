#include "reviews.h"

#include "core/db/database.h"
#include "core/text/datetext.h"

#include <QHash>
#include <QSqlRecord>

#include <algorithm>
#include <utility>

namespace Reviews {

namespace {

// The kind letter as stored, in either case.
QVariantList kindLetters(bool receipt)
{
    return receipt ? QVariantList{QStringLiteral("P"), QStringLiteral("p")}
                   : QVariantList{QStringLiteral("I"), QStringLiteral("i")};
}

std::optional<Figure> figureOrNothing(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    return Figure::fromDouble(value.toDouble());
}

std::optional<Figure> figureOrNothing(const PreparedQuery& q, int column)
{
    if (q.isNull(column))
        return std::nullopt;
    return Figure::fromDouble(q.real(column));
}

// The documents of the kind that meet `condition` (on pi, aliased p), with their partner and kind names, and their
// amounts from one read of all their lines.
QList<ReviewDocument> loadDocuments(const QString& bookPath, bool receipt, const QString& condition,
                                    const QVariantList& conditionValues)
{
    Database db = Database::open(bookPath);
    const QString where = QStringLiteral(" where p.pi in (?, ?) and ") + condition;
    const QVariantList values = kindLetters(receipt) + conditionValues;

    QList<ReviewDocument> documents;
    QHash<qint64, int> indexOfId;
    QHash<qint64, QString> partnerNames;
    // Forward only and by column index: on a year of a large book the per-row cost of the read is most of the time.
    PreparedQuery headers(db, QStringLiteral("select p.id, p.brojpi, p.datumpi, p.idkd, k.ime, d.dokument, p.brojdok, "
                                             "p.datumdok from pi p left join kd k on k.id = p.idkd "
                                             "left join dokumenti d on d.id = p.dokument") +
                                  where);
    headers.exec(values);
    while (headers.next()) {
        ReviewDocument d;
        d.id = headers.integer(0);
        d.number = headers.integer(1);
        d.date = DateText::fromIso(headers.text(2));
        d.partnerId = headers.integer(3);
        // Many documents of one partner: its name is read once.
        auto name = partnerNames.constFind(d.partnerId);
        if (name == partnerNames.cend())
            name = partnerNames.insert(d.partnerId, headers.text(4));
        d.partnerName = *name;
        if (receipt) {
            d.kindName = headers.text(5);
            d.supplierDocNumber = headers.text(6);
            d.supplierDocDate = DateText::fromIso(headers.text(7));
        }
        documents.append(std::move(d));
    }
    if (documents.isEmpty())
        return documents;
    // In the order they were stored; sorted here, where the engine would sort whole rows.
    std::sort(documents.begin(), documents.end(),
              [](const ReviewDocument& a, const ReviewDocument& b) { return a.id < b.id; });
    indexOfId.reserve(documents.size());
    for (qsizetype i = 0; i < documents.size(); ++i)
        indexOfId.insert(documents[i].id, int(i));

    // The lines in any order (here document by document): an amount is a sum of line amounts in whole cents.
    PreparedQuery lines(db, QStringLiteral("select u.idpi, u.kolicina, u.cijena from pi p join ulazizlaz u on u.idpi = "
                                           "p.id") +
                                where);
    lines.exec(values);
    qint64 lastId = -1;
    ReviewDocument* current = nullptr;
    while (lines.next()) {
        const qint64 id = lines.integer(0);
        if (id != lastId) {
            lastId = id;
            const auto found = indexOfId.constFind(id);
            current = found == indexOfId.constEnd() ? nullptr : &documents[found.value()];
        }
        if (current)
            current->amount += LineAmount(figureOrNothing(lines, 1), figureOrNothing(lines, 2));
    }
    return documents;
}

} // namespace

Figure LineAmount(const std::optional<Figure>& quantity, const std::optional<Figure>& price)
{
    if (!quantity || !price)
        return Figure();
    return Figure::multiply(*quantity, *price);
}

Figure DocumentAmount(const QList<ListingLine>& lines)
{
    Figure sum;
    for (const ListingLine& line : lines)
        sum += line.amount;
    return sum;
}

QList<DocumentChoice> documents(const QString& bookPath, bool receipt)
{
    Database db = Database::open(bookPath);
    QList<DocumentChoice> choices;
    for (const QSqlRecord& r :
         db.select(QStringLiteral("select id, brojpi from pi where pi in (?, ?) order by id"), kindLetters(receipt)))
        choices.append({r.value(0).toLongLong(), r.value(1).toLongLong()});
    return choices;
}

std::optional<ReviewDocument> document(const QString& bookPath, bool receipt, qint64 id)
{
    const QList<ReviewDocument> found = loadDocuments(bookPath, receipt, QStringLiteral("p.id = ?"), {id});
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

QList<PartnerChoice> partners(const QString& bookPath, bool receipt)
{
    Database db = Database::open(bookPath);
    const QString sql =
        QStringLiteral("select id, ime from kd where %1 or %2 order by id")
            .arg(sqlEqualsIgnoringCase(QStringLiteral("kd")), sqlEqualsIgnoringCase(QStringLiteral("kd")));
    QList<PartnerChoice> choices;
    for (const QSqlRecord& r :
         db.select(sql, {receipt ? QStringLiteral("D") : QStringLiteral("K"), QStringLiteral("S")}))
        choices.append({r.value(0).toLongLong(), r.value(1).toString()});
    return choices;
}

QList<ReviewDocument> documentsOfPartner(const QString& bookPath, bool receipt, qint64 partnerId)
{
    return loadDocuments(bookPath, receipt, QStringLiteral("p.idkd = ?"), {partnerId});
}

QList<ReviewDocument> documentsDated(const QString& bookPath, bool receipt, const QDate& from, const QDate& to)
{
    if (!from.isValid() || !to.isValid() || from > to)
        return {};
    // Dates are stored as "yyyy-MM-dd"; every text of the last day sorts before it followed by U+FFFF, also on
    // 31.12.9999, whose next day has no such text.
    return loadDocuments(bookPath, receipt, QStringLiteral("p.datumpi >= ? and p.datumpi < ?"),
                         {DateText::toIso(from), DateText::toIso(to) + QChar(0xFFFF)});
}

QList<ListingLine> documentLines(const QString& bookPath, qint64 documentId)
{
    Database db = Database::open(bookPath);
    QList<ListingLine> lines;
    for (const QSqlRecord& r :
         db.select(QStringLiteral("select u.kolicina, u.cijena, a.sifra, a.naziv, a.jedmjere from ulazizlaz u "
                                  "left join artikli a on a.id = u.idartikla where u.idpi = ? order by u.id"),
                   {documentId})) {
        ListingLine line;
        line.quantity = figureOrNothing(r.value(0));
        line.price = figureOrNothing(r.value(1));
        line.sifra = r.value(2).toString();
        line.naziv = r.value(3).toString();
        line.jedmjere = r.value(4).toString();
        line.amount = LineAmount(line.quantity, line.price);
        lines.append(line);
    }
    return lines;
}

} // namespace Reviews
