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
