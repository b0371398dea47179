#include "controls.h"

#include "core/text/datetext.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QSize>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTreeWidget>

QString literalTitle(const QString& text)
{
    QString doubled = text;
    return doubled.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

void FixedBorder(QWidget* window, const QSize& size)
{
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    window->setFixedSize(size);
}

QLineEdit* makeEntryBox(QWidget* parent, const QString& name, const QString& tooltip, int maxLength)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setToolTip(tooltip);
    box->setMaxLength(maxLength);
    return box;
}

void lockBox(QLineEdit* box, bool tabStop)
{
    box->setReadOnly(true);
    box->setMaxLength(32767);
    if (!tabStop)
        box->setFocusPolicy(Qt::NoFocus);
}

namespace {

class DatePicker : public QDateEdit
{
public:
    using QDateEdit::QDateEdit;

protected:
    bool focusNextPrevChild(bool next) override { return QAbstractSpinBox::focusNextPrevChild(next); }
};

} // namespace

QDateEdit* makeDatePicker(QWidget* parent, const QString& name, const char* format)
{
    auto* date = new DatePicker(QDate::currentDate(), parent);
    date->setObjectName(name);
    date->setDisplayFormat(QLatin1String(format));
    date->setCalendarPopup(true);
    return date;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QString& tooltip,
                        bool enabled)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(tooltip);
    button->setEnabled(enabled);
    button->setAutoDefault(false);
    return button;
}

void setCaptionWithName(QPushButton* button, const QString& action, const QString& name)
{
    static const char* const OwnToolTip = "ownToolTip";
    if (!button->property(OwnToolTip).isValid())
        button->setProperty(OwnToolTip, button->toolTip());
    if (name.isEmpty()) {
        button->setText(action);
        button->setToolTip(button->property(OwnToolTip).toString());
        return;
    }
    QStyleOptionButton option;
    option.initFrom(button);
    const QStyle* style = button->style();
    const int room = style->subElementRect(QStyle::SE_PushButtonContents, &option, button).width() -
                     style->pixelMetric(QStyle::PM_ButtonMargin, &option, button);
    const QString shownAction = QString(action).remove(QLatin1Char('&'));
    const QFontMetrics metrics(button->font());
    const QString shownName =
        metrics.elidedText(name, Qt::ElideRight, qMax(0, room - metrics.horizontalAdvance(shownAction)));
    button->setText(action + QString(shownName).replace(QLatin1Char('&'), QStringLiteral("&&")));
    button->setToolTip(shownAction + name);
}

namespace {

void setUpList(QTreeView* list, const QString& name, const QString& accessibleName)
{
    list->setObjectName(name);
    list->setAccessibleName(accessibleName);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setAllColumnsShowFocus(true);
    list->header()->setStretchLastSection(false);
    // A column made a pixel or two wide (an id the user is not meant to see) stays that narrow.
    list->header()->setMinimumSectionSize(1);
}

} // namespace

QTreeWidget* makeListView(QWidget* parent, const QString& name, const QString& accessibleName,
                          const QStringList& headers)
{
    auto* list = new QTreeWidget(parent);
    setUpList(list, name, accessibleName);
    list->setColumnCount(int(headers.size()));
    list->setHeaderLabels(headers);
    return list;
}

QTreeView* makeModelListView(QWidget* parent, const QString& name, const QString& accessibleName,
                             QAbstractItemModel* model)
{
    auto* list = new QTreeView(parent);
    list->setModel(model);
    setUpList(list, name, accessibleName);
    return list;
}

namespace {

class ColumnsToWidth : public QObject
{
public:
    ColumnsToWidth(QTreeView* list, int growingColumn) : QObject(list), m_list(list), m_growing(growingColumn)
    {
        for (int c = 0; c < list->header()->count(); ++c)
            m_design.append(list->isColumnHidden(c) ? 0 : list->columnWidth(c));
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->viewport()->installEventFilter(this);
        fit();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_list->viewport() && event->type() == QEvent::Resize)
            fit();
        return QObject::eventFilter(watched, event);
    }

private:
    void fit()
    {
        const int available = m_list->viewport()->width();
        int total = 0;
        for (int w : m_design)
            total += w;
        if (available <= 0 || total <= 0)
            return;
        int used = 0;
        for (int c = 0; c < m_design.size(); ++c) {
            if (c == m_growing || m_design[c] == 0)
                continue;
            const int w = total > available ? qMax(1, m_design[c] * available / total) : m_design[c];
            m_list->setColumnWidth(c, w);
            used += w;
        }
        m_list->setColumnWidth(m_growing, qMax(1, available - used));
    }

    QTreeView* m_list;
    int m_growing;
    QList<int> m_design;
};

} // namespace

void FitColumnsToWidth(QTreeView* list, int growingColumn)
{
    new ColumnsToWidth(list, growingColumn);
}

int valueWidth(const QFontMetrics& metrics, int characters, ValueKind kind)
{
    if (kind == ValueKind::Digits)
        return metrics.horizontalAdvance(QString(characters, QLatin1Char('0')));
    // A name's letters, capitals among them, and blanks: the alphabet's average.
    static const QString Letters = QStringLiteral("abcčćdđefghijklmnoprsštuvzž ABCČĆDĐEFGHIJKLMNOPRSŠTUVZŽ 0123456789");
    return (metrics.horizontalAdvance(Letters) * characters + Letters.size() - 1) / Letters.size();
}

void widenColumnFor(QTreeView* list, int column, int characters, ValueKind kind)
{
    // A cell keeps a focus-frame margin and a pixel on each side of its text; the text's width has fractions.
    const int margins = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1) + 2;
    const int needed = valueWidth(QFontMetrics(list->font()), characters, kind) + margins;
    if (list->columnWidth(column) < needed)
        list->setColumnWidth(column, needed);
}

namespace {

// The width a closed box has for its text.
int textRoom(const QComboBox* box)
{
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    option.frame = box->hasFrame();
    option.subControls = QStyle::SC_All;
    constexpr int TextMargins = 4;
    return box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box).width() -
           TextMargins;
}

} // namespace

void fitBoxFor(QComboBox* box, int characters, int maxWidth)
{
    const auto shortBy = [box, characters] {
        return valueWidth(QFontMetrics(box->font()), characters, ValueKind::Letters) - textRoom(box);
    };
    const auto widen = [box, maxWidth](int by) {
        box->resize(qMin(maxWidth, box->width() + qMax(0, by)), box->height());
    };
    widen(shortBy());
    if (shortBy() <= 0)
        return;
    QFont narrow = box->font();
    narrow.setFamily(QStringLiteral("Liberation Sans Narrow"));
    box->setFont(narrow);
    constexpr qreal SmallestPoints = 7;
    while (shortBy() > 0 && narrow.pointSizeF() - 0.5 >= SmallestPoints) {
        narrow.setPointSizeF(narrow.pointSizeF() - 0.5);
        box->setFont(narrow);
    }
    widen(shortBy());
}

namespace {

// The application's style, but a combo box's list drops down below it with the box's visible rows, as an editable
// box's does, rather than opening over it as tall and as wide as all its entries.
class DropDownBelowStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle* dropDownBelowStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new DropDownBelowStyle(QStyleFactory::create(QApplication::style()->name()));
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

} // namespace

void fitLongDropDownFor(QComboBox* box, int characters, ValueKind kind)
{
    box->setStyle(dropDownBelowStyle());
    auto* list = qobject_cast<QListView*>(box->view());
    if (!list)
        return;
    // Every row as high as one, so the list never lays out all its rows to open.
    list->setUniformItemSizes(true);
    // A list made while the box still opened over itself has its scroll bar off.
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The text with a row's margins, the list's frame and its scroll bar.
    const QStyle* style = list->style();
    const int margins = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1) +
                        2 * list->frameWidth() + style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    list->setMinimumWidth(valueWidth(QFontMetrics(list->font()), characters, kind) + margins);
}

void useTooltipBackground(QAbstractItemView* list)
{
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
    list->setPalette(palette);
}

QLabel* makeHiddenLabel(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->hide();
    return label;
}

QLabel* makeLabelFor(QWidget* parent, const QString& caption, QWidget* box, const QString& name)
{
    auto* label = new QLabel(caption, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    label->setBuddy(box);
    return label;
}

void placeInTwips(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(twips(left), twips(top), qMax(twips(width), w->sizeHint().width()), twips(height));
}

BusyPointer::BusyPointer()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyPointer::~BusyPointer()
{
    QApplication::restoreOverrideCursor();
}
