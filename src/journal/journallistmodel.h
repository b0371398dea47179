#pragma once

#include "common/listmodel.h"
#include "core/reports/journal.h"

#include <QAbstractTableModel>
#include <QVector>

#include <memory>

// The rows of a journal list: positions into a loaded journal, in the order the list shows them. The cells are
// made when the view asks for them, so a list of a million rows costs a few bytes a row.
class JournalListModel : public ReorderedTableModel
{
    Q_OBJECT
public:
    explicit JournalListModel(QObject* parent = nullptr);

    // Shows these rows of the journal (the journal is shared with the other list).
    void setRows(std::shared_ptr<const JournalBook> book, QVector<int> rows);
    void clear();

    const std::shared_ptr<const JournalBook>& book() const { return m_book; }
    // Positions into book()->lines, in list order.
    const QVector<int>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Orders the rows by the column's texts (Croatian, case-insensitive); equal texts keep their order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    std::shared_ptr<const JournalBook> m_book;
    QVector<int> m_rows;
};
