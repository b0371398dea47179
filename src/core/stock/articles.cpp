#include "articles.h"

#include "core/db/database.h"

namespace {

// The entry's texts as their columns hold them, then the minimum quantity.
QVariantList columnsOf(const ArticleEntry& e)
{
    return {fitToWidth(e.sifra, 10), fitToWidth(e.barkod, 13), fitToWidth(e.naziv, 30), fitToWidth(e.jedmjere, 5),
            e.minkolicina.toDouble()};
}

} // namespace

ArticleClash articleClash(const QString& code, const QString& barcode, const QString& rowCode,
                          const QString& rowBarcode)
{
    if (foldText(code.trimmed()) == foldText(rowCode.trimmed()))
        return ArticleClash::Code;
    const QString stored = rowBarcode.trimmed();
    if (!stored.isEmpty() && foldText(stored) == foldText(barcode.trimmed()))
        return ArticleClash::BarCode;
    return ArticleClash::None;
}

namespace Articles {

QList<StoredArticle> all(const QString& book)
{
    QList<StoredArticle> result;
    for (const ArticleRow& r : rows(book))
        result.append({r.id,
                       {r.sifra().toString(), r.barkod().toString(), r.naziv().toString(), r.jedmjere().toString(),
                        r.minkolicina}});
    return result;
}

QVector<ArticleRow> rows(const QString& book)
{
    Database db = Database::open(book);
    QVector<ArticleRow> result;
    result.reserve(db.scalar(QStringLiteral("select count(*) from artikli")).toLongLong());
    PreparedQuery rows(
        db, QStringLiteral("select id, sifra, barkod, naziv, jedmjere, minkolicina from artikli order by id"));
    rows.exec({});
    while (rows.next())
        result.append({rows.integer(0),
                       Figure::fromDouble(rows.real(5)),
                       {rows.text(1), rows.text(2), rows.text(3), rows.text(4)}});
    return result;
}

ArticleClash findClash(const QString& book, const QString& code, const QString& barcode)
{
    Database db = Database::open(book);
    const auto row = db.selectFirst(
        QStringLiteral("select sifra, barkod from artikli where %1 or (trim(barkod) <> '' and %2) order by id limit 1")
            .arg(sqlEqualsIgnoringCase(QStringLiteral("trim(sifra)")),
                 sqlEqualsIgnoringCase(QStringLiteral("trim(barkod)"))),
        {code.trimmed(), barcode.trimmed()});
    if (!row)
        return ArticleClash::None;
    return articleClash(code, barcode, row->value("sifra").toString(), row->value("barkod").toString());
}

bool codeTaken(const QString& book, const QString& code, qint64 exceptId)
{
    Database db = Database::open(book);
    return db.scalar(QStringLiteral("select count(*) from artikli where %1 and id <> ?")
                         .arg(sqlEqualsIgnoringCase(QStringLiteral("trim(sifra)"))),
                     {code.trimmed(), exceptId})
               .toInt() > 0;
}

QList<qint64> insertAll(const QString& book, const QList<ArticleEntry>& entries)
{
    Database db = Database::open(book);
    Transaction tx(db);
    QList<qint64> ids;
    for (const ArticleEntry& e : entries)
        ids.append(db.insert(QStringLiteral("insert into artikli(sifra, barkod, naziv, jedmjere, minkolicina, stanje, "
                                            "vrijednost, proscijena) values(?, ?, ?, ?, ?, 0, 0, 0)"),
                             columnsOf(e)));
    tx.commit();
    return ids;
}

void update(const QString& book, qint64 id, const ArticleEntry& e)
{
    Database db = Database::open(book);
    db.exec(QStringLiteral("update artikli set sifra = ?, barkod = ?, naziv = ?, jedmjere = ?, minkolicina = ? "
                           "where id = ?"),
            columnsOf(e) << id);
}

} // namespace Articles
