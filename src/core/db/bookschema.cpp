#include "bookschema.h"

#include "database.h"

namespace {

// The lines of one article, by its numeric id and in the order they were stored: "where cast(idartikla as integer)
// = ? order by id" reads them from this index alone, without sorting. It keys on the number, not on the stored text,
// so its entries are small; every posted line still lands on the page of its own article.
const QString ArticleLinesIndex = QStringLiteral("ulazizlaz_artikl");
const QString CreateArticleLinesIndex =
    QStringLiteral("create index ulazizlaz_artikl on ulazizlaz(cast(idartikla as integer))");
// The index of earlier books: keyed on the text, it served no query and cost every posting.
const QString OldArticleIndex = QStringLiteral("ulazizlaz_idartikla");
// The documents of a kind within a date range (the review summaries) without reading every document of the kind.
const QString DatedDocumentsIndex = QStringLiteral("pi_pi_datumpi");
const QString CreateDatedDocumentsIndex = QStringLiteral("create index pi_pi_datumpi on pi(pi, datumpi)");

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
    db.exec(CreateArticleLinesIndex);
    db.exec(QStringLiteral("create index ulazizlaz_idpi on ulazizlaz(idpi)"));
    db.exec(QStringLiteral("create index pi_pi_brojpi on pi(pi, brojpi)"));
    db.exec(CreateDatedDocumentsIndex);
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

bool UpgradeBookIndexes(Database& db)
{
    PreparedQuery check(db, QStringLiteral("select exists(select 1 from sqlite_master where type = 'table' and name = "
                                           "'ulazizlaz'), exists(select 1 from sqlite_master where type = 'index' and "
                                           "name = ?), exists(select 1 from sqlite_master where type = 'index' and "
                                           "name = ?)"));
    check.exec({ArticleLinesIndex, DatedDocumentsIndex});
    const bool warehouse = check.next() && check.integer(0) != 0;
    const bool articleLines = check.integer(1) != 0;
    const bool datedDocuments = check.integer(2) != 0;
    check.finish();
    if (!warehouse || (articleLines && datedDocuments))
        return false;
    try {
        db.runWithoutWaiting([&] {
            Transaction tx(db);
            if (!articleLines) {
                db.exec(QStringLiteral("drop index if exists ") + OldArticleIndex);
                db.exec(CreateArticleLinesIndex);
            }
            if (!datedDocuments)
                db.exec(CreateDatedDocumentsIndex);
            tx.commit();
        });
    } catch (const DbError&) {
        return false; // busy or read-only: the book works as it is and is brought up to date another time
    }
    return true;
}
