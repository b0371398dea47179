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

QVector<PartnerRow> rows(const QString& book)
{
    Database db = Database::open(book);
    QVector<PartnerRow> result;
    result.reserve(db.scalar(QStringLiteral("select count(*) from kd")).toLongLong());
    PreparedQuery rows(
        db, QStringLiteral("select id, kd, ime, mb, ziroracun, mjesto, ulica, telefon, kontakt from kd order by id"));
    rows.exec({});
    while (rows.next())
        result.append({rows.integer(0),
                       {rows.text(1), rows.text(2), rows.text(3), rows.text(4), rows.text(5), rows.text(6),
                        rows.text(7), rows.text(8)}});
    return result;
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
