#pragma once

#include "core/text/figure.h"

#include <QDate>
#include <QList>
#include <QString>

#include <stdexcept>

class Database;

// Whether a posting recomputes the articles' average price (receipts and issue notes entered by hand) or keeps it
// (work-order issues, whose lines are valued at the bill-of-materials price).
enum class AveragePriceMode
{
    Recompute,
    Keep
};

// One line of a stock document as the user entered it.
struct StockLine
{
    qint64 articleId = 0;
    Figure quantity;
    Figure price;
    // quantity × price rounded to the cent, as the window shows it. The posting moves the stock value by
    // Figure::multiply(quantity, price) itself, so the stored lines always add up to the stock value.
    Figure amount;
};

// A receipt ("P") or an issue note ("I") ready to be posted.
struct StockDocument
{
    bool receipt = true;       // a receipt raises stock, an issue note lowers it
    qint64 number = 0;         // brojpi
    QDate date;                // datumpi
    qint64 partnerId = 0;      // kd.id; goes to pi.idkd and ulazizlaz.idkd
    qint64 documentKindId = 0; // receipts: dokumenti.id, goes to pi.dokument; 0 on an issue note
    QString supplierDocNumber; // receipts: pi.brojdok
    QDate supplierDocDate;     // receipts: pi.datumdok
    QList<StockLine> lines;
    AveragePriceMode averagePrice = AveragePriceMode::Recompute;
    // number is the one StockDocs::nextDocumentNumber proposed: the posting takes it only while it is still the
    // next one (another copy of the program may have posted it meanwhile).
    bool proposedNumber = false;
    QString kindLetter() const { return receipt ? QStringLiteral("P") : QStringLiteral("I"); }
};

// The posting refused a document before writing anything.
class PostingRefused : public std::runtime_error
{
public:
    enum Reason
    {
        PartnerNotFound,
        DocumentKindNotFound,
        ArticleNotFound,
        NotEnoughStock, // an issue line takes more than the stock the book holds at the posting
        NumberTaken     // the proposed number is no longer the next one; nextNumber() is
    };
    explicit PostingRefused(Reason reason, qint64 nextNumber = 0)
        : std::runtime_error("posting refused"), m_reason(reason), m_nextNumber(nextNumber)
    {
    }
    Reason reason() const { return m_reason; }
    qint64 nextNumber() const { return m_nextNumber; }

private:
    Reason m_reason;
    qint64 m_nextNumber;
};

// A proposed number that another copy of the program took meanwhile, and the number to propose now.
struct TakenNumber
{
    QString what; // "Broj primke", "Broj izdatnice skladišta A", ...
    qint64 nextNumber = 0;
};
// "<what> u međuvremenu je zauzet; novi broj je <n>." for each, one a line, then "Pokušajte ponovno." (after the
// one sentence, or on a line of its own after several).
QString numbersTakenMessage(const QList<TakenNumber>& taken);

// "name" for the connection's main book, "w1.name" for the book attached as w1.
QString bookTable(const QString& schema, const char* name);

// An article's stock figures.
struct StockFigures
{
    Figure stanje;
    Figure vrijednost;
    Figure proscijena;
};

// The figures after one posted line: stock and value move by the line's quantity and amount (up on a receipt, down
// on an issue). With Recompute the average price becomes the new value divided by the new stock, rounded to the
// cent, and stays as it was when the new stock is zero; with Keep it stays as it was.
StockFigures AveragePriceRule(const StockFigures& before, Figure quantity, Figure amount, bool receipt,
                              AveragePriceMode mode = AveragePriceMode::Recompute);

// Posts one document into the warehouse book at bookPath in one transaction: the header, every line's article
// figures and every line, or nothing. Returns the new header's id. Throws PostingRefused or DbError; either way
// nothing is written.
qint64 PostStockDocument(const QString& bookPath, const StockDocument& document);

// The same posting into a book the caller has open, inside the caller's transaction (for example several warehouse
// books attached to one connection and posted together). schema names an attached book ("w1"); empty means the
// connection's main book. On PostingRefused or DbError the caller's transaction must be rolled back: part of the
// document may already be written in it.
qint64 PostStockDocument(Database& db, const StockDocument& document, const QString& schema = QString());
