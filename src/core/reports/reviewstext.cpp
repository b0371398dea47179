#include "reviewstext.h"

#include "core/text/datetext.h"
#include "core/text/reporttext.h"

using Reviews::ListingLine;
using Reviews::ReviewDocument;

namespace ReviewsText {

namespace {

const QString IssueHeader =
    QStringLiteral("B.iz. Dat.iz.  Mjesto troška") + QString(43, u' ') + QStringLiteral("Iznos");
const QString ReceiptHeader = QStringLiteral("B.pr. Dat.pr.  Dobavljač") + QString(17, u' ') +
                              QStringLiteral("Dokument   Broj dok.  Dat.dok. Iznos");
const QString ListingHeader =
    QStringLiteral("R.br. Šifra        Naziv                 J.mj. Količina    Cijena       Iznos");

// A date in eight columns: "dd.MM.yy", or blanks when there is none.
QString shortDate(const QDate& date)
{
    return PadRightTo(date.isValid() ? DateText::toShortYear(date) : QString(), 8);
}

// The partner-name cut of a summary.
int partnerCut(bool receipt, Summary which)
{
    if (receipt || which == Summary::DateRange)
        return 25;
    return 39;
}

QString documentLine(bool receipt, Summary which, const ReviewDocument& d)
{
    const QString start = PadLeftTo(QString::number(d.number), 5) + u' ' + shortDate(d.date) + u' ';
    const QString amount = PadLeftTo(MoneyColumn12(d.amount).trimmed(), 11);
    const QString partner = CutTo(d.partnerName, partnerCut(receipt, which));
    if (!receipt)
        return start + PadRightTo(partner, 55) + QStringLiteral("  ") + amount;
    return start + PadRightTo(partner, 25) + u' ' + PadRightTo(CutTo(d.kindName, 10), 10) + u' ' +
           PadLeftTo(d.supplierDocNumber, 10) + u' ' + shortDate(d.supplierDocDate) + u' ' + amount;
}

QString figureText(const std::optional<Figure>& value)
{
    return value ? value->text00() : QString();
}

QString listingLine(int index, const ListingLine& line)
{
    return PadLeftTo(QString::number(index + 1), 4) + QStringLiteral(". ") + PadRightTo(line.sifra, 12) + u' ' +
           PadRightTo(CutTo(line.naziv, 21), 21) + u' ' + PadRightTo(line.jedmjere, 5) + u' ' +
           PadLeftTo(figureText(line.quantity), 11) + u' ' + PadLeftTo(figureText(line.price), 12) + u' ' +
           PadLeftTo(line.amount.text00(), 11);
}

} // namespace

QStringList summary(bool receipt, Summary which, const QList<ReviewDocument>& documents)
{
    if (which == Summary::DateRange && documents.isEmpty())
        return {};
    const bool underscores = receipt && which != Summary::OneDocument;
    QStringList text{receipt ? ReceiptHeader : IssueHeader,
                     ReportRule(ReportText::ReportWidth, underscores ? u'_' : u' ')};
    for (const ReviewDocument& d : documents)
        text.append(documentLine(receipt, which, d));
    return text;
}

QStringList fullListing(bool receipt, const std::optional<ReviewDocument>& document, const QList<ListingLine>& lines)
{
    QList<ReviewDocument> chosen;
    if (document)
        chosen.append(*document);
    QStringList text = summary(receipt, Summary::OneDocument, chosen);
    text << ReportRule(ReportText::ReportWidth, u'_') << ListingHeader << QString(ReportText::ReportWidth, u' ')
         << ReportRule(ReportText::ReportWidth, u'-');
    for (int i = 0; i < lines.size(); ++i)
        text.append(listingLine(i, lines[i]));
    text << ReportRule(ReportText::ReportWidth, u'_')
         << QString(58, u' ') + QStringLiteral("Ukupni iznos: ") +
                PadLeftTo(Reviews::DocumentAmount(lines).text00(), 11);
    return text;
}

} // namespace ReviewsText
