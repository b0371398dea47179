#pragma once

#include "common/listmodel.h"
#include "core/reports/journal.h"

#include <QVector>

#include <memory>

// The rows of a journal list: positions into a loaded journal (rows(), into book()->lines), in the order the list
// shows them. The cells are made when the view asks for them, so a list of a million rows costs a few bytes a row.
class JournalListModel : public ListModel
{
    Q_OBJECT
public:
    explicit JournalListModel(QObject* parent = nullptr);

    // Shows these rows of the journal (the journal is shared with the other list).
    void setRows(std::shared_ptr<const JournalBook> book, QVector<int> rows);
    void clear();

    const std::shared_ptr<const JournalBook>& book() const { return m_book; }

protected:
    QString cellText(int row, int column) const override;
    QVector<int> sortOrder(int column, Qt::SortOrder order) const override;

private:
    std::shared_ptr<const JournalBook> m_book;
};
