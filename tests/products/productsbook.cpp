#include "productsbook.h"

#include "common/workspace.h"
#include "core/db/appstate.h"
#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"
#include "core/db/registry.h"
#include "core/text/figure.h"

#include <QSqlRecord>

namespace productstest {

ProductionBook::ProductionBook()
{
    Registry::ensureExists();
    Registry::Company company;
    company.ime = QStringLiteral("Pekara d.o.o.");
    m_company = Registry::insertCompany(company);
    Registry::Company other;
    other.ime = QStringLiteral("Druga tvrtka");
    const qint64 otherCompany = Registry::insertCompany(other);

    bookVeliko = addWarehouse(m_company, QStringLiteral("Veliko skladište"));
    productionBook = Registry::insertBook(m_company, QStringLiteral("Proizvodnja kruha"), BookKindProduction, {});
    CreateBookDatabase(ProgramFolder::filePath(BookFileName(BookKindProduction, productionBook)), BookKindProduction);
    bookOther = addWarehouse(otherCompany, QStringLiteral("Tuđe skladište"));
    bookAlati = addWarehouse(m_company, QStringLiteral("Alati"));

    AppState::idizabranetvrtke = double(m_company);
    AppState::bazaknjige = BookFileName(BookKindProduction, productionBook);
    AppState::vrstabaze = BookKindProduction;
    AppState::openBookCompany = m_company;
    Workspace::setHost({[](QWidget* window, QWidget*) { window->show(); },
                        [this](MenuGroup group, bool enabled) {
                            if (group != MenuGroup::Production)
                                return;
                            m_izbor = enabled;
                            if (enabled)
                                m_pomoc = true;
                        }});
}

ProductionBook::~ProductionBook()
{
    knjtest::closeAllWindows();
    Workspace::setHost({});
}

QString ProductionBook::path() const
{
    return ProgramFolder::filePath(AppState::bazaknjige);
}

QString ProductionBook::warehousePath(qint64 bookId) const
{
    return ProgramFolder::filePath(BookFileName(BookKindWarehouse, bookId));
}

qint64 ProductionBook::addWarehouse(qint64 companyId, const QString& name, bool withFile)
{
    const qint64 id = Registry::insertBook(companyId ? companyId : m_company, name, BookKindWarehouse, {});
    if (withFile)
        CreateBookDatabase(warehousePath(id), BookKindWarehouse);
    return id;
}

qint64 ProductionBook::addArticle(qint64 bookId, const QString& sifra, const QString& naziv, const QString& stanje,
                                  const QString& proscijena)
{
    return knjtest::insertArticle(warehousePath(bookId), sifra, naziv, stanje, proscijena);
}

void ProductionBook::exec(const QString& sql, const QVariantList& values)
{
    Database db = Database::open(path());
    db.exec(sql, values);
}

QVariant ProductionBook::scalar(const QString& sql, const QVariantList& values)
{
    Database db = Database::open(path());
    return db.scalar(sql, values);
}

QStringList ProductionBook::rows(const QString& sql, const QVariantList& values)
{
    Database db = Database::open(path());
    QStringList result;
    for (const QSqlRecord& r : db.select(sql, values)) {
        QStringList cells;
        for (int c = 0; c < r.count(); ++c) {
            const QVariant v = r.value(c);
            cells.append(v.typeId() == QMetaType::Double ? Figure::fromDouble(v.toDouble()).shortText() : v.toString());
        }
        result.append(cells.join(QLatin1Char('|')));
    }
    return result;
}

} // namespace productstest
