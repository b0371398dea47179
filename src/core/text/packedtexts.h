#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <initializer_list>

// Count short texts kept in one string: a row of a long list costs one allocation for all its texts, not one a text.
template <int Count> class PackedTexts
{
public:
    PackedTexts() = default;
    // The texts in order; missing ones are empty. Together they hold at most 65 535 characters (the rest is cut).
    PackedTexts(std::initializer_list<QString> texts)
    {
        qsizetype total = 0;
        for (const QString& t : texts)
            total += t.size();
        if (total > 0)
            m_all.reserve(qMin<qsizetype>(total, MaxTotal));
        int i = 0;
        for (const QString& t : texts) {
            if (i == Count)
                break;
            m_all.append(QStringView(t).left(MaxTotal - m_all.size()));
            m_ends[i++] = quint16(m_all.size());
        }
        for (; i < Count; ++i)
            m_ends[i] = quint16(m_all.size());
    }

    QStringView at(int i) const
    {
        const int begin = i == 0 ? 0 : m_ends[i - 1];
        return QStringView(m_all).mid(begin, m_ends[i] - begin);
    }

private:
    static constexpr qsizetype MaxTotal = 0xFFFF;
    QString m_all;
    std::array<quint16, Count> m_ends{};
};
