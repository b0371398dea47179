#include "common/reportpane.h"
#include "core/db/database.h"
#include "core/text/datetext.h"
#include "productionbooks.h"
#include "support/testmain.h"
#include "workorders/frmrn.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>

using knjtest::MsgBoxScript;
using wotest::ProductionBooks;

namespace {

frmrn* openWindow()
{
    frmrn* w = frmrn::openFromMenu();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w))
        qWarning("work-orders window not active");
    return w;
}

void chooseProduct(frmrn* w, const QString& name)
{
    knjtest::chooseEntry(w->cboproizvod, name);
}

// Enters the box, replaces its text by typing, and leaves it with Tab.
void typeAndLeave(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    knjtest::typeText(box, text);
    QTest::keyClick(box, Qt::Key_Tab);
}

QStringList rowTexts(const QTreeWidget* list, int row, int columns)
{
    QStringList cells;
    for (int c = 0; c < columns; ++c)
        cells.append(list->topLevelItem(row)->text(c));
    return cells;
}

void selectOrder(frmrn* w, int row)
{
    QTreeWidgetItem* item = w->lsvsviartikli->topLevelItem(row);
    w->lsvsviartikli->setCurrentItem(item);
    QTest::mouseClick(w->lsvsviartikli->viewport(), Qt::LeftButton, {},
                      w->lsvsviartikli->visualItemRect(item).center());
}

const QRegularExpression OrderRow(QStringLiteral("^radninalozi\\|"));
const QString IssueQuestion = QStringLiteral("Izdavanje radnog naloga i kreiranje pripadajućih izdatnica?");

// Three warehouse books; book A already holds two issue notes. "Stol" needs four lines from the three books.
struct Workshop
{
    ProductionBooks books{3};
    qint64 daska = 0, vijak = 0, lim = 0, boja = 0, product = 0, polica = 0;
    Workshop()
    {
        books.addIssueHeaders(0, QStringLiteral("I"), 2);
        daska = books.addArticle(0, QStringLiteral("Daska"), QStringLiteral("20"), QStringLiteral("3"));
        vijak = books.addArticle(0, QStringLiteral("Vijak"), QStringLiteral("100"), QStringLiteral("0,25"));
        lim = books.addArticle(1, QStringLiteral("Lim"), QStringLiteral("4"), QStringLiteral("10"));
        boja = books.addArticle(2, QStringLiteral("Boja"), QStringLiteral("3"), QStringLiteral("4,4"));
        product = books.addProduct(QStringLiteral("Stol"), {{0, daska, QStringLiteral("2"), QStringLiteral("3")},
                                                            {1, lim, QStringLiteral("1,5"), QStringLiteral("10")},
                                                            {2, boja, QStringLiteral("0,5"), QStringLiteral("4")},
                                                            {0, vijak, QStringLiteral("8"), QStringLiteral("0,25")}});
        polica = books.addProduct(QStringLiteral("Polica"), {{0, daska, QStringLiteral("1,5"), QStringLiteral("3,2")}});
    }
};

// Chooses the product, sets the quantity and issues the order, answering the question with Yes.
void issueThroughWindow(frmrn* w, const QString& product, const QString& quantity, MsgBoxScript& script)
{
    chooseProduct(w, product);
    typeAndLeave(w->txtkolicina, quantity);
    script.answer(MsgYes).answer(MsgOk);
    w->cmdprihvati->click();
}

} // namespace

class WorkOrderWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void newBookProposesTheFirstOrder()
    {
        ProductionBooks books(1);
        frmrn* w = openWindow();
        QVERIFY(!books.menusEnabled());
        QCOMPARE(w->windowTitle(), frmrn::Caption);
        QCOMPARE(w->txtbr->text(), QStringLiteral("1"));
        QCOMPARE(w->txtkolicina->text(), QStringLiteral("1,00"));
        for (QLineEdit* box : {w->txtmat, w->txtrada, w->txtusluga, w->txt1, w->txt2, w->txt3, w->txtukupno})
            QCOMPARE(box->text(), QStringLiteral("0,00"));
        QCOMPARE(w->dtpotv->date(), QDate::currentDate());
        QCOMPARE(w->dtpzatv->date(), QDate::currentDate());
        QCOMPARE(w->cboproizvod->count(), 0);
        QCOMPARE(w->lsvsviartikli->topLevelItemCount(), 0);
        QVERIFY(!w->cmdprihvati->isEnabled() && !w->cmdeditiraj->isEnabled() && !w->cmdne->isEnabled());
        // Nothing prepared: closing asks nothing and gives the menus back.
        MsgBoxScript script;
        QTest::keyClick(w->txtkolicina, Qt::Key_Escape);
        QVERIFY(!frmrn::isLoaded() || !w->isVisible());
        QVERIFY(script.calls().isEmpty());
        QVERIFY(books.menusEnabled());
    }

    void aLongProductNameShowsWholeInTheOrderList()
    {
        ProductionBooks books(1);
        const QString name = QStringLiteral("Ormar HRASTOV dvokrilni 180 cm");
        QCOMPARE(name.size(), 30);
        const qint64 product = books.addProduct(name, {});
        books.exec(books.productionPath(),
                   "insert into radninalozi(brojrn, datumotv, datumzatv, idproizvoda, kolicinaproizvoda) "
                   "values(1, '2026-12-01', '2026-12-02', ?, 1)",
                   {QString::number(product)});
        frmrn* w = openWindow();
        QCOMPARE(w->lsvsviartikli->topLevelItem(0)->text(1), name);
        // A cell keeps a few pixels beside its text.
        QVERIFY(w->lsvsviartikli->columnWidth(1) - 6 > QFontMetrics(w->lsvsviartikli->font()).horizontalAdvance(name));
        QTest::keyClick(w->txtkolicina, Qt::Key_Escape);
    }

    void issuesIntoEveryWarehouseBook()
    {
        Workshop shop;
        ProductionBooks& books = shop.books;
        frmrn* w = openWindow();
        chooseProduct(w, QStringLiteral("Stol"));
        QCOMPARE(w->lsvartikli->topLevelItemCount(), 4);
        QCOMPARE(rowTexts(w->lsvartikli, 0, 5),
                 (QStringList{QStringLiteral("Skladište A"), QStringLiteral("3"), QStringLiteral("        6,00"),
                              QStringLiteral("        2,00"), QStringLiteral("20,00")}));
        QCOMPARE(rowTexts(w->lsvartikli, 2, 2), (QStringList{QStringLiteral("Skladište C"), QStringLiteral("1")}));
        QCOMPARE(w->txtmat->text(), QStringLiteral("25,00"));
        QVERIFY(w->cmdprihvati->isEnabled());

        MsgBoxScript script;
        typeAndLeave(w->txtrada, QStringLiteral("10"));
        typeAndLeave(w->txtkolicina, QStringLiteral("2"));
        QCOMPARE(w->txtmat->text(), QStringLiteral("50,00"));
        QCOMPARE(w->txtukupno->text(), QStringLiteral("60,00"));
        w->dtpotv->setDate(QDate(2024, 3, 1));
        w->dtpzatv->setDate(QDate(2024, 3, 5));
        script.answer(MsgYes).answer(MsgOk);
        w->cmdprihvati->click();
        QCOMPARE(script.calls().size(), 2);
        QCOMPARE(script.calls().at(0).prompt, IssueQuestion);
        QCOMPARE(script.calls().at(1).prompt, QStringLiteral("Radni nalog izdan!"));
        QCOMPARE(script.calls().at(1).title, QStringLiteral("Izdavanje radnog naloga!"));

        // One issue note per book with its proposed number, its own lines, partner "Proizvodnja".
        const QString heads = QStringLiteral("select group_concat(pi || brojpi || ':' || datumpi || ':' || idkd, ' ') "
                                             "from pi where id > ?");
        QCOMPARE(books.scalar(books.bookPath(0), heads, {2}).toString(), QStringLiteral("I3:2024-03-01:1"));
        QCOMPARE(books.scalar(books.bookPath(1), heads, {0}).toString(), QStringLiteral("I1:2024-03-01:1"));
        QCOMPARE(books.scalar(books.bookPath(2), heads, {0}).toString(), QStringLiteral("I1:2024-03-01:1"));
        const QString lines = QStringLiteral("select group_concat(idartikla || ':' || idpi || ':' || kolicina || ':' "
                                             "|| cijena, ' ') from ulazizlaz");
        QCOMPARE(books.scalar(books.bookPath(0), lines).toString(),
                 QStringLiteral("%1:3:4.0:3.0 %2:3:16.0:0.25").arg(shop.daska).arg(shop.vijak));
        QCOMPARE(books.scalar(books.bookPath(1), lines).toString(), QStringLiteral("%1:1:3.0:10.0").arg(shop.lim));
        QCOMPARE(books.scalar(books.bookPath(2), lines).toString(), QStringLiteral("%1:1:1.0:4.0").arg(shop.boja));
        // Stock and value fall by the lines' quantities and amounts; average prices stay.
        QCOMPARE(books.figures(0, shop.daska), QStringLiteral("16;48;3"));
        QCOMPARE(books.figures(0, shop.vijak), QStringLiteral("84;21;0,25"));
        QCOMPARE(books.figures(1, shop.lim), QStringLiteral("1;10;10"));
        QCOMPARE(books.figures(2, shop.boja), QStringLiteral("2;9,2;4,4"));
        // The work order and one cost row per line.
        QCOMPARE(
            books.contents(books.productionPath()).filter(OrderRow),
            QStringList{QStringLiteral("radninalozi|1|1|2024-03-01|2024-03-05|%1|2|50|10|0|0|0|0").arg(shop.product)});
        QCOMPARE(books
                     .scalar(books.productionPath(), QStringLiteral("select group_concat(idrn || ':' || "
                                                                    "Nazivskladista || ':' || izdatnicabr || ':' || "
                                                                    "iznos, ' ') from troskovi"))
                     .toString(),
                 QStringLiteral("1:Skladište A:3:12.0 1:Skladište B:1:30.0 1:Skladište C:1:4.0 1:Skladište A:3:4.0"));

        // The window is ready for the next order.
        QCOMPARE(w->lsvartikli->topLevelItemCount(), 0);
        QVERIFY(!w->cmdprihvati->isEnabled());
        QCOMPARE(w->txtbr->text(), QStringLiteral("2"));
        QCOMPARE(w->lsvsviartikli->topLevelItemCount(), 1);
        QCOMPARE(rowTexts(w->lsvsviartikli, 0, 5),
                 (QStringList{QStringLiteral("1"), QStringLiteral("Stol"), QStringLiteral("01.03.2024"),
                              QStringLiteral("05.03.2024"), QStringLiteral("        2,00")}));
    }

    void failureInTheLastBookChangesNoFile()
    {
        Workshop shop;
        shop.books.exec(shop.books.bookPath(2), QStringLiteral("update kd set ime = 'Pogon'"));
        const QList<QStringList> before = shop.books.allContents();
        frmrn* w = openWindow();
        MsgBoxScript script;
        issueThroughWindow(w, QStringLiteral("Stol"), QStringLiteral("1"), script);
        QCOMPARE(script.calls().size(), 2);
        QCOMPARE(script.last().prompt,
                 QStringLiteral("U skladištu Skladište C nema mjesta troška \"Proizvodnja\"! Radni nalog nije izdan."));
        QCOMPARE(shop.books.allContents(), before);
        QCOMPARE(w->lsvartikli->topLevelItemCount(), 4);
        QVERIFY(w->cmdprihvati->isEnabled());
        QVERIFY(w->keepOpen());
        QCOMPARE(w->txtbr->text(), QStringLiteral("1"));
    }

    void quantityZeroAndShortagesAreRefused()
    {
        Workshop shop;
        const QList<QStringList> before = shop.books.allContents();
        frmrn* w = openWindow();
        chooseProduct(w, QStringLiteral("Stol"));
        MsgBoxScript script;
        typeAndLeave(w->txtkolicina, QStringLiteral("0"));
        QCOMPARE(w->txtkolicina->text(), QStringLiteral("0,00"));
        w->cmdprihvati->click();
        QCOMPARE(script.calls().size(), 1);
        QCOMPARE(script.last().prompt, QStringLiteral("Količina ne može biti nula!"));
        QCOMPARE(script.last().style, 48);
        QCOMPARE(script.last().title, QStringLiteral("Količinanula!"));
        QCOMPARE(QApplication::focusWidget(), w->txtkolicina);
        QVERIFY(w->keepOpen());

        // Three tables need 4,5 sheets of Lim where the book holds 4, and 1,5 tins of Boja where it holds 3.
        typeAndLeave(w->txtkolicina, QStringLiteral("3"));
        w->cmdprihvati->click();
        QCOMPARE(script.calls().size(), 2);
        QCOMPARE(script.last().prompt, QStringLiteral(" Nema dovoljno u  skladištu: \r\n______________\r\nSkladište "
                                                      "B: (Lim) Nedostaje: 0,50\r\n\r\n_______________\r\nSmanjite "
                                                      "broj proizvoda ili popunite skladišta!"));
        QCOMPARE(script.last().title, QStringLiteral("Nema dovoljno!"));
        // Declining the question changes nothing either.
        typeAndLeave(w->txtkolicina, QStringLiteral("2"));
        script.answer(MsgNo);
        w->cmdprihvati->click();
        QCOMPARE(script.last().prompt, IssueQuestion);
        QVERIFY(w->keepOpen());
        QCOMPARE(shop.books.allContents(), before);
        QCOMPARE(w->lsvartikli->topLevelItemCount(), 4);
    }

    // Another copy of the program on the same folder issues and posts while this window prepares an order.
    void anotherCopyTakesTheProposedNumbers()
    {
        Workshop shop;
        ProductionBooks& books = shop.books;
        frmrn* w = openWindow();
        chooseProduct(w, QStringLiteral("Stol"));
        QCOMPARE(w->lsvartikli->topLevelItem(0)->text(frmrn::ColIzdatnica), QStringLiteral("3"));

        // Its work order for Polica takes order number 1 and issue note 3 of book A.
        WorkOrders::NewOrder theirs;
        theirs.brojrn = WorkOrders::nextOrderNumber(books.productionPath());
        theirs.productId = shop.polica;
        theirs.quantity = Figure::fromInt(1);
        theirs.lines = WorkOrders::requirement(books.productionPath(), theirs.productId);
        WorkOrders::rescale(theirs.lines, theirs.quantity);
        WorkOrders::issue(books.productionPath(), theirs);

        MsgBoxScript script;
        script.answer(MsgYes);
        w->cmdprihvati->click();
        QCOMPARE(
            script.last().prompt,
            QStringLiteral("Broj radnog naloga u međuvremenu je zauzet; novi broj je 2.\r\nBroj izdatnice "
                           "skladišta Skladište A u međuvremenu je zauzet; novi broj je 4.\r\nPokušajte ponovno."));
        QCOMPARE(script.last().title, QStringLiteral("Izdavanje radnog naloga!"));
        QVERIFY(w->keepOpen());
        QCOMPARE(w->txtbr->text(), QStringLiteral("2"));
        QStringList numbers;
        for (int row = 0; row < w->lsvartikli->topLevelItemCount(); ++row)
            numbers << w->lsvartikli->topLevelItem(row)->text(frmrn::ColIzdatnica);
        QCOMPARE(numbers, (QStringList{"4", "1", "1", "4"}));
        QCOMPARE(books.scalar(books.productionPath(), QStringLiteral("select count(*) from radninalozi")).toInt(), 1);

        // Confirmed again, the order goes in under the new numbers.
        script.answer(MsgYes).answer(MsgOk);
        w->cmdprihvati->click();
        QCOMPARE(script.last().prompt, QStringLiteral("Radni nalog izdan!"));
        QCOMPARE(books.scalar(books.productionPath(), QStringLiteral("select group_concat(brojrn) from radninalozi"))
                     .toString(),
                 QStringLiteral("1,2"));
        QCOMPARE(books.scalar(books.bookPath(0), QStringLiteral("select group_concat(brojpi) from pi")).toString(),
                 QStringLiteral("1,2,3,4"));
    }

    void costBoxesFollowEveryChange()
    {
        Workshop shop;
        frmrn* w = openWindow();
        chooseProduct(w, QStringLiteral("Polica")); // 1,5 at 3,2 a unit
        QCOMPARE(w->txtmat->text(), QStringLiteral("4,80"));
        w->txtrada->setFocus();
        w->txtrada->selectAll();
        QStringList totals;
        for (const QString& key : {QStringLiteral("2"), QStringLiteral("5"), QStringLiteral("0")}) {
            knjtest::typeText(w->txtrada, key);
            totals << w->txtukupno->text();
        }
        QCOMPARE(totals, (QStringList{QStringLiteral("6,80"), QStringLiteral("29,80"), QStringLiteral("254,80")}));
        QTest::keyClick(w->txtrada, Qt::Key_Tab);
        QCOMPARE(w->txtrada->text(), QStringLiteral("250,00"));

        // The worked example: 2,5 units, labour 10.
        typeAndLeave(w->txtrada, QStringLiteral("10"));
        typeAndLeave(w->txtkolicina, QStringLiteral("2,5"));
        QCOMPARE(rowTexts(w->lsvartikli, 0, 4).mid(2), (QStringList{QStringLiteral("12,00"), QStringLiteral("3,75")}));
        QCOMPARE(w->txtmat->text(), QStringLiteral("12,00"));
        QCOMPARE(w->txtukupno->text(), QStringLiteral("22,00"));
        QCOMPARE(w->txtpojed->text(), QStringLiteral("4,80"));

        // Zero units: the lines and the material cost go to zero, the cost per unit stays.
        typeAndLeave(w->txtkolicina, QStringLiteral("0"));
        QCOMPARE(w->txtmat->text(), QStringLiteral("0,00"));
        QCOMPARE(w->txtpojed->text(), QStringLiteral("4,80"));

        // Over the limit: the warning, the reset value, the focus back in the box.
        MsgBoxScript script;
        typeAndLeave(w->txt2, QStringLiteral("100000"));
        QCOMPARE(script.calls().size(), 1);
        QCOMPARE(script.last().prompt, QStringLiteral("Možete upisati samo do 99 999!"));
        QCOMPARE(w->txt2->text(), QStringLiteral("0,00"));
        QTRY_COMPARE(QApplication::focusWidget(), w->txt2);
        typeAndLeave(w->txt2, QStringLiteral("99999,99"));
        QCOMPARE(w->txt2->text(), QStringLiteral("99999,99"));
        QCOMPARE(w->txtukupno->text(), QStringLiteral("100009,99"));
        // An emptied quantity becomes one unit again.
        typeAndLeave(w->txtkolicina, QString());
        QCOMPARE(w->txtkolicina->text(), QStringLiteral("1,00"));
        QCOMPARE(w->txtmat->text(), QStringLiteral("4,80"));
        QCOMPARE(script.calls().size(), 1);
        // A lone comma (as pasted) is no number: refused as a value over the limit is.
        typeAndLeave(w->txtkolicina, QStringLiteral("2"));
        w->txtkolicina->setFocus();
        w->txtkolicina->setText(QStringLiteral(","));
        QTest::keyClick(w->txtkolicina, Qt::Key_Tab);
        QCOMPARE(script.calls().size(), 2);
        QCOMPARE(script.last().prompt, QStringLiteral("Možete upisati samo do 99 999!"));
        QCOMPARE(w->txtkolicina->text(), QStringLiteral("1,00"));
        QCOMPARE(w->txtmat->text(), QStringLiteral("4,80"));
        QTRY_COMPARE(QApplication::focusWidget(), w->txtkolicina);

        // Another product replaces the lines and resets the costs.
        chooseProduct(w, QStringLiteral("Stol"));
        QCOMPARE(w->lsvartikli->topLevelItemCount(), 4);
        QCOMPARE(w->txtrada->text(), QStringLiteral("0,00"));
        QCOMPARE(w->txt2->text(), QStringLiteral("0,00"));
        QCOMPARE(w->txtukupno->text(), QStringLiteral("25,00"));
    }

    void closingQuestionKeepsOrIssues()
    {
        Workshop shop;
        const QList<QStringList> before = shop.books.allContents();
        QPointer<frmrn> w = openWindow();
        chooseProduct(w, QStringLiteral("Stol"));
        MsgBoxScript script;
        script.answer(MsgCancel);
        w->cmdodustani->click();
        QCOMPARE(script.last().prompt, QStringLiteral("Želite li unijeti radni nalog u bazu radnih naloga?"));
        QCOMPARE(script.last().style, 35);
        QCOMPARE(script.last().title, QStringLiteral("Posprema u skladište"));
        QVERIFY(w && w->isVisible());
        QVERIFY(!shop.books.menusEnabled());

        // Yes, then No to the issue's own question: the window stays.
        script.answer(MsgYes).answer(MsgNo);
        w->cmdodustani->click();
        QCOMPARE(script.last().prompt, IssueQuestion);
        QVERIFY(w && w->isVisible());

        script.answer(MsgNo);
        w->cmdodustani->click();
        QTRY_VERIFY(!w || !w->isVisible());
        QVERIFY(shop.books.menusEnabled());
        QCOMPARE(shop.books.allContents(), before);
        QCOMPARE(script.unanswered(), 0);

        // Yes issues the order and closes.
        w = openWindow();
        chooseProduct(w, QStringLiteral("Polica"));
        script.answer(MsgYes).answer(MsgYes).answer(MsgOk);
        w->cmdodustani->click();
        QTRY_VERIFY(!w || !w->isVisible());
        QCOMPARE(
            shop.books.scalar(shop.books.productionPath(), QStringLiteral("select count(*) from radninalozi")).toInt(),
            1);
        QCOMPARE(script.unanswered(), 0);
    }

    // Every cost box a figure of its own: the stored order, the loaded boxes and their total keep each in its place.
    void loadedOrderShowsEachCostInItsBox()
    {
        Workshop shop;
        frmrn* w = openWindow();
        chooseProduct(w, QStringLiteral("Polica")); // 9,60 of material for 2 units
        typeAndLeave(w->txtkolicina, QStringLiteral("2"));
        const QList<QLineEdit*> boxes{w->txtrada, w->txtusluga, w->txt1, w->txt2, w->txt3};
        const QStringList costs{QStringLiteral("1,00"), QStringLiteral("2,00"), QStringLiteral("4,00"),
                                QStringLiteral("8,00"), QStringLiteral("16,00")};
        for (int i = 0; i < boxes.size(); ++i)
            typeAndLeave(boxes.at(i), costs.at(i));
        QCOMPARE(w->txtukupno->text(), QStringLiteral("40,60"));
        MsgBoxScript script;
        script.answer(MsgYes).answer(MsgOk);
        w->cmdprihvati->click();
        QCOMPARE(shop.books.contents(shop.books.productionPath()).filter(OrderRow).value(0).section(u'|', 7),
                 QStringLiteral("9.6|1|2|4|8|16"));

        selectOrder(w, 0);
        w->cmdeditiraj->click();
        QStringList shown;
        for (QLineEdit* box : boxes)
            shown << box->text();
        QCOMPARE(shown, costs);
        QCOMPARE(w->txtmat->text(), QStringLiteral("9,60"));
        QCOMPARE(w->txtukupno->text(), QStringLiteral("40,60"));
    }

    void editingChangesTheDatesAndCosts()
    {
        Workshop shop;
        frmrn* w = openWindow();
        MsgBoxScript script;
        issueThroughWindow(w, QStringLiteral("Polica"), QStringLiteral("2"), script);
        issueThroughWindow(w, QStringLiteral("Stol"), QStringLiteral("1"), script);
        QCOMPARE(w->lsvsviartikli->topLevelItemCount(), 2);
        const QStringList stored = shop.books.contents(shop.books.productionPath()).filter(OrderRow);

        // With no row chosen the edit does nothing.
        w->lsvsviartikli->clearSelection();
        emit w->cmdeditiraj->clicked(false);
        QVERIFY(!w->cmdne->isEnabled());

        // A prepared order asks first; No keeps it.
        chooseProduct(w, QStringLiteral("Stol"));
        selectOrder(w, 1);
        QVERIFY(w->cmdeditiraj->isEnabled());
        script.clear();
        script.answer(MsgNo);
        w->cmdeditiraj->click();
        QCOMPARE(script.last().prompt, QStringLiteral("Želite editirati proizvod: Stol"));
        QCOMPARE(script.last().title, QStringLiteral("Editiranje proizvoda"));
        QVERIFY(w->cmdprihvati->isEnabled());
        QCOMPARE(w->lsvartikli->topLevelItemCount(), 4);

        // Yes loads the first order (Polica, 2 units) by its id.
        selectOrder(w, 0);
        script.answer(MsgYes);
        w->cmdeditiraj->click();
        QVERIFY(!w->cmdprihvati->isEnabled() && !w->cmdeditiraj->isEnabled() && !w->cboproizvod->isEnabled() &&
                !w->txtkolicina->isEnabled());
        QCOMPARE(w->cmdizmjena->text(), QStringLiteral("Izmjena: Polica"));
        QCOMPARE(w->cmdne->text(), QStringLiteral("&Odustajem od promjene: Polica"));
        QCOMPARE(w->txtbr->text(), QStringLiteral("1"));
        QCOMPARE(w->cboproizvod->currentText(), QStringLiteral("Polica"));
        QCOMPARE(w->txtkolicina->text(), QStringLiteral("2,00"));
        QCOMPARE(w->txtmat->text(), QStringLiteral("9,60"));
        QCOMPARE(w->txtpojed->text(), QStringLiteral("4,80"));
        QCOMPARE(rowTexts(w->lsvartikli, 0, 3),
                 (QStringList{QStringLiteral("Skladište A"), QStringLiteral("3"), QStringLiteral("9,60")}));
        QCOMPARE(QApplication::focusWidget(), w->txtrada);

        // The printed sheet, after its question.
        {
            knjtest::PrintRecorder printer(QDir::temp().filePath(QStringLiteral("wo-sheet.pdf")));
            script.answer(MsgNo);
            w->cmdispis->click();
            QCOMPARE(script.last().prompt, QStringLiteral("Ispis radnog naloga za proizvod: Polica na pisač?"));
            QCOMPARE(printer.jobs(), 0);
            script.answer(MsgYes);
            w->cmdispis->click();
            QCOMPARE(printer.jobs(), 1);
            QVERIFY(printer.lines().contains(QStringLiteral("Skladište A                   3            9,60")));
        }

        // Storing writes the seven changeable columns of that one order.
        typeAndLeave(w->txtrada, QStringLiteral("15"));
        w->dtpzatv->setDate(QDate(2030, 1, 31));
        script.clear();
        script.answer(MsgYes).answer(MsgOk);
        w->cmdizmjena->click();
        QCOMPARE(script.calls().at(0).prompt, QStringLiteral("Želite mijenjati radni nalog za proizvod: Polica"));
        QCOMPARE(script.calls().at(1).prompt, QStringLiteral("Radni nalog uspješno izmjenjen za proizvod: Polica"));
        QCOMPARE(script.calls().at(1).style, 64);
        QStringList expected = stored;
        expected[0] = QStringLiteral("radninalozi|1|1|%1|2030-01-31|%2|2|9.6|15|0|0|0|0")
                          .arg(DateText::toIso(QDate::currentDate()))
                          .arg(stored.at(0).section(QLatin1Char('|'), 5, 5));
        QCOMPARE(shop.books.contents(shop.books.productionPath()).filter(OrderRow), expected);
        // The window is back to a new order.
        QVERIFY(!w->cmdne->isEnabled() && !w->cmdizmjena->isEnabled() && w->cboproizvod->isEnabled());
        QCOMPARE(w->txtbr->text(), QStringLiteral("3"));
        QCOMPARE(w->txtrada->text(), QStringLiteral("0,00"));
        QCOMPARE(w->lsvartikli->topLevelItemCount(), 0);
        QCOMPARE(w->cboproizvod->currentIndex(), -1);
        // Out of edit mode the print button does nothing.
        script.clear();
        w->cmdispis->click();
        QVERIFY(script.calls().isEmpty());

        // In edit mode sorting the list changes nothing else; moving to another order with the keys chooses it.
        selectOrder(w, 0);
        w->cmdeditiraj->click();
        emit w->lsvsviartikli->header()->sectionClicked(1);
        QVERIFY(w->cmdne->isEnabled());
        QCOMPARE(w->lsvsviartikli->currentItem()->text(1), QStringLiteral("Polica"));
        w->lsvsviartikli->setFocus();
        QTest::keyClick(w->lsvsviartikli, Qt::Key_Down);
        QCOMPARE(w->lblsifra->text(), QStringLiteral("Stol"));
        QVERIFY(!w->cmdne->isEnabled() && w->cmdeditiraj->isEnabled());
    }
};

KNJ_REGISTER_TEST(WorkOrderWindowTest)
#include "tst_workorderwindow.moc"
