#pragma once

#include "core/stock/posting.h"
#include "core/text/figure.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Database;

// Reads and writes of the stock-document window, its document-kinds window and the article picker
// (which lists the articles through Articles::rows).
// Every function opens the book at bookPath, does its work and closes it; DbError on failure.
namespace StockDocs {

// A partner or a kind of supplier document as a picker offers it: the name shown and the row it stands for.
struct NamedRow
{
    qint64 id = 0;
    QString name;
};

// The partners a document of the mode may name: suppliers (kinds D and S) for a receipt, customers and cost places
// (K and S) for an issue note; letter case of the kind ignored; in stored order.
QList<NamedRow> partners(const QString& bookPath, bool receipt);

// The number proposed for the next document of the kind: the count of its headers plus one.
qint64 nextDocumentNumber(const QString& bookPath, bool receipt);
// The same on a connection the caller holds (inside its transaction), in the book attached as schema (empty: main).
qint64 nextDocumentNumber(Database& db, bool receipt, const QString& schema = QString());

// The kinds of supplier documents, in name order.
QList<NamedRow> documentKinds(const QString& bookPath);
// Stores a new kind of supplier document; returns its id.
qint64 addDocumentKind(const QString& bookPath, const QString& name);

// An article as the pickers offer it.
struct ArticleChoice
{
    qint64 id = 0;
    QString sifra;
    QString naziv;
};
// Every article, in name order (Croatian, ignoring letter case; equal names in the order stored), for the code and
// name pickers.
QList<ArticleChoice> articlesByName(const QString& bookPath);
// Every article in the order stored.
QList<ArticleChoice> articlesInTableOrder(const QString& bookPath);

// An article's stock, read for the line being entered.
struct ArticleStock
{
    qint64 id = 0;
    QString sifra;
    QString naziv;
    Figure stanje;
    Figure proscijena;
};
// The article with that id, or nothing when it is gone.
std::optional<ArticleStock> articleById(const QString& bookPath, qint64 id);

// For an issue note refused for want of stock: one line for each article its lines take more of than the book holds
// now, "<naziv> (<šifra>): na skladištu je <stanje>, izdaje se <količina>", in the order of the lines.
QStringList issueShortages(const QString& bookPath, const QList<StockLine>& lines);

} // namespace StockDocs

// One pending line as the quantity still available sees it: the article id text and the quantity text.
struct PendingQuantity
{
    QString articleId;
    QString quantity;
};

// The quantity of an article still available: its stock less the quantities of the pending lines whose
// article id text equals articleId. Quantities that cannot be read are left out.
Figure AvailableQuantityRule(const QString& articleId, Figure stanje, const QList<PendingQuantity>& pending);
