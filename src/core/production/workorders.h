#pragma once

#include "core/text/figure.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <stdexcept>

class Database;

// Work orders of a production book: the material requirement of a product, the cost figures, the issue of an order
// across the warehouse books it draws on, the change of a stored order and the text of its printed sheet.
// Every function that reads or writes opens what it needs and closes it before returning; DbError on failure.
namespace WorkOrders {

// SQLite attaches at most ten books to one connection; an order drawing on more is refused.
inline constexpr int MaxWarehouseBooks = 10;

// A work order as the list of stored orders shows it.
struct OrderRow
{
    qint64 id = 0;
    qint64 brojrn = 0;
    QString productName; // empty when the product is gone
    QDate datumotv;
    QDate datumzatv;
    Figure kolicina;
};
// Every work order of the book in stored order, each with its own product's name.
QList<OrderRow> orders(const QString& bookPath);
// The number proposed for the next work order: the count of work orders plus one.
qint64 nextOrderNumber(const QString& bookPath);
// The same on a connection the caller holds (inside its transaction) to the production book.
qint64 nextOrderNumber(Database& db);

// One bill-of-materials line of the chosen product as the new work order needs it.
struct RequirementLine
{
    qint64 componentId = 0; // sastojci.id
    qint64 bookId = 0;      // the warehouse book's registry id
    QString bookKind;       // empty when the registry has no such book
    QString bookName;       // the book id's text when the registry has no such book
    bool bookFound = false;
    qint64 articleId = 0;
    QString articleName;
    bool articleFound = false;
    Figure stock;           // the article's stanje in its book (0 when book or article is missing)
    Figure perUnit;         // quantity per unit of product
    Figure price;           // the price kept in the bill of materials
    qint64 issueNumber = 0; // the number the book's next issue note gets
    Figure quantity;        // perUnit × the product quantity, to the cent: what is checked, posted and stored
    Figure amount;          // quantity × price, to the cent

    // The book's file name in the program folder.
    QString bookFile() const;
};

// The requirement of one unit of the product: one line per bill-of-materials line in stored order. A line whose
// book (registry row or file) or article is missing keeps its place, with stock 0.
QList<RequirementLine> requirement(const QString& productionBookPath, qint64 productId);

// Sets every line's quantity and amount for this quantity of product.
void rescale(QList<RequirementLine>& lines, Figure productQuantity);
// The sum of the lines' amounts.
Figure materialCost(const QList<RequirementLine>& lines);

// The cost boxes' derived figures.
struct CostFigures
{
    Figure material, labour, services, other1, other2, other3;
    Figure total() const { return material + labour + services + other1 + other2 + other3; }
};
// The material cost per unit of product; nothing for a zero quantity.
std::optional<Figure> costPerUnit(Figure material, Figure productQuantity);

// The shortage lines of the stock check, one per article that its lines need more of than its book holds
// (lines of the same article summed, reported where the article first appears):
// book + ": (" + article + ") Nedostaje: " + missing + CR LF. Empty when everything is there.
QString shortageText(const QList<RequirementLine>& lines);
// The message that shows the shortage lines.
QString shortageMessage(const QString& shortage);

// A work order ready to be issued.
struct NewOrder
{
    qint64 brojrn = 0;
    QDate datumotv;
    QDate datumzatv;
    qint64 productId = 0;
    QString productName; // for the refusal when the product is gone
    Figure quantity;
    CostFigures costs;
    QList<RequirementLine> lines; // already scaled to quantity
};

// An issue refused before anything was written; message() is the text shown to the user.
class IssueRefused : public std::runtime_error
{
public:
    explicit IssueRefused(QString message) : std::runtime_error(message.toStdString()), m_message(std::move(message)) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// An issue refused because another copy of the program changed the books since the order was prepared: a number
// proposed for it was taken, or the stock no longer covers it (message() is then the shortage message).
// current() holds the order's lines with their books' issue-note numbers and stock as they are now, nextNumber()
// the work-order number to propose now.
class IssueOutdated : public IssueRefused
{
public:
    IssueOutdated(QString message, QList<RequirementLine> current, qint64 nextNumber)
        : IssueRefused(std::move(message)), m_current(std::move(current)), m_nextNumber(nextNumber)
    {
    }
    const QList<RequirementLine>& current() const { return m_current; }
    qint64 nextNumber() const { return m_nextNumber; }

private:
    QList<RequirementLine> m_current;
    qint64 m_nextNumber;
};

// Issues the work order: one issue note per warehouse book (partner "Proizvodnja", the lines' quantities at the
// bill-of-materials price, average prices kept), the work order and one cost row per line, all in one transaction
// over the production book and every warehouse book attached to it. Inside it the product, the work-order number,
// each book's issue-note number and the stock are read again: a product gone is refused, a number or stock
// changed by another copy gives IssueOutdated. Returns the new work order's id.
// Throws IssueRefused or DbError; either way no file is changed.
qint64 issue(const QString& productionBookPath, const NewOrder& order);

// One cost row of a stored work order (an issue note it made).
struct CostRow
{
    QString bookName;
    QString issueNumber;
    Figure amount;
};

// A stored work order with its cost rows.
struct StoredOrder
{
    qint64 id = 0;
    qint64 brojrn = 0;
    qint64 productId = 0;
    QDate datumotv;
    QDate datumzatv;
    Figure quantity;
    CostFigures costs;
    QList<CostRow> costRows;
};
// The work order with that id, or nothing when it is gone.
std::optional<StoredOrder> load(const QString& bookPath, qint64 orderId);

// What an edit may change of a stored order.
struct OrderChanges
{
    QDate datumotv;
    QDate datumzatv;
    Figure labour, services, other1, other2, other3;
};
// Stores the changes of the order with that id in one statement. Throws DbError when it fails or the order is gone.
void storeChanges(const QString& bookPath, qint64 orderId, const OrderChanges& changes);

// The printed sheet of a work order, from the texts the window shows.
struct Sheet
{
    QString number;
    QString productName;
    QString opened; // "dd.MM.yyyy"
    QString closed;
    QString quantity;
    QList<QStringList> issueRows; // book name, issue-note number, amount text
    QString material, labour, services, other1, other2, other3, total, perUnit;
    QString today; // "dd.MM.yyyy"
};
QStringList sheetLines(const Sheet& sheet);

} // namespace WorkOrders
