#pragma once

#include "core/stock/partners.h"

#include <QDate>
#include <QList>
#include <QStringList>

// Which partners a partner list shows: customers (kinds K and S) or suppliers (kinds D and S), letter case ignored.
enum class PartnerListKind
{
    Customers,
    Suppliers
};

namespace PartnerLists {

// The partners of the list, by name (Croatian order, letter case ignored); a null column is empty text.
// Throws DbError.
QList<Partner> partners(const QString& book, PartnerListKind kind);

} // namespace PartnerLists

// The list: title with the day's date, an empty line, two header lines, the rule and a four-line block per partner.
QStringList buildPartnerList(PartnerListKind kind, const QDate& today, const QList<Partner>& partners);
