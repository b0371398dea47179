#include "journallistmodel.h"

#include "core/db/database.h"

#include <QHash>

#include <algorithm>
#include <numeric>

JournalListModel::JournalListModel(QObject* parent) : ReorderedTableModel(parent) {}

void JournalListModel::setRows(std::shared_ptr<const JournalBook> book, QVector<int> rows)
{
    beginResetModel();
    m_book = std::move(book);
    m_rows = std::move(rows);
    endResetModel();
}

void JournalListModel::clear()
{
    setRows(nullptr, {});
}

int JournalListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int JournalListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : JournalColumn::Count;
}

QVariant JournalListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    if (role == Qt::DisplayRole)
        return m_book->cell(m_book->lines.at(m_rows.at(index.row())), index.column());
    if (role == Qt::TextAlignmentRole)
        return int((JournalColumnIsNumber(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return QVariant();
}

QVariant JournalListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= JournalColumn::Count)
        return QVariant();
    if (role == Qt::DisplayRole)
        return JournalHeaders().at(section);
    if (role == Qt::TextAlignmentRole)
        return int((JournalColumnIsNumber(section) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return QVariant();
}

void JournalListModel::sort(int column, Qt::SortOrder order)
{
    if (!m_book || column < 0 || column >= JournalColumn::Count)
        return;
    const int n = int(m_rows.size());
    // Rank every distinct text once, so the rows sort by whole numbers.
    QHash<QString, int> distinctIndex;
    QVector<QString> distinct;
    QVector<int> textOfRow(n);
    for (int r = 0; r < n; ++r) {
        const QString text = m_book->cell(m_book->lines.at(m_rows.at(r)), column);
        auto it = distinctIndex.constFind(text);
        if (it == distinctIndex.constEnd()) {
            it = distinctIndex.insert(text, int(distinct.size()));
            distinct.append(text);
        }
        textOfRow[r] = it.value();
    }
    QVector<int> byText(distinct.size());
    std::iota(byText.begin(), byText.end(), 0);
    std::sort(byText.begin(), byText.end(),
              [&distinct](int a, int b) { return compareHr(distinct.at(a), distinct.at(b)) < 0; });
    QVector<int> rank(distinct.size());
    for (int i = 0, r = 0; i < byText.size(); ++i) {
        if (i > 0 && compareHr(distinct.at(byText.at(i - 1)), distinct.at(byText.at(i))) != 0)
            ++r;
        rank[byText.at(i)] = r;
    }
    QVector<int> newOrder(n); // newOrder[new position] = old position
    std::iota(newOrder.begin(), newOrder.end(), 0);
    const bool ascending = order == Qt::AscendingOrder;
    std::stable_sort(newOrder.begin(), newOrder.end(), [&](int a, int b) {
        const int ra = rank.at(textOfRow.at(a));
        const int rb = rank.at(textOfRow.at(b));
        return ascending ? ra < rb : ra > rb;
    });

    reorder(m_rows, newOrder);
}
