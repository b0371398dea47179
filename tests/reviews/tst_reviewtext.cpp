#include "core/reports/reviewstext.h"
#include "support/testmain.h"

#include <QTest>

using Reviews::ListingLine;
using Reviews::ReviewDocument;
using ReviewsText::Summary;

Q_DECLARE_METATYPE(Summary)
Q_DECLARE_METATYPE(Reviews::ReviewDocument)
Q_DECLARE_METATYPE(Reviews::ListingLine)

namespace {

const QString Partner30 = QStringLiteral("Građevinski obrt Marić i sinov");
const QString Partner41 = QStringLiteral("Poljoprivredna zadruga Slavonija d.o.o. X");
const QString Partner40 = QStringLiteral("Poljoprivredna zadruga Slavonija-Baranja"); // no blank at either cut

QDate day(const QString& iso)
{
    return QDate::fromString(iso, Qt::ISODate);
}

ReviewDocument document(qint64 number, const QString& date, const QString& partner, const QString& amount,
                        const QString& kind = QString(), const QString& supplierDocNumber = QString(),
                        const QString& supplierDocDate = QString())
{
    ReviewDocument d;
    d.number = number;
    d.date = day(date);
    d.partnerName = partner;
    d.amount = *Figure::parse(amount);
    d.kindName = kind;
    d.supplierDocNumber = supplierDocNumber;
    d.supplierDocDate = day(supplierDocDate);
    return d;
}

ListingLine line(const QString& sifra, const QString& naziv, const QString& jedmjere, const QString& quantity,
                 const QString& price)
{
    ListingLine l{sifra, naziv, jedmjere, Figure::parse(quantity), Figure::parse(price), Figure()};
    if (l.quantity && l.price)
        l.amount = Figure::multiply(*l.quantity, *l.price);
    return l;
}

} // namespace

class ReviewTextTest : public QObject
{
    Q_OBJECT
private slots:
    void documentLine_data();
    void documentLine();
    void listingLine_data();
    void listingLine();
};

void ReviewTextTest::documentLine_data()
{
    QTest::addColumn<bool>("receipt");
    QTest::addColumn<Summary>("which");
    QTest::addColumn<ReviewDocument>("doc");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("issue one: 30 whole") << false << Summary::OneDocument << document(7, "2026-12-08", Partner30, "1234,5") << "    7 08.12.26 Građevinski obrt Marić i sinov                               1234,50";
    QTest::newRow("issue one: cut at 39") << false << Summary::OneDocument << document(12, "2026-12-01", Partner41, "0") << "   12 01.12.26 Poljoprivredna zadruga Slavonija d.o.o.                         0,00";
    QTest::newRow("issue one: cut at 39 in a word") << false << Summary::OneDocument << document(13, "2026-12-01", Partner40, "0") << "   13 01.12.26 Poljoprivredna zadruga Slavonija-Baranj                         0,00";
    QTest::newRow("issue range: cut at 25 in a word") << false << Summary::DateRange << document(13, "2026-12-01", Partner40, "0") << "   13 01.12.26 Poljoprivredna zadruga Sl                                       0,00";
    QTest::newRow("issue partner: 30 whole") << false << Summary::Partner << document(7, "2026-12-08", Partner30, "1234,5") << "    7 08.12.26 Građevinski obrt Marić i sinov                               1234,50";
    QTest::newRow("issue range: cut at 25") << false << Summary::DateRange << document(7, "2026-12-08", Partner30, "1234,5") << "    7 08.12.26 Građevinski obrt Marić i                                     1234,50";
    QTest::newRow("issue: six digits, no partner") << false << Summary::OneDocument << document(123456, "2027-01-31", "", "5") << "123456 31.01.27                                                                 5,00";
    QTest::newRow("issue: long amount") << false << Summary::Partner << document(3, "2026-12-02", "Proizvodnja", "123456789012,34") << "    3 02.12.26 Proizvodnja                                              123456789012,34";
    QTest::newRow("receipt one: cuts 25 and 10") << true << Summary::OneDocument << document(1, "2026-12-01", Partner30, "37,75", "Otpremnica-R", "R-15/26", "2026-11-30") << "    1 01.12.26 Građevinski obrt Marić i  Otpremnica    R-15/26 30.11.26       37,75";
    QTest::newRow("receipt range: long doc number") << true << Summary::DateRange << document(2, "2026-12-08", "Dom d.o.o.", "0", "Račun", "2026-000123A", "2026-12-07") << "    2 08.12.26 Dom d.o.o.                Račun      2026-000123A 07.12.26        0,00";
    QTest::newRow("receipt partner: empty names") << true << Summary::Partner << document(10, "2026-12-09", "", "12,3") << "   10 09.12.26                                                                12,30";
    // clang-format on
}

void ReviewTextTest::documentLine()
{
    QFETCH(bool, receipt);
    QFETCH(Summary, which);
    QFETCH(ReviewDocument, doc);
    QFETCH(QString, expected);
    const QStringList text = ReviewsText::summary(receipt, which, {doc});
    QCOMPARE(text.size(), 3);
    QCOMPARE(text[2], expected);
}

void ReviewTextTest::listingLine_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<ListingLine>("last");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("total");
    // clang-format off
    QTest::newRow("tenth line, name cut at 21") << 10 << line("0123456789", "Ljepilo za pločice Čvrsto", "kg", "0,5", "0,01") << "  10. 0123456789   Ljepilo za pločice Čv kg           0,50         0,01        0,01" << "9,01";
    QTest::newRow("missing article and figures") << 2 << ListingLine() << "   2.                                                                          0,00" << "1,00";
    QTest::newRow("large product is exact") << 1 << line("B", "Cement", "vreća", "99999,99", "99,99") << "   1. B            Cement                vreća    99999,99        99,99  9998999,00" << "9998999,00";
    // clang-format on
}

void ReviewTextTest::listingLine()
{
    QFETCH(int, count);
    QFETCH(ListingLine, last);
    QFETCH(QString, expected);
    QFETCH(QString, total);
    QList<ListingLine> lines(count - 1, line("A-1", "Vijak M8", "kom", "1", "1"));
    lines.append(last);
    const QStringList text = ReviewsText::fullListing(true, std::nullopt, lines);
    QCOMPARE(text[6 + count - 1], expected);
    QCOMPARE(text.last(), QString(58, u' ') + "Ukupni iznos: " + total.rightJustified(11));
}

KNJ_REGISTER_TEST(ReviewTextTest)
#include "tst_reviewtext.moc"
