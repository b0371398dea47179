#include "figure.h"

#include <cmath>

qint64 divideRounded(qint64 n, qint64 d)
{
    if (d < 0) {
        n = -n;
        d = -d;
    }
    if (n < 0)
        return -divideRounded(-n, d);
    qint64 q = n / d;
    if (2 * (n % d) >= d)
        ++q;
    return q;
}

Figure Figure::fromDouble(double value)
{
    if (!std::isfinite(value))
        return Figure();
    // A stored figure is whole cents give or take the binary error: take it without the text round trip (the text
    // would round to the same cent, as it does for anything within a few thousandths of one).
    const double scaled = value * 100.0;
    if (std::fabs(scaled) < 1e13) {
        const double nearest = std::round(scaled);
        if (std::fabs(scaled - nearest) < 1e-6)
            return Figure(qint64(nearest));
    }
    // Round the shortest decimal text, not the binary value: 0.22499999999999998 is 0,225 to a person.
    const QString text = QString::number(value, 'g', 15);
    if (auto parsed = parse(QString(text).replace(QLatin1Char('.'), QLatin1Char(','))))
        return *parsed;
    // The text is in e-notation: far below a cent, or far above any figure of the books.
    const double cents = value * 100.0;
    if (std::fabs(cents) < 0.5 || std::fabs(cents) >= 9e18)
        return Figure();
    return Figure(qint64(std::llround(cents)));
}

namespace {

// units / 10^decimals with the decimal comma and without trailing zeros.
QString shortDecimalText(qint64 units, int decimals)
{
    qint64 scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const qint64 a = units < 0 ? -units : units;
    QString text = QString::number(a / scale);
    qint64 fraction = a % scale;
    if (fraction != 0) {
        int digits = decimals;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        text += QLatin1Char(',') + QStringLiteral("%1").arg(fraction, digits, 10, QLatin1Char('0'));
    }
    if (units < 0)
        text.prepend(QLatin1Char('-'));
    return text;
}

// Only the ten Latin digits: other scripts' digits are no figure here.
bool isLatinDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

std::optional<Figure> Figure::parse(const QString& input)
{
    const QString text = input.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    int pos = 0;
    bool negative = false;
    if (text.at(0) == QLatin1Char('-') || text.at(0) == QLatin1Char('+')) {
        negative = text.at(0) == QLatin1Char('-');
        pos = 1;
    }
    qint64 whole = 0;
    int wholeDigits = 0;
    for (; pos < text.size() && isLatinDigit(text.at(pos)); ++pos) {
        if (whole > 9'000'000'000'000LL)
            return std::nullopt;
        whole = whole * 10 + text.at(pos).digitValue();
        ++wholeDigits;
    }
    // The third decimal decides the rounding; digits past it cannot change a half-away result.
    qint64 fraction = 0;
    int fractionDigits = 0;
    if (pos < text.size() && text.at(pos) == QLatin1Char(',')) {
        ++pos;
        for (; pos < text.size() && isLatinDigit(text.at(pos)); ++pos) {
            if (fractionDigits < 3) {
                fraction = fraction * 10 + text.at(pos).digitValue();
                ++fractionDigits;
            }
        }
        if (fractionDigits == 0 && wholeDigits == 0)
            return std::nullopt;
    } else if (wholeDigits == 0) {
        return std::nullopt;
    }
    if (pos != text.size())
        return std::nullopt;
    while (fractionDigits < 3) {
        fraction *= 10;
        ++fractionDigits;
    }
    qint64 thousandths = whole * 1000 + fraction;
    qint64 cents = thousandths / 10;
    const qint64 last = thousandths % 10;
    if (last >= 5)
        ++cents;
    return Figure(negative ? -cents : cents);
}

QString Figure::text00() const
{
    // Written digit by digit from the right: lists and reports ask for it on every row.
    quint64 a = m_cents < 0 ? 0 - quint64(m_cents) : quint64(m_cents);
    char buffer[32];
    char* const end = buffer + sizeof buffer;
    char* p = end;
    *--p = char('0' + a % 10);
    a /= 10;
    *--p = char('0' + a % 10);
    a /= 10;
    *--p = ',';
    do {
        *--p = char('0' + a % 10);
        a /= 10;
    } while (a != 0);
    if (m_cents < 0)
        *--p = '-';
    return QString::fromLatin1(p, end - p);
}

QString Figure::shortText() const
{
    return shortDecimalText(m_cents, 2);
}

QString Figure::money12() const
{
    return text00().rightJustified(12, QLatin1Char(' '));
}

Figure Figure::multiply(Figure a, Figure b)
{
    return lineAmount(a, b.m_cents * 100);
}

Figure Figure::lineAmount(Figure quantity, qint64 priceTenThousandths)
{
    // Hundredths × ten-thousandths: a wide product, so no amount of the books can overflow it.
    const __int128 product = __int128(quantity.m_cents) * priceTenThousandths;
    const __int128 half = product < 0 ? -5000 : 5000;
    return Figure(qint64((product + half) / 10000));
}

std::optional<double> Figure::multiplyTexts(const QString& a, const QString& b)
{
    if (!parse(a) || !parse(b))
        return std::nullopt;
    const auto value = [](const QString& text) {
        return QString(text.trimmed()).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    };
    // As its shortest text reads: 1111,111 × 9000 is 9999999, not the binary 9999999.000000002.
    return QString::number(value(a) * value(b), 'g', 15).toDouble();
}

std::optional<Figure> Figure::divide(Figure a, Figure b)
{
    if (b.m_cents == 0)
        return std::nullopt;
    return Figure(divideRounded(a.m_cents * 100, b.m_cents));
}

QString priceText(qint64 tenThousandths)
{
    return shortDecimalText(tenThousandths, 4);
}
