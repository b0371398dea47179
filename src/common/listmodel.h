#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

#include <functional>

class QAbstractItemView;

// A read-only list of many rows for a QTreeView. The rows stay in their owner's compact form and a cell's text is
// made when the view asks for it; the list's order is a list of positions into the rows, so a sort moves numbers.
// A subclass holds the rows and gives the texts (cellText); after replacing its rows it calls showRows inside
// beginResetModel / endResetModel.
class ListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit ListModel(QStringList headers, QObject* parent = nullptr);

    // The column's cells and header take this alignment (left unless set), always vertically centred.
    void setColumnAlignment(int column, Qt::Alignment alignment);

    // The row shown at a position of the list, and the text of a cell there.
    int rowAt(int position) const { return m_order.at(position); }
    QString text(int position, int column) const { return cellText(m_order.at(position), column); }
    // The texts of a whole line, column by column.
    QStringList line(int position) const;
    // The rows in list order.
    const QVector<int>& rows() const { return m_order; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Orders the list by the column's texts (Croatian, case-insensitive); equal texts keep their order. Selected
    // rows and the current row follow their rows.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

protected:
    virtual QString cellText(int row, int column) const = 0;
    // The order sort() puts the list in (newOrder[new position] = old position); listSortOrder unless overridden.
    virtual QVector<int> sortOrder(int column, Qt::SortOrder order) const;
    // Shows rows 0 .. count - 1 in that order, or ordered by a column as sort() orders them, or these rows in this
    // order.
    void showRows(int count);
    void showRowsSortedBy(int count, int column);
    void showRows(QVector<int> rows) { m_order = std::move(rows); }

private:
    QStringList m_headers;
    QVector<int> m_alignment;
    QVector<int> m_order;
};

// The order of a list sorted by a column's texts: Croatian, case-insensitive, equal texts keeping their order.
// text(p) is the text at position p of count; the result holds, for each new position, the old one.
QVector<int> listSortOrder(int count, const std::function<QString(int position)>& text, Qt::SortOrder order);

// The selected positions of the list, in list order.
QVector<int> selectedPositions(const QAbstractItemView* list);
// The last selected position of the list in list order, or -1.
int lastSelectedPosition(const QAbstractItemView* list);
