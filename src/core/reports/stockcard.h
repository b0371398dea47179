#pragma once

#include "core/reports/stocklist.h"
#include "core/text/figure.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// One posted line of an article, with its document's kind letter and number (empty when the header is missing).
struct StockCardLine
{
    QString kind;                 // pi.pi as stored: exactly "P" is a receipt, anything else an issue
    std::optional<qint64> number; // pi.brojpi
    Figure kolicina;
    Figure cijena;
};

// The book's data for the stock cards (book = the database file). Every function throws DbError.
namespace StockCards {

// The lines of one article, in the order they were stored.
QList<StockCardLine> lines(const QString& book, qint64 articleId);
// The lines of every article, each article's in the order they were stored, read in one pass.
QHash<qint64, QList<StockCardLine>> allLines(const QString& book);

} // namespace StockCards

// The card of one article: label line, article line, rule, two heading lines, rule and a row per line with the
// running stock, value and average price.
QStringList buildStockCard(const StockListRow& article, const QList<StockCardLine>& lines);

// The cards of several articles, each article followed by its card end; the label line once at the top.
QStringList buildStockCards(const QList<StockListRow>& articles, const QHash<qint64, QList<StockCardLine>>& lines);
