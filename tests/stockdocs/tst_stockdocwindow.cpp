#include "common/stockdoclink.h"
#include "common/windowkeys.h"
#include "core/db/appstate.h"
#include "masterdata/frmartikli.h"
#include "masterdata/frmartikliizbor.h"
#include "masterdata/frmunos.h"
#include "stockbook.h"
#include "stockdocs/frmPrimka.h"
#include "support/testmain.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

using knjtest::hasUniformRows;
using knjtest::MsgBoxScript;
using knjtest::rowTexts;
using stocktest::choose;
using stocktest::StockBook;
using stocktest::typeInto;

namespace {

const QString LimitMessage = QStringLiteral(
    "Iznos ne smije prijeći 9 999 999 zbog bolje kontrole skladišta!\r\nNaš savjet:  Unesite u dvije primke");

frmPrimka* openWindow(const QString& mode)
{
    frmPrimka* w = frmPrimka::openFromMenu(mode);
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w))
        qWarning("stock-document window not active");
    return w;
}

// Picks the article in the picker, types the quantity (and on a receipt the price) and adds the line.
void enterLine(frmPrimka* w, QComboBox* picker, const QString& entry, const QString& quantity,
               const QString& price = QString())
{
    choose(picker, entry);
    typeInto(w->txtkolicina, quantity);
    if (!price.isNull())
        typeInto(w->txtcijena, price);
    w->cmddodaj->click();
}

QStringList comboTexts(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

void selectRow(QTreeWidget* list, int row)
{
    list->clearSelection();
    list->topLevelItem(row)->setSelected(true);
}

// A complete receipt header: supplier, document kind and the supplier's number.
void fillReceiptHeader(frmPrimka* w, const QString& supplier = QStringLiteral("Dobavljač d.o.o."))
{
    choose(w->cbokd, supplier);
    choose(w->cbodokument, QStringLiteral("Račun"));
    typeInto(w->txtbroj, QStringLiteral("R-77"));
}

} // namespace

class StockDocWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void receiptModeShowsTheFullHeader()
    {
        StockBook book;
        frmPrimka* w = openWindow(QStringLiteral("Primka"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Primka      Pomoć  F1"));
        QCOMPARE(w->lblpi->text(), QStringLiteral("P"));
        QCOMPARE(w->Label1_0->text(), QStringLiteral("Primka br:"));
        QCOMPARE(w->Label2_0->text(), QStringLiteral("Datum primke:"));
        QCOMPARE(w->Label3_0->text(), QStringLiteral("Dobavljač:"));
        for (QWidget* shown : QList<QWidget*>{w->cbodokument, w->cmdnovidokument, w->txtbroj, w->txtdatumdokumenta,
                                              w->Label4_0, w->Label5_0, w->Label6_0, w->cmdartikl})
            QVERIFY2(shown->isVisible(), qPrintable(shown->objectName()));
        QVERIFY(!w->txtpokazkolicine->isVisible());
        QCOMPARE(w->txtkolicina->width(), w->txtcijena->width());
        QCOMPARE(w->cmdprihvati->text(), QStringLiteral("&Unos u skladište"));
        QCOMPARE(w->cmdprihvati->toolTip(), QStringLiteral("Unošenje sa liste u skladište"));
        QCOMPARE(w->txtdatumdokumenta->toolTip(), QStringLiteral("Datum dokumenta"));
        QCOMPARE(w->txtdatumprimke->date(), QDate::currentDate());
        QVERIFY(!w->txtcijena->isReadOnly());
        QVERIFY(!w->cmddodaj->isEnabled() && !w->cmdbrisi->isEnabled() && !w->cmdprihvati->isEnabled());
        QCOMPARE(w->txtiznos->text(), QStringLiteral("0,00"));

        w->txtkolicina->setText(QStringLiteral("1"));
        w->txtcijena->setText(QStringLiteral("1"));
        w->txtkolicina->setFocus();
        QTest::keyClick(w->txtkolicina, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->txtcijena);
        QTest::keyClick(w->txtcijena, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->cmddodaj);
        // Tab leaves a date picker at once.
        w->txtdatumprimke->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->cbokd);
    }

    void issueModeShowsNumberDateAndCostPlace()
    {
        StockBook book;
        frmPrimka* w = openWindow(QStringLiteral("Izdatnica"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Izdatnica         Pomoć F1 "));
        QCOMPARE(w->lblpi->text(), QStringLiteral("I"));
        QCOMPARE(w->Label1_0->text(), QStringLiteral("Izdatnica br:"));
        QCOMPARE(w->Label2_0->text(), QStringLiteral("Datum izdatnice:"));
        QCOMPARE(w->Label3_0->text(), QStringLiteral("Mj. troška:"));
        for (QWidget* hidden : QList<QWidget*>{w->cbodokument, w->cmdnovidokument, w->txtbroj, w->txtdatumdokumenta,
                                               w->Label4_0, w->Label5_0, w->Label6_0, w->cmdartikl})
            QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
        QVERIFY(w->txtpokazkolicine->isVisible());
        QCOMPARE(w->txtkolicina->geometry().right() + 1, w->txtpokazkolicine->x());
        QCOMPARE(w->cmdprihvati->text(), QStringLiteral("Iz&nos iz baze"));
        QCOMPARE(w->cmdprihvati->toolTip(), QStringLiteral("Iznos iz baze"));
        QCOMPARE(w->txtprimka->toolTip(), QStringLiteral("Broj izdatnice"));
        QCOMPARE(w->cbokd->toolTip(), QStringLiteral("Ime kupca"));
        QCOMPARE(w->txtdatumprimke->toolTip(), QStringLiteral("Datum izdatnice"));

        // The price comes from the article: typing into it changes nothing, and Tab passes it by.
        QVERIFY(w->txtcijena->isReadOnly());
        knjtest::typeText(w->txtcijena, QStringLiteral("5"));
        QCOMPARE(w->txtcijena->text(), QString());
        w->txtkolicina->setText(QStringLiteral("1"));
        w->txtcijena->setText(QStringLiteral("1"));
        w->txtkolicina->setFocus();
        QTest::keyClick(w->txtkolicina, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->cmddodaj);
    }

    void numberAndPartnersFollowTheMode()
    {
        StockBook book;
        book.addHeaders(QStringLiteral("P"), 7);
        book.addHeaders(QStringLiteral("I"), 3);
        for (const char* kind : {"d", "D", "s", "S", "k", "K", "m"})
            book.addPartner(QLatin1String(kind), QStringLiteral("Partner ") + QLatin1String(kind));
        book.addPartner(QStringLiteral("d"), QStringLiteral("Čelik"));
        book.addPartner(QStringLiteral("d"), QStringLiteral("cesta"));
        book.addPartner(QStringLiteral("d"), QStringLiteral("Zagreb"));
        book.addDocumentKind(QStringLiteral("Račun"));
        book.addDocumentKind(QStringLiteral("Otpremnica"));

        auto items = [](const QComboBox* combo) {
            QStringList texts;
            for (int i = 0; i < combo->count(); ++i)
                texts.append(combo->itemText(i));
            return texts;
        };

        frmPrimka* w = openWindow(QStringLiteral("Primka"));
        QCOMPARE(w->txtprimka->text(), QStringLiteral("8"));
        QCOMPARE(items(w->cbokd),
                 (QStringList{"cesta", "Čelik", "Partner d", "Partner D", "Partner s", "Partner S", "Zagreb"}));
        QCOMPARE(w->cbokd->currentText(), QString());
        QCOMPARE(items(w->cbodokument), (QStringList{"Otpremnica", "Račun"}));
        closeWindow(w);

        w = openWindow(QStringLiteral("Izdatnica"));
        QCOMPARE(w->txtprimka->text(), QStringLiteral("4"));
        QCOMPARE(items(w->cbokd), (QStringList{"Partner k", "Partner K", "Partner s", "Partner S", "Proizvodnja"}));
        QCOMPARE(w->cbodokument->count(), 0);
    }

    void aBookWithoutDocumentsProposesOne()
    {
        StockBook book;
        frmPrimka* w = openWindow(QStringLiteral("Primka"));
        QCOMPARE(w->txtprimka->text(), QStringLiteral("1"));
    }

    void menusStayOffWhileTheWindowIsOpen()
    {
        StockBook book;
        QPointer<frmPrimka> w = openWindow(QStringLiteral("Izdatnica"));
        QVERIFY(!book.menusEnabled());
        QCOMPARE(AppState::vrstadokumenta, QStringLiteral("Izdatnica"));
        AppState::izprimke = true;
        QTest::keyClick(w->txtkolicina, Qt::Key_Escape);
        QTRY_VERIFY(!w);
        QVERIFY(book.menusEnabled());
        QVERIFY(!AppState::izprimke);
        QVERIFY(!StockDocumentLink::hasReceiver());
    }

    void typedKeysDoNotChangeThePickers()
    {
        StockBook book;
        book.addPartner(QStringLiteral("d"), QStringLiteral("Alfa"));
        book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"));
        book.addArticle(QStringLiteral("B1"), QStringLiteral("Beta"));
        frmPrimka* w = openWindow(QStringLiteral("Primka"));
        for (QComboBox* combo : {w->cbokd, w->cbodokument, w->Cbosifra, w->cbonaziv}) {
            combo->setFocus();
            QTest::keyClicks(combo, QStringLiteral("A"));
            QCOMPARE(combo->currentIndex(), -1);
        }
        // Nor in the open list.
        w->Cbosifra->showPopup();
        QTest::keyClicks(w->Cbosifra->view(), QStringLiteral("B"));
        QVERIFY(w->Cbosifra->view()->currentIndex().row() != 1);
        w->Cbosifra->hidePopup();
    }

    void articleListDropsBelowTheBoxAndAClickFillsTheLine()
    {
        StockBook book;
        const QString longName = QStringLiteral("Čokolada mliječna s lješnjakom");
        for (int n = 1; n <= 25; ++n)
            book.addArticle(QStringLiteral("A%1").arg(n), QStringLiteral("Alfa %1").arg(n));
        book.addArticle(QStringLiteral("Č30"), longName);
        frmPrimka* w = openWindow(QStringLiteral("Primka"));
        w->cbonaziv->setFocus();
        QTest::keyClick(w->cbonaziv, Qt::Key_F4);
        QAbstractItemView* list = w->cbonaziv->view();
        QTRY_VERIFY(list->isVisible());
        // Both article lists have rows of one height: they open at once over tens of thousands of articles.
        QVERIFY(hasUniformRows(w->cbonaziv));
        QVERIFY(hasUniformRows(w->Cbosifra));
        // Below the box, not over it, with a scroll bar through the rest, and the longest name in sight whole.
        QVERIFY(list->window()->y() >= w->cbonaziv->mapToGlobal(QPoint(0, w->cbonaziv->height() - 1)).y());
        QVERIFY(list->verticalScrollBar()->isVisible());
        QVERIFY(list->viewport()->width() > list->fontMetrics().horizontalAdvance(longName));
        const QModelIndex row = list->model()->index(w->cbonaziv->findText(longName), 0);
        list->scrollTo(row);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(row).center());
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(w->cbonaziv->currentText(), longName);
        QCOMPARE(w->Cbosifra->currentText(), QStringLiteral("Č30"));
        QVERIFY(!w->lblartikl->text().isEmpty());
    }

    void lineAmount_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<bool>("addEnabled");
        // clang-format off
        QTest::newRow("2 x 3") << "Primka" << "2" << "3" << "6,00" << true;
        QTest::newRow("0,5 x 1") << "Primka" << "0,5" << "1" << "0,50" << true;
        QTest::newRow("half cent rounds away") << "Primka" << "1,5" << "0,15" << "0,23" << true;
        QTest::newRow("3,33 x 1,11") << "Primka" << "3,33" << "1,11" << "3,70" << true;
        QTest::newRow("typed decimals before the box rounds them") << "Primka" << "2,125" << "2" << "4,25" << true;
        QTest::newRow("exactly the limit") << "Primka" << "1111,111" << "9000" << "9999999,00" << true;
        QTest::newRow("limit stands") << "Primka" << "1000" << "9999" << "9999000,00" << true;
        QTest::newRow("no price") << "Primka" << "5" << "" << "0,00" << false;
        QTest::newRow("comma only") << "Primka" << "5" << "," << "0,00" << true;
        // clang-format on
    }
    void lineAmount()
    {
        QFETCH(QString, mode);
        QFETCH(QString, quantity);
        QFETCH(QString, price);
        StockBook book;
        MsgBoxScript msgs;
        frmPrimka* w = openWindow(mode);
        w->txtkolicina->setText(quantity);
        w->txtcijena->setText(price);
        QTEST(w->txtiznos->text(), "amount");
        QTEST(w->cmddodaj->isEnabled(), "addEnabled");
        QCOMPARE(msgs.calls().size(), 0);
    }

    void receiptAmountOverTheLimitIsRefused()
    {
        StockBook book;
        MsgBoxScript msgs;
        frmPrimka* w = openWindow(QStringLiteral("Primka"));
        typeInto(w->txtkolicina, QStringLiteral("1000"));
        typeInto(w->txtcijena, QStringLiteral("1000"));
        QCOMPARE(w->txtiznos->text(), QStringLiteral("1000000,00"));
        QCOMPARE(msgs.calls().size(), 0);
        knjtest::typeText(w->txtcijena, QStringLiteral("0"));
        QCOMPARE(msgs.calls().size(), 1);
        QCOMPARE(msgs.last().prompt, LimitMessage);
        QCOMPARE(msgs.last().style, 32);
        QCOMPARE(msgs.last().title, QStringLiteral("Prevelik unos!"));
        QCOMPARE(w->txtcijena->text(), QStringLiteral("0,00"));
        QCOMPARE(w->txtiznos->text(), QStringLiteral("0,00"));
        QCOMPARE(w->txtkolicina->text(), QStringLiteral("1000,00"));
        QVERIFY(w->cmddodaj->isEnabled());
    }

    void issueAmountHasNoLimit()
    {
        StockBook book;
        MsgBoxScript msgs;
        book.addArticle(QStringLiteral("Z1"), QStringLiteral("Zlato"), QStringLiteral("5000"), QStringLiteral("10000"));
        frmPrimka* w = openWindow(QStringLiteral("Izdatnica"));
        choose(w->cbonaziv, QStringLiteral("Zlato"));
        typeInto(w->txtkolicina, QStringLiteral("1000"));
        QCOMPARE(w->txtiznos->text(), QStringLiteral("10000000,00"));
        QCOMPARE(msgs.calls().size(), 0);
    }

    void numberBoxesTakeTheTwoDecimalForm()
    {
        StockBook book;
        MsgBoxScript msgs;
        frmPrimka* w = openWindow(QStringLiteral("Primka"));
        typeInto(w->txtkolicina, QStringLiteral("12,5"));
        w->txtcijena->setFocus();
        QCOMPARE(w->txtkolicina->text(), QStringLiteral("12,50"));
        knjtest::typeText(w->txtcijena, QStringLiteral(",.a5"));
        QCOMPARE(w->txtcijena->text(), QStringLiteral("5"));
        w->txtcijena->clear();
        typeInto(w->txtkolicina, QStringLiteral("100000"));
        w->txtcijena->setFocus();
        QCOMPARE(msgs.calls().size(), 1);
        QCOMPARE(msgs.last().prompt, QStringLiteral("Možete upisati samo do 99 999!"));
        QTRY_COMPARE(QApplication::focusWidget(), w->txtkolicina);
        QCOMPARE(w->txtkolicina->text(), QStringLiteral("100000"));
        QTRY_COMPARE(w->txtkolicina->selectedText(), QStringLiteral("100000"));
    }

    void addChecksRunInOrder()
    {
        StockBook book;
        book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"), QStringLiteral("10"), QStringLiteral("2"));
        MsgBoxScript msgs;
        frmPrimka* w = openWindow(QStringLiteral("Primka"));

        // Amount zero with quantity zero: the quantity box is reset and focused.
        typeInto(w->txtkolicina, QStringLiteral("0"));
        typeInto(w->txtcijena, QStringLiteral("0"));
        w->cmddodaj->click();
        QCOMPARE(msgs.last().prompt, QStringLiteral("Unos mora biti veći od nule!"));
        QCOMPARE(msgs.last().style, 48);
        QCOMPARE(msgs.last().title, QStringLiteral("Prevelik broj"));
        QCOMPARE(w->txtkolicina->text(), QStringLiteral("0,00"));
        QCOMPARE(QApplication::focusWidget(), w->txtkolicina);
        QCOMPARE(w->txtkolicina->selectedText(), QStringLiteral("0,00"));

        // Quantity 5, price zero: the price box is reset and focused.
        w->txtkolicina->setText(QStringLiteral("5"));
        w->cmddodaj->click();
        QCOMPARE(msgs.calls().size(), 2);
        QCOMPARE(w->txtcijena->text(), QStringLiteral("0,00"));
        QCOMPARE(QApplication::focusWidget(), w->txtcijena);
        QCOMPARE(w->txtcijena->selectedText(), QStringLiteral("0,00"));

        // A good amount without an article.
        w->txtcijena->setText(QStringLiteral("2"));
        w->cmddodaj->click();
        QCOMPARE(msgs.last().prompt, QStringLiteral("Nije unešena šifra ili naziv!"));
        QCOMPARE(msgs.last().title, QStringLiteral("Unos nepotpun!"));
        QCOMPARE(QApplication::focusWidget(), w->Cbosifra);
        QCOMPARE(w->lsvartprimka->topLevelItemCount(), 0);
        QCOMPARE(msgs.unanswered(), 3);
    }

    void availableQuantityInIssueMode()
    {
        StockBook book;
        const qint64 id =
            book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"), QStringLiteral("10"), QStringLiteral("12,5"));
        book.addArticle(QStringLiteral("B2"), QStringLiteral("Beta"), QStringLiteral("10"), QStringLiteral("1"));
        MsgBoxScript msgs;
        frmPrimka* w = openWindow(QStringLiteral("Izdatnica"));

        choose(w->cbonaziv, QStringLiteral("Alfa"));
        QCOMPARE(w->Cbosifra->currentText(), QStringLiteral("A1"));
        QCOMPARE(w->lblartikl->text(), QString::number(id));
        QCOMPARE(w->txtcijena->text(), QStringLiteral("12,5"));
        QCOMPARE(w->txtpokazkolicine->text(), QStringLiteral("10"));
        typeInto(w->txtkolicina, QStringLiteral("4"));
        QCOMPARE(w->txtiznos->text(), QStringLiteral("50,00"));
        w->cmddodaj->click();
        QCOMPARE(w->lsvartprimka->topLevelItemCount(), 1);

        // Another article's line does not count; this one's does.
        enterLine(w, w->Cbosifra, QStringLiteral("B2"), QStringLiteral("3,3"));
        choose(w->Cbosifra, QStringLiteral("A1"));
        QCOMPARE(w->cbonaziv->currentText(), QStringLiteral("Alfa"));
        QCOMPARE(w->txtpokazkolicine->text(), QStringLiteral("6"));
        typeInto(w->txtkolicina, QStringLiteral("6,01"));
        w->cmddodaj->click();
        QCOMPARE(msgs.last().prompt, QStringLiteral("Na skladištu nema toliko!"));
        QCOMPARE(msgs.last().title, QStringLiteral("Nema toliko!"));
        QCOMPARE(msgs.last().style, 48);
        QCOMPARE(QApplication::focusWidget(), w->txtkolicina);
        QCOMPARE(w->lsvartprimka->topLevelItemCount(), 2);
        w->txtkolicina->setText(QStringLiteral("6"));
        w->cmddodaj->click();
        QCOMPARE(w->lsvartprimka->topLevelItemCount(), 3);
        QCOMPARE(rowTexts(w->lsvartprimka, 2),
                 (QStringList{"A1", "Alfa", "6,00", "12,5", "75,00", QString::number(id)}));

        // 10 - 3,30 leaves 6,7, and the 6,70 the box shows after leaving it is that much.
        choose(w->cbonaziv, QStringLiteral("Beta"));
        QCOMPARE(w->txtpokazkolicine->text(), QStringLiteral("6,7"));
        typeInto(w->txtkolicina, QStringLiteral("6,7"));
        w->cmddodaj->click();
        QCOMPARE(w->lsvartprimka->topLevelItemCount(), 4);
        QCOMPARE(w->lsvartprimka->topLevelItem(3)->text(frmPrimka::ColKolicina), QStringLiteral("6,70"));
        QCOMPARE(msgs.calls().size(), 1);
    }

    void addingAndRemovingLines()
    {
        StockBook book;
        const qint64 a = book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"));
        const qint64 b = book.addArticle(QStringLiteral("B2"), QStringLiteral("Beta"));
        MsgBoxScript msgs;
        frmPrimka* w = openWindow(QStringLiteral("Primka"));

        enterLine(w, w->Cbosifra, QStringLiteral("A1"), QStringLiteral("2"), QStringLiteral("3"));
        QCOMPARE(rowTexts(w->lsvartprimka, 0), (QStringList{"A1", "Alfa", "2,00", "3,00", "6,00", QString::number(a)}));
        for (QWidget* box : QList<QWidget*>{w->txtkolicina, w->txtcijena, w->txtpokazkolicine})
            QCOMPARE(static_cast<QLineEdit*>(box)->text(), QString());
        QCOMPARE(w->Cbosifra->currentText(), QString());
        QCOMPARE(w->cbonaziv->currentText(), QString());
        QCOMPARE(w->txtiznos->text(), QStringLiteral("0,00"));
        QVERIFY(!w->cmddodaj->isEnabled());
        QVERIFY(w->cmdbrisi->isEnabled() && w->cmdprihvati->isEnabled());
        QCOMPARE(QApplication::focusWidget(), w->Cbosifra);

        // By name; the quantity is brought to two decimals by the add itself (no box was left).
        choose(w->cbonaziv, QStringLiteral("Beta"));
        typeInto(w->txtcijena, QStringLiteral("1,5"));
        typeInto(w->txtkolicina, QStringLiteral("12,345"));
        w->cmddodaj->click(); // as its mnemonic does: the focus stays in the box
        QCOMPARE(QApplication::focusWidget(), w->Cbosifra);
        QCOMPARE(w->lsvartprimka->topLevelItemCount(), 2);
        QCOMPARE(rowTexts(w->lsvartprimka, 1),
                 (QStringList{"B2", "Beta", "12,35", "1,50", "18,53", QString::number(b)}));

        // Nothing selected: nothing removed.
        w->lsvartprimka->clearSelection();
        w->cmdbrisi->click();
        QCOMPARE(w->lsvartprimka->topLevelItemCount(), 2);
        selectRow(w->lsvartprimka, 0);
        w->cmdbrisi->click();
        QCOMPARE(w->lsvartprimka->topLevelItemCount(), 1);
        QCOMPARE(w->lsvartprimka->topLevelItem(0)->text(0), QStringLiteral("B2"));
        QVERIFY(w->cmdbrisi->isEnabled() && w->cmdprihvati->isEnabled());
        selectRow(w->lsvartprimka, 0);
        w->cmdbrisi->click();
        QCOMPARE(w->lsvartprimka->topLevelItemCount(), 0);
        QVERIFY(!w->cmdbrisi->isEnabled() && !w->cmdprihvati->isEnabled());
        QCOMPARE(msgs.calls().size(), 0);
    }

    void postAReceipt()
    {
        StockBook book;
        book.addPartner(QStringLiteral("d"), QStringLiteral("Dobavljač d.o.o."));
        book.addDocumentKind(QStringLiteral("Račun"));
        book.addHeaders(QStringLiteral("P"), 4);
        const qint64 a =
            book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"), QStringLiteral("10"), QStringLiteral("1"));
        const qint64 b = book.addArticle(QStringLiteral("B2"), QStringLiteral("Beta"));
        const qint64 c = book.addArticle(QStringLiteral("C3"), QStringLiteral("Gama"));
        MsgBoxScript msgs;
        frmPrimka* w = openWindow(QStringLiteral("Primka"));
        QCOMPARE(w->txtprimka->text(), QStringLiteral("5"));
        fillReceiptHeader(w);
        w->txtdatumdokumenta->setDate(QDate(2024, 3, 1));
        const QDate date = w->txtdatumprimke->date();

        enterLine(w, w->Cbosifra, QStringLiteral("A1"), QStringLiteral("10"), QStringLiteral("2"));
        enterLine(w, w->cbonaziv, QStringLiteral("Beta"), QStringLiteral("4"), QStringLiteral("2,5"));
        // The third through the picker.
        w->cmdpretraga->click();
        frmartikliizbor* picker = frmartikliizbor::loaded();
        QVERIFY(picker);
        picker->optposifri->setChecked(true);
        picker->txtupis->setText(QStringLiteral("c3"));
        picker->cmdtrazi->click();
        picker->cmdodabir->click();
        QTRY_VERIFY(!frmartikliizbor::isLoaded());
        QCOMPARE(w->lblartikl->text(), QString::number(c));
        QCOMPARE(w->cbonaziv->currentText(), QStringLiteral("Gama"));
        QTRY_COMPARE(QApplication::focusWidget(), w->txtkolicina);
        typeInto(w->txtkolicina, QStringLiteral("3"));
        typeInto(w->txtcijena, QStringLiteral("1"));
        w->cmddodaj->click();
        QCOMPARE(w->lsvartprimka->topLevelItemCount(), 3);

        msgs.answer(MsgYes);
        w->cmdprihvati->click();
        QCOMPARE(msgs.calls().size(), 1);
        QCOMPARE(msgs.last().prompt, QStringLiteral("Unosimo u bazu?"));
        QCOMPARE(msgs.last().style, 36);
        QCOMPARE(msgs.last().title, QStringLiteral("Unošenje"));

        QCOMPARE(book.figures(a), (QStringList{"20", "30", "1,5"}));
        QCOMPARE(book.figures(b), (QStringList{"4", "10", "2,5"}));
        QCOMPARE(book.figures(c), (QStringList{"3", "3", "1"}));
        const qint64 header = book.scalar(QStringLiteral("select max(id) from pi")).toLongLong();
        QCOMPARE(w->lblidprimkeizdatnice->text(), QString::number(header));
        QCOMPARE(book.scalar(QStringLiteral("select pi || '/' || brojpi || '/' || datumpi || '/' || brojdok || '/' || "
                                            "datumdok from pi where id = ?"),
                             {header})
                     .toString(),
                 QStringLiteral("P/5/%1/R-77/2024-03-01").arg(date.toString(Qt::ISODate)));
        QCOMPARE(book.scalar(QStringLiteral("select count(*) from ulazizlaz where idpi = ?"), {header}).toInt(), 3);
        QCOMPARE(book.scalar(QStringLiteral("select kolicina from ulazizlaz where idpi = ? and idartikla = ?"),
                             {header, QString::number(b)})
                     .toDouble(),
                 4.0);

        // Ready for the next receipt.
        QCOMPARE(w->lsvartprimka->topLevelItemCount(), 0);
        QCOMPARE(w->txtprimka->text(), QStringLiteral("6"));
        QCOMPARE(w->cbokd->currentText(), QString());
        QCOMPARE(w->cbodokument->currentText(), QString());
        QCOMPARE(w->txtbroj->text(), QString());
        QCOMPARE(w->txtdatumdokumenta->date(), QDate(2024, 3, 1));
        QVERIFY(!w->cmdbrisi->isEnabled() && !w->cmdprihvati->isEnabled());
    }

    void postAnIssueNote()
    {
        StockBook book;
        book.addHeaders(QStringLiteral("I"), 2);
        const qint64 a =
            book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"), QStringLiteral("4"), QStringLiteral("2,5"));
        MsgBoxScript msgs;
        frmPrimka* w = openWindow(QStringLiteral("Izdatnica"));
        QCOMPARE(w->txtprimka->text(), QStringLiteral("3"));
        choose(w->cbokd, QStringLiteral("Proizvodnja"));
        enterLine(w, w->cbonaziv, QStringLiteral("Alfa"), QStringLiteral("4"));
        QCOMPARE(rowTexts(w->lsvartprimka, 0), (QStringList{"A1", "Alfa", "4,00", "2,5", "10,00", QString::number(a)}));

        msgs.answer(MsgNo);
        w->cmdprihvati->click();
        QCOMPARE(msgs.last().prompt, QStringLiteral("Iznosimo iz baze"));
        QCOMPARE(book.scalar(QStringLiteral("select count(*) from pi")).toInt(), 2);
        QCOMPARE(w->lsvartprimka->topLevelItemCount(), 1);

        msgs.answer(MsgYes);
        w->cmdprihvati->click();
        QCOMPARE(book.figures(a), (QStringList{"0", "0", "2,5"}));
        QCOMPARE(book.scalar(QStringLiteral("select pi || brojpi || '/' || ifnull(dokument, 'null') from pi "
                                            "order by id desc limit 1"))
                     .toString(),
                 QStringLiteral("I3/null"));
        QCOMPARE(w->txtprimka->text(), QStringLiteral("4"));
        QCOMPARE(w->cbokd->currentText(), QString());
        QCOMPARE(w->lsvartprimka->topLevelItemCount(), 0);
        QCOMPARE(msgs.unanswered(), 0);
    }

    void theLineEntryReadsItsArticleAfterAPosting()
    {
        StockBook book;
        const qint64 a =
            book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"), QStringLiteral("3"), QStringLiteral("3,33"));
        book.exec(QStringLiteral("update artikli set vrijednost = 10 where id = ?"), {a});
        MsgBoxScript msgs;
        frmPrimka* w = openWindow(QStringLiteral("Izdatnica"));
        choose(w->cbokd, QStringLiteral("Proizvodnja"));
        enterLine(w, w->Cbosifra, QStringLiteral("A1"), QStringLiteral("1"));
        // The article stays shown in the line entry while the note is posted.
        choose(w->Cbosifra, QStringLiteral("A1"));
        QCOMPARE(w->txtpokazkolicine->text(), QStringLiteral("2"));
        msgs.answer(MsgYes);
        w->cmdprihvati->click();
        QCOMPARE(book.figures(a), (QStringList{"2", "6,67", "3,34"}));
        QCOMPARE(w->txtcijena->text(), QStringLiteral("3,34"));
        QCOMPARE(w->txtpokazkolicine->text(), QStringLiteral("2"));

        choose(w->cbokd, QStringLiteral("Proizvodnja"));
        typeInto(w->txtkolicina, QStringLiteral("2"));
        w->cmddodaj->click();
        QCOMPARE(rowTexts(w->lsvartprimka, 0), (QStringList{"A1", "Alfa", "2,00", "3,34", "6,68", QString::number(a)}));
        QCOMPARE(msgs.unanswered(), 0);
    }

    void incompleteHeaderIsRefused_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("missing");
        QTest::addColumn<QString>("message");
        const QString receipt = QStringLiteral("Nije unešen datum primke,ime dobavljača,dokument,brojdokumenta ili "
                                               "datum dokumenta!");
        QTest::newRow("receipt, all but the supplier") << "Primka"
                                                       << "cbokd" << receipt;
        QTest::newRow("receipt, all but the kind") << "Primka"
                                                   << "cbodokument" << receipt;
        QTest::newRow("receipt, all but the number") << "Primka"
                                                     << "txtbroj" << receipt;
        QTest::newRow("issue") << "Izdatnica"
                               << "cbokd"
                               << "Nije unešen datum izdatnice ili mjesto troška!";
    }
    void incompleteHeaderIsRefused()
    {
        QFETCH(QString, mode);
        StockBook book;
        book.addPartner(QStringLiteral("d"), QStringLiteral("Dobavljač d.o.o."));
        book.addDocumentKind(QStringLiteral("Račun"));
        book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"), QStringLiteral("5"), QStringLiteral("1"));
        MsgBoxScript msgs;
        frmPrimka* w = openWindow(mode);
        QFETCH(QString, missing);
        enterLine(w, w->Cbosifra, QStringLiteral("A1"), QStringLiteral("1"),
                  mode == "Primka" ? QStringLiteral("1") : QString());
        // Everything but the one field.
        if (mode == "Primka") {
            if (missing != "cbokd")
                choose(w->cbokd, QStringLiteral("Dobavljač d.o.o."));
            if (missing != "cbodokument")
                choose(w->cbodokument, QStringLiteral("Račun"));
            if (missing != "txtbroj")
                typeInto(w->txtbroj, QStringLiteral("R-77"));
        }
        w->cmdprihvati->click();
        QCOMPARE(msgs.calls().size(), 1);
        QTEST(msgs.last().prompt, "message");
        QCOMPARE(msgs.last().title, QStringLiteral("Unos nepotpun"));
        QCOMPARE(msgs.last().style, 48);
        QCOMPARE(book.scalar(QStringLiteral("select count(*) from pi")).toInt(), 0);
    }

    void unknownPartnerWritesNothing_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::newRow("receipt") << "Primka"
                                 << "Nema dobavljača u tablici, morate dodati dobavljača!"
                                 << "Nema dobavljača";
        QTest::newRow("issue") << "Izdatnica"
                               << "Nema kupca u tablici, morate dodati kupca!"
                               << "Nema kupca";
    }
    void unknownPartnerWritesNothing()
    {
        QFETCH(QString, mode);
        StockBook book;
        book.addPartner(QStringLiteral("s"), QStringLiteral("Dobavljač d.o.o."));
        book.addDocumentKind(QStringLiteral("Račun"));
        const qint64 a =
            book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"), QStringLiteral("5"), QStringLiteral("1"));
        MsgBoxScript msgs;
        frmPrimka* w = openWindow(mode);
        if (mode == "Primka")
            fillReceiptHeader(w);
        else
            choose(w->cbokd, QStringLiteral("Dobavljač d.o.o."));
        enterLine(w, w->Cbosifra, QStringLiteral("A1"), QStringLiteral("1"),
                  mode == "Primka" ? QStringLiteral("1") : QString());
        book.exec(QStringLiteral("delete from kd where ime = 'Dobavljač d.o.o.'"));

        msgs.answer(MsgYes);
        w->cmdprihvati->click();
        QTEST(msgs.last().prompt, "message");
        QTEST(msgs.last().title, "title");
        QCOMPARE(msgs.last().style, 48);
        QCOMPARE(book.scalar(QStringLiteral("select count(*) from pi")).toInt(), 0);
        QCOMPARE(book.figures(a), (QStringList{"5", "5", "1"}));
        QCOMPARE(w->lsvartprimka->topLevelItemCount(), 1);
        QCOMPARE(w->cbokd->currentText(), QStringLiteral("Dobavljač d.o.o."));
        QCOMPARE(w->txtprimka->text(), QStringLiteral("1"));
        QVERIFY(w->cmdprihvati->isEnabled());
    }

    void postingTakesThePartnerAndKindChosen()
    {
        StockBook book;
        // The same name for a supplier and a cost place, and names that differ only in letter case.
        const qint64 supplier = book.addPartner(QStringLiteral("d"), QStringLiteral("Petar"));
        const qint64 costPlace = book.addPartner(QStringLiteral("K"), QStringLiteral("Petar"));
        book.addPartner(QStringLiteral("k"), QStringLiteral("Kupac Čelik"));
        const qint64 lower = book.addPartner(QStringLiteral("k"), QStringLiteral("kupac čelik"));
        book.addDocumentKind(QStringLiteral("Račun"));
        const qint64 lowerKind = book.addDocumentKind(QStringLiteral("račun"));
        book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"), QStringLiteral("10"), QStringLiteral("1"));
        MsgBoxScript msgs;
        const QString lastHeader =
            QStringLiteral("select idkd || '/' || ifnull(dokument, '') from pi order by id desc");

        frmPrimka* w = openWindow(QStringLiteral("Izdatnica"));
        for (const auto& [name, id] :
             {std::pair{QStringLiteral("Petar"), costPlace}, std::pair{QStringLiteral("kupac čelik"), lower}}) {
            choose(w->cbokd, name);
            enterLine(w, w->Cbosifra, QStringLiteral("A1"), QStringLiteral("1"));
            msgs.answer(MsgYes);
            w->cmdprihvati->click();
            QCOMPARE(book.scalar(lastHeader).toString(), QStringLiteral("%1/").arg(id));
            QCOMPARE(book.scalar(QStringLiteral("select idkd from ulazizlaz order by id desc")).toLongLong(), id);
        }
        closeWindow(w);

        w = openWindow(QStringLiteral("Primka"));
        choose(w->cbokd, QStringLiteral("Petar"));
        choose(w->cbodokument, QStringLiteral("račun"));
        typeInto(w->txtbroj, QStringLiteral("R-1"));
        enterLine(w, w->Cbosifra, QStringLiteral("A1"), QStringLiteral("1"), QStringLiteral("1"));
        msgs.answer(MsgYes);
        w->cmdprihvati->click();
        QCOMPARE(book.scalar(lastHeader).toString(), QStringLiteral("%1/%2").arg(supplier).arg(lowerKind));
        QCOMPARE(msgs.unanswered(), 0);
    }

    void aRenamedSupplierIsStillTheOnePostedTo()
    {
        StockBook book;
        const qint64 supplier = book.addPartner(QStringLiteral("d"), QStringLiteral("Zlatar"));
        book.addPartner(QStringLiteral("d"), QStringLiteral("Ana"));
        book.addDocumentKind(QStringLiteral("Račun"));
        book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"));
        MsgBoxScript msgs;
        frmPrimka* w = openWindow(QStringLiteral("Primka"));
        fillReceiptHeader(w, QStringLiteral("Zlatar"));
        enterLine(w, w->Cbosifra, QStringLiteral("A1"), QStringLiteral("1"), QStringLiteral("1"));

        // The supplier is renamed in the partners window opened from the document.
        w->cmddobavljac->click();
        QPointer<frmunos> partners = frmunos::loaded();
        QVERIFY(partners);
        const QAbstractItemModel* stored = partners->lsveditkd->model();
        const QModelIndexList row =
            stored->match(stored->index(0, 1), Qt::DisplayRole, QStringLiteral("Zlatar"), 1, Qt::MatchExactly);
        QCOMPARE(row.size(), 1);
        QTest::mouseClick(partners->lsveditkd->viewport(), Qt::LeftButton, {},
                          partners->lsveditkd->visualRect(row.first()).center());
        partners->cmdeditiraj->click();
        partners->txtime->setText(QStringLiteral("Zlatar i sin"));
        msgs.answer(MsgYes);
        partners->cmdizmijeni->click();
        QCOMPARE(w->cbokd->currentText(), QStringLiteral("Zlatar i sin"));

        msgs.answer(MsgYes);
        w->cmdprihvati->click();
        QCOMPARE(book.scalar(QStringLiteral("select idkd from pi")).toLongLong(), supplier);
        QCOMPARE(msgs.unanswered(), 0);
    }

    void whatChangedBeforePostingIsNamed_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("numberNow");
        QTest::newRow("kind deleted") << "Primka"
                                      << "delete from dokumenti"
                                      << "Nema dokumenta u tablici, morate dodati dokument!"
                                      << "Nema dokumenta"
                                      << "1";
        QTest::newRow("article deleted") << "Primka"
                                         << "delete from artikli"
                                         << "Nema artikla u tablici, morate dodati artikl!"
                                         << "Nema artikla"
                                         << "1";
        QTest::newRow("stock issued meanwhile") << "Izdatnica"
                                                << "update artikli set stanje = 1"
                                                << "Na skladištu nema toliko!\r\nAlfa (A1): na skladištu je "
                                                   "1,00, izdaje se 2,00"
                                                << "Nema toliko!"
                                                << "1";
        // Another copy of the program posted the proposed number.
        QTest::newRow("receipt number taken")
            << "Primka"
            << "insert into pi(pi, brojpi, datumpi, idkd) values('P', 1, '2024-03-01', 2)"
            << "Broj primke u međuvremenu je zauzet; novi broj je 2. Pokušajte ponovno."
            << "Unošenje"
            << "2";
        QTest::newRow("issue-note number taken")
            << "Izdatnica"
            << "insert into pi(pi, brojpi, datumpi, idkd) values('I', 1, '2024-03-01', 1)"
            << "Broj izdatnice u međuvremenu je zauzet; novi broj je 2. Pokušajte ponovno."
            << "Unošenje"
            << "2";
    }
    void whatChangedBeforePostingIsNamed()
    {
        QFETCH(QString, mode);
        QFETCH(QString, change);
        StockBook book;
        book.addPartner(QStringLiteral("d"), QStringLiteral("Dobavljač d.o.o."));
        book.addDocumentKind(QStringLiteral("Račun"));
        book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"), QStringLiteral("5"), QStringLiteral("1"));
        MsgBoxScript msgs;
        frmPrimka* w = openWindow(mode);
        if (mode == "Primka")
            fillReceiptHeader(w);
        else
            choose(w->cbokd, QStringLiteral("Proizvodnja"));
        enterLine(w, w->Cbosifra, QStringLiteral("A1"), QStringLiteral("2"),
                  mode == "Primka" ? QStringLiteral("1") : QString());
        book.exec(change);
        const QVariant stock = book.scalar(QStringLiteral("select total(stanje) from artikli"));
        const int headers = book.scalar(QStringLiteral("select count(*) from pi")).toInt();

        msgs.answer(MsgYes);
        w->cmdprihvati->click();
        QCOMPARE(msgs.calls().size(), 2);
        QTEST(msgs.last().prompt, "message");
        QTEST(msgs.last().title, "title");
        QCOMPARE(msgs.last().style, 48);
        QCOMPARE(book.scalar(QStringLiteral("select count(*) from pi")).toInt(), headers);
        QCOMPARE(book.scalar(QStringLiteral("select total(stanje) from artikli")), stock);
        QCOMPARE(w->lsvartprimka->topLevelItemCount(), 1);
        QTEST(w->txtprimka->text(), "numberNow");
        if (headers == 0)
            return;
        // Confirmed again, the document goes in under the new number.
        msgs.answer(MsgYes);
        w->cmdprihvati->click();
        QCOMPARE(book.scalar(QStringLiteral("select group_concat(brojpi) from pi")).toString(), QStringLiteral("1,2"));
        QCOMPARE(w->lsvartprimka->topLevelItemCount(), 0);
    }

    void postingFailureKeepsTheDocument()
    {
        StockBook book;
        book.addPartner(QStringLiteral("d"), QStringLiteral("Dobavljač d.o.o."));
        book.addDocumentKind(QStringLiteral("Račun"));
        const qint64 a = book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"));
        MsgBoxScript msgs;
        frmPrimka* w = openWindow(QStringLiteral("Primka"));
        fillReceiptHeader(w);
        enterLine(w, w->Cbosifra, QStringLiteral("A1"), QStringLiteral("2"), QStringLiteral("3"));
        book.exec(QStringLiteral("drop table ulazizlaz"));

        msgs.answer(MsgYes);
        w->cmdprihvati->click();
        QCOMPARE(msgs.calls().size(), 2);
        QVERIFY2(msgs.last().prompt.contains(QStringLiteral("ulazizlaz")), qPrintable(msgs.last().prompt));
        QCOMPARE(msgs.last().style, 16);
        QCOMPARE(book.scalar(QStringLiteral("select count(*) from pi")).toInt(), 0);
        QCOMPARE(book.figures(a), (QStringList{"0", "0", "0"}));
        QCOMPARE(w->lsvartprimka->topLevelItemCount(), 1);
        QCOMPARE(w->txtprimka->text(), QStringLiteral("1"));
        QCOMPARE(w->txtbroj->text(), QStringLiteral("R-77"));
        QCOMPARE(w->cbodokument->currentText(), QStringLiteral("Račun"));
    }

    void closingQuestion_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<bool>("completeHeader");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("headers");
        QTest::newRow("cancel stays") << QList<int>{MsgCancel} << true << false << 0;
        QTest::newRow("no drops the lines") << QList<int>{MsgNo} << true << true << 0;
        QTest::newRow("yes posts and closes") << QList<int>{MsgYes, MsgYes} << true << true << 1;
        QTest::newRow("yes but refused stays") << QList<int>{MsgYes} << false << false << 0;
        QTest::newRow("yes but not confirmed stays") << QList<int>{MsgYes, MsgNo} << true << false << 0;
    }
    void closingQuestion()
    {
        QFETCH(QList<int>, answers);
        QFETCH(bool, completeHeader);
        QFETCH(bool, closes);
        StockBook book;
        book.addPartner(QStringLiteral("d"), QStringLiteral("Dobavljač d.o.o."));
        book.addDocumentKind(QStringLiteral("Račun"));
        book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"));
        MsgBoxScript msgs;
        QPointer<frmPrimka> w = openWindow(QStringLiteral("Primka"));
        if (completeHeader)
            fillReceiptHeader(w);
        enterLine(w, w->Cbosifra, QStringLiteral("A1"), QStringLiteral("2"), QStringLiteral("3"));
        AppState::izprimke = true;
        for (int a : answers)
            msgs.answer(a);

        w->cmdodustani->click();
        QCOMPARE(msgs.calls().first().prompt,
                 QStringLiteral("Imate unešene podatke na listu desno! Želite ih obraditi?"));
        QCOMPARE(msgs.calls().first().style, 35);
        QCOMPARE(msgs.calls().first().title, QStringLiteral("Obrada unešenih podataka!"));
        QCOMPARE(msgs.pendingAnswers(), 0);
        QTEST(book.scalar(QStringLiteral("select count(*) from pi")).toInt(), "headers");
        if (closes) {
            QTRY_VERIFY(!w);
            QVERIFY(book.menusEnabled());
            QVERIFY(!AppState::izprimke);
        } else {
            QTest::qWait(10);
            QVERIFY(w);
            QCOMPARE(w->lsvartprimka->topLevelItemCount(), 1);
            QVERIFY(!book.menusEnabled());
            QVERIFY(AppState::izprimke);
        }
    }

    void closingWithAnEmptyListAsksNothing()
    {
        StockBook book;
        MsgBoxScript msgs;
        QPointer<frmPrimka> w = openWindow(QStringLiteral("Primka"));
        w->cmdodustani->click();
        QTRY_VERIFY(!w);
        QCOMPARE(msgs.calls().size(), 0);
        QVERIFY(book.menusEnabled());
    }

    // Codes that differ in letter case, or hold a pattern character, each name their own article.
    void eachCodeKeepsItsArticle()
    {
        StockBook book;
        const qint64 upper =
            book.addArticle(QStringLiteral("A1"), QStringLiteral("Prvi"), QStringLiteral("1"), QStringLiteral("1"));
        const qint64 lower =
            book.addArticle(QStringLiteral("a1"), QStringLiteral("Drugi"), QStringLiteral("2"), QStringLiteral("2"));
        const qint64 star =
            book.addArticle(QStringLiteral("A*"), QStringLiteral("Treći"), QStringLiteral("3"), QStringLiteral("3"));
        book.addArticle(QStringLiteral("AB"), QStringLiteral("Četvrti"), QStringLiteral("4"), QStringLiteral("4"));
        frmPrimka* w = openWindow(QStringLiteral("Izdatnica"));
        const QList<QPair<QString, qint64>> cases{{"a1", lower}, {"A1", upper}, {"A*", star}};
        for (const auto& [code, id] : cases) {
            choose(w->Cbosifra, code);
            QCOMPARE(w->lblartikl->text(), QString::number(id));
            QCOMPARE(w->txtpokazkolicine->text(), w->txtcijena->text());
        }
        choose(w->cbonaziv, QStringLiteral("Drugi"));
        QCOMPARE(w->Cbosifra->currentText(), QStringLiteral("a1"));
        QCOMPARE(w->lblartikl->text(), QString::number(lower));
    }

    void aVanishedArticleLeavesNothingBehind()
    {
        StockBook book;
        book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"), QStringLiteral("8"), QStringLiteral("3"));
        const qint64 gone =
            book.addArticle(QStringLiteral("B2"), QStringLiteral("Beta"), QStringLiteral("5"), QStringLiteral("1"));
        MsgBoxScript msgs;
        frmPrimka* w = openWindow(QStringLiteral("Izdatnica"));
        choose(w->cbonaziv, QStringLiteral("Alfa"));
        QCOMPARE(w->txtcijena->text(), QStringLiteral("3"));
        book.exec(QStringLiteral("delete from artikli where id = ?"), {gone});
        choose(w->cbonaziv, QStringLiteral("Beta"));
        QCOMPARE(w->lblartikl->text(), QString());
        QCOMPARE(w->txtcijena->text(), QString());
        QCOMPARE(w->txtpokazkolicine->text(), QString());
        w->txtkolicina->setText(QStringLiteral("1"));
        w->cmddodaj->click();
        QCOMPARE(w->lsvartprimka->topLevelItemCount(), 0);
        closeWindow(w);

        // On a receipt the typed price gives an amount: the missing article alone refuses the line.
        const qint64 later =
            book.addArticle(QStringLiteral("C3"), QStringLiteral("Gama"), QStringLiteral("5"), QStringLiteral("1"));
        w = openWindow(QStringLiteral("Primka"));
        book.exec(QStringLiteral("delete from artikli where id = ?"), {later});
        choose(w->cbonaziv, QStringLiteral("Gama"));
        QCOMPARE(w->lblartikl->text(), QString());
        typeInto(w->txtkolicina, QStringLiteral("1"));
        typeInto(w->txtcijena, QStringLiteral("2"));
        w->cmddodaj->click();
        QCOMPARE(msgs.last().prompt, QStringLiteral("Nije unešena šifra ili naziv!"));
        QCOMPARE(w->lsvartprimka->topLevelItemCount(), 0);
    }

    void modeAndBookAreFixedWhenTheWindowOpens()
    {
        StockBook book;
        book.addPartner(QStringLiteral("d"), QStringLiteral("Dobavljač d.o.o."));
        book.addDocumentKind(QStringLiteral("Račun"));
        const qint64 a = book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"));
        MsgBoxScript msgs;
        frmPrimka* w = openWindow(QStringLiteral("Primka"));
        AppState::vrstadokumenta = QStringLiteral("proizvodnja");
        AppState::bazaknjige = QStringLiteral("Skladiste2.mdb");
        fillReceiptHeader(w);
        enterLine(w, w->Cbosifra, QStringLiteral("A1"), QStringLiteral("2"), QStringLiteral("3"));
        QCOMPARE(w->txtcijena->text(), QString());
        msgs.answer(MsgYes);
        w->cmdprihvati->click();
        QCOMPARE(book.figures(a), (QStringList{"2", "6", "3"}));
        QCOMPARE(book.scalar(QStringLiteral("select pi from pi")).toString(), QStringLiteral("P"));
    }

    void helpPaneOfEachMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("pane");
        QTest::addColumn<QString>("caption");
        QTest::newRow("receipt") << "Primka"
                                 << "txtpomoc"
                                 << "Primka     Pomoć  F1";
        QTest::newRow("issue") << "Izdatnica"
                               << "txtpomoc1"
                               << "Izdatnica      Pomoć F1";
    }
    void helpPaneOfEachMode()
    {
        QFETCH(QString, mode);
        QFETCH(QString, pane);
        StockBook book;
        frmPrimka* w = openWindow(mode);
        QTextEdit* help = w->findChild<QTextEdit*>(pane);
        QTest::keyClick(w->txtkolicina, Qt::Key_F1);
        QVERIFY(help->isVisible());
        QVERIFY(!w->frameartikli->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("F1 vrati se u mod unosa!"));
        QVERIFY(help->toPlainText().startsWith(QStringLiteral("F1 pomoć i izlaz iz pomoći\n\n")));
        QTest::keyClick(w, Qt::Key_F1);
        QVERIFY(!help->isVisible());
        QVERIFY(w->frameartikli->isVisible());
        QTEST(w->windowTitle(), "caption");
    }

    void masterDataWindowsRefillThePickers()
    {
        StockBook book;
        book.addPartner(QStringLiteral("d"), QStringLiteral("Stari"));
        const qint64 a =
            book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"), QStringLiteral("5"), QStringLiteral("2"));
        frmPrimka* w = openWindow(QStringLiteral("Izdatnica"));
        choose(w->cbonaziv, QStringLiteral("Alfa"));
        const qint64 b =
            book.addArticle(QStringLiteral("B2"), QStringLiteral("Beta"), QStringLiteral("7"), QStringLiteral("4"));
        const qint64 c =
            book.addArticle(QStringLiteral("C3"), QStringLiteral("ante"), QStringLiteral("3"), QStringLiteral("1,5"));

        // The articles window's articles in the order stored: the last becomes the line's article, with its price and
        // stock.
        StockDocumentLink::showArticles({{a, QStringLiteral("A1"), QStringLiteral("Alfa")},
                                         {b, QStringLiteral("B2"), QStringLiteral("Beta")},
                                         {c, QStringLiteral("C3"), QStringLiteral("ante")}});
        QCOMPARE(comboTexts(w->Cbosifra), QStringList({"A1", "B2", "C3"}));
        QCOMPARE(w->lstid->item(2)->text(), QString::number(c));
        QCOMPARE(w->cbonaziv->currentText(), QStringLiteral("ante"));
        QCOMPARE(w->lblartikl->text(), QString::number(c));
        QCOMPARE(w->txtpokazkolicine->text(), QStringLiteral("3"));
        QCOMPARE(w->txtcijena->text(), QStringLiteral("1,5"));

        // Afresh from the book in name order, nothing is shown; the line's id is the last article's by name.
        StockDocumentLink::refillArticlePickers();
        QCOMPARE(comboTexts(w->cbonaziv), QStringList({"Alfa", "ante", "Beta"}));
        QCOMPARE(w->lstid->item(0)->text(), QString::number(a));
        QCOMPARE(w->Cbosifra->currentIndex(), -1);
        QCOMPARE(w->cbonaziv->currentText(), QString());
        QCOMPARE(w->lblartikl->text(), QString::number(b));

        // New partners of the window's own kind; the newest is shown.
        book.addPartner(QStringLiteral("K"), QStringLiteral("Novi kupac"));
        book.addPartner(QStringLiteral("d"), QStringLiteral("Novi dobavljač"));
        using StockDocumentLink::PartnerRefill;
        StockDocumentLink::refillPartnerPicker(QStringLiteral("Izdatnica"), PartnerRefill::AfterAccept);
        QCOMPARE(w->cbokd->count(), 2);
        QCOMPARE(w->cbokd->currentText(), QStringLiteral("Novi kupac"));
        // Yes to the partners window's closing question shows the oldest, its exit button the newest.
        StockDocumentLink::refillPartnerPicker(QStringLiteral("Izdatnica"), PartnerRefill::AfterClosingYes);
        QCOMPARE(w->cbokd->currentText(), QStringLiteral("Proizvodnja"));
        StockDocumentLink::refillPartnerPicker(QStringLiteral("Izdatnica"), PartnerRefill::OnExit);
        QCOMPARE(w->cbokd->currentText(), QStringLiteral("Novi kupac"));
    }

    // The road of a person who needs a new article while writing a receipt.
    void articlesWindowOpenedFromAReceiptRefillsItsPickers()
    {
        StockBook book;
        MsgBoxScript msgs;
        const qint64 zeta = book.addArticle(QStringLiteral("Z1"), QStringLiteral("Zeta"));
        const qint64 alfa = book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"));
        frmPrimka* w = openWindow(QStringLiteral("Primka"));
        QCOMPARE(comboTexts(w->cbonaziv), QStringList({"Alfa", "Zeta"}));
        choose(w->cbonaziv, QStringLiteral("Zeta"));

        // Loading the articles window puts the pickers in the order stored, the last stored article on the line.
        w->cmdartikl->click();
        QPointer<frmartikli> articles = frmartikli::loaded();
        QVERIFY(articles && articles->isVisible());
        QCOMPARE(comboTexts(w->cbonaziv), QStringList({"Zeta", "Alfa"}));
        QCOMPARE(w->lstid->item(0)->text(), QString::number(zeta));
        QCOMPARE(w->Cbosifra->currentText(), QStringLiteral("A1"));
        QCOMPARE(w->cbonaziv->currentText(), QStringLiteral("Alfa"));
        QCOMPARE(w->lblartikl->text(), QString::number(alfa));

        // A stored article becomes the line's article at once.
        typeInto(articles->txtsifra, QStringLiteral("B1"));
        typeInto(articles->txtnaziv, QStringLiteral("Beta"));
        typeInto(articles->txtjedmjere, QStringLiteral("kom"));
        articles->cmddodaj->click();
        msgs.answer(MsgOk);
        articles->cmdprihvati->click();
        QCOMPARE(comboTexts(w->Cbosifra), QStringList({"Z1", "A1", "B1"}));
        QCOMPARE(w->cbonaziv->currentText(), QStringLiteral("Beta"));
        const QString beta = w->lblartikl->text();
        QCOMPARE(book.scalar(QStringLiteral("select naziv from artikli where id = ?"), {beta}).toString(),
                 QStringLiteral("Beta"));

        // Closing it after a change puts them in name order with no article shown.
        articles->cmdodustani->click();
        QTRY_VERIFY(!articles);
        QCOMPARE(comboTexts(w->cbonaziv), QStringList({"Alfa", "Beta", "Zeta"}));
        QCOMPARE(comboTexts(w->Cbosifra), QStringList({"A1", "B1", "Z1"}));
        QCOMPARE(w->cbonaziv->currentText(), QString());
        QCOMPARE(w->lblartikl->text(), QString::number(zeta));
        // A line still needs an article the user can see.
        typeInto(w->txtkolicina, QStringLiteral("2"));
        typeInto(w->txtcijena, QStringLiteral("3"));
        w->cmddodaj->click();
        QCOMPARE(w->lsvartprimka->topLevelItemCount(), 0);
        QCOMPARE(msgs.last().prompt, QStringLiteral("Nije unešena šifra ili naziv!"));
        enterLine(w, w->cbonaziv, QStringLiteral("Beta"), QStringLiteral("2"), QStringLiteral("3"));
        QCOMPARE(rowTexts(w->lsvartprimka, 0).last(), beta);
        QCOMPARE(msgs.calls().size(), 2);
    }

    void partnersAndArticlesOpenedFromTheDocument()
    {
        StockBook book;
        MsgBoxScript msgs;
        frmPrimka* w = openWindow(QStringLiteral("Izdatnica"));
        w->cmddobavljac->click();
        QPointer<frmunos> partners = frmunos::loaded();
        QVERIFY(partners && partners->isVisible());
        QVERIFY(AppState::izprimke);
        QCOMPARE(partners->lblpd->text(), QStringLiteral("I"));
        partners->txtkd->setText(QStringLiteral("K"));
        partners->txtime->setText(QStringLiteral("Kupac Novi"));
        QVERIFY(partners->cmddodaj->isEnabled());
        partners->cmddodaj->click();

        // Cancelling its close leaves everything as it was.
        msgs.answer(MsgCancel);
        closeWindow(partners);
        QVERIFY(partners && partners->isVisible());
        QVERIFY(AppState::izprimke);
        QVERIFY(!book.menusEnabled());

        msgs.answer(MsgYes);
        partners->cmdprihvati->click();
        QCOMPARE(w->cbokd->currentText(), QStringLiteral("Kupac Novi"));
        QCOMPARE(w->cbokd->count(), 2);
        partners->cmdodustani->click();
        QTRY_VERIFY(!partners);
        QVERIFY(!AppState::izprimke);
        QVERIFY(!book.menusEnabled());
        QCOMPARE(w->cbokd->currentText(), QStringLiteral("Kupac Novi"));
        closeWindow(w);

        w = openWindow(QStringLiteral("Primka"));
        w->cmdartikl->click();
        QVERIFY(frmartikli::isLoaded() && frmartikli::loaded()->isVisible());
        QVERIFY(AppState::izprimke);
    }
};

KNJ_REGISTER_TEST(StockDocWindowTest)
#include "tst_stockdocwindow.moc"
