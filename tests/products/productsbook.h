#pragma once

#include "support/fixture.h"

#include <QString>
#include <QStringList>
#include <QVariant>

namespace productstest {

// A fresh program folder with a registry: the chosen company with the warehouse books "Veliko skladište" and
// "Alati" and the open production book, and another company with a warehouse book of its own. A main-window
// stand-in shows working windows top-level and records the production menus.
class ProductionBook
{
public:
    ProductionBook();
    ~ProductionBook();

    qint64 bookVeliko = 0;
    qint64 bookAlati = 0;
    qint64 bookOther = 0;
    qint64 productionBook = 0;

    QString path() const;
    QString warehousePath(qint64 bookId) const;
    qint64 addWarehouse(qint64 companyId, const QString& name, bool withFile = true);
    qint64 addArticle(qint64 bookId, const QString& sifra, const QString& naziv, const QString& stanje,
                      const QString& proscijena);
    void exec(const QString& sql, const QVariantList& values = {});
    QVariant scalar(const QString& sql, const QVariantList& values = {});
    // Rows of a production-book query, each row's columns as texts joined by "|" (numbers as short figures).
    QStringList rows(const QString& sql, const QVariantList& values = {});

    bool izborEnabled() const { return m_izbor; }
    bool pomocEnabled() const { return m_pomoc; }
    void setMenus(bool enabled) { m_izbor = m_pomoc = enabled; }

private:
    knjtest::ProgramFolderFixture m_folder;
    qint64 m_company = 0;
    bool m_izbor = true;
    bool m_pomoc = true;
};

} // namespace productstest
