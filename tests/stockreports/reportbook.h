#pragma once

#include "core/stock/posting.h"
#include "support/fixture.h"

#include <QString>
#include <QVariant>

// A fresh program folder with the warehouse book "Skladiste1.mdb" chosen (bazaknjige), filled through the data
// layer and the real posting.
class ReportBook
{
public:
    ReportBook();
    QString path() const;

    qint64 addArticle(const QString& sifra, const QString& naziv, const QVariant& stanje = 0.0,
                      const QVariant& minkolicina = 0.0, const QVariant& barkod = QString(),
                      const QVariant& jedmjere = QStringLiteral("kom"));
    qint64 addPartner(const QString& kind, const QString& name, const QString& mjesto = QString());
    // Posts a receipt ("P") or an issue note ("I") of one line, as the stock-document window would.
    qint64 post(bool receipt, qint64 articleId, const QString& quantity, const QString& price);
    void exec(const QString& sql, const QVariantList& values = {});

private:
    knjtest::ProgramFolderFixture m_folder;
    qint64 m_supplierId = 0;
    qint64 m_kindId = 0;
    int m_receipts = 0;
    int m_issues = 0;
};
