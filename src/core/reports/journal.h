#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

// The journal: every movement line of a warehouse book (one row per ulazizlaz line, in id order) with its
// document, quantity, price and amount, as the journal lists show it.

// The eleven columns of the journal lists.
namespace JournalColumn {
enum : int
{
    Date,        // "Dat.primke": the document's date
    Article,     // "Naziv artikla"
    Kind,        // "V": the header's kind letter as stored
    DocKind,     // "Dokument": receipts, the supplier document kind's name
    DocNumber,   // "Br.dok": receipts, the supplier's document number
    DocDate,     // "Datum dok.": receipts, the supplier's document date
    QuantityIn,  // "Kol.ulaz": receipts
    QuantityOut, // "Kol.izlaz": issue notes
    Price,       // "Cijena"
    Debit,       // "Duguje": receipts, the line amount
    Credit,      // "Potražuje": issue notes, the line amount
    Count
};
}

// Headers of the journal lists, in column order.
const QStringList& JournalHeaders();
// Whether a column of the lists holds numbers (right-aligned).
bool JournalColumnIsNumber(int column);

// One movement line. Texts are kept once in JournalBook::texts and referred to by index (0 is the empty text),
// so a book of a million lines stays small.
struct JournalLine
{
    qint64 quantity = 0; // hundredths
    qint64 price = 0;    // ten-thousandths: a stored price keeps up to four decimals
    qint64 amount = 0;   // hundredths: quantity × price rounded to the cent, the figure the posting moved
    qint32 day = 0;      // Julian day of the document's date; 0 when the line has no readable date
    quint32 date = 0;    // "dd.MM.yyyy", or empty
    quint32 article = 0; // the article's name
    quint32 letter = 0;  // the header's kind letter
    quint32 docKind = 0; // receipts: the document kind's name, "0" when the kind is unknown
    quint32 docNumber = 0;
    quint32 docDate = 0;
    bool receipt = false; // the kind letter is exactly "P"

    bool hasDate() const { return day != 0; }
};

struct JournalBook
{
    QStringList texts{QString()};
    QVector<JournalLine> lines;

    const QString& text(quint32 index) const { return texts.at(index); }
    // The text of a cell of the lists, as the list shows it.
    QString cell(const JournalLine& line, int column) const;
};

// Reads every movement line of the warehouse book at bookPath in one joined query, in id order. A line whose
// article, header or document kind is missing keeps its place, with empty cells (a missing kind "0"). Throws
// DbError when the book cannot be read.
JournalBook LoadJournal(const QString& bookPath);

// Positions (into book.lines) of the rows whose date lies between from and to, both days included, in the order
// given. A row without a readable date is in no range.
QVector<int> JournalRowsBetween(const JournalBook& book, const QVector<int>& rows, const QDate& from, const QDate& to);
