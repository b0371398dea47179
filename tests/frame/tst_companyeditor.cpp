#include "common/hrmsgbox.h"
#include "core/db/appstate.h"
#include "frame/frmIzborTvrtke.h"
#include "frame/frmUpisNove.h"
#include "framehelpers.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace knjtest;

class CompanyEditorTest : public QObject
{
    Q_OBJECT
private slots:
    void newCompaniesOneAfterAnother();
    void apostrophesRefusedWhenTypedButStoredWhenPasted();
    void keyFilters_data();
    void keyFilters();
    void tradeOrCompanyCheck_data();
    void tradeOrCompanyCheck();
    void changeWritesEveryColumnOfThatCompany();
    void failedWriteKeepsTheTypedData();
    void escClosesWithoutStoringAndShowsTheChooser();

private:
    // Opens the editor for a new company through the company chooser.
    static frmUpisNove* openForNewCompany();
};

frmUpisNove* CompanyEditorTest::openForNewCompany()
{
    frmIzborTvrtke* chooser = frmIzborTvrtke::instance();
    chooser->show();
    chooser->cmdNova->click();
    return frmUpisNove::loaded();
}

void CompanyEditorTest::newCompaniesOneAfterAnother()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    frmUpisNove* editor = openForNewCompany();
    QVERIFY(editor && editor->isVisible());
    QTRY_VERIFY(!frmIzborTvrtke::isLoaded());
    QCOMPARE(editor->windowTitle(), QStringLiteral("Upis nove tvrtke / obrta"));
    QCOMPARE(editor->cmdUpis->text(), QStringLiteral("&Upis nove tvrtke"));
    QCOMPARE(editor->cmdUpis->toolTip(), QStringLiteral("Unos nove tvrtke ili obrta"));
    QVERIFY(editor->cmdUpis->isDefault());
    QVERIFY(!editor->cmdUpis->isEnabled());

    typeText(editor->Text1, QStringLiteral("Žuta ruža d.o.o."));
    QVERIFY(editor->cmdUpis->isEnabled());
    QTest::mouseClick(editor->cmdUpis, Qt::LeftButton);
    QCOMPARE(boxes.calls().size(), 1);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Unešena nova tvrtka: Žuta ruža d.o.o."));
    QCOMPARE(boxes.last().style, 32);
    QCOMPARE(boxes.last().title, QStringLiteral("Unešena nova tvrtka!"));
    for (QLineEdit* box : editor->findChildren<QLineEdit*>())
        QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
    QVERIFY(!editor->cmdUpis->isEnabled());
    QVERIFY(editor->isVisible());

    QList<Registry::Company> stored = Registry::companies();
    QCOMPARE(stored.size(), 1);
    const Registry::Company& first = stored.first();
    QCOMPARE(first.ime, QStringLiteral("Žuta ruža d.o.o."));
    for (const QString& column : {first.mb, first.sifradj, first.to, first.ziroracun, first.posta, first.mjesto,
                                  first.ulica, first.telefon, first.kontakt})
        QCOMPARE(column, QStringLiteral("-"));

    // A second company in the same opening: blanks around are dropped, a box of blanks stores nothing.
    typeText(editor->Text1, QStringLiteral("  Alfa  "));
    typeText(editor->Text7, QStringLiteral("   "));
    typeText(editor->Text6, QStringLiteral("10000"));
    QTest::mouseClick(editor->cmdUpis, Qt::LeftButton);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Unešena nova tvrtka: Alfa"));
    stored = Registry::companies();
    QCOMPARE(stored.size(), 2);
    QCOMPARE(stored.first().ime, QStringLiteral("Alfa"));
    QCOMPARE(stored.first().mjesto, QString());
    QCOMPARE(stored.first().posta, QStringLiteral("10000"));
    QCOMPARE(stored.first().ulica, QStringLiteral("-"));
    QCOMPARE(boxes.unanswered(), 2);
}

void CompanyEditorTest::apostrophesRefusedWhenTypedButStoredWhenPasted()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    frmUpisNove* editor = openForNewCompany();
    typeText(editor->Text1, QStringLiteral("O'Brien \"Dva\""));
    QCOMPARE(editor->Text1->text(), QStringLiteral("OBrien Dva"));

    // Pasted text is not filtered; it must still be stored exactly.
    editor->Text1->selectAll();
    editor->Text1->insert(QStringLiteral("O'Brien d.o.o."));
    editor->Text8->setText(QStringLiteral("Ul. '); drop table x; --"));
    typeText(editor->Text5, QStringLiteral("2340009'11"));
    QTest::mouseClick(editor->cmdUpis, Qt::LeftButton);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Unešena nova tvrtka: O'Brien d.o.o."));
    const QList<Registry::Company> stored = Registry::companies();
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored.first().ime, QStringLiteral("O'Brien d.o.o."));
    QCOMPARE(stored.first().ulica, QStringLiteral("Ul. '); drop table x; --"));
    QCOMPARE(stored.first().ziroracun, QStringLiteral("2340009'11"));
}

void CompanyEditorTest::keyFilters_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("name drops quotes only") << "Text1"
                                            << "A'b\"c-Č 1"
                                            << "Abc-Č 1";
    QTest::newRow("contact drops quotes") << "Text10"
                                          << "Iva \"Ana\""
                                          << "Iva Ana";
    QTest::newRow("post code digits and blank") << "Text6"
                                                << "10 a.-0+0"
                                                << "10 00";
    QTest::newRow("phone digits blank slash dash") << "Text9"
                                                   << "01/234-56 a+7"
                                                   << "01/234-56 7";
    QTest::newRow("account takes anything") << "Text5"
                                            << "HR12'-x"
                                            << "HR12'-x";
}

void CompanyEditorTest::keyFilters()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    frmUpisNove* editor = openForNewCompany();
    auto* edit = find<QLineEdit>(editor, box);
    QVERIFY(edit);
    typeText(edit, typed);
    QCOMPARE(edit->text(), shown);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), shown.chopped(1));
}

void CompanyEditorTest::tradeOrCompanyCheck_data()
{
    // How the box is left: Tab, Enter (which stores at once), or a click on the store button.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("leaveBy");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<bool>("focusMoves");
    QTest::newRow("t") << "t"
                       << "tab"
                       << "T" << true;
    QTest::newRow("O") << "O"
                       << "tab"
                       << "O" << true;
    QTest::newRow("o") << "o"
                       << "tab"
                       << "O" << true;
    QTest::newRow("empty") << ""
                           << "tab"
                           << "" << true;
    QTest::newRow("x") << "x"
                       << "tab"
                       << "" << false;
    QTest::newRow("t then Enter stores") << "t"
                                         << "enter"
                                         << "" << true;
    QTest::newRow("x then Enter stores nothing") << "x"
                                                 << "enter"
                                                 << "" << false;
    QTest::newRow("x then a click stores nothing") << "x"
                                                   << "click"
                                                   << "" << false;
}

void CompanyEditorTest::tradeOrCompanyCheck()
{
    QFETCH(QString, typed);
    QFETCH(QString, leaveBy);
    QFETCH(QString, kept);
    QFETCH(bool, focusMoves);
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    frmUpisNove* editor = openForNewCompany();
    QVERIFY(showActive(editor));
    typeText(editor->Text1, QStringLiteral("Gama"));
    editor->Text4->setFocus();
    typeText(editor->Text4, typed);
    if (leaveBy == QLatin1String("click"))
        QTest::mouseClick(editor->cmdUpis, Qt::LeftButton);
    else
        QTest::keyClick(editor->Text4, leaveBy == QLatin1String("tab") ? Qt::Key_Tab : Qt::Key_Return);
    QCOMPARE(editor->Text4->text(), kept);
    if (leaveBy == QLatin1String("tab")) {
        if (focusMoves)
            QTRY_COMPARE(QApplication::focusWidget(), editor->Text5);
    } else {
        // Enter stores as the default button does, once the T/O value passes.
        QCOMPARE(rowCount(QStringLiteral("svetvrtke")), focusMoves ? 1 : 0);
        if (focusMoves)
            QCOMPARE(Registry::companies().first().to, QStringLiteral("T"));
        QCOMPARE(editor->Text1->text(), focusMoves ? QString() : QStringLiteral("Gama"));
    }
    if (!focusMoves) {
        QTest::qWait(20);
        QCOMPARE(QApplication::focusWidget(), editor->Text4);
    }
}

void CompanyEditorTest::changeWritesEveryColumnOfThatCompany()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    Registry::Company beta;
    beta.ime = QStringLiteral("Beta");
    beta.mb = QStringLiteral("1234567890123");
    beta.sifradj = QStringLiteral("47110");
    beta.to = QStringLiteral("O");
    beta.ziroracun = QStringLiteral("2360000-1101");
    beta.posta = QStringLiteral("21000");
    beta.mjesto = QStringLiteral("Split");
    beta.ulica = QStringLiteral("Riva 1");
    beta.telefon = QStringLiteral("021/123-456");
    beta.kontakt = QStringLiteral("Ana");
    beta.id = Registry::insertCompany(beta);

    frmIzborTvrtke* chooser = frmIzborTvrtke::instance();
    QVERIFY(showActive(chooser));
    clickRow(chooser->lsvLista, 1);
    QCOMPARE(chooser->lblIme->text(), QStringLiteral("Beta"));
    QTest::mouseClick(chooser->cmdUredjivanje, Qt::LeftButton);
    QCOMPARE(AppState::idizabranetvrtke, double(beta.id));
    frmUpisNove* editor = frmUpisNove::loaded();
    QVERIFY(editor && editor->isVisible());
    QTRY_VERIFY(!frmIzborTvrtke::isLoaded());
    QCOMPARE(editor->windowTitle(), QStringLiteral("Izmjena podataka - Beta"));
    QCOMPARE(editor->cmdUpis->text(), QStringLiteral("I&zmjena"));
    QCOMPARE(editor->cmdUpis->toolTip(), QStringLiteral("Izmjena knjige"));
    QVERIFY(editor->cmdUpis->isDefault());
    QVERIFY(editor->cmdUpis->isEnabled());
    const QStringList shown = {editor->Text1->text(), editor->Text2->text(), editor->Text3->text(),
                               editor->Text4->text(), editor->Text5->text(), editor->Text6->text(),
                               editor->Text7->text(), editor->Text8->text(), editor->Text9->text(),
                               editor->Text10->text()};
    QCOMPARE(shown, QStringList({"Beta", "1234567890123", "47110", "O", "2360000-1101", "21000", "Split", "Riva 1",
                                 "021/123-456", "Ana"}));

    editor->Text3->clear();
    editor->Text7->clear();
    typeText(editor->Text7, QStringLiteral("Šibenik"));
    editor->Text1->setText(QStringLiteral("Beta j.d.o.o."));
    QTest::mouseClick(editor->cmdUpis, Qt::LeftButton);
    QVERIFY(boxes.calls().isEmpty());
    QTRY_VERIFY(!frmUpisNove::isLoaded());

    const auto changed = storedCompany(beta.id);
    QVERIFY(changed);
    QCOMPARE(changed->ime, QStringLiteral("Beta j.d.o.o."));
    QCOMPARE(changed->sifradj, QStringLiteral("-"));
    QCOMPARE(changed->mjesto, QStringLiteral("Šibenik"));
    QCOMPARE(changed->telefon, QStringLiteral("021/123-456"));
    const auto other = storedCompany(alfa);
    QVERIFY(other);
    QCOMPARE(other->ime, QStringLiteral("Alfa"));
    QCOMPARE(other->mjesto, QStringLiteral("-"));

    // The chooser is back, listing the companies as they now stand.
    QVERIFY(frmIzborTvrtke::isLoaded());
    chooser = frmIzborTvrtke::loaded();
    QVERIFY(chooser->isVisible());
    QCOMPARE(chooser->lsvLista->topLevelItem(1)->text(frmIzborTvrtke::ColIme), QStringLiteral("Beta j.d.o.o."));
    QCOMPARE(chooser->lsvLista->topLevelItem(1)->text(frmIzborTvrtke::ColSifradj), QStringLiteral("-"));
}

void CompanyEditorTest::failedWriteKeepsTheTypedData()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    frmUpisNove* editor = openForNewCompany();
    typeText(editor->Text1, QStringLiteral("Gama"));
    typeText(editor->Text7, QStringLiteral("Zadar"));
    QVERIFY(QFile::rename(folder.filePath("tvrtke.mdb"), folder.filePath("tvrtke.bak")));
    QTest::mouseClick(editor->cmdUpis, Qt::LeftButton);
    QCOMPARE(boxes.calls().size(), 1);
    QVERIFY(!boxes.last().prompt.startsWith(QStringLiteral("Unešena")));
    QCOMPARE(boxes.last().style, 16);
    QCOMPARE(editor->Text1->text(), QStringLiteral("Gama"));
    QCOMPARE(editor->Text7->text(), QStringLiteral("Zadar"));
    QVERIFY(editor->cmdUpis->isEnabled());

    // The same in edit mode: the window stays open with its boxes.
    QVERIFY(QFile::rename(folder.filePath("tvrtke.bak"), folder.filePath("tvrtke.mdb")));
    editor->close();
    QTRY_VERIFY(!frmUpisNove::isLoaded());
    frmIzborTvrtke* chooser = frmIzborTvrtke::instance();
    chooser->cmdUredjivanje->click();
    editor = frmUpisNove::loaded();
    QVERIFY(editor);
    QCOMPARE(AppState::idizabranetvrtke, double(alfa));
    editor->Text1->setText(QStringLiteral("Alfa 2"));
    QVERIFY(QFile::rename(folder.filePath("tvrtke.mdb"), folder.filePath("tvrtke.bak")));
    boxes.clear();
    editor->cmdUpis->click();
    QCOMPARE(boxes.calls().size(), 1);
    QCOMPARE(boxes.last().style, 16);
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->Text1->text(), QStringLiteral("Alfa 2"));
    QVERIFY(QFile::rename(folder.filePath("tvrtke.bak"), folder.filePath("tvrtke.mdb")));
    QCOMPARE(storedCompany(alfa)->ime, QStringLiteral("Alfa"));
}

void CompanyEditorTest::escClosesWithoutStoringAndShowsTheChooser()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    frmUpisNove* editor = openForNewCompany();
    QVERIFY(showActive(editor));
    QTRY_VERIFY(!frmIzborTvrtke::isLoaded());
    editor->Text2->setFocus();
    typeText(editor->Text1, QStringLiteral("Nepohranjena"));
    // The editor has no help pane: F1 leaves it as it is.
    QTest::keyClick(editor->Text2, Qt::Key_F1);
    QCOMPARE(editor->windowTitle(), QStringLiteral("Upis nove tvrtke / obrta"));
    QVERIFY(editor->Text1->isVisible());
    QTest::keyClick(editor->Text2, Qt::Key_Escape);
    QTRY_VERIFY(!frmUpisNove::isLoaded());
    QVERIFY(frmIzborTvrtke::isLoaded());
    QVERIFY(frmIzborTvrtke::loaded()->isVisible());
    QCOMPARE(rowCount(QStringLiteral("svetvrtke")), 0);
    QVERIFY(boxes.calls().isEmpty());
}

KNJ_REGISTER_TEST(CompanyEditorTest)
#include "tst_companyeditor.moc"
