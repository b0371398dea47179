#include "productionbooks.h"

#include "common/workspace.h"
#include "core/db/appstate.h"
#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"
#include "core/db/registry.h"
#include "core/production/products.h"
#include "core/text/figure.h"

#include <QSqlRecord>

namespace wotest {

namespace {

qint64 addRegistryBook(qint64 companyId, const QString& name, const QString& kind)
{
    const qint64 id = Registry::insertBook(companyId, name, kind, QStringLiteral("-"));
    CreateBookDatabase(ProgramFolder::filePath(BookFileName(kind, id)), kind);
    return id;
}

} // namespace

ProductionBooks::ProductionBooks(int warehouseBooks)
{
    Registry::ensureExists();
    Registry::Company company;
    company.ime = QStringLiteral("Tvornica");
    m_companyId = Registry::insertCompany(company);
    AppState::idizabranetvrtke = double(m_companyId);
    const qint64 production = addRegistryBook(m_companyId, QStringLiteral("Pogon"), BookKindProduction);
    AppState::bazaknjige = BookFileName(BookKindProduction, production);
    AppState::vrstabaze = BookKindProduction;
    AppState::openBookCompany = m_companyId;
    for (int i = 0; i < warehouseBooks; ++i)
        addBook();
    Workspace::setHost({[](QWidget* window, QWidget*) { window->show(); },
                        [this](MenuGroup group, bool enabled) {
                            if (group == MenuGroup::Production)
                                m_menusEnabled = enabled;
                        }});
}

ProductionBooks::~ProductionBooks()
{
    knjtest::closeAllWindows();
    Workspace::setHost({});
}

int ProductionBooks::addBook()
{
    const QString name = QStringLiteral("Skladište %1").arg(QChar(char16_t(u'A' + m_bookIds.size())));
    m_bookIds.append(addRegistryBook(m_companyId, name, BookKindWarehouse));
    return int(m_bookIds.size() - 1);
}

QString ProductionBooks::productionPath() const
{
    return ProgramFolder::filePath(AppState::bazaknjige);
}

QString ProductionBooks::bookPath(int book) const
{
    return ProgramFolder::filePath(BookFileName(BookKindWarehouse, m_bookIds.at(book)));
}

QString ProductionBooks::bookName(int book) const
{
    return QStringLiteral("Skladište %1").arg(QChar(char16_t(u'A' + book)));
}

qint64 ProductionBooks::addArticle(int book, const QString& naziv, const QString& stanje, const QString& proscijena)
{
    return knjtest::insertArticle(bookPath(book), naziv.left(3), naziv, stanje, proscijena);
}

qint64 ProductionBooks::addProduct(const QString& naziv, const QList<Component>& components)
{
    QList<::Component> lines;
    for (const Component& c : components)
        lines.append(::Component{0, c.articleId, m_bookIds.at(c.book), Figure::parse(c.perUnit).value(),
                                 Figure::parse(c.price).value()});
    return Products::insert(productionPath(), Product{0, naziv.left(3), QString(), naziv, QStringLiteral("kom")},
                            lines);
}

void ProductionBooks::addIssueHeaders(int book, const QString& kind, int count)
{
    Database db = Database::open(bookPath(book));
    for (int i = 1; i <= count; ++i)
        db.exec(QStringLiteral("insert into pi(pi, brojpi, datumpi, idkd) values(?, ?, '2024-01-01', 1)"), {kind, i});
}

void ProductionBooks::exec(const QString& path, const QString& sql, const QVariantList& values)
{
    Database db = Database::open(path);
    db.exec(sql, values);
}

QVariant ProductionBooks::scalar(const QString& path, const QString& sql, const QVariantList& values)
{
    Database db = Database::open(path);
    return db.scalar(sql, values);
}

QString ProductionBooks::figures(int book, qint64 articleId)
{
    Database db = Database::open(bookPath(book));
    const auto row =
        db.selectFirst(QStringLiteral("select stanje, vrijednost, proscijena from artikli where id = ?"), {articleId});
    if (!row)
        return QString();
    QStringList texts;
    for (int c = 0; c < 3; ++c)
        texts.append(Figure::fromDouble(row->value(c).toDouble()).shortText());
    return texts.join(QLatin1Char(';'));
}

QStringList ProductionBooks::contents(const QString& path)
{
    Database db = Database::open(path);
    QStringList lines;
    const auto tables = db.select(QStringLiteral("select name from sqlite_master where type = 'table' order by name"));
    for (const QSqlRecord& table : tables) {
        const QString name = table.value(0).toString();
        for (const QSqlRecord& row : db.select(QStringLiteral("select * from \"%1\"").arg(name))) {
            QStringList cells{name};
            for (int c = 0; c < row.count(); ++c)
                cells.append(row.value(c).toString());
            lines.append(cells.join(QLatin1Char('|')));
        }
    }
    return lines;
}

QList<QStringList> ProductionBooks::allContents()
{
    QList<QStringList> all{contents(productionPath())};
    for (int i = 0; i < m_bookIds.size(); ++i)
        all.append(contents(bookPath(i)));
    return all;
}

} // namespace wotest
