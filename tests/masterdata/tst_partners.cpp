#include "core/db/appstate.h"
#include "core/db/database.h"
#include "core/stock/partners.h"
#include "masterdata/frmunos.h"
#include "masterdatatest.h"
#include "support/testmain.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

#include <memory>

using knjtest::columnTexts;
using knjtest::MsgBoxScript;

class PartnersTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_book = std::make_unique<knjtest::WarehouseBook>(); }
    void cleanup() { m_book.reset(); }

    void kindLetterAndAddButtonRules();
    void phoneFilter();
    void addAcceptAndStoredOrder();
    void failedStoreKeepsTheList();
    void editAndChange();
    void editRefusedWhileListHoldsRows();
    void closingQuestionAnswers();
    void openedFromStockDocument();
    void helpPane();

private:
    frmunos* open();
    // Types a partner into the boxes, entering each box as a person would.
    void enter(frmunos* w, const QStringList& fields);

    std::unique_ptr<knjtest::WarehouseBook> m_book;
};

frmunos* PartnersTest::open()
{
    frmunos::openFromMenu();
    frmunos* w = frmunos::loaded();
    knjtest::activate(w);
    return w;
}

void PartnersTest::enter(frmunos* w, const QStringList& fields)
{
    const QList<QLineEdit*> boxes = {w->txtkd,     w->txtime,   w->txtmb,      w->txtziroracun,
                                     w->txtmjesto, w->txtulica, w->txttelefon, w->txtkontakt};
    for (int i = 0; i < fields.size(); ++i) {
        boxes[i]->setFocus(Qt::TabFocusReason);
        knjtest::typeText(boxes[i], fields[i]);
    }
}

void PartnersTest::kindLetterAndAddButtonRules()
{
    frmunos* w = open();
    QCOMPARE(w->windowTitle(),
             QStringLiteral("Dodaj kupca/dobavljača ili izmijeni postojećeg u žutoj tablici    Pomoć  F1"));
    QVERIFY(w->txtkd->hasFocus()); // activation puts the focus into the first box
    knjtest::typeText(w->txtkd, "x");
    QCOMPARE(w->txtkd->text(), QString());
    QVERIFY(w->txtkd->hasFocus());
    knjtest::typeText(w->txtkd, "d");
    QCOMPARE(w->txtkd->text(), QStringLiteral("d"));
    QVERIFY(w->txtime->hasFocus());
    QVERIFY(!w->cmddodaj->isEnabled());
    knjtest::typeText(w->txtime, "Đ");
    QVERIFY(w->cmddodaj->isEnabled());
    QTest::keyClick(w->txtime, Qt::Key_Backspace);
    QVERIFY(!w->cmddodaj->isEnabled());
    w->txtkd->setFocus();
    QCOMPARE(w->txtkd->selectedText(), QStringLiteral("d"));
    knjtest::typeText(w->txtkd, "S"); // replaces the selected letter
    QCOMPARE(w->txtkd->text(), QStringLiteral("S"));
    QVERIFY(w->txtime->hasFocus());
}

void PartnersTest::phoneFilter()
{
    frmunos* w = open();
    w->txttelefon->setFocus();
    knjtest::typeText(w->txttelefon, "01/234-5 a+6");
    QCOMPARE(w->txttelefon->text(), QStringLiteral("01/234-56"));
    w->txtime->setFocus();
    knjtest::typeText(w->txtime, "O'Hara");
    QCOMPARE(w->txtime->text(), QStringLiteral("O'Hara")); // the apostrophe is accepted elsewhere
}

void PartnersTest::addAcceptAndStoredOrder()
{
    MsgBoxScript boxes;
    AppState::vrstadokumenta = "Primka";
    frmunos* w = open();
    QCOMPARE(columnTexts(w->lsveditkd, 1), QStringList({"Proizvodnja"}));
    enter(w, {"d", "Dom d.o.o.", "123", "2360000-1", "Zagreb", "Ilica 1", "01/234-567", "Ana"});
    QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
    QCOMPARE(w->lsvkd->topLevelItemCount(), 1);
    QCOMPARE(w->lsvkd->topLevelItem(0)->text(7), QStringLiteral("Ana"));
    QVERIFY(!w->cmddodaj->isEnabled() && w->cmdbrisi->isEnabled() && w->cmdprihvati->isEnabled());
    QCOMPARE(w->txtime->text(), QString());
    QCOMPARE(w->txtkontakt->text(), QString());
    QVERIFY(w->txtkd->hasFocus());
    enter(w, {"k", "Čelik 'Split'"});
    QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
    enter(w, {"s", "apoteka"});
    QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
    QTest::mouseClick(w->cmdbrisi, Qt::LeftButton); // nothing selected: nothing removed
    QCOMPARE(w->lsvkd->topLevelItemCount(), 3);

    boxes.answer(MsgNo);
    QTest::mouseClick(w->cmdprihvati, Qt::LeftButton);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Unošenje sa liste u bazu podataka?"));
    QCOMPARE(boxes.last().style, 36);
    QCOMPARE(boxes.last().title, QStringLiteral("Unošenje u bazu"));
    QCOMPARE(w->lsvkd->topLevelItemCount(), 3);
    QVERIFY(m_book->partnerRefills.isEmpty());

    boxes.answer(MsgYes);
    QTest::mouseClick(w->cmdprihvati, Qt::LeftButton);
    QCOMPARE(w->lsvkd->topLevelItemCount(), 0);
    QVERIFY(!w->cmddodaj->isEnabled() && !w->cmdbrisi->isEnabled() && !w->cmdprihvati->isEnabled());
    QCOMPARE(columnTexts(w->lsveditkd, 1), QStringList({"apoteka", "Čelik 'Split'", "Dom d.o.o.", "Proizvodnja"}));
    QCOMPARE(w->lsveditkd->model()->index(0, 2).data(Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(m_book->partnerRefills, QStringList({"Primka"}));
    QCOMPARE(m_book->partnerRefillSteps.last(), StockDocumentLink::PartnerRefill::AfterAccept);

    const QList<Partner> stored = Partners::inStoredOrder(m_book->bookPath());
    QCOMPARE(stored.size(), 4);
    QCOMPARE(stored[1].ime, QStringLiteral("Dom d.o.o."));
    QCOMPARE(stored[1].telefon, QStringLiteral("01/234-567"));
    QCOMPARE(stored[2].kd, QStringLiteral("k"));
    QCOMPARE(stored[2].mjesto, QString()); // optional boxes left empty are stored as empty text
    Database db = Database::open(m_book->bookPath());
    QCOMPARE(db.scalar("select count(*) from kd where mjesto = ''").toInt(), 3);
    QCOMPARE(columnTexts(w->lsveditkd, 8).last(), QString::number(stored[0].id));

    // Column header clicks sort the stored list.
    QHeaderView* header = w->lsveditkd->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
    QCOMPARE(columnTexts(w->lsveditkd, 0), QStringList({"d", "k", "k", "s"}));
    QCOMPARE(boxes.unanswered(), 0);
}

void PartnersTest::failedStoreKeepsTheList()
{
    {
        Database db = Database::open(m_book->bookPath());
        db.exec("create trigger refuse before insert on kd when new.ime = 'Drugi' "
                "begin select raise(abort, 'odbijeno'); end");
    }
    MsgBoxScript boxes;
    frmunos* w = open();
    enter(w, {"d", "Prvi"});
    QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
    enter(w, {"d", "Drugi"});
    QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
    boxes.answer(MsgYes).answer(MsgOk);
    QTest::mouseClick(w->cmdprihvati, Qt::LeftButton);
    QVERIFY(boxes.last().prompt.contains("odbijeno"));
    QCOMPARE(w->lsvkd->topLevelItemCount(), 2);
    QVERIFY(w->cmdprihvati->isEnabled());
    QCOMPARE(Partners::inStoredOrder(m_book->bookPath()).size(), 1); // only the book's own row
    QVERIFY(m_book->partnerRefills.isEmpty());

    boxes.answer(MsgYes).answer(MsgOk);
    QVERIFY(!w->close()); // Yes that fails keeps the window and its rows
    QCOMPARE(w->lsvkd->topLevelItemCount(), 2);
}

void PartnersTest::editAndChange()
{
    Partners::insertAll(m_book->bookPath(), {{0, "d", "Zlatar", "1", "", "Rijeka", "", "", ""},
                                             {0, "k", "Anić", "2", "", "Osijek", "", "", ""}});
    MsgBoxScript boxes;
    frmunos* w = open();
    QCOMPARE(columnTexts(w->lsveditkd, 1), QStringList({"Anić", "Proizvodnja", "Zlatar"}));
    knjtest::clickRow(w->lsveditkd, 2);
    QVERIFY(w->cmdeditiraj->isEnabled());
    QTest::mouseClick(w->cmdeditiraj, Qt::LeftButton);
    QCOMPARE(w->txtkd->text(), QStringLiteral("d"));
    QCOMPARE(w->txtime->text(), QStringLiteral("Zlatar"));
    QCOMPARE(w->txtmjesto->text(), QStringLiteral("Rijeka"));
    QCOMPARE(w->lblimekd->text(), QStringLiteral("Zlatar"));
    QVERIFY(!w->lblid->text().isEmpty());
    QVERIFY(w->txtkd->hasFocus());
    QCOMPARE(w->cmdizmijeni->text(), QStringLiteral("I&zmjena: Zlatar"));
    QCOMPARE(w->cmdne->text(), QStringLiteral("&Odustajem od izmjene: Zlatar"));
    QVERIFY(!w->cmddodaj->isEnabled() && !w->cmdeditiraj->isEnabled() && !w->cmdprihvati->isEnabled());

    // An emptied name is refused.
    w->txtime->clear();
    QVERIFY(!w->cmddodaj->isEnabled());
    QTest::mouseClick(w->cmdizmijeni, Qt::LeftButton);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Prva dva polja moraju biti popunjena"));
    QCOMPARE(boxes.last().style, 48);
    QCOMPARE(boxes.last().title, QStringLiteral("Popunjavanje polja"));
    QVERIFY(w->txtkd->hasFocus());

    // The question names the partner as loaded; No cancels the edit without writing.
    w->txtime->setFocus();
    knjtest::typeText(w->txtime, QStringLiteral("Zlatar i sin"));
    // The partner being edited cannot be added again as a new one.
    QVERIFY(!w->cmddodaj->isEnabled());
    QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
    QCOMPARE(w->lsvkd->topLevelItemCount(), 0);
    boxes.answer(MsgNo);
    QTest::mouseClick(w->cmdizmijeni, Qt::LeftButton);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Želite promjeniti stanje: Zlatar"));
    QCOMPARE(boxes.last().style, 36);
    QCOMPARE(boxes.last().title, QStringLiteral("Promjena stanja?"));
    QCOMPARE(w->cmdizmijeni->text(), QStringLiteral("Izmjena"));
    QCOMPARE(w->cmdne->text(), QStringLiteral("Odustajem od izmjene"));
    QVERIFY(w->lblid->text().isEmpty() && !w->cmdizmijeni->isEnabled() && !w->cmdne->isEnabled());
    QCOMPARE(w->txtime->text(), QString());
    QCOMPARE(Partners::inStoredOrder(m_book->bookPath())[1].ime, QStringLiteral("Zlatar"));

    // Yes writes every column; the stored list comes back in stored order.
    knjtest::doubleClickRow(w->lsveditkd, 2);
    w->txtime->setText(QStringLiteral("Zlatar 'Đ'"));
    w->txttelefon->setText(QStringLiteral("051/111"));
    boxes.answer(MsgYes);
    QTest::mouseClick(w->cmdizmijeni, Qt::LeftButton);
    const Partner changed = Partners::inStoredOrder(m_book->bookPath())[1];
    QCOMPARE(changed.ime, QStringLiteral("Zlatar 'Đ'"));
    QCOMPARE(changed.telefon, QStringLiteral("051/111"));
    QCOMPARE(changed.mjesto, QStringLiteral("Rijeka"));
    QCOMPARE(columnTexts(w->lsveditkd, 1), QStringList({"Proizvodnja", "Zlatar 'Đ'", "Anić"}));
    QVERIFY(w->lblid->text().isEmpty() && w->lblimekd->text().isEmpty());
    QVERIFY(!w->cmdizmijeni->isEnabled() && !w->cmdne->isEnabled() && !w->cmdeditiraj->isEnabled());
    QCOMPARE(w->txtime->text(), QString());
    // The stock-document window's picker shows the changed name.
    QCOMPARE(m_book->partnerRefillSteps,
             QList<StockDocumentLink::PartnerRefill>{StockDocumentLink::PartnerRefill::AfterChange});
}

void PartnersTest::editRefusedWhileListHoldsRows()
{
    MsgBoxScript boxes;
    frmunos* w = open();
    enter(w, {"k", "Novi"});
    QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
    knjtest::doubleClickRow(w->lsveditkd, 0);
    QCOMPARE(boxes.calls().size(), 1);
    QCOMPARE(boxes.last().prompt,
             QStringLiteral("Onemogućeno editiranje dok se ne riješe kupci ili dobavljači unešeni na listu!"));
    QCOMPARE(boxes.last().style, 48);
    QCOMPARE(boxes.last().title, QStringLiteral("Onemogućeno editiranje"));
    QVERIFY(!w->cmdeditiraj->isEnabled());
    QCOMPARE(w->txtime->text(), QString());
    QVERIFY(w->lblid->text().isEmpty());
}

void PartnersTest::closingQuestionAnswers()
{
    MsgBoxScript boxes;
    AppState::vrstadokumenta = "Izdatnica";
    frmunos* w = open();
    QVERIFY(w->close()); // an empty list: no question
    QCOMPARE(boxes.calls().size(), 0);
    QCOMPARE(m_book->menus.last(), qMakePair(MenuGroup::Warehouse, true));
    QTRY_VERIFY(!frmunos::isLoaded());

    for (const int answer : {int(MsgCancel), int(MsgNo), int(MsgYes)}) {
        m_book->menus.clear();
        w = open();
        enter(w, {"k", QStringLiteral("Kupac %1").arg(answer)});
        QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
        boxes.answer(answer);
        const bool closed = w->close();
        QCOMPARE(boxes.last().prompt, QStringLiteral("Želite li spremiti u skladište unešene podatke sa liste desno?"));
        QCOMPARE(boxes.last().style, 35);
        QCOMPARE(boxes.last().title, QStringLiteral("Unošenje u skladište!"));
        if (answer == MsgCancel) {
            QVERIFY(!closed);
            QCOMPARE(w->lsvkd->topLevelItemCount(), 1);
            QCOMPARE(m_book->menus.size(), 1); // menus stay off while the window stays open
            boxes.answer(MsgNo);
            QVERIFY(w->close());
        } else {
            QVERIFY(closed);
        }
        QCOMPARE(m_book->menus.last(), qMakePair(MenuGroup::Warehouse, true));
        QTRY_VERIFY(!frmunos::isLoaded());
    }
    QCOMPARE(m_book->partnerRefills, QStringList({"Izdatnica"})); // Yes stored and refilled
    QCOMPARE(m_book->partnerRefillSteps.last(), StockDocumentLink::PartnerRefill::AfterClosingYes);
    const QList<Partner> stored = Partners::inStoredOrder(m_book->bookPath());
    QCOMPARE(stored.size(), 2);
    QCOMPARE(stored[1].ime, QStringLiteral("Kupac 6"));
}

void PartnersTest::openedFromStockDocument()
{
    MsgBoxScript boxes;
    AppState::vrstadokumenta = "Izdatnica";
    frmunos::openFromStockDocument("P");
    frmunos* w = frmunos::loaded();
    knjtest::activate(w);
    QVERIFY(AppState::izprimke);
    QCOMPARE(w->lblpd->text(), QStringLiteral("P"));
    QVERIFY(m_book->menus.isEmpty());

    enter(w, {"d", "Dobavljač"});
    QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
    boxes.answer(MsgCancel);
    QVERIFY(!w->close());
    QVERIFY(AppState::izprimke); // a called-off closing changes neither izprimke nor the menus
    QVERIFY(m_book->menus.isEmpty());

    // The exit button refills by the stock-document window's own kind letter, then closes.
    boxes.answer(MsgNo);
    QTest::mouseClick(w->cmdodustani, Qt::LeftButton);
    QCOMPARE(m_book->partnerRefills, QStringList({"Primka"}));
    QCOMPARE(m_book->partnerRefillSteps.last(), StockDocumentLink::PartnerRefill::OnExit);
    QCOMPARE(m_book->menus, (QList<QPair<MenuGroup, bool>>{{MenuGroup::Warehouse, false}}));
    QVERIFY(!AppState::izprimke);
    QTRY_VERIFY(!frmunos::isLoaded());

    // Opened from the menu, the exit button refills nothing.
    w = open();
    QTest::mouseClick(w->cmdodustani, Qt::LeftButton);
    QCOMPARE(m_book->partnerRefills.size(), 1);
    QCOMPARE(m_book->menus.last(), qMakePair(MenuGroup::Warehouse, true));
}

void PartnersTest::helpPane()
{
    frmunos* w = open();
    QTest::keyClick(w, Qt::Key_F1);
    QVERIFY(w->txtpomoc->isVisible());
    QVERIFY(!w->frameartikli->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("F1 vrati se u mod unosa!"));
    QVERIFY(w->txtpomoc->toPlainText().startsWith("F1 Pomoć i izlaz iz pomoći\n\nK/D/S - "));
    QVERIFY(w->txtpomoc->toPlainText().contains("30 znakova.\n Unos je obavezan.\n\nŽiro račun"));
    QTest::keyClick(w, Qt::Key_F1);
    QVERIFY(!w->txtpomoc->isVisible());
    QCOMPARE(w->windowTitle(),
             QStringLiteral(" Dodaj kupca/dobavljača ili izmijeni postojećeg u žutoj tablici    Pomoć  F1"));
    QTest::keyClick(w, Qt::Key_Escape);
    QTRY_VERIFY(!frmunos::isLoaded());
}

KNJ_REGISTER_TEST(PartnersTest)
#include "tst_partners.moc"
