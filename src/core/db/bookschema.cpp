#include "bookschema.h"

#include "database.h"

namespace {

void createWarehouseTables(Database& db)
{
    db.exec(QStringLiteral("create table kd(id integer primary key autoincrement, kd text, ime text, mb text, "
                           "ziroracun text, mjesto text, ulica text, telefon text, kontakt text)"));
    db.exec(QStringLiteral("create table artikli(id integer primary key autoincrement, sifra text, barkod text, "
                           "naziv text, jedmjere text, minkolicina real, stanje real, vrijednost real, "
                           "proscijena real)"));
    db.exec(QStringLiteral("create table ulazizlaz(id integer primary key autoincrement, idartikla text, "
                           "idpi integer, idkd integer, kolicina real, cijena real)"));
    db.exec(QStringLiteral("create table pi(id integer primary key autoincrement, pi text, brojpi integer, "
                           "datumpi text, dokument text, brojdok text, datumdok text, idkd integer)"));
    db.exec(QStringLiteral("create table dokumenti(id integer primary key autoincrement, dokument text)"));
    // Look-ups that reports and postings repeat.
    db.exec(QStringLiteral("create index ulazizlaz_idartikla on ulazizlaz(idartikla)"));
    db.exec(QStringLiteral("create index ulazizlaz_idpi on ulazizlaz(idpi)"));
    db.exec(QStringLiteral("create index pi_pi_brojpi on pi(pi, brojpi)"));
    db.exec(QStringLiteral("create index artikli_sifra on artikli(sifra)"));
    db.exec(QStringLiteral("insert into kd(kd, ime, mb, ziroracun, mjesto, ulica, telefon, kontakt) "
                           "values(?, ?, ?, ?, ?, ?, ?, ?)"),
            {QStringLiteral("k"), QStringLiteral("Proizvodnja"), QString(""), QString(""), QString(""), QString(""),
             QString(""), QString("")});
}

void createProductionTables(Database& db)
{
    db.exec(QStringLiteral("create table proizvodi(id integer primary key autoincrement, sifra text, barkod text, "
                           "naziv text, jedmjere text)"));
    db.exec(QStringLiteral("create table sastojci(id integer primary key autoincrement, idartikla text, "
                           "idproizvoda text, idskladista text, kolicina real, cijena real)"));
    db.exec(QStringLiteral("create table radninalozi(id integer primary key autoincrement, brojrn integer, "
                           "datumotv text, datumzatv text, idproizvoda text, kolicinaproizvoda real, trosakmat real, "
                           "trosakrada real, trosakusluga real, ostali1 real, ostali2 real, ostali3 real)"));
    db.exec(QStringLiteral("create table troskovi(id integer primary key autoincrement, idrn text, "
                           "Nazivskladista text, izdatnicabr text, iznos real)"));
    db.exec(QStringLiteral("create index sastojci_idproizvoda on sastojci(idproizvoda)"));
}

} // namespace

bool CreateBookDatabase(const QString& path, const QString& kind)
{
    if (kind != BookKindWarehouse && kind != BookKindProduction)
        return false;
    try {
        createDatabase(path, kind == BookKindWarehouse ? createWarehouseTables : createProductionTables);
        return true;
    } catch (const DbError& e) {
        if (e.kind() != DbErrorKind::AlreadyExists)
            throw;
    }
    // A file that is there must hold a book of this kind: an empty file or the other kind's book is refused.
    const bool warehouse = kind == BookKindWarehouse;
    const QString table = warehouse ? QStringLiteral("artikli") : QStringLiteral("proizvodi");
    Database db = Database::open(path);
    if (!db.scalar(QStringLiteral("select 1 from sqlite_master where type = 'table' and name = ?"), {table}).isValid())
        throw DbError(DbErrorKind::NotADatabase,
                      QStringLiteral("Datoteka %1 nije knjiga %2: u njoj nema tablice %3.")
                          .arg(path, warehouse ? QStringLiteral("skladišta") : QStringLiteral("proizvodnje"), table));
    return false;
}
