#pragma once

#include "core/text/figure.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// Reads of the receipt and issue-note reviews. `receipt` picks the receipts (kind letter "P") or the issue notes
// ("I"). Every function opens the book at bookPath, reads and closes it; DbError on failure. Rows come in id order.
namespace Reviews {

// A document as the document box lists it.
struct DocumentChoice
{
    qint64 id = 0;
    qint64 number = 0; // brojpi
};

// A partner as the partner box lists it.
struct PartnerChoice
{
    qint64 id = 0;
    QString name;
};

// One document as the summaries show it. A partner or a kind of supplier document that cannot be found gives an
// empty name; the document is still there.
struct ReviewDocument
{
    qint64 id = 0;
    qint64 number = 0;         // brojpi
    QDate date;                // datumpi
    qint64 partnerId = 0;      // idkd
    QString partnerName;       // kd.ime
    QString kindName;          // receipts: dokumenti.dokument of the supplier's document
    QString supplierDocNumber; // receipts: brojdok
    QDate supplierDocDate;     // receipts: datumdok
    Figure amount;             // DocumentAmount; 0,00 for a document without lines
};

// One line of a document as the full listing shows it; a missing article or column gives empty text.
struct ListingLine
{
    QString sifra;
    QString naziv;
    QString jedmjere;
    std::optional<Figure> quantity;
    std::optional<Figure> price;
    Figure amount; // quantity × price rounded to the cent, as the posting moved the stock value
};

// A line's amount: quantity × price rounded to the cent; a line without quantity or price adds nothing.
Figure LineAmount(const std::optional<Figure>& quantity, const std::optional<Figure>& price);
// The amount of a document: the sum of its line amounts.
Figure DocumentAmount(const QList<ListingLine>& lines);

// The documents of the kind.
QList<DocumentChoice> documents(const QString& bookPath, bool receipt);
// The document of the kind with that id, or nothing.
std::optional<ReviewDocument> document(const QString& bookPath, bool receipt, qint64 id);
// The partners a document of the kind names: suppliers (kinds D and S) for receipts, customers and cost places
// (K and S) for issue notes, letter case ignored.
QList<PartnerChoice> partners(const QString& bookPath, bool receipt);
// The documents of the kind that name the partner.
QList<ReviewDocument> documentsOfPartner(const QString& bookPath, bool receipt, qint64 partnerId);
// The documents of the kind dated from `from` to `to`, both days included; none when from is after to.
QList<ReviewDocument> documentsDated(const QString& bookPath, bool receipt, const QDate& from, const QDate& to);
// The lines of a document.
QList<ListingLine> documentLines(const QString& bookPath, qint64 documentId);

} // namespace Reviews

// Documents are moved in memory as they are, when a list of many grows.
Q_DECLARE_TYPEINFO(Reviews::ReviewDocument, Q_RELOCATABLE_TYPE);
