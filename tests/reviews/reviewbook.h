#pragma once

#include "core/stock/posting.h"
#include "support/fixture.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>

#include <memory>

namespace reviewtest {

// One line of a document to post: article id, quantity and price as typed.
struct Line
{
    qint64 article;
    QString quantity;
    QString price;
};

// A fresh program folder with the warehouse book "Skladiste1.mdb" open, a main-window stand-in that shows working
// windows top-level and records the warehouse menus, and helpers that store documents through the real posting.
class ReviewBook
{
public:
    ReviewBook();
    ~ReviewBook();
    QString path() const;

    qint64 addArticle(const QString& sifra, const QString& naziv, const QString& jedmjere = "kom");
    qint64 addPartner(const QString& kind, const QString& name);
    qint64 addDocumentKind(const QString& name);
    // Posts a receipt or an issue note and returns its header id.
    qint64 post(bool receipt, qint64 number, const QDate& date, qint64 partner, const QList<Line>& lines,
                qint64 kind = 0, const QString& supplierDocNumber = QString(), const QDate& supplierDocDate = QDate());
    void exec(const QString& sql, const QVariantList& values = {});

    // The warehouse menus as the main window would have them (true = enabled).
    bool menusEnabled() const { return m_menusEnabled; }

private:
    knjtest::ProgramFolderFixture m_folder;
    bool m_menusEnabled = true;
};

} // namespace reviewtest
