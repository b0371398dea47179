#pragma once

#include "core/reports/stocklist.h"
#include "core/text/figure.h"
#include "core/text/reporttext.h"

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

// Articles with their lines, each article's lines in the order they were stored.
struct StockCardData
{
    QList<StockListRow> articles;
    QHash<qint64, QList<StockCardLine>> lines; // by article id; an article without lines has none
};

// The book's data for the stock cards (book = the database file), each read at one moment of the book.
// Every function throws DbError.
namespace StockCards {

// The article with this id and its lines; no article when there is none.
StockCardData oneCard(const QString& book, qint64 articleId);
// The articles of a selection (the stock list's order) and the lines of all of them, read in one pass.
StockCardData selectionCards(const QString& book, StockSelection which);

} // namespace StockCards

// The card of one article: label line, article line, rule, two heading lines, rule and a row per line with the
// running stock, value and average price.
QStringList buildStockCard(const StockListRow& article, const QList<StockCardLine>& lines);

// The cards of several articles, each article followed by its card end; the label line once at the top.
QStringList buildStockCards(const StockCardData& data);
// The same cards joined for the report pane, without the list of their lines.
JoinedReport joinStockCards(const StockCardData& data);
