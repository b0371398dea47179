#include "entryfields.h"

#include "common/hrmsgbox.h"
#include "common/listmodel.h"
#include "core/db/database.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <vector>

namespace {

// The largest value a number box takes.
constexpr Figure NumberBoxLimit = Figure::fromCents(9'999'999);

class FirstFieldFocus : public QObject
{
public:
    FirstFieldFocus(QWidget* window, QWidget* box) : QObject(window), m_window(window), m_box(box)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window) {
            if (event->type() == QEvent::WindowActivate)
                focusBox();
            else if (event->type() == QEvent::Show)
                followChildWindow();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void focusBox()
    {
        if (m_box && m_box->isVisible() && m_box->isEnabled())
            m_box->setFocus(Qt::OtherFocusReason);
    }
    // Inside a child window of the main window, activation is that child window's.
    void followChildWindow()
    {
        auto* sub = qobject_cast<QMdiSubWindow*>(m_window->parentWidget());
        if (!sub || sub == m_followed)
            return;
        m_followed = sub;
        connect(sub, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates before, Qt::WindowStates now) {
            if ((now & Qt::WindowActive) && !(before & Qt::WindowActive))
                QTimer::singleShot(0, this, [this] { focusBox(); });
        });
    }

    QWidget* m_window;
    QPointer<QWidget> m_box;
    QPointer<QMdiSubWindow> m_followed;
};

// The window's outer size is fixed: alone, the window itself; inside a child window of the main window, that
// child window (its title bar included), so the window's controls fit below the title bar.
class FixedSize : public QObject
{
public:
    explicit FixedSize(QWidget* window) : QObject(window), m_window(window)
    {
        window->installEventFilter(this);
        apply();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::ParentChange)
            apply();
        return QObject::eventFilter(watched, event);
    }

private:
    void apply()
    {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(m_window->parentWidget())) {
            m_window->setMinimumSize(0, 0);
            m_window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            sub->setFixedSize(WorkingWindowWidth, WorkingWindowHeight);
        } else {
            m_window->setFixedSize(WorkingWindowWidth, WorkingWindowHeight);
        }
    }

    QWidget* m_window;
};

class WholeTextSelection : public QObject
{
public:
    explicit WholeTextSelection(QLineEdit* box) : QObject(box) { box->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            auto* box = static_cast<QLineEdit*>(watched);
            box->selectAll();
            // A mouse press places the cursor after the focus arrived; select once it has.
            if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
                QTimer::singleShot(0, box, [box] { box->selectAll(); });
        }
        return QObject::eventFilter(watched, event);
    }
};

class DecimalKeys : public QObject
{
public:
    explicit DecimalKeys(QLineEdit* box) : QObject(box) { box->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        // Focus moves, Enter and Esc, and editing shortcuts (Ctrl+C, Ctrl+V ...) are not typed characters.
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Backspace:
            return false;
        default:
            break;
        }
        const QString text = key->text();
        if (text.isEmpty())
            return false; // arrows, Home, End, Delete
        const QString current = static_cast<QLineEdit*>(watched)->text();
        for (const QChar ch : text) {
            if (ch == QChar(8) || (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')))
                continue;
            if (ch == QLatin1Char(',') && !current.isEmpty() && !current.contains(QLatin1Char(',')))
                continue;
            return true;
        }
        return false;
    }
};

class SortToggle : public QObject
{
public:
    explicit SortToggle(QTreeView* list) : QObject(list), m_list(list)
    {
        list->setSortingEnabled(false);
        list->header()->setSectionsClickable(true);
        connect(list->header(), &QHeaderView::sectionClicked, this, &SortToggle::clicked);
    }

private:
    void clicked(int column)
    {
        if (column == m_column) {
            m_order = m_order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        } else {
            m_column = column;
            m_order = Qt::AscendingOrder;
        }
        if (auto* items = qobject_cast<QTreeWidget*>(m_list))
            sortItems(items);
        else
            m_list->model()->sort(m_column, m_order); // a list model sorts its own rows (ListModel)
        m_list->header()->setSortIndicatorShown(true);
        m_list->header()->setSortIndicator(m_column, m_order);
    }

    void sortItems(QTreeWidget* list)
    {
        const QList<QTreeWidgetItem*> selected = list->selectedItems();
        QTreeWidgetItem* current = list->currentItem();
        // Putting the rows in another order chooses no row: the list reports no selection change on the way.
        const QSignalBlocker quiet(list);
        const QList<QTreeWidgetItem*> items = list->invisibleRootItem()->takeChildren();
        const QVector<int> order = listSortOrder(
            int(items.size()), [&](int p) { return items.at(p)->text(m_column); }, m_order);
        QList<QTreeWidgetItem*> sorted;
        sorted.reserve(items.size());
        for (int p : order)
            sorted.append(items.at(p));
        list->addTopLevelItems(sorted);
        list->clearSelection();
        if (current)
            list->setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
        for (QTreeWidgetItem* item : selected)
            item->setSelected(true);
    }

    QTreeView* m_list;
    int m_column = -1;
    Qt::SortOrder m_order = Qt::AscendingOrder;
};

} // namespace

void FixedFormSize(QWidget* window)
{
    new FixedSize(window);
}

void FocusFirstField(QWidget* window, QWidget* firstBox)
{
    new FirstFieldFocus(window, firstBox);
}

void SelectAllOnFocus(const QList<QLineEdit*>& boxes)
{
    for (QLineEdit* box : boxes)
        new WholeTextSelection(box);
}

void DecimalKeyFilter(QLineEdit* box)
{
    new DecimalKeys(box);
    // Pasted or dropped text keeps the same form (a leading comma can arise by deleting).
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*(,[0-9]*)?")), box));
}

DecimalFieldCommit::DecimalFieldCommit(QLineEdit* box, std::optional<QString> resetText, Unreadable unreadable)
    : QObject(box), m_box(box), m_resetText(std::move(resetText)), m_unreadable(unreadable)
{
    setObjectName(QStringLiteral("decimalFieldCommit"));
    box->installEventFilter(this);
}

DecimalFieldCommit* DecimalFieldCommit::reset(QLineEdit* box, const QString& resetText, Unreadable unreadable)
{
    return new DecimalFieldCommit(box, resetText, unreadable);
}

DecimalFieldCommit* DecimalFieldCommit::keep(QLineEdit* box)
{
    return new DecimalFieldCommit(box, std::nullopt, Unreadable::Reset);
}

std::optional<Figure> DecimalFieldCommit::valueOf(const QLineEdit* box)
{
    return Figure::parse(box->text());
}

bool DecimalFieldCommit::commit()
{
    if (m_committing)
        return false;
    const QString text = m_box->text().trimmed();
    if (text.isEmpty()) {
        if (m_resetText)
            m_box->setText(*m_resetText);
        return true;
    }
    const std::optional<Figure> value = Figure::parse(text);
    if (!value) {
        // Only a lone comma gets here (the key filter and validator keep out the rest): no number at all.
        if (m_unreadable == Unreadable::Refuse) {
            refuse();
            return false;
        }
        m_box->setText(m_resetText.value_or(QString()));
        return true;
    }
    // The limit applies to the value as it will stand, after rounding to the cent.
    if (*value > NumberBoxLimit) {
        refuse();
        return false;
    }
    m_box->setText(value->text00());
    return true;
}

void DecimalFieldCommit::refuse()
{
    m_committing = true;
    HrMsgBox(TooBigMessage, TooBigStyle, TooBigTitle);
    m_committing = false;
    if (m_resetText)
        m_box->setText(Figure::parse(*m_resetText).value_or(Figure()).text00());
    QPointer<QLineEdit> box = m_box;
    const bool keepText = !m_resetText;
    auto refocus = [box, keepText] {
        if (!box || !box->isVisible())
            return;
        box->setFocus(Qt::OtherFocusReason);
        if (keepText)
            box->selectAll();
    };
    refocus();
    QTimer::singleShot(0, m_box, refocus); // after the focus move that is under way
}

namespace {

// Whether the window around the box (the widget of a child window of the main window, or a window of its own)
// is going away.
bool windowClosing(const QWidget* box)
{
    for (const QWidget* w = box; w; w = w->parentWidget())
        if (w->isWindow() || qobject_cast<const QMdiSubWindow*>(w->parentWidget()))
            return !w->isVisible();
    return false;
}

} // namespace

bool DecimalFieldCommit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_box && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // A message box or a popup taking the focus, or the window closing, is not leaving the box.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !windowClosing(m_box))
            commit();
    }
    return QObject::eventFilter(watched, event);
}

bool CommitNumberBoxes(QWidget* window)
{
    bool allAccepted = true;
    for (DecimalFieldCommit* rule : window->findChildren<DecimalFieldCommit*>(QStringLiteral("decimalFieldCommit"))) {
        if (!rule->box()->isEnabled())
            continue;
        if (!rule->commit()) {
            allAccepted = false;
            break; // one message at a time
        }
    }
    return allAccepted;
}

void onClickCommitted(QAbstractButton* button, QWidget* window, const std::function<void()>& handler)
{
    QObject::connect(button, &QAbstractButton::clicked, window, [window, handler] {
        if (CommitNumberBoxes(window))
            handler();
    });
}

void ColumnSortToggle(QTreeView* list)
{
    new SortToggle(list);
}

namespace PendingList {

namespace {

// A row whose columns take the alignment of their headers (a header with none set leaves the column's own).
QTreeWidgetItem* makeRow(const QTreeWidget* list, const QStringList& columns)
{
    auto* item = new QTreeWidgetItem(columns);
    const QTreeWidgetItem* header = list->headerItem();
    for (int c = 0; c < columns.size(); ++c) {
        const QVariant alignment = header->data(c, Qt::TextAlignmentRole);
        if (alignment.isValid())
            item->setData(c, Qt::TextAlignmentRole, alignment);
    }
    return item;
}

} // namespace

QTreeWidgetItem* append(QTreeWidget* list, const QStringList& columns)
{
    QTreeWidgetItem* item = makeRow(list, columns);
    list->addTopLevelItem(item);
    return item;
}

bool removeSelected(QTreeWidget* list)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->isSelected()) {
            delete list->takeTopLevelItem(i);
            return true;
        }
    }
    return false;
}

QList<QStringList> rows(const QTreeWidget* list)
{
    QList<QStringList> result;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        QStringList columns;
        for (int c = 0; c < list->columnCount(); ++c)
            columns.append(item->text(c));
        result.append(columns);
    }
    return result;
}

QTreeWidgetItem* lastSelected(const QTreeWidget* list)
{
    QTreeWidgetItem* last = nullptr;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->isSelected())
            last = list->topLevelItem(i);
    return last;
}

} // namespace PendingList

void ClearTextBoxes(QWidget* root)
{
    for (QLineEdit* box : root->findChildren<QLineEdit*>()) {
        // The editors inside date pickers and combo boxes are theirs, not text boxes of the window.
        if (qobject_cast<QAbstractSpinBox*>(box->parentWidget()) || qobject_cast<QComboBox*>(box->parentWidget()))
            continue;
        box->clear();
    }
}

bool CommitOnCloseQuery(const QString& question, const QString& title, const std::function<bool()>& write)
{
    switch (HrMsgBox(question, 35, title)) {
    case MsgYes:
        return write();
    case MsgNo:
        return true;
    default:
        return false;
    }
}
