#include "core/text/datetext.h"
#include "core/text/figure.h"
#include "support/testmain.h"

#include <QTest>

class FigureTest : public QObject
{
    Q_OBJECT
private slots:
    void parseAndRound_data();
    void parseAndRound();
    void refusesMalformedText_data();
    void refusesMalformedText();
    void texts_data();
    void texts();
    void multiplyRoundsHalfAway_data();
    void multiplyRoundsHalfAway();
    void storedPrices_data();
    void storedPrices();
    void divideRoundsHalfAway_data();
    void divideRoundsHalfAway();
    void fromDoubleRoundsDecimalText_data();
    void fromDoubleRoundsDecimalText();
    void largeFiguresStayExact();
    void dates();
};

// The tables read best one case to a line.
// clang-format off
void FigureTest::parseAndRound_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("cents");
    QTest::newRow("whole") << "12" << qint64(1200);
    QTest::newRow("one decimal") << "12,5" << qint64(1250);
    QTest::newRow("leading comma") << ",5" << qint64(50);
    QTest::newRow("three decimals down") << "12345,674" << qint64(1234567);
    QTest::newRow("three decimals up") << "12345,678" << qint64(1234568);
    QTest::newRow("tie away from zero") << "0,125" << qint64(13);
    QTest::newRow("negative tie") << "-0,125" << qint64(-13);
    QTest::newRow("trailing comma") << "7," << qint64(700);
    QTest::newRow("blanks around") << "  3,10 " << qint64(310);
    QTest::newRow("above five digits") << "99999,995" << qint64(10000000);
}

void FigureTest::parseAndRound()
{
    QFETCH(QString, text);
    QFETCH(qint64, cents);
    const auto f = Figure::parse(text);
    QVERIFY(f.has_value());
    QCOMPARE(f->cents(), cents);
}

void FigureTest::refusesMalformedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("comma only") << ",";
    QTest::newRow("decimal point") << "12.5";
    QTest::newRow("letters") << "abc";
    QTest::newRow("two commas") << "1,2,3";
    QTest::newRow("grouping") << "1 000";
    QTest::newRow("exponent") << "1e3";
    QTest::newRow("huge exponent") << "1e308";
    QTest::newRow("exponent after decimals") << "1,5E2";
    QTest::newRow("Arabic-Indic digits") << "١٢";
    QTest::newRow("full-width digits") << "１２,5";
    QTest::newRow("overflowing digits") << "99999999999999999999";
    QTest::newRow("two signs") << "--5";
}

void FigureTest::refusesMalformedText()
{
    QFETCH(QString, text);
    QVERIFY(!Figure::parse(text).has_value());
}

void FigureTest::texts_data()
{
    QTest::addColumn<qint64>("cents");
    QTest::addColumn<QString>("text00");
    QTest::addColumn<QString>("shortText");
    QTest::addColumn<QString>("money12");
    QTest::newRow("zero") << qint64(0) << "0,00" << "0" << "        0,00";
    QTest::newRow("half") << qint64(50) << "0,50" << "0,5" << "        0,50";
    QTest::newRow("twenty") << qint64(2000) << "20,00" << "20" << "       20,00";
    QTest::newRow("one and a half") << qint64(150) << "1,50" << "1,5" << "        1,50";
    QTest::newRow("cents") << qint64(12345678) << "123456,78" << "123456,78" << "   123456,78";
    QTest::newRow("one cent") << qint64(1) << "0,01" << "0,01" << "        0,01";
    QTest::newRow("negative") << qint64(-305) << "-3,05" << "-3,05" << "       -3,05";
    QTest::newRow("negative cents") << qint64(-5) << "-0,05" << "-0,05" << "       -0,05";
}

void FigureTest::texts()
{
    QFETCH(qint64, cents);
    const Figure f = Figure::fromCents(cents);
    QTEST(f.text00(), "text00");
    QTEST(f.shortText(), "shortText");
    QTEST(f.money12(), "money12");
}

void FigureTest::multiplyRoundsHalfAway_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("product");
    QTest::newRow("2 x 3") << "2" << "3" << "6,00";
    QTest::newRow("0,5 x 1") << "0,5" << "1" << "0,50";
    QTest::newRow("3,33 x 1,11") << "3,33" << "1,11" << "3,70";
    QTest::newRow("1,50 x 0,15 tie") << "1,50" << "0,15" << "0,23";
    QTest::newRow("2,50 x 1,01 tie") << "2,50" << "1,01" << "2,53";
    QTest::newRow("1000 x 9999") << "1000" << "9999" << "9999000,00";
    QTest::newRow("999,99 x 123,45") << "999,99" << "123,45" << "123448,77";
}

void FigureTest::multiplyRoundsHalfAway()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QTEST(Figure::multiply(*Figure::parse(a), *Figure::parse(b)).text00(), "product");
}

void FigureTest::storedPrices_data()
{
    QTest::addColumn<qint64>("quantity"); // hundredths
    QTest::addColumn<qint64>("price");    // ten-thousandths
    QTest::addColumn<QString>("priceText");
    QTest::addColumn<QString>("amount");
    QTest::newRow("whole price") << qint64(300) << qint64(100000) << "10" << "30,00";
    QTest::newRow("2,5 x 12,3456") << qint64(250) << qint64(123456) << "12,3456" << "30,86";
    QTest::newRow("3 x 0,333") << qint64(300) << qint64(3330) << "0,333" << "1,00";
    QTest::newRow("tie goes up") << qint64(100) << qint64(50) << "0,005" << "0,01";
    QTest::newRow("negative tie goes down") << qint64(-100) << qint64(50) << "0,005" << "-0,01";
    QTest::newRow("below half a cent is no minus") << qint64(-100) << qint64(49) << "0,0049" << "0,00";
    QTest::newRow("negative price") << qint64(100) << qint64(-1) << "-0,0001" << "0,00";
    QTest::newRow("wide product") << qint64(900000000000) << qint64(10000000000) << "1000000" << "9000000000000000,00";
}

void FigureTest::storedPrices()
{
    QFETCH(qint64, quantity);
    QFETCH(qint64, price);
    QTEST(priceText(price), "priceText");
    QTEST(Figure::lineAmount(Figure::fromCents(quantity), price).text00(), "amount");
}

void FigureTest::divideRoundsHalfAway_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("quotient");
    QTest::newRow("6,67 / 2 tie") << "6,67" << "2" << "3,34";
    QTest::newRow("1 / 8 tie") << "1" << "8" << "0,13";
    QTest::newRow("30 / 20") << "30" << "20" << "1,50";
    QTest::newRow("10,05 / 2") << "10,05" << "2" << "5,03";
    QTest::newRow("negative") << "-1" << "8" << "-0,13";
}

void FigureTest::divideRoundsHalfAway()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    const auto q = Figure::divide(*Figure::parse(a), *Figure::parse(b));
    QVERIFY(q.has_value());
    QTEST(q->text00(), "quotient");
}

void FigureTest::fromDoubleRoundsDecimalText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("cents");
    QTest::newRow("binary just below a tie") << 1.5 * 0.15 << qint64(23);
    QTest::newRow("6,67 / 2 in double") << 6.67 / 2 << qint64(334);
    QTest::newRow("exact binary tie") << 0.125 << qint64(13);
    QTest::newRow("stored figure") << 273448.78 << qint64(27344878);
    QTest::newRow("tiny") << 1e-9 << qint64(0);
    QTest::newRow("cent stored a hair low") << 0.29 << qint64(29);
    QTest::newRow("negative stored figure") << -12.34 << qint64(-1234);
    QTest::newRow("eleven whole digits") << 99999999999.99 << qint64(9999999999999);
    QTest::newRow("half a cent stays a tie") << 1.005 << qint64(101);
    QTest::newRow("large in e-notation") << 1e15 << qint64(100000000000000000);
    QTest::newRow("beyond any figure") << 1e308 << qint64(0);
    QTest::newRow("beyond any figure, negative") << -1e308 << qint64(0);
    QTest::newRow("a quarter cent") << 0.0025 << qint64(0);
    QTest::newRow("three quarters of a cent") << 0.0075 << qint64(1);
    QTest::newRow("just under a half cent") << -0.00499 << qint64(0);
}

void FigureTest::fromDoubleRoundsDecimalText()
{
    QFETCH(double, value);
    QTEST(Figure::fromDouble(value).cents(), "cents");
}

void FigureTest::largeFiguresStayExact()
{
    Figure value = *Figure::parse(QStringLiteral("273448,77"));
    value += *Figure::parse(QStringLiteral("0,01"));
    QCOMPARE(value.text00(), QStringLiteral("273448,78"));
    QCOMPARE(Figure::fromDouble(value.toDouble()), value);
    QVERIFY(!Figure::divide(value, Figure()).has_value());
}

void FigureTest::dates()
{
    const QDate d(2025, 12, 9);
    QCOMPARE(DateText::toShort(d), QStringLiteral("09.12.2025"));
    QCOMPARE(DateText::toShortYear(d), QStringLiteral("09.12.25"));
    QCOMPARE(DateText::toIso(d), QStringLiteral("2025-12-09"));
    QCOMPARE(DateText::fromShort(QStringLiteral("09.12.2025")), d);
    QCOMPARE(DateText::fromIso(QStringLiteral("2025-12-09")), d);
    QVERIFY(!DateText::fromShort(QStringLiteral("9. 12. 2025.")).isValid());
    QCOMPARE(d.toString(QLatin1String(DateText::PickerFormatYmd)), QStringLiteral("2025.12.09"));
}

// clang-format on

KNJ_REGISTER_TEST(FigureTest)
#include "tst_figure.moc"
