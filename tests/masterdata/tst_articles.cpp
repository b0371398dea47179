#include "common/listmodel.h"
#include "core/db/appstate.h"
#include "core/db/database.h"
#include "core/stock/articles.h"
#include "masterdata/frmartikli.h"
#include "masterdatatest.h"
#include "support/testmain.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QFontMetrics>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using knjtest::columnTexts;
using knjtest::MsgBoxScript;

class ArticlesTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_book = std::make_unique<knjtest::WarehouseBook>(); }
    void cleanup() { m_book.reset(); }

    void addAndAcceptStoresTheList();
    void duplicateCodesAndBarcodes();
    void failedStoreKeepsTheList();
    void numberBoxCommitsBeforeMnemonicClick();
    void removeRows();
    void editAndChangeStoredArticle();
    void editRefusedWhileListHoldsRows();
    void sortedStoredListKeepsTheChosenArticle();
    void closingQuestionAnswers();
    void openedFromStockDocument();

private:
    frmartikli* open();
    void enter(frmartikli* w, const QString& code, const QString& barcode, const QString& name, const QString& unit,
               const QString& minimum = QString());
    void storeArticles(const QList<ArticleEntry>& entries) { Articles::insertAll(m_book->bookPath(), entries); }

    std::unique_ptr<knjtest::WarehouseBook> m_book;
};

frmartikli* ArticlesTest::open()
{
    frmartikli::openFromMenu();
    frmartikli* w = frmartikli::loaded();
    knjtest::activate(w);
    return w;
}

// Types into the boxes as a person would: each box entered by Tab-free focus, text typed by key events.
void ArticlesTest::enter(frmartikli* w, const QString& code, const QString& barcode, const QString& name,
                         const QString& unit, const QString& minimum)
{
    const QList<QPair<QLineEdit*, QString>> fields = {{w->txtsifra, code},
                                                      {w->txtbarkod, barcode},
                                                      {w->txtnaziv, name},
                                                      {w->txtjedmjere, unit},
                                                      {w->txtminkolicina, minimum}};
    for (const auto& [box, text] : fields) {
        box->setFocus(Qt::TabFocusReason);
        if (!text.isEmpty())
            knjtest::typeText(box, text);
    }
}

void ArticlesTest::addAndAcceptStoresTheList()
{
    MsgBoxScript boxes;
    frmartikli* w = open();
    QCOMPARE(w->windowTitle(), QStringLiteral("Unos novog artikla     Pomoć  F1"));
    QCOMPARE(m_book->menus, (QList<QPair<MenuGroup, bool>>{{MenuGroup::Warehouse, false}}));
    QCOMPARE(w->txtminkolicina->text(), QStringLiteral("0,00"));
    QVERIFY(!w->cmddodaj->isEnabled());

    enter(w, " A1 ", "", "Čokolada mliječna", "kom");
    QVERIFY(w->cmddodaj->isEnabled());
    w->txtminkolicina->setFocus(Qt::TabFocusReason);
    QCOMPARE(w->txtminkolicina->selectedText(), QStringLiteral("0,00"));
    knjtest::typeText(w->txtminkolicina, "5");
    QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
    QCOMPARE(w->lsvartikli->topLevelItemCount(), 1);
    const QStringList first = {"A1", "", "Čokolada mliječna", "kom", "5,00"};
    for (int c = 0; c < first.size(); ++c)
        QCOMPARE(w->lsvartikli->topLevelItem(0)->text(c), first[c]);
    QCOMPARE(w->txtsifra->text(), QString());
    QCOMPARE(w->txtnaziv->text(), QString());
    QCOMPARE(w->txtminkolicina->text(), QStringLiteral("0,00"));
    QVERIFY(w->txtsifra->hasFocus());
    QVERIFY(!w->cmddodaj->isEnabled());
    QVERIFY(w->cmdprihvati->isEnabled() && w->cmdbrisi->isEnabled());

    enter(w, "B2", "3850001", "O'Brien sok", "l", ",0,5"); // the comma is refused while "0,00" is selected
    QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
    QCOMPARE(columnTexts(w->lsvartikli, 4), QStringList({"5,00", "0,50"}));

    boxes.answer(MsgCancel); // not OK: nothing stored
    QTest::mouseClick(w->cmdprihvati, Qt::LeftButton);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Unosimo u bazu artikle iz liste desno"));
    QCOMPARE(boxes.last().style, 33);
    QCOMPARE(boxes.last().title, QStringLiteral("Unošenje podataka"));
    QCOMPARE(w->lsvartikli->topLevelItemCount(), 2);
    QVERIFY(Articles::all(m_book->bookPath()).isEmpty());

    boxes.answer(MsgOk);
    QTest::mouseClick(w->cmdprihvati, Qt::LeftButton);
    QCOMPARE(w->lsvartikli->topLevelItemCount(), 0);
    QVERIFY(!w->cmdprihvati->isEnabled() && !w->cmdbrisi->isEnabled());
    QCOMPARE(columnTexts(w->lsvsviartikli, 0), QStringList({"A1", "B2"}));
    QCOMPARE(columnTexts(w->lsvsviartikli, 2), QStringList({"Čokolada mliječna", "O'Brien sok"}));
    QCOMPARE(columnTexts(w->lsvsviartikli, 4), QStringList({"5,00", "0,50"}));
    QCOMPARE(w->lsvsviartikli->model()->index(0, 4).data(Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignRight | Qt::AlignVCenter));
    // The stored list shows a 13-digit bar code and a 30-character name whole (a cell keeps a few pixels).
    const QFontMetrics metrics(w->lsvsviartikli->font());
    QVERIFY(w->lsvsviartikli->columnWidth(1) - 6 > metrics.horizontalAdvance(QStringLiteral("3850123456789")));
    QVERIFY(w->lsvsviartikli->columnWidth(2) - 6 >
            metrics.horizontalAdvance(QStringLiteral("Kruh i pecivo polubijelo 700 g")));

    Database db = Database::open(m_book->bookPath());
    const auto rows = db.select("select * from artikli order by id");
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[1].value("naziv").toString(), QStringLiteral("O'Brien sok"));
    QCOMPARE(rows[1].value("barkod").toString(), QStringLiteral("3850001"));
    QCOMPARE(rows[0].value("minkolicina").toDouble(), 5.0);
    for (const QSqlRecord& r : rows)
        for (const char* column : {"stanje", "vrijednost", "proscijena"}) {
            QCOMPARE(r.value(column).toDouble(), 0.0);
            QCOMPARE(r.value(column).typeId(), QMetaType::Double);
        }
    QCOMPARE(columnTexts(w->lsvsviartikli, 5),
             QStringList({rows[0].value("id").toString(), rows[1].value("id").toString()}));
    QCOMPARE(boxes.unanswered(), 0);
}

void ArticlesTest::duplicateCodesAndBarcodes()
{
    storeArticles({{"A1", "111", "Stari", "kom", Figure()}, {"E1", "", "Bez barkoda", "kom", Figure()}});
    MsgBoxScript boxes;
    frmartikli* w = open();
    struct Case
    {
        QString code, barcode, message, title;
        QLineEdit* focus;
    };
    const QString tableCode = QStringLiteral("Šifra artikla postoji, ne može se unijeti ista šifra");
    const QString tableBarcode = QStringLiteral("Isti barkod postoji već u bazi artikala! Promjenite barkod!");
    const QString listCode = QStringLiteral("Ista šifra postoji već na listi desno, promjenite šifru");
    const QString listBarcode = QStringLiteral("Isti barkod postoji već na listi desno, promjenite barkod");
    // Two entries with empty bar codes, against a stored one with an empty bar code: no collision.
    enter(w, "N1", "", "Novi", "kom");
    QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
    enter(w, "N2", "222", "Drugi", "kom");
    QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
    QCOMPARE(w->lsvartikli->topLevelItemCount(), 2);
    QCOMPARE(boxes.calls().size(), 0);

    const QList<Case> cases = {
        {" a1 ", "", tableCode, "Šifra postoji", w->txtsifra},         // blanks and letter case do not matter
        {"X1", " 111", tableBarcode, "Barkod postoji!", w->txtbarkod}, // stored bar code
        {"n1", "999", listCode, "Šifra postoji", w->txtsifra},         // on the list
        {"X2", "222 ", listBarcode, "Barkod postoji!", w->txtbarkod},  // bar code on the list
        {"N2", "111", listCode, "Šifra postoji", w->txtsifra},         // the list is checked before the table
    };
    for (const Case& c : cases) {
        w->txtsifra->clear();
        w->txtbarkod->clear();
        enter(w, c.code, c.barcode, "Ime", "kom");
        QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
        QVERIFY2(boxes.calls().size() > 0, qPrintable(c.code));
        QCOMPARE(boxes.last().prompt, c.message);
        QCOMPARE(boxes.last().style, 48);
        QCOMPARE(boxes.last().title, c.title);
        QVERIFY2(c.focus->hasFocus(), qPrintable(c.code));
        QCOMPARE(w->lsvartikli->topLevelItemCount(), 2);
        boxes.clear();
    }
    QVERIFY(w->articlesChanged()); // even a refused add marks the window as changed
}

void ArticlesTest::failedStoreKeepsTheList()
{
    {
        Database db = Database::open(m_book->bookPath());
        db.exec("create trigger refuse before insert on artikli when new.sifra = 'B2' "
                "begin select raise(abort, 'odbijeno'); end");
    }
    MsgBoxScript boxes;
    frmartikli* w = open();
    enter(w, "A1", "", "Prvi", "kom");
    QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
    enter(w, "B2", "", "Drugi", "kom");
    QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
    boxes.answer(MsgOk).answer(MsgOk);
    QTest::mouseClick(w->cmdprihvati, Qt::LeftButton);
    QCOMPARE(boxes.calls().size(), 2);
    QVERIFY(boxes.last().prompt.contains("odbijeno"));
    QCOMPARE(boxes.last().style, 0);
    QCOMPARE(w->lsvartikli->topLevelItemCount(), 2);
    QVERIFY(Articles::all(m_book->bookPath()).isEmpty()); // the first row was not kept either

    // Yes to the closing question fails the same way: the window stays open with its rows.
    boxes.answer(MsgYes).answer(MsgOk);
    QVERIFY(!w->close());
    QCOMPARE(w->lsvartikli->topLevelItemCount(), 2);
    QCOMPARE(m_book->menus.size(), 1);
}

void ArticlesTest::numberBoxCommitsBeforeMnemonicClick()
{
    MsgBoxScript boxes;
    frmartikli* w = open();
    enter(w, "A1", "", "Prvi", "kom", "100000");
    QVERIFY(w->txtminkolicina->hasFocus());
    QTest::keyClick(w, Qt::Key_D, Qt::AltModifier);
    QTRY_COMPARE(boxes.calls().size(), 1);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Možete upisati samo do 99 999!"));
    QCOMPARE(w->txtminkolicina->text(), QStringLiteral("0,00"));
    QTest::qWait(150);
    QCOMPARE(w->lsvartikli->topLevelItemCount(), 0);

    w->txtminkolicina->clear();
    knjtest::typeText(w->txtminkolicina, "7");
    QTest::keyClick(w, Qt::Key_D, Qt::AltModifier);
    QTRY_COMPARE(w->lsvartikli->topLevelItemCount(), 1);
    QCOMPARE(w->lsvartikli->topLevelItem(0)->text(4), QStringLiteral("7,00"));
    QCOMPARE(boxes.calls().size(), 1);
}

void ArticlesTest::removeRows()
{
    frmartikli* w = open();
    enter(w, "A1", "", "Prvi", "kom");
    QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
    enter(w, "B2", "", "Drugi", "kom");
    QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
    QTest::mouseClick(w->cmdbrisi, Qt::LeftButton); // nothing selected: nothing happens
    QCOMPARE(w->lsvartikli->topLevelItemCount(), 2);
    knjtest::clickRow(w->lsvartikli, 0);
    QTest::mouseClick(w->cmdbrisi, Qt::LeftButton);
    QCOMPARE(columnTexts(w->lsvartikli, 0), QStringList({"B2"}));
    QVERIFY(w->cmdbrisi->isEnabled());
    knjtest::clickRow(w->lsvartikli, 0);
    QTest::mouseClick(w->cmdbrisi, Qt::LeftButton);
    QCOMPARE(w->lsvartikli->topLevelItemCount(), 0);
    QVERIFY(!w->cmdbrisi->isEnabled() && !w->cmdprihvati->isEnabled() && !w->cmddodaj->isEnabled());
}

void ArticlesTest::editAndChangeStoredArticle()
{
    storeArticles({{"A1", "111", "Prvi", "kom", Figure::fromInt(5)}, {"B2", "", "Drugi", "kg", Figure()}});
    MsgBoxScript boxes;
    frmartikli* w = open();
    QVERIFY(!w->cmdeditiraj->isEnabled());
    knjtest::clickRow(w->lsvsviartikli, 0);
    QVERIFY(w->cmdeditiraj->isEnabled());
    QTest::mouseClick(w->cmdeditiraj, Qt::LeftButton);
    QCOMPARE(w->txtsifra->text(), QStringLiteral("A1"));
    QCOMPARE(w->txtbarkod->text(), QStringLiteral("111"));
    QCOMPARE(w->txtminkolicina->text(), QStringLiteral("5,00"));
    QCOMPARE(w->lblsifra->text(), QStringLiteral("A1"));
    QVERIFY(!w->lblida->text().isEmpty());
    QCOMPARE(w->cmdizmjena->text(), QStringLiteral("Izmjena: A1"));
    QCOMPARE(w->cmdne->text(), QStringLiteral("&Odustajem od promjene: A1"));
    QVERIFY(w->cmdizmjena->isEnabled() && w->cmdne->isEnabled());
    QVERIFY(!w->cmdeditiraj->isEnabled() && !w->cmddodaj->isEnabled());
    knjtest::typeText(w->txtnaziv, "x"); // the add gate sees edit mode
    QVERIFY(!w->cmddodaj->isEnabled());

    // Another article's code (letter case aside) is refused before the question.
    w->txtsifra->setText(QStringLiteral("b2"));
    QTest::mouseClick(w->cmdizmjena, Qt::LeftButton);
    QCOMPARE(boxes.calls().size(), 1);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Šifra artikla postoji, ne može se unijeti ista šifra"));
    QCOMPARE(boxes.last().title, QStringLiteral("Šifra postoji"));

    // An empty required box is refused.
    w->txtjedmjere->clear();
    QTest::mouseClick(w->cmdizmjena, Qt::LeftButton);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Sve osim barkoda mora biti unešeno!"));
    QCOMPARE(boxes.last().style, 32);
    QCOMPARE(boxes.last().title, QStringLiteral("Unos nepotpun"));
    QVERIFY(w->txtsifra->hasFocus());

    // No to the question leaves edit mode without writing.
    w->txtsifra->setText(QStringLiteral("A1"));
    w->txtjedmjere->setText(QStringLiteral("kom"));
    w->txtnaziv->setText(QStringLiteral("Promijenjen"));
    boxes.answer(MsgNo);
    QTest::mouseClick(w->cmdizmjena, Qt::LeftButton);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Želite mijenjati artikl pod šifrom: A1"));
    QCOMPARE(boxes.last().style, 36);
    QCOMPARE(boxes.last().title, QStringLiteral("Izmjena: A1"));
    QCOMPARE(w->cmdizmjena->text(), QStringLiteral("Izmjena"));
    QCOMPARE(w->cmdne->text(), QStringLiteral("Odustajem od promjene"));
    QVERIFY(!w->cmdizmjena->isEnabled() && !w->cmdne->isEnabled() && w->lblida->text().isEmpty());
    QCOMPARE(w->txtnaziv->text(), QString());
    QCOMPARE(w->txtminkolicina->text(), QStringLiteral("0,00"));
    QCOMPARE(Articles::all(m_book->bookPath())[0].entry.naziv, QStringLiteral("Prvi"));
    QVERIFY(!w->articlesChanged());

    // Yes stores every field, trimmed; its own code in other letters is no clash.
    knjtest::doubleClickRow(w->lsvsviartikli, 0);
    QCOMPARE(w->txtsifra->text(), QStringLiteral("A1"));
    w->txtsifra->setText(QStringLiteral(" a1 "));
    w->txtnaziv->setText(QStringLiteral("Čaj 'Zeleni'"));
    w->txtminkolicina->setFocus();
    w->txtminkolicina->setText(QStringLiteral("2,5"));
    boxes.answer(MsgYes);
    QTest::mouseClick(w->cmdizmjena, Qt::LeftButton);
    const StoredArticle changed = Articles::all(m_book->bookPath())[0];
    QCOMPARE(changed.entry.sifra, QStringLiteral("a1"));
    QCOMPARE(changed.entry.naziv, QStringLiteral("Čaj 'Zeleni'"));
    QCOMPARE(changed.entry.minkolicina, Figure::fromCents(250));
    QCOMPARE(columnTexts(w->lsvsviartikli, 0), QStringList({"a1", "B2"}));
    QCOMPARE(columnTexts(w->lsvsviartikli, 4), QStringList({"2,5", "0"}));
    QCOMPARE(w->cmdne->text(), QStringLiteral("Ostajem od promjene"));
    QCOMPARE(w->cmdizmjena->text(), QStringLiteral("I&zmjena"));
    QVERIFY(w->lblida->text().isEmpty() && w->lblsifra->text().isEmpty());
    QCOMPARE(w->txtminkolicina->text(), QStringLiteral("0,00"));
    QVERIFY(w->articlesChanged());
    QCOMPARE(boxes.calls().size(), 4);
}

void ArticlesTest::editRefusedWhileListHoldsRows()
{
    storeArticles({{"A1", "", "Prvi", "kom", Figure()}});
    MsgBoxScript boxes;
    frmartikli* w = open();
    enter(w, "N1", "", "Novi", "kom");
    QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
    knjtest::doubleClickRow(w->lsvsviartikli, 0);
    QCOMPARE(boxes.calls().size(), 1);
    QCOMPARE(boxes.last().prompt, QStringLiteral(" Editiranje onemogućeno. Trebali bi prvo riješiti listu za unošenje. "
                                                 "Obrisati listu ili je unijeti"));
    QCOMPARE(boxes.last().style, 48);
    QCOMPARE(boxes.last().title, QStringLiteral("Lista za unošenje nije prazna!"));
    QVERIFY(!w->cmdeditiraj->isEnabled() && !w->cmdizmjena->isEnabled() && !w->cmdne->isEnabled());
    QCOMPARE(w->txtsifra->text(), QString());
    QVERIFY(w->lblida->text().isEmpty());
}

// A header click sorts the stored list (Croatian order, equal names in their order, the same header again reverses);
// the chosen article stays chosen and is the one edited; a refill after a change chooses none.
void ArticlesTest::sortedStoredListKeepsTheChosenArticle()
{
    storeArticles({{"A1", "", "Šuma", "kom", Figure()},
                   {"A2", "", "cesta", "kom", Figure()},
                   {"A3", "", "Čelik", "kg", Figure()},
                   {"A4", "", "CESTA", "l", Figure()},
                   {"A5", "", "Dom", "m", Figure()}});
    MsgBoxScript boxes;
    frmartikli* w = open();
    knjtest::clickRow(w->lsvsviartikli, 1);
    knjtest::clickHeader(w->lsvsviartikli, 2);
    QCOMPARE(columnTexts(w->lsvsviartikli, 0), QStringList({"A2", "A4", "A3", "A5", "A1"}));
    QCOMPARE(lastSelectedPosition(w->lsvsviartikli), 0);
    knjtest::clickHeader(w->lsvsviartikli, 2);
    QCOMPARE(columnTexts(w->lsvsviartikli, 0), QStringList({"A1", "A5", "A3", "A2", "A4"}));
    QCOMPARE(lastSelectedPosition(w->lsvsviartikli), 3);

    QTest::mouseClick(w->cmdeditiraj, Qt::LeftButton);
    QCOMPARE(w->txtsifra->text(), QStringLiteral("A2"));
    QCOMPARE(w->lblida->text(), QString::number(Articles::all(m_book->bookPath())[1].id));
    w->txtnaziv->setText(QStringLiteral("Cesta"));
    boxes.answer(MsgYes);
    QTest::mouseClick(w->cmdizmjena, Qt::LeftButton);
    QCOMPARE(columnTexts(w->lsvsviartikli, 2), QStringList({"Šuma", "Cesta", "Čelik", "CESTA", "Dom"}));
    QCOMPARE(lastSelectedPosition(w->lsvsviartikli), -1);
}

void ArticlesTest::closingQuestionAnswers()
{
    MsgBoxScript boxes;
    // Nothing changed: no question, menus on again.
    frmartikli* w = open();
    QVERIFY(w->close());
    QCOMPARE(boxes.calls().size(), 0);
    QCOMPARE(m_book->menus.last(), qMakePair(MenuGroup::Warehouse, true));
    QTRY_VERIFY(!frmartikli::isLoaded());

    for (const int answer : {int(MsgCancel), int(MsgNo), int(MsgYes)}) {
        m_book->menus.clear();
        w = open();
        enter(w, QStringLiteral("Č%1").arg(answer), "", "Artikl", "kom");
        QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
        boxes.answer(answer);
        const bool closed = w->close();
        QCOMPARE(boxes.last().prompt, QStringLiteral("Želite li pospremiti u skladište artikle na listi desno?"));
        QCOMPARE(boxes.last().style, 35);
        QCOMPARE(boxes.last().title, QStringLiteral("Posprema u skladište"));
        if (answer == MsgCancel) {
            QVERIFY(!closed);
            QCOMPARE(w->lsvartikli->topLevelItemCount(), 1);
            QCOMPARE(m_book->menus.size(), 1); // still off while the window stays open
            m_book->menus.clear();
            boxes.answer(MsgNo);
            QVERIFY(w->close());
        } else {
            QVERIFY(closed);
        }
        QCOMPARE(m_book->menus.last(), qMakePair(MenuGroup::Warehouse, true));
        QTRY_VERIFY(!frmartikli::isLoaded());
    }
    const QList<StoredArticle> stored = Articles::all(m_book->bookPath());
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored[0].entry.sifra, QStringLiteral("Č6"));
    QCOMPARE(boxes.unanswered(), 0);
}

void ArticlesTest::openedFromStockDocument()
{
    MsgBoxScript boxes;
    // No articles yet: the window's load has nothing to hand over.
    frmartikli::openFromStockDocument();
    frmartikli* w = frmartikli::loaded();
    knjtest::activate(w);
    QVERIFY(AppState::izprimke);
    QCOMPARE(m_book->articleRefills, 0);
    QVERIFY(m_book->menus.isEmpty());
    QVERIFY(w->close()); // nothing changed: no refill
    QCOMPARE(m_book->articleRefills, 0);
    QCOMPARE(m_book->menus.last(), qMakePair(MenuGroup::Warehouse, false));
    QVERIFY(AppState::izprimke); // cleared by the stock-document window
    QTRY_VERIFY(!frmartikli::isLoaded());

    // With stored articles the load refills the pickers; an accepted list refills them again, and so does closing.
    storeArticles({{"A1", "", "Prvi", "kom", Figure()}});
    frmartikli::openFromStockDocument();
    w = frmartikli::loaded();
    knjtest::activate(w);
    QCOMPARE(m_book->articleRefills, 1);
    enter(w, "B2", "", "Drugi", "kom");
    QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
    boxes.answer(MsgOk);
    QTest::mouseClick(w->cmdprihvati, Qt::LeftButton);
    QCOMPARE(m_book->articleRefills, 2);
    QVERIFY(w->close());
    QCOMPARE(m_book->articleRefills, 3);
    // The load and the stored list hand over their rows in the order stored, the closing refills in name order.
    QCOMPARE(m_book->articleRefillSteps, QStringList({"stored order", "stored order", "name order"}));
    QCOMPARE(m_book->shownArticles.size(), 2);
    QCOMPARE(m_book->shownArticles.last().sifra, QStringLiteral("B2"));
    QCOMPARE(m_book->shownArticles.last().naziv, QStringLiteral("Drugi"));
    QCOMPARE(boxes.unanswered(), 0);
}

KNJ_REGISTER_TEST(ArticlesTest)
#include "tst_articles.moc"
