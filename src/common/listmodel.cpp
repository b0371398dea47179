#include "listmodel.h"

#include "core/db/database.h"

#include <QAbstractItemView>
#include <QCollatorSortKey>
#include <QItemSelectionModel>

#include <algorithm>
#include <numeric>
#include <vector>

ListModel::ListModel(QStringList headers, QObject* parent)
    : QAbstractTableModel(parent), m_headers(std::move(headers)), m_alignment(m_headers.size(), int(Qt::AlignLeft))
{
}

void ListModel::setColumnAlignment(int column, Qt::Alignment alignment)
{
    m_alignment[column] = int(alignment);
}

QStringList ListModel::line(int position) const
{
    QStringList texts;
    for (int c = 0; c < m_headers.size(); ++c)
        texts.append(text(position, c));
    return texts;
}

int ListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_order.size());
}

int ListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_order.size())
        return QVariant();
    if (role == Qt::DisplayRole)
        return text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return m_alignment.at(index.column()) | int(Qt::AlignVCenter);
    return QVariant();
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_headers.size())
        return QVariant();
    if (role == Qt::DisplayRole)
        return m_headers.at(section);
    if (role == Qt::TextAlignmentRole)
        return m_alignment.at(section) | int(Qt::AlignVCenter);
    return QVariant();
}

void ListModel::showRows(int count)
{
    m_order.resize(count);
    std::iota(m_order.begin(), m_order.end(), 0);
}

void ListModel::showRowsSortedBy(int count, int column)
{
    m_order = listSortOrder(
        count, [&](int row) { return cellText(row, column); }, Qt::AscendingOrder);
}

void ListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= m_headers.size())
        return;
    const QVector<int> newOrder = sortOrder(column, order);
    const int n = int(m_order.size());
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QVector<int> newPosition(n);
    QVector<int> reordered(n);
    for (int i = 0; i < n; ++i) {
        newPosition[newOrder.at(i)] = i;
        reordered[i] = m_order.at(newOrder.at(i));
    }
    m_order = std::move(reordered);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(this->index(newPosition.at(index.row()), index.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QVector<int> ListModel::sortOrder(int column, Qt::SortOrder order) const
{
    return listSortOrder(
        int(m_order.size()), [&](int p) { return text(p, column); }, order);
}

QVector<int> listSortOrder(int count, const std::function<QString(int)>& text, Qt::SortOrder order)
{
    // Each text's collation key made once; comparing two keys is a plain comparison of bytes.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(count);
    for (int p = 0; p < count; ++p)
        keys.push_back(hrSortKey(text(p)));
    QVector<int> newOrder(count);
    std::iota(newOrder.begin(), newOrder.end(), 0);
    const bool ascending = order == Qt::AscendingOrder;
    std::stable_sort(newOrder.begin(), newOrder.end(), [&](int a, int b) {
        const int r = keys[a].compare(keys[b]);
        return ascending ? r < 0 : r > 0;
    });
    return newOrder;
}

QVector<int> selectedPositions(const QAbstractItemView* list)
{
    // Read from the selection's ranges: asking row by row costs the square of the number of ranges.
    QVector<int> positions;
    for (const QItemSelectionRange& range : list->selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            positions.append(row);
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    return positions;
}

int lastSelectedPosition(const QAbstractItemView* list)
{
    const QVector<int> positions = selectedPositions(list);
    return positions.isEmpty() ? -1 : positions.last();
}
