#pragma once

#include <QList>
#include <QString>

// The registry of companies and books (tvrtke.mdb).
namespace Registry {

struct Company
{
    qint64 id = 0;
    QString ime, mb, sifradj, to, ziroracun, posta, mjesto, ulica, telefon, kontakt;
};

struct Book
{
    qint64 id = 0;
    QString idtvrtke, nazivknjige, vrstaknjige, adresa;
};

// Creates the registry with its three tables and two book kinds when the file is absent.
// Returns true when it was created; an existing file is used as it is. Throws DbError on failure.
bool ensureExists();

// Every company, ordered by name (Croatian, case-insensitive).
QList<Company> companies();

// The books of one company (idtvrtke equal to the id's text), in the order they were added.
QList<Book> booksOfCompany(qint64 companyId);

// Stores a new company and returns its id. Texts longer than their columns are cut. Throws DbError.
qint64 insertCompany(const Company& company);
// Writes every column of the company whose id is company.id, in one statement. Throws DbError.
void updateCompany(const Company& company);

// The book kinds, by name ("Proizvodnja", "Skladiste").
QStringList bookKinds();
// Stores a new book of the company and returns its id. Throws DbError.
qint64 insertBook(qint64 companyId, const QString& nazivknjige, const QString& vrstaknjige, const QString& adresa);
// Changes a book's name and address in one statement. Throws DbError.
void updateBook(qint64 bookId, const QString& nazivknjige, const QString& adresa);
// Deletes a book: its file first, then its row. Returns false, deleting nothing, when the row is not there.
// Throws DbError when the file or the row cannot be deleted (a file that stays keeps its row).
bool deleteBook(qint64 bookId);

// What a deletion removed and what it could not.
struct DeleteOutcome
{
    bool complete = false; // the company and all its books are gone
    QStringList failures;  // one line per file or statement that failed
};

// Deletes a company with its books: each book file first, then, in one transaction, the rows of the books
// whose files are gone and, when all of them went, the company row.
DeleteOutcome deleteCompany(qint64 companyId);

// Removes a book's database file (and a leftover journal); a missing file counts as removed.
// Returns an empty string on success, otherwise a description of the failure.
QString removeBookFile(const QString& fileName);

} // namespace Registry
