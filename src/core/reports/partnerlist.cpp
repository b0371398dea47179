#include "partnerlist.h"

#include "core/db/database.h"
#include "core/text/datetext.h"
#include "core/text/reporttext.h"

#include <QSqlRecord>

namespace PartnerLists {

QList<Partner> partners(const QString& book, PartnerListKind kind)
{
    Database db = Database::open(book);
    const QString kinds = kind == PartnerListKind::Customers ? QStringLiteral("'K', 'S'") : QStringLiteral("'D', 'S'");
    QList<Partner> result;
    for (const QSqlRecord& r :
         db.select(QStringLiteral("select id, kd, ime, mb, ziroracun, mjesto, ulica, telefon, kontakt from kd "
                                  "where upper(kd) in (%1) order by ime collate hr, id")
                       .arg(kinds))) {
        Partner p;
        p.id = r.value(0).toLongLong();
        p.kd = r.value(1).toString();
        p.ime = r.value(2).toString();
        p.mb = r.value(3).toString();
        p.ziroracun = r.value(4).toString();
        p.mjesto = r.value(5).toString();
        p.ulica = r.value(6).toString();
        p.telefon = r.value(7).toString();
        p.kontakt = r.value(8).toString();
        result.append(p);
    }
    return result;
}

} // namespace PartnerLists

QStringList buildPartnerList(PartnerListKind kind, const QDate& today, const QList<Partner>& partners)
{
    QStringList lines;
    lines.reserve(5 + 4 * partners.size());
    lines << (kind == PartnerListKind::Customers ? QStringLiteral("Kupci na dan: ")
                                                 : QStringLiteral("Dobavljači na dan: ")) +
                 DateText::toShort(today);
    lines << QString();
    lines << QStringLiteral("Naziv                          Mat. broj     Žiroračun            Kontakt          ");
    lines << QStringLiteral("_____                          Mjesto        Ulica i br.          Telefon");
    lines << ReportRule(ReportText::ReportWidth, u'_');
    for (const Partner& p : partners) {
        lines << PadRightTo(p.ime.trimmed(), 30) + u' ' + PadRightTo(p.mb.trimmed(), 13) + u' ' +
                     PadRightTo(p.ziroracun.trimmed(), 20) + u' ' + p.kontakt.trimmed();
        lines << QString();
        // The place is the one value the list cuts.
        lines << QString(31, u' ') + PadRightTo(CutTo(p.mjesto.trimmed(), 13), 13) + u' ' + PadRightTo(p.ulica, 20) +
                     u' ' + p.telefon;
        lines << ReportRule(ReportText::ReportWidth, u'-');
    }
    return lines;
}
