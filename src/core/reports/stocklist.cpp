#include "stocklist.h"

#include "core/db/database.h"
#include "core/text/reporttext.h"

#include <QSqlRecord>

namespace {

const QString ArticleColumns = QStringLiteral(
    "select id, sifra, naziv, barkod, jedmjere, minkolicina, stanje, vrijednost, proscijena from artikli");

std::optional<Figure> figureOf(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    return Figure::fromDouble(value.toDouble());
}

QList<StockListRow> rowsOf(const QList<QSqlRecord>& records)
{
    QList<StockListRow> rows;
    rows.reserve(records.size());
    for (const QSqlRecord& r : records) {
        StockListRow row;
        row.id = r.value(0).toLongLong();
        row.sifra = r.value(1).toString();
        row.naziv = r.value(2).toString();
        row.barkod = r.value(3).toString();
        row.jedmjere = r.value(4).toString();
        row.minkolicina = figureOf(r.value(5));
        row.stanje = figureOf(r.value(6));
        row.vrijednost = figureOf(r.value(7));
        row.proscijena = figureOf(r.value(8));
        rows.append(row);
    }
    return rows;
}

// A number of the list right-aligned in its column; a missing one is blanks.
QString numberColumn(const std::optional<Figure>& value, int width)
{
    return PadLeftTo(MoneyColumn12(value).trimmed(), width);
}

} // namespace

namespace StockReports {

QList<ArticleChoice> articleChoices(const QString& book, bool byCode)
{
    Database db = Database::open(book);
    const QString column = byCode ? QStringLiteral("sifra") : QStringLiteral("naziv");
    QList<ArticleChoice> choices;
    for (const QSqlRecord& r :
         db.select(QStringLiteral("select id, %1 from artikli order by %1 collate hr, id").arg(column)))
        choices.append({r.value(0).toLongLong(), r.value(1).toString()});
    return choices;
}

QList<StockListRow> oneArticle(const QString& book, qint64 id)
{
    Database db = Database::open(book);
    return rowsOf(db.select(ArticleColumns + QStringLiteral(" where id = ?"), {id}));
}

QList<StockListRow> selection(const QString& book, StockSelection which)
{
    Database db = Database::open(book);
    switch (which) {
    case StockSelection::All:
        return rowsOf(db.select(ArticleColumns + QStringLiteral(" order by naziv collate hr, id")));
    case StockSelection::ZeroStock:
        return rowsOf(db.select(ArticleColumns + QStringLiteral(" where stanje = 0 order by id")));
    case StockSelection::BelowMinimum:
        return rowsOf(db.select(ArticleColumns + QStringLiteral(" where stanje < minkolicina order by id")));
    }
    return {};
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
        lines << PadRightTo(row.sifra, 13) + PadRightTo(name, 22) + PadRightTo(row.jedmjere, 6) +
                     numberColumn(row.minkolicina, 8) + numberColumn(row.stanje, 11) +
                     numberColumn(row.vrijednost, 13) + numberColumn(row.proscijena, 9);
    }
    return lines;
}
