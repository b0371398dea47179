#include "common/windowkeys.h"
#include "core/db/appstate.h"
#include "core/db/bookschema.h"
#include "core/db/programfolder.h"
#include "frame/frmSkladiste.h"
#include "masterdata/frmartikli.h"
#include "masterdata/frmunos.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>

// The road from the main window's menus to the working windows of a warehouse book.
class WorkflowTest : public QObject
{
    Q_OBJECT
private slots:
    void menuItemsOpenTheirWorkingWindows_data();
    void menuItemsOpenTheirWorkingWindows();
};

void WorkflowTest::menuItemsOpenTheirWorkingWindows_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("window");
    QTest::newRow("articles") << "mnuArtikala"
                              << "frmartikli";
    QTest::newRow("partners") << "mnuKupaca"
                              << "frmunos";
    QTest::newRow("receipts") << "mnuPrimki"
                              << "frmPrimka";
    QTest::newRow("issue notes") << "mnuIzdatnica"
                                 << "frmPrimka";
}

void WorkflowTest::menuItemsOpenTheirWorkingWindows()
{
    QFETCH(QString, item);
    QFETCH(QString, window);
    knjtest::ProgramFolderFixture folder;
    knjtest::MsgBoxScript boxes;
    AppState::vrstabaze = BookKindWarehouse;
    AppState::bazaknjige = BookFileName(BookKindWarehouse, 1);
    QVERIFY(frmSkladiste::openBook(QStringLiteral("Knjiga: Roba      Baza: ") + folder.filePath("Skladiste1.mdb")));
    frmSkladiste* main = frmSkladiste::loaded();
    QVERIFY(main);

    knjtest::triggerAction(main, item);
    QMdiSubWindow* sub = main->mdiArea->activeSubWindow();
    QVERIFY(sub);
    QCOMPARE(sub->widget()->objectName(), window);
    QCOMPARE(sub->size(), QSize(800, 520));
    QVERIFY(!main->mnuNoviunos->menuAction()->isEnabled());
    QVERIFY(!main->mnuPregled->menuAction()->isEnabled());

    closeWindow(sub->widget());
    QTRY_VERIFY(main->mdiArea->subWindowList().isEmpty());
    QVERIFY(main->mnuNoviunos->menuAction()->isEnabled());
    QVERIFY(main->mnuPregled->menuAction()->isEnabled());
    QVERIFY(main->mnupomoc->menuAction()->isEnabled());
    QCOMPARE(boxes.calls().size(), 0);
}

KNJ_REGISTER_TEST(WorkflowTest)
#include "tst_workflow.moc"
