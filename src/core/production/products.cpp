#include "products.h"

#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"
#include "core/db/registry.h"
#include "core/text/datetext.h"
#include "core/text/reporttext.h"

#include <QFileInfo>
#include <QHash>
#include <QSqlRecord>

#include <algorithm>

namespace {

WarehouseBook bookOf(qint64 id, const QString& naziv, const QString& vrsta)
{
    return WarehouseBook{id, naziv, vrsta.trimmed()};
}

Product productOf(const QSqlRecord& r)
{
    return Product{r.value(QStringLiteral("id")).toLongLong(), r.value(QStringLiteral("sifra")).toString(),
                   r.value(QStringLiteral("barkod")).toString(), r.value(QStringLiteral("naziv")).toString(),
                   r.value(QStringLiteral("jedmjere")).toString()};
}

QList<Component> readComponents(Database& db, qint64 productId)
{
    QList<Component> lines;
    const auto rows = db.select(QStringLiteral("select id, idartikla, idskladista, kolicina, cijena from sastojci "
                                               "where idproizvoda = ? order by id"),
                                {QString::number(productId)});
    for (const QSqlRecord& r : rows)
        lines.append(Component{r.value(0).toLongLong(), r.value(1).toLongLong(), r.value(2).toLongLong(),
                               Figure::fromDouble(r.value(3).toDouble()), Figure::fromDouble(r.value(4).toDouble())});
    return lines;
}

void insertComponents(Database& db, qint64 productId, const QList<Component>& lines)
{
    PreparedQuery insert(db, QStringLiteral("insert into sastojci(idartikla, kolicina, cijena, idproizvoda, "
                                            "idskladista) values(?, ?, ?, ?, ?)"));
    for (const Component& c : lines)
        insert.exec({QString::number(c.articleId), c.kolicina.toDouble(), c.cijena.toDouble(),
                     QString::number(productId), QString::number(c.bookId)});
}

// The articles of a warehouse book with these ids; a missing book file has none.
QHash<qint64, StockDocs::ArticleChoice> articlesById(const QString& bookPath, const QList<qint64>& ids)
{
    QHash<qint64, StockDocs::ArticleChoice> found;
    if (!QFileInfo(bookPath).isFile())
        return found;
    Database db = Database::open(bookPath);
    PreparedQuery select(db, QStringLiteral("select id, sifra, naziv from artikli where id = ?"));
    for (qint64 id : ids) {
        select.exec({id});
        if (select.next())
            found.insert(id, {id, select.value(1).toString(), select.value(2).toString()});
        select.finish();
    }
    return found;
}

bool sameText(const QString& stored, const QString& entered)
{
    return stored.trimmed() == entered.trimmed();
}

} // namespace

QString WarehouseBook::filePath() const
{
    return ProgramFolder::filePath(BookFileName(vrsta, id));
}

QList<WarehouseBook> warehouseBooks(qint64 companyId)
{
    QList<WarehouseBook> books;
    for (const Registry::Book& b : Registry::booksOfCompany(companyId))
        if (b.vrstaknjige.trimmed() == BookKindWarehouse)
            books.append(bookOf(b.id, b.nazivknjige, b.vrstaknjige));
    std::stable_sort(books.begin(), books.end(),
                     [](const WarehouseBook& a, const WarehouseBook& b) { return compareHr(a.naziv, b.naziv) < 0; });
    return books;
}

std::optional<WarehouseBook> warehouseBook(qint64 bookId)
{
    Database db = Database::open(ProgramFolder::registryPath());
    const auto r = db.selectFirst(
        QStringLiteral("select id, nazivknjige, vrstaknjige from otvoreneknjige where id = ?"), {bookId});
    if (!r)
        return std::nullopt;
    return bookOf(r->value(0).toLongLong(), r->value(1).toString(), r->value(2).toString());
}

QList<StockDocs::ArticleChoice> warehouseArticles(const QString& bookPath)
{
    if (!QFileInfo(bookPath).isFile())
        return {};
    return StockDocs::articlesByName(bookPath);
}

std::optional<StockDocs::ArticleStock> warehouseArticle(const QString& bookPath, qint64 articleId)
{
    if (!QFileInfo(bookPath).isFile())
        return std::nullopt;
    return StockDocs::articleById(bookPath, articleId);
}

namespace Products {

QList<Product> all(const QString& bookPath)
{
    Database db = Database::open(bookPath);
    QList<Product> products;
    for (const QSqlRecord& r : db.select(QStringLiteral("select * from proizvodi order by naziv collate hr, id")))
        products.append(productOf(r));
    return products;
}

std::optional<Product> find(const QString& bookPath, qint64 productId)
{
    Database db = Database::open(bookPath);
    const auto r = db.selectFirst(QStringLiteral("select * from proizvodi where id = ?"), {productId});
    if (!r)
        return std::nullopt;
    return productOf(*r);
}

QList<Component> components(const QString& bookPath, qint64 productId)
{
    Database db = Database::open(bookPath);
    return readComponents(db, productId);
}

QList<ResolvedComponent> resolveComponents(const QString& bookPath, qint64 productId)
{
    const QList<Component> lines = components(bookPath, productId);
    // The articles wanted from each warehouse book, so that each book is opened once.
    QHash<qint64, QList<qint64>> wanted;
    for (const Component& line : lines)
        wanted[line.bookId].append(line.articleId);
    QHash<qint64, std::optional<WarehouseBook>> books;
    QHash<qint64, QHash<qint64, StockDocs::ArticleChoice>> articles;
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it) {
        const auto book = warehouseBook(it.key());
        books.insert(it.key(), book);
        if (book)
            articles.insert(it.key(), articlesById(book->filePath(), it.value()));
    }
    QList<ResolvedComponent> resolved;
    for (const Component& line : lines) {
        ResolvedComponent r{line, books.value(line.bookId), std::nullopt};
        const auto& byId = articles[line.bookId];
        if (const auto found = byId.constFind(line.articleId); found != byId.constEnd())
            r.article = *found;
        resolved.append(r);
    }
    return resolved;
}

ProductClash findClash(const QString& bookPath, const Product& entry, qint64 exceptId)
{
    Database db = Database::open(bookPath);
    const auto rows =
        db.select(QStringLiteral("select sifra, naziv, barkod from proizvodi where id <> ? order by id"), {exceptId});
    for (const QSqlRecord& r : rows) {
        if (sameText(r.value(0).toString(), entry.sifra))
            return ProductClash::Code;
        if (sameText(r.value(1).toString(), entry.naziv))
            return ProductClash::Name;
        const QString barkod = r.value(2).toString();
        if (!barkod.isEmpty() && sameText(barkod, entry.barkod))
            return ProductClash::BarCode;
    }
    return ProductClash::None;
}

qint64 insert(const QString& bookPath, const Product& product, const QList<Component>& lines)
{
    Database db = Database::open(bookPath);
    Transaction tx(db);
    const qint64 id =
        db.insert(QStringLiteral("insert into proizvodi(naziv, sifra, barkod, jedmjere) values(?, ?, ?, ?)"),
                  {product.naziv, product.sifra, product.barkod, product.jedmjere.trimmed()});
    insertComponents(db, id, lines);
    tx.commit();
    return id;
}

void update(const QString& bookPath, const Product& product, const QList<Component>& added,
            const QList<qint64>& removedIds)
{
    Database db = Database::open(bookPath);
    Transaction tx(db);
    db.exec(QStringLiteral("update proizvodi set sifra = ?, naziv = ?, barkod = ?, jedmjere = ? where id = ?"),
            {product.sifra, product.naziv, product.barkod, product.jedmjere, product.id});
    insertComponents(db, product.id, added);
    // Only this product's lines: an id of another product's line deletes nothing.
    PreparedQuery remove(db, QStringLiteral("delete from sastojci where id = ? and idproizvoda = ?"));
    for (qint64 id : removedIds)
        remove.exec({id, QString::number(product.id)});
    tx.commit();
}

namespace {

bool usedByWorkOrder(Database& db, qint64 productId)
{
    return db.scalar(QStringLiteral("select count(*) from radninalozi where trim(idproizvoda) = ?"),
                     {QString::number(productId)})
               .toLongLong() > 0;
}

} // namespace

bool usedByWorkOrder(const QString& bookPath, qint64 productId)
{
    Database db = Database::open(bookPath);
    return usedByWorkOrder(db, productId);
}

bool remove(const QString& bookPath, qint64 productId)
{
    Database db = Database::open(bookPath);
    Transaction tx(db);
    if (usedByWorkOrder(db, productId))
        return false;
    db.exec(QStringLiteral("delete from sastojci where idproizvoda = ?"), {QString::number(productId)});
    db.exec(QStringLiteral("delete from proizvodi where id = ?"), {productId});
    tx.commit();
    return true;
}

} // namespace Products

namespace {

// A number cell of the printout: the value with two decimals; a text that is no number stays as it is.
QString printedFigure(const QString& text)
{
    const auto value = Figure::parse(text);
    return value ? MoneyColumn12(*value).trimmed() : text.trimmed();
}

} // namespace

QStringList BillOfMaterialsText(const BillOfMaterials& bill, const QDate& today)
{
    const QString rule = ReportRule(ReportText::ReportWidth, u'_');
    QStringList lines{QStringLiteral("Ispis podataka za proizvod: ") + bill.naziv + QStringLiteral(" na dan: ") +
                          DateText::toShort(today),
                      QString(),
                      rule,
                      QStringLiteral("Naziv proizvoda: ") + bill.naziv,
                      QStringLiteral("Šifra proizvoda: ") + bill.sifra,
                      QStringLiteral("Barkod         : ") + bill.barkod,
                      QStringLiteral("Jedinica mjere : ") + bill.jedmjere,
                      QString(),
                      QStringLiteral("Sastavnica:"),
                      rule,
                      QStringLiteral("Skladište        ") + QStringLiteral("Šifra art. ") +
                          QStringLiteral("Naziv artikla              ") + QStringLiteral("Količina ") +
                          QStringLiteral("Cijena   ") + QStringLiteral("Iznos"),
                      rule};
    for (const BillOfMaterials::Row& row : bill.rows)
        lines.append(PadRightTo(CutTo(row.skladiste, 16), 17) + PadRightTo(CutTo(row.sifra, 10), 11) +
                     PadRightTo(CutTo(row.naziv, 26), 27) + PadLeftTo(printedFigure(row.kolicina), 8) +
                     QLatin1Char(' ') + PadLeftTo(printedFigure(row.cijena), 8) + QLatin1Char(' ') +
                     PadLeftTo(printedFigure(row.iznos), 9));
    lines.append(ReportRule(ReportText::ReportWidth, u'-'));
    lines.append(QString(48, QLatin1Char(' ')) + QStringLiteral("Ukupna cijena proizvoda: ") + QLatin1Char(' ') +
                 PadLeftTo(bill.cijena.trimmed(), 8));
    return lines;
}
