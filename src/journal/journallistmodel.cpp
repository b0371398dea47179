#include "journallistmodel.h"

#include "core/db/database.h"

#include <QHash>

#include <algorithm>
#include <numeric>

JournalListModel::JournalListModel(QObject* parent) : ListModel(JournalHeaders(), parent)
{
    for (int c = 0; c < JournalColumn::Count; ++c)
        if (JournalColumnIsNumber(c))
            setColumnAlignment(c, Qt::AlignRight);
}

void JournalListModel::setRows(std::shared_ptr<const JournalBook> book, QVector<int> rows)
{
    beginResetModel();
    m_book = std::move(book);
    showRows(std::move(rows));
    endResetModel();
}

void JournalListModel::clear()
{
    setRows(nullptr, {});
}

QString JournalListModel::cellText(int row, int column) const
{
    return m_book->cell(m_book->lines.at(row), column);
}

// Every distinct text ranked once, so the rows sort by whole numbers: a journal repeats its dates, kinds and names
// (a collation key per row, as listSortOrder makes, would take ten times as long).
QVector<int> JournalListModel::sortOrder(int column, Qt::SortOrder order) const
{
    const int n = int(rows().size());
    QHash<QString, int> distinctIndex;
    QVector<QString> distinct;
    QVector<int> textOfRow(n);
    for (int r = 0; r < n; ++r) {
        const QString text = this->text(r, column);
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
    return newOrder;
}
