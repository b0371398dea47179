#pragma once

#include "core/text/figure.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Database;

// One article of a stock list, as read from artikli (a null column stays empty).
struct StockListRow
{
    qint64 id = 0;
    QString sifra;
    QString naziv;
    QString barkod;
    QString jedmjere;
    std::optional<Figure> minkolicina;
    std::optional<Figure> stanje;
    std::optional<Figure> vrijednost;
    std::optional<Figure> proscijena;
};

// The selections of several articles.
enum class StockSelection
{
    All,         // every article, by name
    ZeroStock,   // stock exactly 0
    BelowMinimum // stock strictly below the minimum quantity
};

// An entry of the article chooser: the article's id and the text shown (its name or its code).
struct ArticleChoice
{
    qint64 id = 0;
    QString text;
};

// The book's data for the stock reports (book = the database file). Every function throws DbError.
namespace StockReports {

// Every article's name, by name (Croatian order, letter case ignored), or every code, by code.
QList<ArticleChoice> articleChoices(const QString& book, bool byCode);
// The article with this id; nothing when there is none.
QList<StockListRow> oneArticle(const QString& book, qint64 id);
QList<StockListRow> oneArticle(Database& db, qint64 id);
// The articles of a selection: by name for All, in the order they were stored otherwise.
QList<StockListRow> selection(const QString& book, StockSelection which);
QList<StockListRow> selection(Database& db, StockSelection which);

} // namespace StockReports

// The stock list: header, rule and one line per article (the bar code is not shown).
QStringList buildStockList(const QList<StockListRow>& rows);
