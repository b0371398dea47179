#include "datetext.h"

namespace DateText {

QString toShort(const QDate& date)
{
    return date.toString(QLatin1String(ShortFormat));
}

QDate fromShort(const QString& text)
{
    return QDate::fromString(text.trimmed(), QLatin1String(ShortFormat));
}

QString toShortYear(const QDate& date)
{
    return date.toString(QStringLiteral("dd.MM.yy"));
}

QString toIso(const QDate& date)
{
    return date.toString(Qt::ISODate);
}

QDate fromIso(const QString& text)
{
    return QDate::fromString(text.left(10), Qt::ISODate);
}

} // namespace DateText
