#include "reportbook.h"

#include "core/db/appstate.h"
#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"

ReportBook::ReportBook()
{
    CreateBookDatabase(path(), BookKindWarehouse);
    AppState::bazaknjige = QStringLiteral("Skladiste1.mdb");
    AppState::vrstabaze = BookKindWarehouse;
    Database db = Database::open(path());
    m_supplierId = db.insert(QStringLiteral("insert into kd(kd, ime) values('D', 'Dobavljač')"));
    m_kindId = db.insert(QStringLiteral("insert into dokumenti(dokument) values('Račun')"));
}

QString ReportBook::path() const
{
    return ProgramFolder::filePath(QStringLiteral("Skladiste1.mdb"));
}

qint64 ReportBook::addArticle(const QString& sifra, const QString& naziv, const QVariant& stanje,
                              const QVariant& minkolicina, const QVariant& barkod, const QVariant& jedmjere)
{
    Database db = Database::open(path());
    return db.insert(QStringLiteral("insert into artikli(sifra, barkod, naziv, jedmjere, minkolicina, stanje, "
                                    "vrijednost, proscijena) values(?, ?, ?, ?, ?, ?, 0, 0)"),
                     {sifra, barkod, naziv, jedmjere, minkolicina, stanje});
}

qint64 ReportBook::addPartner(const QString& kind, const QString& name, const QString& mjesto)
{
    Database db = Database::open(path());
    return db.insert(QStringLiteral("insert into kd(kd, ime, mb, ziroracun, mjesto, ulica, telefon, kontakt) "
                                    "values(?, ?, '', '', ?, '', '', '')"),
                     {kind, name, mjesto});
}

qint64 ReportBook::post(bool receipt, qint64 articleId, const QString& quantity, const QString& price)
{
    StockDocument d;
    d.receipt = receipt;
    d.number = receipt ? ++m_receipts : ++m_issues;
    d.date = QDate(2026, 12, 8);
    d.partnerId = m_supplierId;
    d.documentKindId = receipt ? m_kindId : 0;
    StockLine line;
    line.articleId = articleId;
    line.quantity = *Figure::parse(quantity);
    line.price = *Figure::parse(price);
    line.amount = Figure::multiply(line.quantity, line.price);
    d.lines << line;
    return PostStockDocument(path(), d);
}

void ReportBook::exec(const QString& sql, const QVariantList& values)
{
    Database db = Database::open(path());
    db.exec(sql, values);
}
