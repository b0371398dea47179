#pragma once

// Products and their bills of materials in a production book (proizvodi, sastojci), and the warehouse books
// whose articles are their components. Every function opens what it needs, closes it before returning and
// throws DbError on failure; a write is one transaction, stored whole or not at all.
//
//   warehouseBooks(companyId)         the company's warehouse books, by name
//   warehouseBook(bookId)             one registered book by its id (any company), or nothing
//   warehouseArticles(path)           a warehouse book's articles by name; a missing file reads as no articles
//   warehouseArticle(path, id)        one article with its stock and average price, or nothing
//   Products::all(book)               every product, by name
//   Products::find(book, id)          one product, or nothing
//   Products::components(book, id)    a product's bill-of-materials lines (book id, article id, quantity, price)
//   Products::resolveComponents(...)  the lines with their warehouse book and article, missing ones marked
//   Products::findClash(...)          the first other product whose code, name or bar code an entry repeats
//   Products::insert / update         a new product with its lines; changes with added and removed lines
//   Products::usedByWorkOrder / remove
//   BillOfMaterialsText(...)          the bill-of-materials printout, as lines

#include "core/stock/stockdocs.h"
#include "core/text/figure.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// A warehouse book of the registry.
struct WarehouseBook
{
    qint64 id = 0;
    QString naziv;
    QString vrsta;
    // The book's file in the program folder.
    QString filePath() const;
};

// The company's warehouse books (kind "Skladiste"), by name (Croatian, case-insensitive).
QList<WarehouseBook> warehouseBooks(qint64 companyId);
std::optional<WarehouseBook> warehouseBook(qint64 bookId);

// Articles of a warehouse book by name. A book whose file is not there has no articles (the file is not made).
QList<StockDocs::ArticleChoice> warehouseArticles(const QString& bookPath);
// One article of a warehouse book; nothing when it or the book's file is gone.
std::optional<StockDocs::ArticleStock> warehouseArticle(const QString& bookPath, qint64 articleId);

struct Product
{
    qint64 id = 0;
    QString sifra;
    QString barkod;
    QString naziv;
    QString jedmjere;
};

// One line of a bill of materials: per unit of product, kolicina of the article articleId of the warehouse book
// bookId, at the price cijena it had when the line was added.
struct Component
{
    qint64 id = 0; // the sastojci row; 0 for a line not stored yet
    qint64 articleId = 0;
    qint64 bookId = 0;
    Figure kolicina;
    Figure cijena;
    // kolicina × cijena rounded to the cent.
    Figure amount() const { return Figure::multiply(kolicina, cijena); }
};

// A stored line with what its warehouse book and article are now; either may be gone.
struct ResolvedComponent
{
    Component line;
    std::optional<WarehouseBook> book;
    std::optional<StockDocs::ArticleChoice> article;
};

enum class ProductClash
{
    None,
    Code,
    Name,
    BarCode
};

namespace Products {

QList<Product> all(const QString& bookPath);
std::optional<Product> find(const QString& bookPath, qint64 productId);
// The product's lines in the order they were stored.
QList<Component> components(const QString& bookPath, qint64 productId);
QList<ResolvedComponent> resolveComponents(const QString& bookPath, qint64 productId);

// Visits the products other than exceptId in stored order and tests each for the code, then the name, then a
// non-empty stored bar code; texts compared whole, blanks around them ignored, letter case counting.
ProductClash findClash(const QString& bookPath, const Product& entry, qint64 exceptId = 0);

// Stores the product (its unit trimmed) with its lines; returns its id.
qint64 insert(const QString& bookPath, const Product& product, const QList<Component>& lines);
// Writes the product's four texts, adds the new lines and deletes the removed ones (sastojci ids of this product).
void update(const QString& bookPath, const Product& product, const QList<Component>& added,
            const QList<qint64>& removedIds);

// Whether a work order names the product.
bool usedByWorkOrder(const QString& bookPath, qint64 productId);
// Deletes the product with its lines; false, with nothing deleted, when a work order names it (asked again inside
// the deletion: another copy of the program may have issued one meanwhile).
bool remove(const QString& bookPath, qint64 productId);

} // namespace Products

// The bill of materials as the window shows it: the header texts and one row per line, all texts as in the boxes
// and list cells (numbers as decimal-comma texts).
struct BillOfMaterials
{
    QString naziv, sifra, barkod, jedmjere, cijena;
    struct Row
    {
        QString skladiste, sifra, naziv, kolicina, cijena, iznos;
    };
    QList<Row> rows;
};

// The printout: the head, one 82-character line per row, the dashed rule and the total ending in column 82.
// Text columns are cut to leave a blank; a number longer than its column is written whole.
QStringList BillOfMaterialsText(const BillOfMaterials& bill, const QDate& today);
