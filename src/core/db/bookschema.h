#pragma once

#include <QString>

// The two kinds of book.
inline const QString BookKindWarehouse = QStringLiteral("Skladiste");
inline const QString BookKindProduction = QStringLiteral("Proizvodnja");

// Creates a book's database file with the tables of its kind when the file is absent.
// Returns true when it was created, false when the file was already there (used as it is) or the kind is
// neither of the two. Throws DbError when the file cannot be created (nothing half-made is left), and
// NotADatabase when the file there holds no book of the kind.
bool CreateBookDatabase(const QString& path, const QString& kind);

class Database;

// Gives a book made by an earlier version the indexes of a new one (the index of an article's lines, the documents
// by date). Does nothing, at the cost of one look at the schema, when the book has them or is no warehouse book; a
// book that another copy of the program is writing, or that cannot be written, is left as it is. Returns true when
// the book was changed. Throws DbError only when the schema cannot be read (the file holds no database).
bool UpgradeBookIndexes(Database& db);
