#pragma once

#include "core/text/figure.h"

#include <QList>
#include <QString>

// An article as the user enters or changes it (texts already trimmed).
struct ArticleEntry
{
    QString sifra;
    QString barkod;
    QString naziv;
    QString jedmjere;
    Figure minkolicina;
};

struct StoredArticle
{
    qint64 id = 0;
    ArticleEntry entry;
};

// What an entered code or bar code collides with.
enum class ArticleClash
{
    None,
    Code,
    BarCode
};

// Compares an entry with one row: the code first, then a non-empty bar code. Codes and bar codes match whole,
// without regard to letter case or surrounding blanks.
ArticleClash articleClash(const QString& code, const QString& barcode, const QString& rowCode,
                          const QString& rowBarcode);

// The articles of a warehouse book (book = the database file). Every function throws DbError.
namespace Articles {

// All articles in the order they were stored.
QList<StoredArticle> all(const QString& book);
// The first stored article (lowest id) that the code or bar code collides with.
ArticleClash findClash(const QString& book, const QString& code, const QString& barcode);
// Whether another article (not exceptId) has this code.
bool codeTaken(const QString& book, const QString& code, qint64 exceptId);
// Stores new articles with stock, value and average price 0, all or none; returns their ids.
QList<qint64> insertAll(const QString& book, const QList<ArticleEntry>& entries);
// Changes every field of one article.
void update(const QString& book, qint64 id, const ArticleEntry& entry);

} // namespace Articles
