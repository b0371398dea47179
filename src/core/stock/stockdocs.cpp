#include "stockdocs.h"

#include "core/db/database.h"
#include "core/stock/posting.h"

#include <QHash>
#include <QSqlRecord>

namespace StockDocs {

namespace {

Figure figureOf(const QSqlRecord& record, const char* column)
{
    return Figure::fromDouble(record.value(QLatin1String(column)).toDouble());
}

QList<NamedRow> namedRows(const QList<QSqlRecord>& rows)
{
    QList<NamedRow> values;
    values.reserve(rows.size());
    for (const QSqlRecord& r : rows)
        values.append({r.value(0).toLongLong(), r.value(1).toString()});
    return values;
}

} // namespace

QList<NamedRow> partners(const QString& bookPath, bool receipt)
{
    Database db = Database::open(bookPath);
    const QString sql =
        QStringLiteral("select id, ime from kd where %1 or %2 order by id")
            .arg(sqlBeginsIgnoringCase(QStringLiteral("kd")), sqlBeginsIgnoringCase(QStringLiteral("kd")));
    return namedRows(db.select(sql, {receipt ? QStringLiteral("d") : QStringLiteral("k"), QStringLiteral("s")}));
}

qint64 nextDocumentNumber(const QString& bookPath, bool receipt)
{
    Database db = Database::open(bookPath);
    return nextDocumentNumber(db, receipt);
}

qint64 nextDocumentNumber(Database& db, bool receipt, const QString& schema)
{
    // The headers whose kind begins with the letter in either case. No other character folds onto P or I, so the two
    // ranges of the index on pi hold exactly those headers and the count reads no other row.
    const QString inRange =
        QStringLiteral("(select count(*) from %1 where pi >= ? and pi < ?)").arg(bookTable(schema, "pi"));
    const QVariantList ranges =
        receipt ? QVariantList{QStringLiteral("P"), QStringLiteral("Q"), QStringLiteral("p"), QStringLiteral("q")}
                : QVariantList{QStringLiteral("I"), QStringLiteral("J"), QStringLiteral("i"), QStringLiteral("j")};
    const QVariant count = db.scalar(QStringLiteral("select %1 + %1").arg(inRange), ranges);
    return count.toLongLong() + 1;
}

QList<NamedRow> documentKinds(const QString& bookPath)
{
    Database db = Database::open(bookPath);
    return namedRows(db.select(QStringLiteral("select id, dokument from dokumenti order by dokument collate hr, id")));
}

qint64 addDocumentKind(const QString& bookPath, const QString& name)
{
    Database db = Database::open(bookPath);
    return db.insert(QStringLiteral("insert into dokumenti(dokument) values(?)"), {fitToWidth(name, 20)});
}

QList<ArticleChoice> articlesInTableOrder(const QString& bookPath)
{
    Database db = Database::open(bookPath);
    PreparedQuery rows(db, QStringLiteral("select id, sifra, naziv from artikli order by id"));
    rows.exec({});
    QList<ArticleChoice> articles;
    while (rows.next())
        articles.append({rows.integer(0), rows.text(1), rows.text(2)});
    return articles;
}

QList<ArticleChoice> articlesByName(const QString& bookPath)
{
    const QList<ArticleChoice> stored = articlesInTableOrder(bookPath);
    QStringList names;
    names.reserve(stored.size());
    for (const ArticleChoice& a : stored)
        names.append(a.naziv);
    QList<ArticleChoice> sorted;
    sorted.reserve(stored.size());
    for (int i : orderHr(names))
        sorted.append(stored.at(i));
    return sorted;
}

std::optional<ArticleStock> articleById(const QString& bookPath, qint64 id)
{
    Database db = Database::open(bookPath);
    const auto r =
        db.selectFirst(QStringLiteral("select id, sifra, naziv, stanje, proscijena from artikli where id = ?"), {id});
    if (!r)
        return std::nullopt;
    return ArticleStock{r->value(0).toLongLong(), r->value(1).toString(), r->value(2).toString(),
                        figureOf(*r, "stanje"), figureOf(*r, "proscijena")};
}

QStringList issueShortages(const QString& bookPath, const QList<StockLine>& lines)
{
    QList<qint64> articles;
    QHash<qint64, Figure> taken;
    for (const StockLine& line : lines) {
        if (!taken.contains(line.articleId))
            articles.append(line.articleId);
        taken[line.articleId] += line.quantity;
    }
    Database db = Database::open(bookPath);
    PreparedQuery article(db, QStringLiteral("select naziv, sifra, stanje from artikli where id = ?"));
    QStringList shortages;
    for (qint64 id : articles) {
        article.exec({id});
        if (!article.next())
            continue;
        const Figure stanje = Figure::fromDouble(article.real(2));
        if (stanje < taken.value(id))
            shortages.append(QStringLiteral("%1 (%2): na skladištu je %3, izdaje se %4")
                                 .arg(article.text(0), article.text(1), stanje.text00(), taken.value(id).text00()));
        article.finish();
    }
    return shortages;
}

} // namespace StockDocs

Figure AvailableQuantityRule(const QString& articleId, Figure stanje, const QList<PendingQuantity>& pending)
{
    Figure available = stanje;
    for (const PendingQuantity& line : pending) {
        if (line.articleId != articleId)
            continue;
        if (const auto quantity = Figure::parse(line.quantity))
            available -= *quantity;
    }
    return available;
}
