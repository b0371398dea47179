#include "partners.h"

#include "core/db/database.h"

namespace {

QList<Partner> selectPartners(const QString& book, const QString& sql, const QVariantList& values = {})
{
    Database db = Database::open(book);
    QList<Partner> result;
    for (const QSqlRecord& r : db.select(sql, values)) {
        Partner p;
        p.id = r.value("id").toLongLong();
        p.kd = r.value("kd").toString();
        p.ime = r.value("ime").toString();
        p.mb = r.value("mb").toString();
        p.ziroracun = r.value("ziroracun").toString();
        p.mjesto = r.value("mjesto").toString();
        p.ulica = r.value("ulica").toString();
        p.telefon = r.value("telefon").toString();
        p.kontakt = r.value("kontakt").toString();
        result.append(p);
    }
    return result;
}

QVariantList fieldsOf(const Partner& p)
{
    return {fitToWidth(p.kd, 1),      fitToWidth(p.ime, 30),   fitToWidth(p.mb, 13),      fitToWidth(p.ziroracun, 20),
            fitToWidth(p.mjesto, 20), fitToWidth(p.ulica, 30), fitToWidth(p.telefon, 20), fitToWidth(p.kontakt, 30)};
}

} // namespace

namespace Partners {

QList<Partner> byName(const QString& book)
{
    return selectPartners(book, QStringLiteral("select * from kd order by ime collate hr asc, id"));
}

QList<Partner> ofKinds(const QString& book, const QString& kind, const QString& alsoKind)
{
    return selectPartners(book,
                          QStringLiteral("select * from kd where upper(kd) in (?, ?) order by ime collate hr, id"),
                          {kind, alsoKind});
}

QList<Partner> inStoredOrder(const QString& book)
{
    return selectPartners(book, QStringLiteral("select * from kd order by id"));
}

QList<qint64> insertAll(const QString& book, const QList<Partner>& partners)
{
    Database db = Database::open(book);
    Transaction tx(db);
    QList<qint64> ids;
    for (const Partner& p : partners)
        ids.append(db.insert(QStringLiteral("insert into kd(kd, ime, mb, ziroracun, mjesto, ulica, telefon, kontakt) "
                                            "values(?, ?, ?, ?, ?, ?, ?, ?)"),
                             fieldsOf(p)));
    tx.commit();
    return ids;
}

void update(const QString& book, const Partner& p)
{
    Database db = Database::open(book);
    QVariantList values = fieldsOf(p);
    values.append(p.id);
    db.exec(QStringLiteral("update kd set kd = ?, ime = ?, mb = ?, ziroracun = ?, mjesto = ?, ulica = ?, telefon = ?, "
                           "kontakt = ? where id = ?"),
            values);
}

} // namespace Partners
