#include "partnerlist.h"

#include "core/text/datetext.h"
#include "core/text/reporttext.h"

namespace PartnerLists {

QList<Partner> partners(const QString& book, PartnerListKind kind)
{
    return kind == PartnerListKind::Customers ? Partners::ofKinds(book, QStringLiteral("K"), QStringLiteral("S"))
                                              : Partners::ofKinds(book, QStringLiteral("D"), QStringLiteral("S"));
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
