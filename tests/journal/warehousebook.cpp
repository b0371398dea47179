#include "warehousebook.h"

#include "common/workspace.h"
#include "core/db/appstate.h"
#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"
#include "core/text/datetext.h"

#include <QWidget>

namespace journaltest {

WarehouseBook::WarehouseBook()
{
    CreateBookDatabase(path(), BookKindWarehouse);
    AppState::bazaknjige = QStringLiteral("Skladiste1.mdb");
    Workspace::setHost({[](QWidget* window, QWidget*) { window->show(); }, [](MenuGroup, bool) {}});
}

WarehouseBook::~WarehouseBook()
{
    knjtest::closeAllWindows();
    Workspace::setHost({});
}

QString WarehouseBook::path() const
{
    return ProgramFolder::filePath(QStringLiteral("Skladiste1.mdb"));
}

qint64 WarehouseBook::addArticle(const QString& name)
{
    Database db = Database::open(path());
    return db.insert(QStringLiteral("insert into artikli(sifra, barkod, naziv, jedmjere, minkolicina, stanje, "
                                    "vrijednost, proscijena) values('1', '', ?, 'kom', 0, 0, 0, 0)"),
                     {name});
}

qint64 WarehouseBook::addDocumentKind(const QString& name)
{
    Database db = Database::open(path());
    return db.insert(QStringLiteral("insert into dokumenti(dokument) values(?)"), {name});
}

qint64 WarehouseBook::addHeader(const QString& letter, const QDate& date, const QVariant& kindId,
                                const QVariant& number, const QVariant& docDate)
{
    Database db = Database::open(path());
    const QVariant kindText = kindId.isNull() ? QVariant() : QVariant(kindId.toString());
    return db.insert(QStringLiteral("insert into pi(pi, brojpi, datumpi, dokument, brojdok, datumdok, idkd) "
                                    "values(?, 1, ?, ?, ?, ?, 1)"),
                     {letter, DateText::toIso(date), kindText, number, docDate});
}

qint64 WarehouseBook::addReceipt(const QDate& date, const QString& kindName)
{
    return addHeader(QStringLiteral("P"), date, addDocumentKind(kindName), QStringLiteral("R-1"),
                     DateText::toIso(date));
}

qint64 WarehouseBook::addIssue(const QDate& date)
{
    return addHeader(QStringLiteral("I"), date);
}

qint64 WarehouseBook::addLine(const QVariant& articleId, const QVariant& headerId, double quantity, double price)
{
    Database db = Database::open(path());
    const QVariant article = articleId.isNull() ? QVariant() : QVariant(articleId.toString());
    return db.insert(
        QStringLiteral("insert into ulazizlaz(idartikla, idpi, idkd, kolicina, cijena) values(?, ?, 1, ?, ?)"),
        {article, headerId, quantity, price});
}

} // namespace journaltest
