#include "reviewbook.h"

#include "common/workspace.h"
#include "core/db/appstate.h"
#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"

namespace reviewtest {

ReviewBook::ReviewBook()
{
    CreateBookDatabase(path(), BookKindWarehouse);
    AppState::bazaknjige = QStringLiteral("Skladiste1.mdb");
    AppState::vrstabaze = BookKindWarehouse;
    Workspace::setHost({[](QWidget* window, QWidget*) { window->show(); },
                        [this](MenuGroup group, bool enabled) {
                            if (group == MenuGroup::Warehouse)
                                m_menusEnabled = enabled;
                        }});
}

ReviewBook::~ReviewBook()
{
    knjtest::closeAllWindows();
    Workspace::setHost({});
}

QString ReviewBook::path() const
{
    return ProgramFolder::filePath(QStringLiteral("Skladiste1.mdb"));
}

qint64 ReviewBook::addArticle(const QString& sifra, const QString& naziv, const QString& jedmjere)
{
    Database db = Database::open(path());
    return db.insert(QStringLiteral("insert into artikli(sifra, barkod, naziv, jedmjere, minkolicina, stanje, "
                                    "vrijednost, proscijena) values(?, '', ?, ?, 0, 0, 0, 0)"),
                     {sifra, naziv, jedmjere});
}

qint64 ReviewBook::addPartner(const QString& kind, const QString& name)
{
    Database db = Database::open(path());
    return db.insert(QStringLiteral("insert into kd(kd, ime) values(?, ?)"), {kind, name});
}

qint64 ReviewBook::addDocumentKind(const QString& name)
{
    Database db = Database::open(path());
    return db.insert(QStringLiteral("insert into dokumenti(dokument) values(?)"), {name});
}

qint64 ReviewBook::post(bool receipt, qint64 number, const QDate& date, qint64 partner, const QList<Line>& lines,
                        qint64 kind, const QString& supplierDocNumber, const QDate& supplierDocDate)
{
    StockDocument d;
    d.receipt = receipt;
    d.number = number;
    d.date = date;
    d.partnerId = partner;
    d.documentKindId = kind;
    d.supplierDocNumber = supplierDocNumber;
    d.supplierDocDate = supplierDocDate;
    for (const Line& l : lines) {
        StockLine line;
        line.articleId = l.article;
        line.quantity = *Figure::parse(l.quantity);
        line.price = *Figure::parse(l.price);
        line.amount = Figure::multiply(line.quantity, line.price);
        d.lines.append(line);
    }
    return PostStockDocument(path(), d);
}

void ReviewBook::exec(const QString& sql, const QVariantList& values)
{
    Database db = Database::open(path());
    db.exec(sql, values);
}

} // namespace reviewtest
