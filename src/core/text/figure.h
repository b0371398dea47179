#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// An exact figure with two decimals (integer hundredths inside): quantities, prices, values, amounts.
// Every rounding is half away from zero, as the "0.00" format rounds.
class Figure
{
public:
    constexpr Figure() = default;
    static constexpr Figure fromCents(qint64 cents) { return Figure(cents); }
    static Figure fromInt(qint64 whole) { return Figure(whole * 100); }
    // The nearest figure to a stored or computed double (its shortest decimal text, rounded to the cent).
    static Figure fromDouble(double value);
    // Decimal-comma text as the user types it ("12,5", ",5", "-3", "1234,567"); rounded to the cent.
    // No thousands separator, no decimal point; empty or malformed text gives nothing.
    static std::optional<Figure> parse(const QString& text);

    constexpr qint64 cents() const { return m_cents; }
    double toDouble() const { return double(m_cents) / 100.0; }
    bool isZero() const { return m_cents == 0; }
    // Digits of the whole-number part, without sign.
    qint64 wholePart() const { return (m_cents < 0 ? -m_cents : m_cents) / 100; }

    // "0.00" with the decimal comma: "12,50", "0,50", "-3,00".
    QString text00() const;
    // The shortest text: no trailing zeros, decimal comma ("20", "1,5", "123456,78", "0").
    QString shortText() const;
    // "0.00" right-aligned in twelve characters.
    QString money12() const;

    // a × b rounded to the cent.
    static Figure multiply(Figure a, Figure b);
    // A line's amount: the quantity × a stored price in ten-thousandths (a stored price may keep four decimals),
    // rounded to the cent. multiply() is this rule for a price in whole cents.
    static Figure lineAmount(Figure quantity, qint64 priceTenThousandths);
    // a × b of two decimal-comma texts as typed, not yet rounded to the cent (an amount while its factors are still
    // being typed, with more decimals than a figure holds), as its shortest text reads; nothing when either text is
    // not a number.
    static std::optional<double> multiplyTexts(const QString& a, const QString& b);
    // a / b rounded to the cent; nothing when b is zero.
    static std::optional<Figure> divide(Figure a, Figure b);

    friend constexpr Figure operator+(Figure a, Figure b) { return Figure(a.m_cents + b.m_cents); }
    friend constexpr Figure operator-(Figure a, Figure b) { return Figure(a.m_cents - b.m_cents); }
    constexpr Figure operator-() const { return Figure(-m_cents); }
    Figure& operator+=(Figure o)
    {
        m_cents += o.m_cents;
        return *this;
    }
    Figure& operator-=(Figure o)
    {
        m_cents -= o.m_cents;
        return *this;
    }
    friend constexpr bool operator==(Figure a, Figure b) { return a.m_cents == b.m_cents; }
    friend constexpr bool operator!=(Figure a, Figure b) { return a.m_cents != b.m_cents; }
    friend constexpr bool operator<(Figure a, Figure b) { return a.m_cents < b.m_cents; }
    friend constexpr bool operator>(Figure a, Figure b) { return a.m_cents > b.m_cents; }
    friend constexpr bool operator<=(Figure a, Figure b) { return a.m_cents <= b.m_cents; }
    friend constexpr bool operator>=(Figure a, Figure b) { return a.m_cents >= b.m_cents; }

private:
    constexpr explicit Figure(qint64 cents) : m_cents(cents) {}
    qint64 m_cents = 0;
};

// Rounds n / d half away from zero (d != 0).
qint64 divideRounded(qint64 n, qint64 d);

// A stored price in ten-thousandths as its shortest text, as Figure::shortText writes a figure: no trailing zeros,
// decimal comma ("12", "2,5", "12,3456", "-0,0001").
QString priceText(qint64 tenThousandths);
