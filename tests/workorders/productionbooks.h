#pragma once

#include "support/fixture.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace wotest {

// One bill-of-materials line: the warehouse book (index into the fixture's books), the article, per unit, price.
struct Component
{
    int book = 0;
    qint64 articleId = 0;
    QString perUnit;
    QString price;
};

// A fresh program folder with a company, its production book open (bazaknjige) and some warehouse books, and a
// main-window stand-in that records the production menus.
class ProductionBooks
{
public:
    explicit ProductionBooks(int warehouseBooks = 2);
    ~ProductionBooks();

    QString productionPath() const;
    QString bookPath(int book) const;
    qint64 bookId(int book) const { return m_bookIds.at(book); }
    int bookCount() const { return int(m_bookIds.size()); }
    QString bookName(int book) const;
    // Another warehouse book of the company; returns its index.
    int addBook();

    qint64 addArticle(int book, const QString& naziv, const QString& stanje, const QString& proscijena);
    // A product of the open production book, or of the production book at productionPath.
    qint64 addProduct(const QString& naziv, const QList<Component>& components, const QString& productionPath = {});
    void addIssueHeaders(int book, const QString& kind, int count);
    void exec(const QString& path, const QString& sql, const QVariantList& values = {});
    QVariant scalar(const QString& path, const QString& sql, const QVariantList& values = {});
    // stanje;vrijednost;proscijena as short texts.
    QString figures(int book, qint64 articleId);
    // Every row of every table of the file, as text: "exactly as before" compares these.
    QStringList contents(const QString& path);
    // contents() of the production book and every warehouse book.
    QList<QStringList> allContents();

    bool menusEnabled() const { return m_menusEnabled; }

private:
    knjtest::ProgramFolderFixture m_folder;
    qint64 m_companyId = 0;
    QList<qint64> m_bookIds;
    bool m_menusEnabled = true;
};

} // namespace wotest
