#include "common/reportpane.h"
#include "common/windowkeys.h"
#include "core/db/appstate.h"
#include "core/db/programfolder.h"
#include "core/db/registry.h"
#include "core/production/products.h"
#include "frame/frmSkladiste.h"
#include "masterdata/frmartikliizbor.h"
#include "products/frmproizvodi.h"
#include "productsbook.h"
#include "support/testmain.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

using knjtest::chooseEntry;
using knjtest::hasUniformRows;
using knjtest::MsgBoxScript;
using knjtest::typeInto;
using productstest::ProductionBook;

namespace {

frmproizvodi* openWindow()
{
    frmproizvodi* w = frmproizvodi::openFromMenu();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w))
        qWarning("products window not active");
    return w;
}

QStringList comboItems(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

QStringList column(const QTreeWidget* list, int c)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts.append(list->topLevelItem(i)->text(c));
    return texts;
}

// The visible cells of a component row: book, code, name, quantity, price, amount.
QString visibleRow(const QTreeWidget* list, int row)
{
    QStringList cells;
    for (int c = 0; c <= frmproizvodi::ColIznos; ++c)
        cells.append(list->topLevelItem(row)->text(c).trimmed());
    return cells.join(QLatin1Char('|'));
}

void addLine(frmproizvodi* w, const QString& book, const QString& code, const QString& quantity)
{
    chooseEntry(w->cboskladiste, book);
    chooseEntry(w->Cbosifra, code);
    w->txtkolicina->clear();
    typeInto(w->txtkolicina, quantity);
    w->cmddodaj->click();
}

void clickProduct(frmproizvodi* w, const QString& naziv)
{
    const int row = int(column(w->lsvsviproizvodi, frmproizvodi::PColNaziv).indexOf(naziv));
    QVERIFY2(row >= 0, qPrintable(naziv));
    QTreeWidgetItem* item = w->lsvsviproizvodi->topLevelItem(row);
    w->lsvsviproizvodi->setCurrentItem(item);
    emit w->lsvsviproizvodi->itemClicked(item, 0);
}

void selectComponent(frmproizvodi* w, int row)
{
    w->lsvproizvodi->setCurrentItem(w->lsvproizvodi->topLevelItem(row));
}

void fillHeader(frmproizvodi* w, const QString& sifra, const QString& naziv, const QString& jedmjere,
                const QString& barkod = QString())
{
    w->txtsifra->setText(sifra);
    w->txtnaziv->setText(naziv);
    w->txtjedmjere->setText(jedmjere);
    w->txtbarkod->setText(barkod);
}

// Articles of the two warehouse books; the code "BR" stands in both.
struct Articles
{
    qint64 brasno, kvasac, kalup, skupo;
};

Articles seedArticles(ProductionBook& book)
{
    return {book.addArticle(book.bookVeliko, "BR", "Brašno", "100", "1,4"),
            book.addArticle(book.bookVeliko, "KV", "Kvasac", "10", "12,5"),
            book.addArticle(book.bookAlati, "BR", "Kalup", "5", "3"),
            book.addArticle(book.bookAlati, "SK", "Skupa peć", "2000", "10000")};
}

bool inEditMode(const frmproizvodi* w)
{
    return w->cmdne->isEnabled() && w->cmdizmjena->isEnabled() && w->cmdbrisiproizvod->isEnabled() &&
           !w->cmdprihvati->isEnabled();
}

} // namespace

class ProductsWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void openingListsTheCompanysBooksAndProducts()
    {
        ProductionBook book;
        const qint64 third = book.addWarehouse(0, QStringLiteral("Bijelo"));
        const qint64 missing = book.addWarehouse(0, QStringLiteral("Bez datoteke"), false);
        Products::insert(book.path(), Product{0, "P2", "", "Pecivo", "kom"}, {});
        Products::insert(book.path(), Product{0, "K1", "385", "kruh", "kg"}, {});
        MsgBoxScript boxes;
        QPointer<frmproizvodi> w = openWindow();
        QVERIFY(!book.izborEnabled());
        QCOMPARE(comboItems(w->cboskladiste), (QStringList{"Alati", "Bez datoteke", "Bijelo", "Veliko skladište"}));
        QCOMPARE(w->cboskladiste->currentIndex(), -1);
        QCOMPARE(w->lblidknjige->text(), QString::number(book.bookVeliko));
        QCOMPARE(column(w->lsvsviproizvodi, frmproizvodi::PColNaziv), (QStringList{"kruh", "Pecivo"}));

        // Typing into the book list changes nothing; choosing from it names the book's file.
        typeInto(w->cboskladiste, QStringLiteral("B"));
        QCOMPARE(w->cboskladiste->currentIndex(), -1);
        chooseEntry(w->cboskladiste, QStringLiteral("Bijelo"));
        QCOMPARE(AppState::bazaskladista, QStringLiteral("Skladiste%1.mdb").arg(third));
        QCOMPARE(w->Cbosifra->count(), 0);
        QVERIFY(!w->cmdpretraga->isEnabled());
        // A registered book whose file is not there has no articles; reading it makes no file.
        chooseEntry(w->cboskladiste, QStringLiteral("Bez datoteke"));
        QCOMPARE(w->Cbosifra->count(), 0);
        QVERIFY(!QFileInfo::exists(book.warehousePath(missing)));

        // F1 twice: the controls are back under the working caption.
        QTest::keyClick(w->txtsifra, Qt::Key_F1);
        QVERIFY(w->txtpomoc->isVisible() && !w->frameartikli->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("F1 vrati se u mod unosa!"));
        QTest::keyClick(w->txtpomoc, Qt::Key_F1);
        QVERIFY(!w->txtpomoc->isVisible() && w->frameartikli->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Unos novog proizvoda    Pomoć  F1"));

        // Nothing pending: Esc closes without a question and switches "Izbor" and "Pomoć" on.
        book.setMenus(false);
        QTest::keyClick(w->txtsifra, Qt::Key_Escape);
        QTRY_VERIFY(!w);
        QVERIFY(book.izborEnabled() && book.pomocEnabled());
        QCOMPARE(boxes.calls().size(), 0);
    }

    void theMainMenuOpensItAndClosingGivesTheMenusBack()
    {
        ProductionBook book;
        seedArticles(book);
        MsgBoxScript boxes;
        QVERIFY(frmSkladiste::openBook(QStringLiteral("Proizvodnja kruha")));
        frmSkladiste* main = frmSkladiste::loaded();
        knjtest::triggerAction(main, QStringLiteral("mnuproizvodi"));
        QPointer<frmproizvodi> w = frmproizvodi::loaded();
        QVERIFY(w);
        QVERIFY(qobject_cast<QMdiSubWindow*>(w->parentWidget()));
        QVERIFY(!main->mnuizbor->menuAction()->isEnabled());
        QVERIFY(main->mnupomoc->menuAction()->isEnabled());
        // The menu bar claims the Alt+letter of its hidden menus too: none may take a button's ("Is&pis na pisač").
        for (const QAction* menu : main->menuBar()->actions())
            for (const QPushButton* button : w->findChildren<QPushButton*>())
                QVERIFY2(QKeySequence::mnemonic(menu->text()).isEmpty() ||
                             QKeySequence::mnemonic(menu->text()) != QKeySequence::mnemonic(button->text()),
                         qPrintable(menu->text()));
        addLine(w, "Veliko skladište", "BR", "1");

        // The main window closing asks the window's question; Cancel keeps both open and "Izbor" off.
        boxes.answer(MsgCancel);
        main->close();
        QCOMPARE(boxes.last().title, QStringLiteral("Posprema u skladište"));
        QVERIFY(w && main->isVisible());
        QVERIFY(!main->mnuizbor->menuAction()->isEnabled());
        // The article picker goes with the window it serves.
        chooseEntry(w->cboskladiste, QStringLiteral("Veliko skladište"));
        w->cmdpretraga->click();
        QVERIFY(frmartikliizbor::isLoaded());
        boxes.answer(MsgNo);
        closeWindow(w);
        QTRY_VERIFY(!w);
        QTRY_VERIFY(!frmartikliizbor::isLoaded());
        QVERIFY(main->mnuizbor->menuAction()->isEnabled());
        QCOMPARE(book.scalar("select count(*) from proizvodi").toInt(), 0);
    }

    void choosingAnArticleShowsItsFreeQuantityAndPrice()
    {
        ProductionBook book;
        const Articles a = seedArticles(book);
        book.addArticle(book.bookVeliko, "AA", "Aroma", "3", "0");
        MsgBoxScript boxes;
        frmproizvodi* w = openWindow();
        chooseEntry(w->cboskladiste, QStringLiteral("Veliko skladište"));
        QCOMPARE(comboItems(w->cbonaziv), (QStringList{"Aroma", "Brašno", "Kvasac"}));
        QCOMPARE(comboItems(w->Cbosifra), (QStringList{"AA", "BR", "KV"}));
        QVERIFY(w->cmdpretraga->isEnabled());

        chooseEntry(w->cbonaziv, QStringLiteral("Kvasac"));
        QCOMPARE(w->Cbosifra->currentText(), QStringLiteral("KV"));
        QCOMPARE(w->lblartikl->text(), QString::number(a.kvasac));
        QCOMPARE(w->txtpokazkolicine->text(), QStringLiteral("10,00"));
        QCOMPARE(w->txtcijena->text(), QStringLiteral("12,5"));
        typeInto(w->txtkolicina, QStringLiteral("2,5"));
        w->cmddodaj->click();

        // The listed 2,50 counts against the same article of the same book only: article ids are per book.
        QCOMPARE(a.kvasac, qint64(2));
        chooseEntry(w->cboskladiste, QStringLiteral("Alati"));
        chooseEntry(w->Cbosifra, QStringLiteral("SK"));
        QCOMPARE(w->lblartikl->text(), QStringLiteral("2"));
        QCOMPARE(w->txtpokazkolicine->text(), QStringLiteral("2000,00"));
        QCOMPARE(w->txtcijena->text(), QStringLiteral("10000"));
        chooseEntry(w->cboskladiste, QStringLiteral("Veliko skladište"));
        chooseEntry(w->Cbosifra, QStringLiteral("KV"));
        QCOMPARE(w->txtpokazkolicine->text(), QStringLiteral("7,50"));

        // Another article after a quantity was typed leaves quantity and amount as they were.
        typeInto(w->txtkolicina, QStringLiteral("2"));
        QCOMPARE(w->txtiznos->text(), QStringLiteral("25,00"));
        chooseEntry(w->Cbosifra, QStringLiteral("BR"));
        QCOMPARE(w->txtkolicina->text(), QStringLiteral("2"));
        QCOMPARE(w->txtiznos->text(), QStringLiteral("25,00"));
        QCOMPARE(boxes.calls().size(), 0);

        // The article picker in its production mode hands its choice back: focus in the quantity box.
        w->cmdpretraga->click();
        frmartikliizbor* picker = frmartikliizbor::loaded();
        QVERIFY(picker);
        QCOMPARE(AppState::vrstadokumenta, QStringLiteral("proizvodnja"));
        picker->lsvsviartikli->selectionModel()->select(picker->lsvsviartikli->model()->index(1, 0),
                                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        picker->cmdodabir->click();
        QTRY_VERIFY(!frmartikliizbor::isLoaded());
        QCOMPARE(w->Cbosifra->currentText(), QStringLiteral("KV"));
        QCOMPARE(w->cbonaziv->currentText(), QStringLiteral("Kvasac"));
        QCOMPARE(w->txtpokazkolicine->text(), QStringLiteral("7,50"));
        QTRY_COMPARE(QApplication::focusWidget(), w->txtkolicina);
    }

    void addingRefusesInOrder()
    {
        ProductionBook book;
        seedArticles(book);
        book.addArticle(book.bookAlati, "NU", "Besplatno", "10", "0");
        book.addArticle(book.bookAlati, "VP", "Velika preša", "10", "1234567,5");
        MsgBoxScript boxes;
        frmproizvodi* w = openWindow();

        // No book chosen: only the focus moves.
        w->txtcijena->setText(QStringLiteral("1"));
        w->txtkolicina->setText(QStringLiteral("1"));
        QVERIFY(w->cmddodaj->isEnabled());
        w->cmddodaj->click();
        QCOMPARE(boxes.calls().size(), 0);
        QCOMPARE(QApplication::focusWidget(), w->cboskladiste);

        // A quantity equal to the free quantity passes; the same article again from the same book does not.
        addLine(w, "Alati", "BR", "5");
        QCOMPARE(w->lsvproizvodi->topLevelItemCount(), 1);
        QCOMPARE(w->txtpokazkolicine->text(), QString());
        QCOMPARE(QApplication::focusWidget(), w->cboskladiste);
        QVERIFY(!w->cmdpretraga->isEnabled() && !w->cmddodaj->isEnabled() && w->cmdbrisi->isEnabled());
        addLine(w, "Alati", "BR", "1");
        QCOMPARE(boxes.last().title, QStringLiteral("Nepravilan unos!"));
        QCOMPARE(boxes.last().prompt, QStringLiteral("Ne može se unijeti dva puta isti proizvod iz istog skladišta"));
        QCOMPARE(QApplication::focusWidget(), w->cboskladiste);

        // More than is free.
        addLine(w, "Veliko skladište", "KV", "10,01");
        QCOMPARE(boxes.last().prompt, QStringLiteral("Na skladištu nema toliko!"));
        QCOMPARE(QApplication::focusWidget(), w->txtkolicina);
        QCOMPARE(w->txtkolicina->selectedText(), QStringLiteral("10,01"));

        // A zero quantity, then a zero price, are reset in their own box.
        w->txtkolicina->setText(QStringLiteral("0"));
        w->cmddodaj->click();
        QCOMPARE(boxes.last().prompt, QStringLiteral("Niste unijeli količinu ili na skladištu  je stanje nula!!"));
        QCOMPARE(boxes.last().title, QStringLiteral("Nema količine"));
        QCOMPARE(w->txtkolicina->text(), QStringLiteral("0,00"));
        addLine(w, "Alati", "NU", "3");
        QCOMPARE(boxes.last().title, QStringLiteral("Nema količine"));
        QCOMPARE(w->txtcijena->text(), QStringLiteral("0,00"));
        QCOMPARE(QApplication::focusWidget(), w->txtcijena);

        // An article of the book chosen before is no line of the book chosen now.
        chooseEntry(w->cboskladiste, QStringLiteral("Veliko skladište"));
        chooseEntry(w->Cbosifra, QStringLiteral("KV"));
        chooseEntry(w->cboskladiste, QStringLiteral("Alati"));
        w->txtkolicina->setText(QStringLiteral("1"));
        w->cmddodaj->click();
        QCOMPARE(boxes.last().prompt, QStringLiteral("Nije unešena šifra ili naziv ili skladiste!"));
        QCOMPARE(boxes.last().title, QStringLiteral("Unos nepotpun!"));
        QCOMPARE(w->lsvproizvodi->topLevelItemCount(), 1);

        // The amount limit: 1000 × 10000 is over it, 999,9999 × 10000 is not.
        chooseEntry(w->Cbosifra, QStringLiteral("SK"));
        w->txtkolicina->setText(QStringLiteral("1000"));
        QCOMPARE(boxes.last().title, QStringLiteral("Prevelik unos!"));
        QCOMPARE(boxes.last().prompt,
                 QStringLiteral("Iznos ne smije prijeći 9 999 999 zbog bolje kontrole skladišta!"));
        QCOMPARE(w->txtkolicina->text(), QStringLiteral("0,00"));
        QCOMPARE(w->txtiznos->text(), QStringLiteral("0,00"));
        const int before = int(boxes.calls().size());
        w->txtkolicina->setText(QStringLiteral("999,9999"));
        QCOMPARE(int(boxes.calls().size()), before);
        QCOMPARE(w->txtiznos->text(), QStringLiteral("9999999,00"));

        // The price and the product's price are shown whole, however long.
        chooseEntry(w->Cbosifra, QStringLiteral("VP"));
        QCOMPARE(w->txtcijena->text(), QStringLiteral("1234567,5"));
        addLine(w, "Alati", "VP", "7");
        addLine(w, "Alati", "SK", "900");
        QCOMPARE(column(w->lsvproizvodi, frmproizvodi::ColCijena), (QStringList{"3", "1234567,5", "10000"}));
        QCOMPARE(w->txtcijenaproizvoda->text(), QStringLiteral("17641987,50"));
    }

    void removingLinesKeepsThePriceAndRecordsTheRemovedLine()
    {
        ProductionBook book;
        seedArticles(book);
        MsgBoxScript boxes;
        frmproizvodi* w = openWindow();
        addLine(w, "Veliko skladište", "BR", "2,5");
        addLine(w, "Alati", "BR", "1,1133");
        QCOMPARE(column(w->lsvproizvodi, frmproizvodi::ColIznos), (QStringList{"3,50", "3,33"}));
        QCOMPARE(w->txtcijenaproizvoda->text(), QStringLiteral("6,83"));
        QVERIFY(w->cmdprihvati->isEnabled());

        selectComponent(w, 0);
        boxes.answer(MsgNo);
        w->cmdbrisi->click();
        QCOMPARE(w->lsvproizvodi->topLevelItemCount(), 2);
        boxes.answer(MsgYes);
        w->cmdbrisi->click();
        QCOMPARE(boxes.last().prompt, QStringLiteral("Želite obrisati označeni unos na listi desno? "));
        QCOMPARE(boxes.last().style, 36);
        QCOMPARE(w->txtcijenaproizvoda->text(), QStringLiteral("3,33"));
        QCOMPARE(w->lstbrisanje(), QStringList{"0"});
        boxes.answer(MsgYes);
        w->cmdbrisi->click();
        QCOMPARE(w->txtcijenaproizvoda->text(), QStringLiteral("0,00"));
        QVERIFY(!w->cmdbrisi->isEnabled() && !w->cmdprihvati->isEnabled() && !w->cmddodaj->isEnabled());
    }

    void aProductFromTwoBooksIsStoredReloadedChangedPrintedAndDeleted()
    {
        ProductionBook book;
        const Articles a = seedArticles(book);
        MsgBoxScript boxes;
        knjtest::PrintRecorder printer(ProgramFolder::filePath("bom.pdf"));
        frmproizvodi* w = openWindow();

        fillHeader(w, "K-1", "Kruh 'Domaći'", "kom ");
        addLine(w, "Veliko skladište", "BR", "2,5");
        addLine(w, "Veliko skladište", "KV", "0,05");
        addLine(w, "Alati", "BR", "1");
        QCOMPARE(w->txtcijenaproizvoda->text(), QStringLiteral("7,13"));
        boxes.answer(MsgYes).answer(MsgOk);
        w->cmdprihvati->click();
        QCOMPARE(boxes.calls().at(0).prompt, QStringLiteral("Unosimo proizvod u bazu proizvoda?"));
        QCOMPARE(boxes.last().prompt, QStringLiteral("Unos proizvoda je uspješno izveden!"));
        QCOMPARE(boxes.last().title, QStringLiteral("Uspješno unošenje"));
        const qint64 id = book.scalar("select id from proizvodi").toLongLong();
        const QString pid = QString::number(id);
        QCOMPARE(book.rows("select sifra, naziv, barkod, jedmjere from proizvodi"),
                 QStringList{"K-1|Kruh 'Domaći'||kom"});
        const QString veliko = QString::number(book.bookVeliko);
        const QString alati = QString::number(book.bookAlati);
        QCOMPARE(book.rows("select idartikla, idproizvoda, idskladista, kolicina, cijena from sastojci order by id"),
                 (QStringList{QString::number(a.brasno) + "|" + pid + "|" + veliko + "|2,5|1,4",
                              QString::number(a.kvasac) + "|" + pid + "|" + veliko + "|0,05|12,5",
                              QString::number(a.kalup) + "|" + pid + "|" + alati + "|1|3"}));
        QCOMPARE(w->lsvproizvodi->topLevelItemCount(), 0);
        QCOMPARE(w->txtcijenaproizvoda->text(), QStringLiteral("0,00"));
        QVERIFY(!w->cmdprihvati->isEnabled());
        QCOMPARE(column(w->lsvsviproizvodi, frmproizvodi::PColNaziv), QStringList{"Kruh 'Domaći'"});

        // Outside edit mode printing asks nothing.
        boxes.clear();
        w->cmdispis->click();
        QCOMPARE(boxes.calls().size(), 0);

        // Reload: each line from its own book, cells in the money column form.
        clickProduct(w, "Kruh 'Domaći'");
        QVERIFY(w->cmdeditiraj->isEnabled());
        w->cmdeditiraj->click();
        QCOMPARE(boxes.calls().size(), 0);
        QVERIFY(inEditMode(w));
        QCOMPARE(w->txtsifra->text(), QStringLiteral("K-1"));
        QCOMPARE(w->txtjedmjere->text(), QStringLiteral("kom"));
        QCOMPARE(w->lsvproizvodi->topLevelItem(0)->text(frmproizvodi::ColKolicina), QStringLiteral("        2,50"));
        QCOMPARE(visibleRow(w->lsvproizvodi, 1), QStringLiteral("Veliko skladište|KV|Kvasac|0,05|12,50|0,63"));
        QCOMPARE(visibleRow(w->lsvproizvodi, 2), QStringLiteral("Alati|BR|Kalup|1,00|3,00|3,00"));
        QCOMPARE(w->txtcijenaproizvoda->text(), QStringLiteral("7,13"));
        QCOMPARE(w->cmdizmjena->text(), QStringLiteral("I&zmjena: Kruh 'Domaći'"));
        QCOMPARE(w->cmdne->text(), QStringLiteral("&Odustani od izmjene: Kruh 'Domaći'"));
        QCOMPARE(w->cmdbrisiproizvod->text(), QStringLiteral("B&risi: Kruh 'Domaći'"));
        QCOMPARE(QApplication::focusWidget(), w->txtsifra);

        // Change: remove the flour, add it again with another quantity, keep the rest; rename.
        const qint64 flourLine = book.scalar("select min(id) from sastojci").toLongLong();
        selectComponent(w, 0);
        boxes.answer(MsgYes);
        w->cmdbrisi->click();
        QCOMPARE(w->lstbrisanje(), QStringList{QString::number(flourLine)});
        addLine(w, "Veliko skladište", "BR", "3");
        QVERIFY(!w->cmdprihvati->isEnabled());
        w->txtnaziv->setText(QStringLiteral("Kruh domaći"));
        boxes.clear();
        boxes.answer(MsgYes).answer(MsgOk);
        w->cmdizmjena->click();
        QCOMPARE(boxes.calls().at(0).prompt, QStringLiteral("Mijenjamo osobine proizvoda?Kruh 'Domaći'"));
        QCOMPARE(boxes.last().prompt, QStringLiteral("Promjena je uspješno obavljena!"));
        QCOMPARE(boxes.last().style, 64);
        QCOMPARE(book.rows("select naziv from proizvodi"), QStringList{"Kruh domaći"});
        QCOMPARE(book.rows("select idartikla, idskladista, kolicina from sastojci order by id"),
                 (QStringList{QString::number(a.kvasac) + "|" + veliko + "|0,05",
                              QString::number(a.kalup) + "|" + alati + "|1",
                              QString::number(a.brasno) + "|" + veliko + "|3"}));
        QVERIFY(!w->cmdne->isEnabled() && !w->cmdeditiraj->isEnabled());
        QCOMPARE(w->cmdizmjena->text(), QStringLiteral("I&zmjena"));
        QCOMPARE(w->lsvproizvodi->topLevelItemCount(), 0);

        // Print the reloaded product (a double click loads it).
        clickProduct(w, "Kruh domaći");
        emit w->lsvsviproizvodi->itemDoubleClicked(w->lsvsviproizvodi->topLevelItem(0), 0);
        QVERIFY(inEditMode(w));
        boxes.clear();
        boxes.answer(MsgYes);
        w->cmdispis->click();
        QCOMPARE(boxes.calls().size(), 1);
        QCOMPARE(boxes.last().prompt, QStringLiteral("Ispis proizvoda: Kruh domaći na pisač?"));
        QCOMPARE(boxes.last().title, QStringLiteral("Ispis!"));
        QCOMPARE(printer.jobs(), 1);
        const QString printed = printer.lines().join('\n');
        QVERIFY(printed.contains("Ispis podataka za proizvod: Kruh domaći na dan: " +
                                 QDate::currentDate().toString("dd.MM.yyyy")));
        QVERIFY(printed.contains("Alati            BR         Kalup                          1,00     3,00      3,00"));

        // Delete it.
        boxes.clear();
        boxes.answer(MsgYes).answer(MsgOk);
        w->cmdbrisiproizvod->click();
        QCOMPARE(boxes.calls().at(0).prompt, QStringLiteral("Želite brisati cijeli proizvod! Kruh domaći\r\nBudite "
                                                            "pažljivi!"));
        QCOMPARE(boxes.calls().at(0).style, 276);
        QCOMPARE(boxes.last().prompt, QStringLiteral("Proizvod: !Kruh domaći je nepovratno obrisan!"));
        QCOMPARE(book.scalar("select count(*) from proizvodi").toInt(), 0);
        QCOMPARE(book.scalar("select count(*) from sastojci").toInt(), 0);
        QCOMPARE(w->lsvsviproizvodi->topLevelItemCount(), 0);
        QVERIFY(!w->cmdbrisiproizvod->isEnabled());
    }

    void storingRefusesAndKeepsTheList()
    {
        ProductionBook book;
        seedArticles(book);
        Products::insert(book.path(), Product{0, "K-1", "", "Kruh", "kom"}, {});
        MsgBoxScript boxes;
        frmproizvodi* w = openWindow();
        addLine(w, "Veliko skladište", "BR", "1");

        fillHeader(w, "P-1", "Pecivo", QString());
        w->cmdprihvati->click();
        QCOMPARE(boxes.last().prompt, QStringLiteral("Nije unešen naziv,sifra ili jedinica mjere!"));
        QCOMPARE(boxes.last().title, QStringLiteral("Unos nepotpun"));

        w->txtjedmjere->setText(QStringLiteral("kom"));
        boxes.answer(MsgNo);
        w->cmdprihvati->click();
        QCOMPARE(boxes.last().title, QStringLiteral("Unošenje"));

        w->txtsifra->setText(QStringLiteral("K-1 "));
        boxes.answer(MsgYes);
        w->cmdprihvati->click();
        QCOMPARE(boxes.last().prompt,
                 QStringLiteral("Šifra proizvoda već postoji u bazi podataka!\r\nNe mogu biti dvije jednake šifre!"));
        QCOMPARE(boxes.last().title, QStringLiteral("Pogrešan unos šifre!"));
        QCOMPARE(QApplication::focusWidget(), w->txtsifra);
        QCOMPARE(w->txtsifra->selectedText(), QStringLiteral("K-1 "));

        // A write that fails half way stores nothing and says why; the window keeps everything.
        w->txtsifra->setText(QStringLiteral("P-1"));
        book.exec("create trigger kvar before insert on sastojci begin select raise(abort, 'disk je pun'); end");
        boxes.clear();
        boxes.answer(MsgYes);
        w->cmdprihvati->click();
        QCOMPARE(boxes.calls().size(), 2);
        QCOMPARE(boxes.last().prompt, QStringLiteral("disk je pun"));
        QCOMPARE(boxes.last().style, 0);
        QCOMPARE(book.scalar("select count(*) from proizvodi").toInt(), 1);
        QCOMPARE(w->lsvproizvodi->topLevelItemCount(), 1);
        QVERIFY(w->cmdprihvati->isEnabled());
        QCOMPARE(w->txtnaziv->text(), QStringLiteral("Pecivo"));
    }

    void closingWithAPendingProductAsksFirst()
    {
        ProductionBook book;
        seedArticles(book);
        MsgBoxScript boxes;
        QPointer<frmproizvodi> w = openWindow();
        fillHeader(w, "P-1", "Pecivo", "kom");
        addLine(w, "Veliko skladište", "BR", "1");

        boxes.answer(MsgCancel);
        w->cmdodustani->click();
        QVERIFY(w && w->isVisible());
        QCOMPARE(boxes.last().prompt, QStringLiteral("Želite li unijeti proizvod u bazu proizvoda?"));
        QCOMPARE(boxes.last().title, QStringLiteral("Posprema u skladište"));
        QCOMPARE(boxes.last().style, 35);
        QVERIFY(!book.izborEnabled());

        // Yes, then No to the store's own question: still open with the list.
        boxes.answer(MsgYes).answer(MsgNo);
        w->cmdodustani->click();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->lsvproizvodi->topLevelItemCount(), 1);
        QVERIFY(!book.izborEnabled());

        // Yes twice: stored, then closed.
        boxes.answer(MsgYes).answer(MsgYes).answer(MsgOk);
        w->cmdodustani->click();
        QTRY_VERIFY(!w);
        QCOMPARE(book.scalar("select count(*) from sastojci").toInt(), 1);
        QVERIFY(book.izborEnabled() && book.pomocEnabled());

        // In edit mode nothing is asked.
        w = openWindow();
        clickProduct(w, "Pecivo");
        w->cmdeditiraj->click();
        addLine(w, "Alati", "BR", "1");
        boxes.clear();
        w->cmdodustani->click();
        QTRY_VERIFY(!w);
        QCOMPARE(boxes.calls().size(), 0);
        QCOMPARE(book.scalar("select count(*) from sastojci").toInt(), 1);
    }

    void longNamesAndBarCodesShowWhole()
    {
        ProductionBook book;
        seedArticles(book);
        const QString name = QStringLiteral("Kruh & pecivo polubijelo 700 g");
        const QString barCode = QStringLiteral("3850123456789");
        QCOMPARE(name.size(), 30);
        Products::insert(book.path(), Product{0, "K-1", barCode, name, "kom"}, {});
        const QString articleName = QStringLiteral("Armaturna mreža Q-188 6x2,15 m");
        QCOMPARE(articleName.size(), 30);
        book.addArticle(book.bookVeliko, "AM", articleName, "1", "1");
        for (int n = 1; n <= 24; ++n)
            book.addArticle(book.bookVeliko, QStringLiteral("V%1").arg(n), QStringLiteral("Vijak %1").arg(n), "1", "1");
        frmproizvodi* w = openWindow();
        const QFontMetrics listMetrics(w->lsvsviproizvodi->font());
        // A cell keeps a few pixels beside its text.
        QVERIFY(w->lsvsviproizvodi->columnWidth(frmproizvodi::PColBarkod) - 6 > listMetrics.horizontalAdvance(barCode));
        QVERIFY(w->lsvsviproizvodi->columnWidth(frmproizvodi::PColNaziv) - 6 > listMetrics.horizontalAdvance(name));

        // The article names' list, wider open than its box, shows a long name whole beside its scroll bar (a row
        // keeps a few pixels beside its text); both article lists have rows of one height.
        chooseEntry(w->cboskladiste, QStringLiteral("Veliko skladište"));
        w->cbonaziv->setFocus();
        QTest::keyClick(w->cbonaziv, Qt::Key_F4);
        QAbstractItemView* names = w->cbonaziv->view();
        QTRY_VERIFY(names->isVisible());
        QVERIFY(names->verticalScrollBar()->isVisible());
        QVERIFY(names->viewport()->width() - 6 >= names->fontMetrics().horizontalAdvance(articleName));
        QVERIFY(hasUniformRows(w->cbonaziv));
        QVERIFY(hasUniformRows(w->Cbosifra));
        w->cbonaziv->hidePopup();

        // In edit mode each button keeps its action and Alt letter in sight; the tooltip has the whole caption.
        clickProduct(w, name);
        w->cmdeditiraj->click();
        QVERIFY(inEditMode(w));
        const QList<std::pair<QPushButton*, QString>> buttons{
            {w->cmdizmjena, "Izmjena: "}, {w->cmdne, "Odustani od izmjene: "}, {w->cmdbrisiproizvod, "Brisi: "}};
        for (const auto& [button, action] : buttons) {
            QString shown = button->text();
            shown.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
            QVERIFY2(shown.startsWith(action + name.left(6)), qPrintable(shown));
            QVERIFY2(QFontMetrics(button->font()).horizontalAdvance(shown) <= button->width() - 6, qPrintable(shown));
            QCOMPARE(button->toolTip(), action + name);
        }
        QCOMPARE(QKeySequence::mnemonic(w->cmdizmjena->text()), QKeySequence(Qt::ALT | Qt::Key_Z));
        QCOMPARE(QKeySequence::mnemonic(w->cmdbrisiproizvod->text()), QKeySequence(Qt::ALT | Qt::Key_R));
    }

    void editingAsksOnlyOverAPendingProduct()
    {
        ProductionBook book;
        seedArticles(book);
        Products::insert(book.path(), Product{0, "K-1", "", "Kruh", "kom"}, {});
        Products::insert(book.path(), Product{0, "B-1", "", "Burek", "kom"}, {});
        MsgBoxScript boxes;
        frmproizvodi* w = openWindow();
        fillHeader(w, "P-1", "Pecivo", "kom");
        addLine(w, "Veliko skladište", "BR", "1");
        clickProduct(w, "Kruh");
        boxes.answer(MsgNo);
        w->cmdeditiraj->click();
        QCOMPARE(boxes.last().prompt, QStringLiteral("Želite editirati proizvod: Kruh"));
        QCOMPARE(boxes.last().title, QStringLiteral("Editiranje proizvoda!"));
        QCOMPARE(w->lsvproizvodi->topLevelItemCount(), 1);
        QCOMPARE(w->txtnaziv->text(), QStringLiteral("Pecivo"));

        // Yes loads it; a product without lines still enters edit mode, and saving it empty is refused.
        boxes.answer(MsgYes);
        w->cmdeditiraj->click();
        QVERIFY(inEditMode(w));
        QCOMPARE(w->lsvproizvodi->topLevelItemCount(), 0);
        w->cmdizmjena->click();
        QCOMPARE(boxes.last().prompt,
                 QStringLiteral("Na listu desno unesite bar jedan artikl ili kliknite na odustani od izmjene!"));
        QVERIFY(inEditMode(w));
        // Sorting the list keeps edit mode, also when the chosen row moves from the top; choosing another row
        // leaves its buttons off while the data stay.
        emit w->lsvsviproizvodi->header()->sectionClicked(frmproizvodi::PColNaziv);
        emit w->lsvsviproizvodi->header()->sectionClicked(frmproizvodi::PColNaziv);
        QCOMPARE(column(w->lsvsviproizvodi, frmproizvodi::PColNaziv), (QStringList{"Kruh", "Burek"}));
        emit w->lsvsviproizvodi->header()->sectionClicked(frmproizvodi::PColNaziv);
        QCOMPARE(column(w->lsvsviproizvodi, frmproizvodi::PColNaziv), (QStringList{"Burek", "Kruh"}));
        QVERIFY(inEditMode(w));
        clickProduct(w, "Kruh");
        QVERIFY(!w->cmdne->isEnabled() && w->cmdeditiraj->isEnabled());
        QCOMPARE(w->txtnaziv->text(), QStringLiteral("Kruh"));
    }

    void changesAreRefusedOrRolledBackAsAWhole()
    {
        ProductionBook book;
        const Articles a = seedArticles(book);
        Products::insert(book.path(), Product{0, "K-1", "385", "Kruh", "kom"},
                         {Component{0, a.brasno, book.bookVeliko, Figure::fromInt(1), Figure::fromInt(1)}});
        Products::insert(book.path(), Product{0, "P-1", "", "Pecivo", "kom"},
                         {Component{0, a.kalup, book.bookAlati, Figure::fromInt(2), Figure::fromInt(3)}});
        const QStringList products = book.rows("select * from proizvodi order by id");
        const QStringList lines = book.rows("select * from sastojci order by id");
        MsgBoxScript boxes;
        frmproizvodi* w = openWindow();
        clickProduct(w, "Pecivo");
        w->cmdeditiraj->click();

        // Another product's bar code, typed with blanks.
        w->txtbarkod->setText(QStringLiteral(" 385 "));
        boxes.answer(MsgYes);
        w->cmdizmjena->click();
        QCOMPARE(
            boxes.last().prompt,
            QStringLiteral("Barkod proizvoda već postoji u bazi podataka!\r\nNe mogu se unijeti dva ista barkoda!"));
        QCOMPARE(QApplication::focusWidget(), w->txtbarkod);
        QVERIFY(inEditMode(w));

        // A deletion that fails undoes the update and the insert before it.
        w->txtbarkod->clear();
        w->txtnaziv->setText(QStringLiteral("Pecivo novo"));
        selectComponent(w, 0);
        boxes.answer(MsgYes);
        w->cmdbrisi->click();
        addLine(w, "Veliko skladište", "KV", "1");
        book.exec("create trigger kvar before delete on sastojci begin select raise(abort, 'zaključano'); end");
        boxes.clear();
        boxes.answer(MsgYes);
        w->cmdizmjena->click();
        QCOMPARE(boxes.calls().size(), 2);
        QCOMPARE(boxes.last().prompt, QStringLiteral("zaključano"));
        QCOMPARE(book.rows("select * from proizvodi order by id"), products);
        QCOMPARE(book.rows("select * from sastojci order by id"), lines);
        QVERIFY(inEditMode(w));
        QCOMPARE(w->lstbrisanje().size(), 1);
        QCOMPARE(w->lsvproizvodi->topLevelItemCount(), 1);
    }

    void linesOfGoneBooksAndArticlesLoadAsPlaceholders()
    {
        ProductionBook book;
        const Articles a = seedArticles(book);
        const qint64 closed = book.addWarehouse(0, QStringLiteral("Zatvoreno"));
        const qint64 mould = book.addArticle(closed, "M", "Kalup", "1", "1");
        const qint64 id = Products::insert(
            book.path(), Product{0, "K-1", "", "Kruh", "kom"},
            {Component{0, mould, closed, Figure::fromInt(1), Figure::fromInt(2)},
             Component{0, 99, book.bookVeliko, Figure::fromInt(1), Figure::fromInt(1)},
             Component{0, a.kvasac, book.bookVeliko, Figure::fromCents(250), *Figure::parse("3,337")}});
        QVERIFY(Registry::deleteBook(closed));
        MsgBoxScript boxes;
        frmproizvodi* w = openWindow();
        clickProduct(w, "Kruh");
        w->cmdeditiraj->click();
        QVERIFY(inEditMode(w));
        QCOMPARE(visibleRow(w->lsvproizvodi, 0),
                 QStringLiteral("Nepoznato skladište|?|Nepoznat artikl|1,00|2,00|2,00"));
        QCOMPARE(visibleRow(w->lsvproizvodi, 1), QStringLiteral("Veliko skladište|?|Nepoznat artikl|1,00|1,00|1,00"));
        QCOMPARE(visibleRow(w->lsvproizvodi, 2), QStringLiteral("Veliko skladište|KV|Kvasac|2,50|3,34|8,35"));
        QCOMPARE(w->txtcijenaproizvoda->text(), QStringLiteral("11,35"));

        // Removing a placeholder and saving deletes its line.
        selectComponent(w, 0);
        boxes.answer(MsgYes).answer(MsgYes).answer(MsgOk);
        w->cmdbrisi->click();
        w->cmdizmjena->click();
        QCOMPARE(book.scalar("select count(*) from sastojci where idproizvoda = ?", {QString::number(id)}).toInt(), 2);
        QCOMPARE(boxes.unanswered(), 0);
    }

    void aProductInAWorkOrderIsNotDeleted()
    {
        ProductionBook book;
        const Articles a = seedArticles(book);
        QList<qint64> ids;
        for (int i = 1; i <= 11; ++i)
            ids.append(
                Products::insert(book.path(), Product{0, QString::number(i), "", "P" + QString::number(i), "kom"},
                                 {Component{0, a.brasno, book.bookVeliko, Figure::fromInt(1), Figure::fromInt(1)}}));
        book.exec("insert into radninalozi(brojrn, idproizvoda) values(1, '11')");
        MsgBoxScript boxes;
        frmproizvodi* w = openWindow();
        clickProduct(w, "P11");
        w->cmdeditiraj->click();
        w->cmdbrisiproizvod->click();
        QCOMPARE(boxes.calls().size(), 1);
        QCOMPARE(boxes.last().prompt, QStringLiteral("Proizvod: P11 je u tablici radnih naloga i ne može se brisati!"));
        QCOMPARE(boxes.last().style, 16);
        QCOMPARE(boxes.last().title, QStringLiteral("Brisanje onemogućeno!"));
        QVERIFY(inEditMode(w));

        // Product 1 goes with its line; No first changes nothing.
        clickProduct(w, "P1");
        w->cmdeditiraj->click();
        boxes.answer(MsgNo);
        w->cmdbrisiproizvod->click();
        QCOMPARE(book.scalar("select count(*) from proizvodi").toInt(), 11);
        QVERIFY(inEditMode(w));
        boxes.answer(MsgYes).answer(MsgOk);
        w->cmdbrisiproizvod->click();
        QCOMPARE(book.scalar("select count(*) from proizvodi").toInt(), 10);
        QCOMPARE(book.rows("select idproizvoda from sastojci where idproizvoda in ('1', '11')"), QStringList{"11"});
        QCOMPARE(column(w->lsvsviproizvodi, frmproizvodi::PColNaziv).first(), QStringLiteral("P10"));

        // Another copy of the program issues an order for P2 while the question is open: P2 stays.
        clickProduct(w, "P2");
        w->cmdeditiraj->click();
        QStringList prompts;
        MsgBoxHook::setAnswerer([&](const MsgRequest& box) {
            prompts << box.prompt;
            if (box.style == 276)
                book.exec("insert into radninalozi(brojrn, idproizvoda) values(2, '2')");
            return int(MsgYes);
        });
        w->cmdbrisiproizvod->click();
        QCOMPARE(prompts.last(), QStringLiteral("Proizvod: P2 je u tablici radnih naloga i ne može se brisati!"));
        QCOMPARE(book.scalar("select count(*) from proizvodi where naziv = 'P2'").toInt(), 1);
    }
};

KNJ_REGISTER_TEST(ProductsWindowTest)
#include "tst_productswindow.moc"
