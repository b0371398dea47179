#include "registry.h"

#include "bookschema.h"
#include "database.h"
#include "programfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlRecord>

namespace Registry {

bool ensureExists()
{
    try {
        createDatabase(ProgramFolder::registryPath(), [](Database& db) {
            db.exec(QStringLiteral("create table svetvrtke(id integer primary key autoincrement, ime text, mb text, "
                                   "sifradj text, \"to\" text, ziroracun text, posta text, mjesto text, ulica text, "
                                   "telefon text, kontakt text)"));
            db.exec(QStringLiteral("create table dodajknjige(id integer primary key autoincrement, Nazivvrste text)"));
            db.exec(QStringLiteral("create table otvoreneknjige(id integer primary key autoincrement, idtvrtke text, "
                                   "nazivknjige text, vrstaknjige text, adresa text)"));
            db.exec(QStringLiteral("insert into dodajknjige(nazivvrste) values(?)"), {BookKindWarehouse});
            db.exec(QStringLiteral("insert into dodajknjige(nazivvrste) values(?)"), {BookKindProduction});
        });
        return true;
    } catch (const DbError& e) {
        if (e.kind() == DbErrorKind::AlreadyExists)
            return false;
        throw;
    }
}

QList<Company> companies()
{
    Database db = Database::open(ProgramFolder::registryPath());
    QList<Company> list;
    const auto rows = db.select(QStringLiteral("select * from svetvrtke order by ime collate hr asc, id"));
    for (const QSqlRecord& r : rows) {
        Company c;
        c.id = r.value(QStringLiteral("id")).toLongLong();
        c.ime = r.value(QStringLiteral("ime")).toString();
        c.mb = r.value(QStringLiteral("mb")).toString();
        c.sifradj = r.value(QStringLiteral("sifradj")).toString();
        c.to = r.value(QStringLiteral("to")).toString();
        c.ziroracun = r.value(QStringLiteral("ziroracun")).toString();
        c.posta = r.value(QStringLiteral("posta")).toString();
        c.mjesto = r.value(QStringLiteral("mjesto")).toString();
        c.ulica = r.value(QStringLiteral("ulica")).toString();
        c.telefon = r.value(QStringLiteral("telefon")).toString();
        c.kontakt = r.value(QStringLiteral("kontakt")).toString();
        list.append(c);
    }
    return list;
}

namespace {

// The columns' widths: ime, mb, sifradj, to, ziroracun, posta, mjesto, ulica, telefon, kontakt.
QVariantList companyValues(const Company& c)
{
    return {fitToWidth(c.ime, 30),       fitToWidth(c.mb, 13),     fitToWidth(c.sifradj, 10), fitToWidth(c.to, 1),
            fitToWidth(c.ziroracun, 20), fitToWidth(c.posta, 6),   fitToWidth(c.mjesto, 20),  fitToWidth(c.ulica, 30),
            fitToWidth(c.telefon, 20),   fitToWidth(c.kontakt, 30)};
}

constexpr int BookTextWidth = 30;

} // namespace

qint64 insertCompany(const Company& company)
{
    Database db = Database::open(ProgramFolder::registryPath());
    return db.insert(QStringLiteral("insert into svetvrtke(ime, mb, sifradj, \"to\", ziroracun, posta, mjesto, ulica, "
                                    "telefon, kontakt) values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                     companyValues(company));
}

void updateCompany(const Company& company)
{
    Database db = Database::open(ProgramFolder::registryPath());
    QVariantList values = companyValues(company);
    values.append(company.id);
    db.exec(QStringLiteral("update svetvrtke set ime = ?, mb = ?, sifradj = ?, \"to\" = ?, ziroracun = ?, posta = ?, "
                           "mjesto = ?, ulica = ?, telefon = ?, kontakt = ? where id = ?"),
            values);
}

QStringList bookKinds()
{
    Database db = Database::open(ProgramFolder::registryPath());
    QStringList kinds;
    for (const QSqlRecord& r :
         db.select(QStringLiteral("select nazivvrste from dodajknjige order by nazivvrste collate hr, id")))
        kinds.append(r.value(0).toString());
    return kinds;
}

qint64 insertBook(qint64 companyId, const QString& nazivknjige, const QString& vrstaknjige, const QString& adresa)
{
    Database db = Database::open(ProgramFolder::registryPath());
    return db.insert(
        QStringLiteral("insert into otvoreneknjige(idtvrtke, nazivknjige, vrstaknjige, adresa) values(?, ?, ?, ?)"),
        {QString::number(companyId), fitToWidth(nazivknjige, BookTextWidth), fitToWidth(vrstaknjige, BookTextWidth),
         fitToWidth(adresa, BookTextWidth)});
}

void updateBook(qint64 bookId, const QString& nazivknjige, const QString& adresa)
{
    Database db = Database::open(ProgramFolder::registryPath());
    db.exec(QStringLiteral("update otvoreneknjige set nazivknjige = ?, adresa = ? where id = ?"),
            {fitToWidth(nazivknjige, BookTextWidth), fitToWidth(adresa, BookTextWidth), bookId});
}

bool deleteBook(qint64 bookId)
{
    Database db = Database::open(ProgramFolder::registryPath());
    const auto row = db.selectFirst(QStringLiteral("select vrstaknjige from otvoreneknjige where id = ?"), {bookId});
    if (!row)
        return false;
    const QString failure = removeBookFile(BookFileName(row->value(0).toString().trimmed(), bookId));
    if (!failure.isEmpty())
        throw DbError(DbErrorKind::FileSystem, failure);
    db.exec(QStringLiteral("delete from otvoreneknjige where id = ?"), {bookId});
    return true;
}

namespace {
Book bookFromRecord(const QSqlRecord& r)
{
    Book b;
    b.id = r.value(QStringLiteral("id")).toLongLong();
    b.idtvrtke = r.value(QStringLiteral("idtvrtke")).toString();
    b.nazivknjige = r.value(QStringLiteral("nazivknjige")).toString();
    b.vrstaknjige = r.value(QStringLiteral("vrstaknjige")).toString();
    b.adresa = r.value(QStringLiteral("adresa")).toString();
    return b;
}

QList<Book> booksOfCompany(Database& db, qint64 companyId)
{
    QList<Book> list;
    const auto rows = db.select(QStringLiteral("select * from otvoreneknjige where idtvrtke = ? order by id"),
                                {QString::number(companyId)});
    for (const QSqlRecord& r : rows)
        list.append(bookFromRecord(r));
    return list;
}
} // namespace

QList<Book> booksOfCompany(qint64 companyId)
{
    Database db = Database::open(ProgramFolder::registryPath());
    return booksOfCompany(db, companyId);
}

QString removeBookFile(const QString& fileName)
{
    const QString path = ProgramFolder::filePath(fileName);
    const QString journal = path + QStringLiteral("-journal");
    QFileInfo info(path);
    if (info.exists() || info.isSymLink()) {
        QFile file(path);
        if (!file.remove())
            return QStringLiteral("%1: %2").arg(fileName, file.errorString());
    }
    if (QFileInfo::exists(journal))
        QFile::remove(journal);
    return QString();
}

DeleteOutcome deleteCompany(qint64 companyId)
{
    DeleteOutcome outcome;
    try {
        Database db = Database::open(ProgramFolder::registryPath());
        const QList<Book> books = booksOfCompany(db, companyId);
        QList<qint64> gone;
        for (const Book& book : books) {
            const QString failure = removeBookFile(BookFileName(book.vrstaknjige, book.id));
            if (failure.isEmpty())
                gone.append(book.id);
            else
                outcome.failures.append(failure);
        }
        Transaction tx(db);
        for (qint64 id : gone)
            db.exec(QStringLiteral("delete from otvoreneknjige where id = ?"), {id});
        if (outcome.failures.isEmpty())
            db.exec(QStringLiteral("delete from svetvrtke where id = ?"), {companyId});
        tx.commit();
        outcome.complete = outcome.failures.isEmpty();
    } catch (const DbError& e) {
        outcome.complete = false;
        outcome.failures.append(e.description());
    }
    return outcome;
}

} // namespace Registry
