#include "stocklist.h"

#include "core/db/database.h"
#include "core/text/reporttext.h"

#include <QStringBuilder>

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace {

const QString ArticleColumns = QStringLiteral(
    "select id, sifra, naziv, barkod, jedmjere, minkolicina, stanje, vrijednost, proscijena from artikli");

std::optional<Figure> figureOf(const PreparedQuery& q, int column)
{
    if (q.isNull(column))
        return std::nullopt;
    return Figure::fromDouble(q.real(column));
}

// Runs a select of ArticleColumns and reads its rows.
QList<StockListRow> readRows(Database& db, const QString& sql, std::initializer_list<QVariant> values = {})
{
    PreparedQuery q(db, sql);
    q.exec(values);
    QList<StockListRow> rows;
    while (q.next()) {
        StockListRow row;
        row.id = q.integer(0);
        row.sifra = q.text(1);
        row.naziv = q.text(2);
        row.barkod = q.text(3);
        row.jedmjere = q.text(4);
        row.minkolicina = figureOf(q, 5);
        row.stanje = figureOf(q, 6);
        row.vrijednost = figureOf(q, 7);
        row.proscijena = figureOf(q, 8);
        rows.append(row);
    }
    return rows;
}

// Rows read in id order, put in the order of "order by <name> collate hr, id": one collation key per name instead of
// two conversions at every comparison.
template <class Row, class Name> QList<Row> sortedByName(QList<Row> rows, Name name)
{
    QStringList names;
    names.reserve(rows.size());
    for (const Row& row : rows)
        names.append(name(row));
    QList<Row> sorted;
    sorted.reserve(rows.size());
    for (int i : orderHr(names))
        sorted.append(std::move(rows[i]));
    return sorted;
}

// A number of the list right-aligned in its column; a missing one is blanks.
QString numberColumn(const std::optional<Figure>& value, int width)
{
    // The money column's text without its blanks, that is the "0,00" form.
    return PadLeftTo(value ? value->text00() : QString(), width);
}

} // namespace

namespace StockReports {

QList<ArticleChoice> articleChoices(const QString& book, bool byCode)
{
    Database db = Database::open(book);
    const QString column = byCode ? QStringLiteral("sifra") : QStringLiteral("naziv");
    PreparedQuery q(db, QStringLiteral("select id, %1 from artikli order by id").arg(column));
    q.exec({});
    QList<ArticleChoice> choices;
    while (q.next())
        choices.append({q.value(0).toLongLong(), q.value(1).toString()});
    return sortedByName(std::move(choices), [](const ArticleChoice& c) { return c.text; });
}

QList<StockListRow> oneArticle(Database& db, qint64 id)
{
    return readRows(db, ArticleColumns + QStringLiteral(" where id = ?"), {id});
}

QList<StockListRow> oneArticle(const QString& book, qint64 id)
{
    Database db = Database::open(book);
    return oneArticle(db, id);
}

QList<StockListRow> selection(Database& db, StockSelection which)
{
    switch (which) {
    case StockSelection::All:
        return sortedByName(readRows(db, ArticleColumns + QStringLiteral(" order by id")),
                            [](const StockListRow& row) { return row.naziv; });
    case StockSelection::ZeroStock:
        return readRows(db, ArticleColumns + QStringLiteral(" where stanje = 0 order by id"));
    case StockSelection::BelowMinimum:
        return readRows(db, ArticleColumns + QStringLiteral(" where stanje < minkolicina order by id"));
    }
    return {};
}

QList<StockListRow> selection(const QString& book, StockSelection which)
{
    Database db = Database::open(book);
    return selection(db, which);
}

} // namespace StockReports

QStringList buildStockList(const QList<StockListRow>& rows)
{
    QStringList lines;
    lines.reserve(rows.size() + 2);
    lines << QStringLiteral("Šifra        Naziv                 J.mj. Min.kol. Stanje     Vrijednost   Pr.cijena");
    lines << ReportRule(ReportText::ReportWidth, u'_');
    for (const StockListRow& row : rows) {
        // Names longer than the column are cut, then trimmed again (a blank at the cut shortens them).
        const QString name = row.naziv.size() > 21 ? CutTo(row.naziv, 21).trimmed() : row.naziv.trimmed();
        lines << PadRightTo(row.sifra, 13) % PadRightTo(name, 22) % PadRightTo(row.jedmjere, 6) %
                     numberColumn(row.minkolicina, 8) % numberColumn(row.stanje, 11) %
                     numberColumn(row.vrijednost, 13) % numberColumn(row.proscijena, 9);
    }
    return lines;
}
