#include "reportbook.h"

#include "common/reportpane.h"
#include "core/reports/stockcard.h"
#include "core/reports/stocklist.h"
#include "frame/frmSkladiste.h"
#include "stockreports/frmPregledart.h"
#include "stockreports/frmpregledkupacadobavljaca.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

frmSkladiste* openMainWindow()
{
    if (!frmSkladiste::openBook(QStringLiteral("Knjiga: Glavno")))
        return nullptr;
    frmSkladiste* main = frmSkladiste::loaded();
    if (!QTest::qWaitForWindowExposed(main))
        return nullptr;
    return main;
}

bool menusEnabled(frmSkladiste* main)
{
    return main->mnuNoviunos->menuAction()->isEnabled() && main->mnuPregled->menuAction()->isEnabled();
}

void click(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// Chooses an entry of the drop-down list with the arrow keys, as a person would.
void chooseEntry(QComboBox* combo, int index)
{
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
}

QStringList comboTexts(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

QStringList paneLines(const ReportPane* pane)
{
    return pane->toPlainText().split(u'\n');
}

const QString Rule83 = QString(83, u'_');

} // namespace

class StockReportWindowsTest : public QObject
{
    Q_OBJECT
private slots:
    void stockReportWindowFromTheMenu();
    void everyCombinationRunsItsReport_data();
    void everyCombinationRunsItsReport();
    void emptyBookShowsNothingAndAsksNothing();
    void aLongArticleNameShowsWholeInTheClosedChooser();
    void failureIsReportedOnce();
    void partnerListFromTheMenu();
    void closingReleasesTheMenus_data();
    void closingReleasesTheMenus();
    void escInAnOpenListClosesTheListOnly();
};

void StockReportWindowsTest::aLongArticleNameShowsWholeInTheClosedChooser()
{
    ReportBook book;
    const QString name = QStringLiteral("Brtva gumena za slavinu 1/2 in");
    QCOMPARE(name.size(), 30);
    book.addArticle("B1", name);
    frmSkladiste* main = openMainWindow();
    QVERIFY(main);
    knjtest::triggerAction(main, "mnuArtikala1");
    frmPregledart* w = frmPregledart::loaded();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->cbood->currentText(), name);
    // The drop-down arrow and the margins take about 30 pixels of the box.
    QVERIFY(w->cbood->width() - 30 >= QFontMetrics(w->cbood->font()).horizontalAdvance(name));
    QVERIFY(w->Frame3->geometry().right() < w->cmdprikazart->geometry().left());
}

void StockReportWindowsTest::stockReportWindowFromTheMenu()
{
    ReportBook book;
    knjtest::MsgBoxScript boxes;
    const qint64 first = book.addArticle("V1", "Vijak");
    const qint64 second = book.addArticle("V2", "Vijak", 0.0, 0.0, "3850000000017");
    book.addArticle("B1", "brtva");
    book.post(true, second, "10", "5");
    book.post(false, second, "4", "5");
    book.post(true, first, "1", "1");
    frmSkladiste* main = openMainWindow();
    QVERIFY(main);
    knjtest::triggerAction(main, "mnuArtikala1");
    frmPregledart* w = frmPregledart::loaded();
    QVERIFY(w && w->isVisible());
    QVERIFY(!menusEnabled(main));

    QCOMPARE(comboTexts(w->cbood), QStringList({"brtva", "Vijak", "Vijak"}));
    QCOMPARE(w->cbood->currentText(), QStringLiteral("brtva"));
    for (QRadioButton* set : {w->optstanjeart, w->Optjedanart, w->optnazivart, w->optsveart})
        QVERIFY(set->isChecked());
    QVERIFY(w->Frame3->isVisible());
    QVERIFY(!w->Frame4->isVisible());
    QVERIFY(w->rtfart->isEmpty());

    // The second of two equal names is its own article.
    chooseEntry(w->cbood, 2);
    click(w->cmdprikazart);
    QVERIFY(w->rtfart->isVisible());
    QCOMPARE(paneLines(w->rtfart),
             QStringList({"Šifra        Naziv                 J.mj. Min.kol. Stanje     Vrijednost   Pr.cijena", Rule83,
                          "V2           Vijak                 kom       0,00       6,00        30,00     5,00"}));

    // Its card by code, Enter pressing "&Prikaz".
    click(w->optkarticeart);
    click(w->optsifraart);
    QCOMPARE(comboTexts(w->cbood), QStringList({"B1", "V1", "V2"}));
    chooseEntry(w->cbood, 2);
    QTest::keyClick(w->cbood, Qt::Key_Return);
    QCOMPARE(paneLines(w->rtfart),
             QStringList({"Šifra:        Naziv:                                  Barkod:       J.m.: Min.kol.",
                          "V2            Vijak                                   3850000000017 kom        0,00", Rule83,
                          "R.br. V B.P/I Ulaz              Izlaz             Stanje     Vrijednost   Pr.cijena",
                          QString(14, u' ') + "Količina Cijena   Količina Cijena   " + QString(38, u' '), Rule83,
                          "   1. P     1    10,00     5,00     0,00     0,00      10,00        50,00      5,00",
                          "   2. I     1     0,00     0,00     4,00     5,00       6,00        30,00      5,00"}));

    // Names again bring back the names; "Više artikala" shows the selection and keeps the pane.
    click(w->optnazivart);
    QCOMPARE(comboTexts(w->cbood), QStringList({"brtva", "Vijak", "Vijak"}));
    click(w->optviseart);
    QVERIFY(w->Frame4->isVisible());
    QVERIFY(!w->Frame3->isVisible());
    QCOMPARE(paneLines(w->rtfart).size(), 8);
    click(w->Optjedanart);
    QVERIFY(w->Frame3->isVisible());
    // The window has no help pane: F1 changes nothing.
    QTest::keyClick(w->cmdprikazart, Qt::Key_F1);
    QCOMPARE(w->windowTitle(), QStringLiteral("Pregled artikala"));
    QVERIFY(w->frameartikli->isVisible());
    QCOMPARE(boxes.calls().size(), 0);
}

void StockReportWindowsTest::everyCombinationRunsItsReport_data()
{
    QTest::addColumn<QString>("what");  // optstanjeart or optkarticeart
    QTest::addColumn<QString>("third"); // optnazivart, optsifraart, or a selection of several
    QTest::addColumn<QStringList>("expected");
    const QString s = "optstanjeart";
    const QString k = "optkarticeart";
    QTest::newRow("stock, by name") << s << "optnazivart" << QStringList{"A"};
    QTest::newRow("stock, by code") << s << "optsifraart" << QStringList{"A"};
    QTest::newRow("stock, all") << s << "optsveart" << QStringList{"A", "N", "Z"};
    QTest::newRow("stock, zero") << s << "optkolicinanulart" << QStringList{"Z", "N"};
    QTest::newRow("stock, below minimum") << s << "optminkolicinaart" << QStringList{"Z"};
    QTest::newRow("card, by name") << k << "optnazivart" << QStringList{"A"};
    QTest::newRow("card, by code") << k << "optsifraart" << QStringList{"A"};
    QTest::newRow("cards, all") << k << "optsveart" << QStringList{"A", "N", "Z"};
    QTest::newRow("cards, zero") << k << "optkolicinanulart" << QStringList{"Z", "N"};
    QTest::newRow("cards, below minimum") << k << "optminkolicinaart" << QStringList{"Z"};
}

void StockReportWindowsTest::everyCombinationRunsItsReport()
{
    QFETCH(QString, what);
    QFETCH(QString, third);
    QFETCH(QStringList, expected);
    ReportBook book;
    knjtest::MsgBoxScript boxes;
    const qint64 a = book.addArticle("A", "Alat");
    book.addArticle("Z", "Zaliha", 0.0, 2.0);
    book.addArticle("N", "Nula");
    book.post(true, a, "2", "3");
    frmSkladiste* main = openMainWindow();
    QVERIFY(main);
    knjtest::triggerAction(main, "mnuArtikala1");
    frmPregledart* w = frmPregledart::loaded();
    QVERIFY(w);

    click(knjtest::find<QRadioButton>(w, what));
    const bool several = third != "optnazivart" && third != "optsifraart";
    click(several ? w->optviseart : w->Optjedanart);
    click(knjtest::find<QRadioButton>(w, third));
    if (!several)
        chooseEntry(w->cbood, 0); // "Alat", or the code "A"
    click(w->cmdprikazart);
    QVERIFY(w->rtfart->isVisible());
    QVERIFY(!QApplication::overrideCursor());

    QList<StockListRow> rows;
    for (const QString& code : expected)
        for (const StockListRow& r : StockReports::selection(book.path(), StockSelection::All))
            if (r.sifra == code)
                rows << r;
    QStringList text;
    if (what == "optstanjeart")
        text = buildStockList(rows);
    else if (!several)
        text = buildStockCard(rows[0], StockCards::oneCard(book.path(), rows[0].id).lines.value(rows[0].id));
    else
        text = buildStockCards({rows, StockCards::selectionCards(book.path(), StockSelection::All).lines});
    QCOMPARE(paneLines(w->rtfart), text);
    QCOMPARE(boxes.calls().size(), 0);
}

void StockReportWindowsTest::emptyBookShowsNothingAndAsksNothing()
{
    ReportBook book;
    knjtest::MsgBoxScript boxes;
    frmSkladiste* main = openMainWindow();
    QVERIFY(main);
    knjtest::triggerAction(main, "mnuArtikala1");
    frmPregledart* w = frmPregledart::loaded();
    QCOMPARE(w->cbood->count(), 0);
    click(w->cmdprikazart);
    QVERIFY(!w->rtfart->isVisible());
    QVERIFY(w->rtfart->isEmpty());

    click(w->optkarticeart);
    click(w->optviseart);
    click(w->cmdprikazart);
    QCOMPARE(paneLines(w->rtfart),
             QStringList(
                 {"Šifra:        Naziv:                                  Barkod:       J.m.: Min.kol.", Rule83, ""}));
    click(w->cmdispisart);
    QCOMPARE(boxes.calls().size(), 1); // the print question only
    QCOMPARE(boxes.last().style, 36);
}

void StockReportWindowsTest::failureIsReportedOnce()
{
    ReportBook book;
    knjtest::MsgBoxScript boxes;
    book.addArticle("A", "Alat");
    frmSkladiste* main = openMainWindow();
    QVERIFY(main);
    knjtest::triggerAction(main, "mnuArtikala1");
    frmPregledart* w = frmPregledart::loaded();
    click(w->cmdprikazart);
    QVERIFY(!w->rtfart->isEmpty());
    knjtest::triggerAction(main, "mnuKupaca1");
    frmpregledkupacadobavljaca* partners = frmpregledkupacadobavljaca::loaded();

    // The book's file is gone: every report says so once, and no stale report stays.
    QVERIFY(QFile::remove(book.path()));
    boxes.answer(1).answer(1).answer(1);
    click(w->optkarticeart);
    click(w->optviseart);
    click(w->cmdprikazart);
    QCOMPARE(boxes.calls().size(), 1);
    QVERIFY(w->rtfart->isEmpty());
    QVERIFY(!QApplication::overrideCursor());
    click(w->optnazivart);
    click(partners->cmdprikazart);
    QCOMPARE(boxes.calls().size(), 3);
    for (const MsgRequest& r : boxes.calls()) {
        QCOMPARE(r.style, 0);
        QCOMPARE(r.title, QStringLiteral("Knjigovodstvo"));
        QVERIFY(!r.prompt.isEmpty());
    }
    QVERIFY(partners->rtfkd->isEmpty());
    QVERIFY(!QFile::exists(book.path()));
}

void StockReportWindowsTest::partnerListFromTheMenu()
{
    ReportBook book;
    knjtest::MsgBoxScript boxes;
    book.addPartner("s", " Oboje d.o.o. ", "Velika Gorica - Centar");
    book.addPartner("K", "Kupac");
    frmSkladiste* main = openMainWindow();
    QVERIFY(main);
    knjtest::triggerAction(main, "mnuKupaca1");
    frmpregledkupacadobavljaca* w = frmpregledkupacadobavljaca::loaded();
    QVERIFY(w && w->isVisible());
    QVERIFY(w->optkupaca->isChecked());
    QVERIFY(w->rtfkd->isEmpty());
    QVERIFY(!menusEnabled(main));

    click(w->optdobavljaca);
    click(w->cmdprikazart);
    const QString blankLine = QString(31, u' ') + QString(13, u' ') + u' ' + QString(20, u' ') + u' ';
    const QString noData = QString(30, u' ') + u' ' + QString(13, u' ') + u' ' + QString(20, u' ') + u' ';
    const QStringList suppliers = {
        "Dobavljači na dan: " + QDate::currentDate().toString("dd.MM.yyyy"),
        "",
        "Naziv                          Mat. broj     Žiroračun            Kontakt          ",
        "_____                          Mjesto        Ulica i br.          Telefon",
        Rule83,
        "Oboje d.o.o." + noData.mid(12), // its leading blank sorts it first
        "",
        QString(31, u' ') + "Velika Gorica" + u' ' + QString(20, u' ') + u' ',
        QString(83, u'-'),
        "Dobavljač" + noData.mid(9),
        "",
        blankLine,
        QString(83, u'-')};
    QCOMPARE(paneLines(w->rtfkd), suppliers);
    QTest::keyClick(w->optdobavljaca, Qt::Key_Return); // Enter presses "&Prikaz": the list is replaced, not doubled
    QCOMPARE(paneLines(w->rtfkd), suppliers);

    click(w->optkupaca);
    click(w->cmdprikazart);
    const QStringList customers = paneLines(w->rtfkd);
    QVERIFY(customers[0].startsWith("Kupci na dan: "));
    QCOMPARE(customers.size(), 5 + 3 * 4);
    QCOMPARE(customers[5].trimmed(), QStringLiteral("Oboje d.o.o."));
    QCOMPARE(customers[9].trimmed(), QStringLiteral("Kupac"));
    QCOMPARE(customers[13].trimmed(), QStringLiteral("Proizvodnja"));
    QCOMPARE(boxes.calls().size(), 0);
}

void StockReportWindowsTest::closingReleasesTheMenus_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("how");
    for (const QString item : {"mnuArtikala1", "mnuKupaca1"})
        for (const QString how : {"Esc", "Izlaz", "close box"})
            QTest::newRow(qPrintable(item + ", " + how)) << item << how;
}

void StockReportWindowsTest::closingReleasesTheMenus()
{
    QFETCH(QString, item);
    QFETCH(QString, how);
    ReportBook book;
    knjtest::MsgBoxScript boxes;
    frmSkladiste* main = openMainWindow();
    QVERIFY(main);
    knjtest::triggerAction(main, item);
    QWidget* w =
        item == "mnuArtikala1" ? static_cast<QWidget*>(frmPregledart::loaded()) : frmpregledkupacadobavljaca::loaded();
    QVERIFY(w);
    QVERIFY(!menusEnabled(main));
    if (how == "Esc") {
        QPushButton* show = knjtest::find<QPushButton>(w, "cmdprikazart");
        show->setFocus();
        QTest::keyClick(show, Qt::Key_Escape);
    } else if (how == "Izlaz") {
        click(knjtest::find<QPushButton>(w, item == "mnuArtikala1" ? "cmdizlaz" : "cmddizlaz"));
    } else {
        w->parentWidget()->close();
    }
    QTRY_VERIFY(!frmPregledart::isLoaded() && !frmpregledkupacadobavljaca::isLoaded());
    QVERIFY(menusEnabled(main));
    QCOMPARE(boxes.calls().size(), 0);
}

void StockReportWindowsTest::escInAnOpenListClosesTheListOnly()
{
    ReportBook book;
    knjtest::MsgBoxScript boxes;
    book.addArticle("A", "Alat");
    frmSkladiste* main = openMainWindow();
    QVERIFY(main);
    knjtest::triggerAction(main, "mnuArtikala1");
    frmPregledart* w = frmPregledart::loaded();
    QVERIFY(w);
    w->cbood->setFocus();
    QTest::keyClick(w->cbood, Qt::Key_Down, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget());
    // The list drops below the chooser, not over it, with rows of one height.
    const QWidget* popup = QApplication::activePopupWidget();
    QVERIFY(popup->y() >= w->cbood->mapToGlobal(w->cbood->rect().bottomLeft()).y());
    QVERIFY(knjtest::hasUniformRows(w->cbood));
    QTest::keyClick(QApplication::activePopupWidget()->windowHandle(), Qt::Key_Escape);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QVERIFY(frmPregledart::isLoaded());
    QVERIFY(!menusEnabled(main));
}

KNJ_REGISTER_TEST(StockReportWindowsTest)
#include "tst_stockreportwindows.moc"
