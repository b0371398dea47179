#pragma once

#include "common/stockdoclink.h"

#include "common/workspace.h"
#include "support/fixture.h"

#include <QList>
#include <QPair>
#include <QStringList>

class QAbstractItemView;
class QWidget;

namespace knjtest {

// A fresh program folder with an empty warehouse book "Skladiste1.mdb" open (bazaknjige), a main-window stand-in
// that records the menu switches, and a stock-document stand-in that records the picker refills.
class WarehouseBook
{
public:
    WarehouseBook();
    ~WarehouseBook();
    QString bookPath() const;

    QList<QPair<MenuGroup, bool>> menus;
    int articleRefills = 0;
    QStringList articleRefillSteps;
    QList<StockDocs::ArticleChoice> shownArticles; // the last articles handed over in the order stored
    QStringList partnerRefills;
    QList<StockDocumentLink::PartnerRefill> partnerRefillSteps;

private:
    ProgramFolderFixture m_folder;
};

// Shows the window and waits until it is the active window.
void activate(QWidget* window);
// Clicks / double-clicks the row of a list.
void clickRow(QAbstractItemView* list, int row);
void doubleClickRow(QAbstractItemView* list, int row);
// The texts of one column of a list, top to bottom.
QStringList columnTexts(const QAbstractItemView* list, int column);

} // namespace knjtest
