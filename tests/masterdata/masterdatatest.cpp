#include "masterdatatest.h"

#include "common/stockdoclink.h"
#include "core/db/appstate.h"
#include "core/db/bookschema.h"
#include "core/db/programfolder.h"

#include <QAbstractItemView>
#include <QTest>

namespace knjtest {

WarehouseBook::WarehouseBook()
{
    CreateBookDatabase(ProgramFolder::filePath("Skladiste1.mdb"), BookKindWarehouse);
    AppState::bazaknjige = "Skladiste1.mdb";
    AppState::vrstabaze = BookKindWarehouse;
    Workspace::setHost({[](QWidget* w, QWidget*) { w->show(); },
                        [this](MenuGroup group, bool enabled) {
                            menus.append({group, enabled});
                        }});
    StockDocumentLink::setReceiver({[this](const QList<StockDocs::ArticleChoice>& articles) {
                                        ++articleRefills;
                                        articleRefillSteps.append(QStringLiteral("stored order"));
                                        shownArticles = articles;
                                    },
                                    [this] {
                                        ++articleRefills;
                                        articleRefillSteps.append(QStringLiteral("name order"));
                                    },
                                    [this](const QString& mode, StockDocumentLink::PartnerRefill step) {
                                        partnerRefills.append(mode);
                                        partnerRefillSteps.append(step);
                                    }});
}

WarehouseBook::~WarehouseBook()
{
    StockDocumentLink::clearReceiver();
    Workspace::setHost({});
}

QString WarehouseBook::bookPath() const
{
    return ProgramFolder::filePath("Skladiste1.mdb");
}

void activate(QWidget* window)
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void clickRow(QAbstractItemView* list, int row)
{
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void doubleClickRow(QAbstractItemView* list, int row)
{
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

QStringList columnTexts(const QAbstractItemView* list, int column)
{
    QStringList texts;
    for (int i = 0; i < list->model()->rowCount(); ++i)
        texts.append(list->model()->index(i, column).data().toString());
    return texts;
}

} // namespace knjtest
