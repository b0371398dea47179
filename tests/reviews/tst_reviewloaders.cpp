#include "core/db/database.h"
#include "core/reports/reviews.h"
#include "core/reports/reviewstext.h"
#include "reviewbook.h"
#include "support/testmain.h"

#include <QTest>

using reviewtest::Line;
using reviewtest::ReviewBook;

namespace {

QDate dec(int day)
{
    return QDate(2026, 12, day);
}

QStringList amounts(const QList<Reviews::ReviewDocument>& documents)
{
    QStringList texts;
    for (const auto& d : documents)
        texts.append(d.amount.text00());
    return texts;
}

QList<qint64> numbers(const QList<Reviews::ReviewDocument>& documents)
{
    QList<qint64> list;
    for (const auto& d : documents)
        list.append(d.number);
    return list;
}

} // namespace

class ReviewLoadersTest : public QObject
{
    Q_OBJECT
private slots:
    void brokenDocumentsStayListedInPlace();
    void partnersOfEachKind();
    void listingAgreesWithSummaryAndStockValue();
};

void ReviewLoadersTest::brokenDocumentsStayListedInPlace()
{
    ReviewBook book;
    const qint64 dom = book.addPartner("d", "Dom");
    const qint64 racun = book.addDocumentKind("Račun");
    const qint64 otpremnica = book.addDocumentKind("Otpremnica");
    const qint64 a = book.addArticle("A", "Vijak");
    const qint64 first = book.post(true, 1, dec(2), dom, {{a, "3", "12,25"}, {a, "2", "0,5"}}, racun);
    const qint64 emptyKind = book.post(true, 2, dec(2), dom, {{a, "0,3", "0,01"}, {a, "0,3", "0,01"}}, racun);
    const qint64 unknownKind = book.post(true, 3, dec(2), dom, {{a, "1", "3"}, {a, "7", "2"}}, racun);
    const qint64 lowerP = book.post(true, 4, dec(2), dom, {}, otpremnica);
    const qint64 gonePartner = book.post(true, 5, dec(2), dom, {{a, "1", "5"}}, otpremnica);
    book.exec("update pi set dokument = '' where id = ?", {emptyKind});
    book.exec("update pi set dokument = '99' where id = ?", {unknownKind});
    book.exec("update pi set idkd = 999 where id = ?", {gonePartner});
    // A line without a price adds nothing to its document; a receipt stored with a lower-case "p" is listed.
    book.exec("update ulazizlaz set cijena = null where idpi = ? and kolicina = 7", {unknownKind});
    book.exec("update pi set pi = 'p' where id = ?", {lowerP});
    // A later document with a lower number stays in its stored place.
    book.exec("update pi set brojpi = 0 where id = ?", {lowerP});

    const auto ranged = Reviews::documentsDated(book.path(), true, dec(2), dec(2));
    QCOMPARE(numbers(ranged), (QList<qint64>{1, 2, 3, 0, 5}));
    QCOMPARE(amounts(ranged), (QStringList{"37,75", "0,00", "3,00", "0,00", "5,00"}));
    QStringList kinds, partners;
    for (const auto& d : ranged) {
        kinds.append(d.kindName);
        partners.append(d.partnerName);
    }
    QCOMPARE(kinds, (QStringList{"Račun", "", "", "Otpremnica", "Otpremnica"}));
    QCOMPARE(partners, (QStringList{"Dom", "Dom", "Dom", "Dom", ""}));

    const auto ofPartner = Reviews::documentsOfPartner(book.path(), true, dom);
    QCOMPARE(numbers(ofPartner), (QList<qint64>{1, 2, 3, 0}));
    QCOMPARE(amounts(ofPartner), (QStringList{"37,75", "0,00", "3,00", "0,00"}));
    QCOMPARE(ofPartner[3].kindName, QStringLiteral("Otpremnica"));
    QVERIFY(!Reviews::document(book.path(), false, first)); // a receipt is no issue note
    QCOMPARE(Reviews::documents(book.path(), true).size(), 5);
    QCOMPARE(Reviews::DocumentAmount(Reviews::documentLines(book.path(), unknownKind)).text00(),
             QStringLiteral("3,00"));

    // The last day the date pickers allow.
    book.post(true, 6, QDate(9999, 12, 31), dom, {{a, "1", "1"}}, racun);
    QCOMPARE(numbers(Reviews::documentsDated(book.path(), true, dec(2), QDate(9999, 12, 31))),
             (QList<qint64>{1, 2, 3, 0, 5, 6}));
    QCOMPARE(numbers(Reviews::documentsDated(book.path(), true, QDate(9999, 12, 31), QDate(9999, 12, 31))),
             (QList<qint64>{6}));
    // A date stored with a time of day falls on the range's last day.
    const qint64 timed = book.post(true, 7, dec(3), dom, {{a, "1", "1"}}, racun);
    book.exec("update pi set datumpi = '2026-12-03 10:30:00' where id = ?", {timed});
    QCOMPARE(numbers(Reviews::documentsDated(book.path(), true, dec(2), dec(3))), (QList<qint64>{1, 2, 3, 0, 5, 7}));
}

void ReviewLoadersTest::partnersOfEachKind()
{
    ReviewBook book;
    for (const char* kind : {"K", "D", "s", "d", "S", "k", "x"})
        book.addPartner(kind, QStringLiteral("Partner ") + kind);
    QStringList issue, receipt;
    for (const auto& p : Reviews::partners(book.path(), false))
        issue.append(p.name);
    for (const auto& p : Reviews::partners(book.path(), true))
        receipt.append(p.name);
    QCOMPARE(issue, (QStringList{"Proizvodnja", "Partner K", "Partner s", "Partner S", "Partner k"}));
    QCOMPARE(receipt, (QStringList{"Partner D", "Partner s", "Partner d", "Partner S"}));
}

void ReviewLoadersTest::listingAgreesWithSummaryAndStockValue()
{
    ReviewBook book;
    const qint64 dom = book.addPartner("D", "Dom");
    const qint64 racun = book.addDocumentKind("Račun");
    const qint64 a = book.addArticle("A", "Vijak");
    const qint64 b = book.addArticle("B", "Matica");
    const qint64 id =
        book.post(true, 1, dec(1), dom, {{a, "0,5", "0,01"}, {b, "0,5", "0,01"}, {a, "3", "12,35"}}, racun);
    const auto lines = Reviews::documentLines(book.path(), id);
    const auto doc = Reviews::document(book.path(), true, id);
    QCOMPARE(Reviews::DocumentAmount(lines).text00(), QStringLiteral("37,07"));
    QCOMPARE(doc->amount, Reviews::DocumentAmount(lines));
    Database db = Database::open(book.path());
    QCOMPARE(Figure::fromDouble(db.scalar("select sum(vrijednost) from artikli").toDouble()), doc->amount);
    const QStringList text = ReviewsText::fullListing(true, doc, lines);
    QCOMPARE(text[2].right(11), QStringLiteral("      37,07"));
    QCOMPARE(text.last().right(11), QStringLiteral("      37,07"));
}

KNJ_REGISTER_TEST(ReviewLoadersTest)
#include "tst_reviewloaders.moc"
