#pragma once

#include <QString>

// The folder that holds the registry and the book files: the executable's folder unless set otherwise (tests).
namespace ProgramFolder {

QString path();
void setPath(const QString& folder);
// A file of the program folder by its name ("tvrtke.mdb", "Skladiste3.mdb").
QString filePath(const QString& fileName);
// The registry of companies and books.
QString registryPath();

} // namespace ProgramFolder

// A book's database file name: kind + the book's id + ".mdb" ("Skladiste3.mdb").
QString BookFileName(const QString& vrstaknjige, qint64 bookId);
