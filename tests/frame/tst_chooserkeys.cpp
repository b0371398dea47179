#include "common/appcontrol.h"
#include "common/windowkeys.h"
#include "frame/frmIzborKnjige.h"
#include "frame/frmIzborTvrtke.h"
#include "framehelpers.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

using namespace knjtest;

class CompanyChooserKeysTest : public QObject
{
    Q_OBJECT
private slots:
    void f1TwiceRestoresTheWindow();
    void escUnloadsTheChooser();
    void doubleClickRunsADisabledButtonsHandler();
    void opensOnUlazAndEnterEntersTheCompany();
};

void CompanyChooserKeysTest::f1TwiceRestoresTheWindow()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    frmIzborTvrtke* chooser = frmIzborTvrtke::instance();
    QVERIFY(showActive(chooser));
    chooser->lsvLista->setFocus();
    const QList<QWidget*> controls = {chooser->lsvLista,       chooser->cmdUlaz,     chooser->cmdNova,
                                      chooser->cmdUredjivanje, chooser->cmdBrisanje, chooser->cmdispis,
                                      chooser->cmdizlaz};

    QTest::keyClick(chooser->lsvLista, Qt::Key_F1);
    QVERIFY(chooser->txtpomoc->isVisible());
    QCOMPARE(chooser->txtpomoc->geometry(), chooser->rect());
    QCOMPARE(chooser->windowTitle(), QStringLiteral("F1 vrati se u mod unosa!"));
    for (QWidget* w : controls)
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    QVERIFY(chooser->txtpomoc->toPlainText().startsWith(QStringLiteral("F1 Pomoć i izlaz iz pomoći")));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QVERIFY(!chooser->txtpomoc->isVisible());
    QCOMPARE(chooser->windowTitle(), QStringLiteral("Izbor tvrtke / obrta        Pomoć F1"));
    for (QWidget* w : controls)
        QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
    // Only visibility changed: the empty registry's buttons stay off.
    QVERIFY(!chooser->cmdUlaz->isEnabled());
    QVERIFY(!chooser->cmdUredjivanje->isEnabled());
    QVERIFY(!chooser->cmdBrisanje->isEnabled());
    QCOMPARE(QApplication::focusWidget(), chooser->lsvLista);
    QVERIFY(boxes.calls().isEmpty());
}

void CompanyChooserKeysTest::escUnloadsTheChooser()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    bool ended = false;
    AppControl::setEndProgramHandler([&ended] { ended = true; });
    addCompany(QStringLiteral("Alfa"));
    frmIzborTvrtke* chooser = frmIzborTvrtke::instance();
    QVERIFY(showActive(chooser));
    chooser->cmdNova->setFocus();
    QTest::keyClick(chooser->cmdNova, Qt::Key_Escape);
    QTRY_VERIFY(!frmIzborTvrtke::isLoaded());
    QVERIFY(!ended);
    AppControl::setEndProgramHandler({});
}

void CompanyChooserKeysTest::doubleClickRunsADisabledButtonsHandler()
{
    QTreeWidget list;
    auto* row = new QTreeWidgetItem(&list, {QStringLiteral("Alfa")});
    QPushButton button;
    button.setEnabled(false);
    int runs = 0;
    connect(&button, &QPushButton::clicked, &button, [&runs] { ++runs; });
    ListDblClickDefault(&list, &button);
    emit list.itemDoubleClicked(row, 0);
    QCOMPARE(runs, 1);
}

void CompanyChooserKeysTest::opensOnUlazAndEnterEntersTheCompany()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    addCompany(QStringLiteral("Alfa"));
    frmIzborTvrtke* chooser = frmIzborTvrtke::instance();
    QVERIFY(showActive(chooser));
    // The buttons come first in the tab order, the list after them.
    QCOMPARE(QApplication::focusWidget(), chooser->cmdUlaz);
    chooser->lsvLista->setFocus();
    QTest::keyClick(chooser->lsvLista, Qt::Key_Return);
    QVERIFY(frmIzborKnjige::isLoaded());
    QCOMPARE(frmIzborKnjige::loaded()->windowTitle(), QStringLiteral("Alfa - izbor knjige      Pomoć F1"));
}

KNJ_REGISTER_TEST(CompanyChooserKeysTest)
#include "tst_chooserkeys.moc"
