#pragma once

#include "core/text/figure.h"
#include "core/text/packedtexts.h"

#include <QList>
#include <QString>
#include <QVector>

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

// An article as a list of many thousands holds it: the numbers as numbers, the four texts in one string.
struct ArticleRow
{
    qint64 id = 0;
    Figure minkolicina;
    PackedTexts<4> texts; // sifra, barkod, naziv, jedmjere

    QStringView sifra() const { return texts.at(0); }
    QStringView barkod() const { return texts.at(1); }
    QStringView naziv() const { return texts.at(2); }
    QStringView jedmjere() const { return texts.at(3); }
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
// The same articles as compact rows, for the lists that show them all.
QVector<ArticleRow> rows(const QString& book);
// The first stored article (lowest id) that the code or bar code collides with.
ArticleClash findClash(const QString& book, const QString& code, const QString& barcode);
// Whether another article (not exceptId) has this code.
bool codeTaken(const QString& book, const QString& code, qint64 exceptId);
// Stores new articles with stock, value and average price 0, all or none; returns their ids.
QList<qint64> insertAll(const QString& book, const QList<ArticleEntry>& entries);
// Changes every field of one article.
void update(const QString& book, qint64 id, const ArticleEntry& entry);

} // namespace Articles
