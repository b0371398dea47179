#pragma once

#include "core/text/packedtexts.h"

#include <QList>
#include <QString>
#include <QVector>

// A customer (K), supplier (D) or both / cost place (S) of a warehouse book, table kd.
struct Partner
{
    qint64 id = 0;
    QString kd;
    QString ime;
    QString mb;
    QString ziroracun;
    QString mjesto;
    QString ulica;
    QString telefon;
    QString kontakt;
};

// A partner as a list of many thousands holds it: the eight texts, in Partner's order (kd to kontakt), in one string.
struct PartnerRow
{
    static constexpr int TextCount = 8;
    qint64 id = 0;
    PackedTexts<TextCount> texts;
};

// The partners of a warehouse book (book = the database file). Every function throws DbError.
namespace Partners {

// The partners whose kind letter is either of two upper-case letters, whatever case they were typed in, by name.
QList<Partner> ofKinds(const QString& book, const QString& kind, const QString& alsoKind);
// All partners in the order they were stored.
QList<Partner> inStoredOrder(const QString& book);
// All partners in the order they were stored, as compact rows for the list that shows them all.
QVector<PartnerRow> rows(const QString& book);
// Stores new partners, all or none; returns their ids.
QList<qint64> insertAll(const QString& book, const QList<Partner>& partners);
// Changes every field of the partner with partner.id.
void update(const QString& book, const Partner& partner);

} // namespace Partners
