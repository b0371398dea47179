#include "controls.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

QLineEdit* makeEntryBox(QWidget* parent, const QString& name, const QString& tooltip, int maxLength)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setToolTip(tooltip);
    box->setMaxLength(maxLength);
    return box;
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

QTreeWidget* makeListView(QWidget* parent, const QString& name, const QString& accessibleName,
                          const QStringList& headers)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setAccessibleName(accessibleName);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setAllColumnsShowFocus(true);
    list->setColumnCount(int(headers.size()));
    list->setHeaderLabels(headers);
    list->header()->setStretchLastSection(false);
    return list;
}

void useTooltipBackground(QTreeWidget* list)
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
