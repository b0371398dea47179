#include "stockbook.h"

#include "common/workspace.h"
#include "core/db/appstate.h"
#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace stocktest {

StockBook::StockBook()
{
    CreateBookDatabase(ProgramFolder::filePath(QStringLiteral("Skladiste1.mdb")), BookKindWarehouse);
    AppState::bazaknjige = QStringLiteral("Skladiste1.mdb");
    Workspace::setHost({[](QWidget* window, QWidget*) { window->show(); },
                        [this](MenuGroup group, bool enabled) {
                            if (group == MenuGroup::Warehouse)
                                m_menusEnabled = enabled;
                        }});
}

StockBook::~StockBook()
{
    knjtest::closeAllWindows();
    Workspace::setHost({});
}

QString StockBook::path() const
{
    return ProgramFolder::filePath(QStringLiteral("Skladiste1.mdb"));
}

qint64 StockBook::addArticle(const QString& sifra, const QString& naziv, const QString& stanje,
                             const QString& proscijena)
{
    return knjtest::insertArticle(path(), sifra, naziv, stanje, proscijena);
}

qint64 StockBook::addPartner(const QString& kind, const QString& name)
{
    Database db = Database::open(path());
    return db.insert(QStringLiteral("insert into kd(kd, ime) values(?, ?)"), {kind, name});
}

qint64 StockBook::addDocumentKind(const QString& name)
{
    Database db = Database::open(path());
    return db.insert(QStringLiteral("insert into dokumenti(dokument) values(?)"), {name});
}

void StockBook::addHeaders(const QString& kindLetter, int count)
{
    Database db = Database::open(path());
    for (int i = 1; i <= count; ++i)
        db.exec(QStringLiteral("insert into pi(pi, brojpi, datumpi, idkd) values(?, ?, '2024-01-01', 1)"),
                {kindLetter, i});
}

void StockBook::exec(const QString& sql, const QVariantList& values)
{
    Database db = Database::open(path());
    db.exec(sql, values);
}

QVariant StockBook::scalar(const QString& sql, const QVariantList& values)
{
    Database db = Database::open(path());
    return db.scalar(sql, values);
}

QStringList StockBook::figures(qint64 articleId)
{
    Database db = Database::open(path());
    const auto row =
        db.selectFirst(QStringLiteral("select stanje, vrijednost, proscijena from artikli where id = ?"), {articleId});
    if (!row)
        return {};
    return {Figure::fromDouble(row->value(0).toDouble()).shortText(),
            Figure::fromDouble(row->value(1).toDouble()).shortText(),
            Figure::fromDouble(row->value(2).toDouble()).shortText()};
}

} // namespace stocktest
