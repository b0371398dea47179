#pragma once

#include "support/fixture.h"

#include <QDate>
#include <QString>
#include <QVariant>

namespace journaltest {

// A fresh program folder with an empty warehouse book "Skladiste1.mdb" open (bazaknjige); rows are written
// straight into its tables, as the postings of the program left them.
class WarehouseBook
{
public:
    WarehouseBook();
    ~WarehouseBook();
    QString path() const;

    qint64 addArticle(const QString& name);
    qint64 addDocumentKind(const QString& name);
    // A header; a null kind, number or date is stored as Null (an issue note's).
    qint64 addHeader(const QString& letter, const QDate& date, const QVariant& kindId = QVariant(),
                     const QVariant& number = QVariant(), const QVariant& docDate = QVariant());
    qint64 addReceipt(const QDate& date, const QString& kindName = QStringLiteral("Račun"));
    qint64 addIssue(const QDate& date);
    qint64 addLine(const QVariant& articleId, const QVariant& headerId, double quantity, double price);

private:
    knjtest::ProgramFolderFixture m_folder;
};

} // namespace journaltest
