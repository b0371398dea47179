#pragma once

#include "common/text/figure.h"

#include <QDate>
#include <QList>
#include <QString>

#include <stdexcept>

// One line of a stock document as the user entered it.
struct StockLine
{
    qint64 articleId = 0;
    Figure quantity;
    Figure price;
    Figure amount; // quantity × price rounded to the cent: the figure the stock value moves by
};

// A receipt ("P") or an issue note ("I") ready to be posted.
struct StockDocument
{
    bool receipt = true;      // a receipt raises stock, an issue note lowers it
    qint64 number = 0;        // brojpi
    QDate date;               // datumpi
    QString partnerName;      // found in kd; its id goes to pi.idkd and ulazizlaz.idkd
    QString documentKindName; // receipts: found in dokumenti; its id goes to pi.dokument
    QString supplierDocNumber; // receipts: pi.brojdok
    QDate supplierDocDate;     // receipts: pi.datumdok
    QList<StockLine> lines;
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
        ArticleNotFound
    };
    explicit PostingRefused(Reason reason) : std::runtime_error("posting refused"), m_reason(reason) {}
    Reason reason() const { return m_reason; }

private:
    Reason m_reason;
};

// An article's stock figures.
struct StockFigures
{
    Figure stanje;
    Figure vrijednost;
    Figure proscijena;
};

// The figures after one posted line: stock and value move by the line's quantity and amount; the average price
// becomes the new value divided by the new stock, and stays as it was when the new stock is zero.
StockFigures AveragePriceRule(const StockFigures& before, Figure quantity, Figure amount, bool receipt);

// Posts one document into the warehouse book at bookPath in one transaction: the header, every line's article
// figures and every line, or nothing. Returns the new header's id. Throws PostingRefused (nothing written) or
// DbError (rolled back).
qint64 PostStockDocument(const QString& bookPath, const StockDocument& document);
