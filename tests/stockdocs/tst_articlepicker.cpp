#include "common/listmodel.h"
#include "core/db/appstate.h"
#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"
#include "masterdata/articlelistmodel.h"
#include "masterdata/articlepicktarget.h"
#include "masterdata/frmartikliizbor.h"
#include "stockbook.h"
#include "stockdocs/frmPrimka.h"
#include "support/testmain.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QTreeView>

using knjtest::MsgBoxScript;
using stocktest::choose;
using stocktest::StockBook;
using stocktest::typeInto;

namespace {

// Stands in for the products window of a production book: what the picker hands to it.
class ProductsStandIn : public QWidget, public ArticlePickTarget
{
public:
    QWidget* pickerOwner() override { return this; }
    QString pickerBookPath() const override { return bookPath; }
    QList<PendingQuantity> pendingQuantities() const override { return pending; }
    void takePickedArticle(const PickedArticle& article) override { taken.append(article); }

    QString bookPath;
    QList<PendingQuantity> pending;
    QList<PickedArticle> taken;
};

QStringList selectedCodes(const frmartikliizbor* picker)
{
    QStringList codes;
    const QAbstractItemModel* list = picker->lsvsviartikli->model();
    for (int row : selectedPositions(picker->lsvsviartikli))
        codes.append(list->index(row, ArticleListModel::ColSifra).data().toString());
    return codes;
}

void search(frmartikliizbor* picker, QRadioButton* field, QRadioButton* match, const QString& text)
{
    field->setChecked(true);
    match->setChecked(true);
    picker->txtupis->setText(text);
    picker->cmdtrazi->click();
}

// Selects the one row of that code and sends it.
void send(frmartikliizbor* picker, const QString& code)
{
    search(picker, picker->optposifri, picker->optcijelinaziv, code);
    QItemSelectionModel* selection = picker->lsvsviartikli->selectionModel();
    for (const QModelIndex& row : selection->selectedRows(ArticleListModel::ColSifra))
        if (row.data().toString() != code)
            selection->select(row, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    picker->cmdodabir->click();
}

} // namespace

class ArticlePickerTest : public QObject
{
    Q_OBJECT
private slots:
    void searches_data()
    {
        QTest::addColumn<bool>("byName");
        QTest::addColumn<QString>("match");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("begins with, trimmed, any case") << true << "begins"
                                                        << "  ab " << QStringList{"A1", "a1", "B1"};
        QTest::newRow("contains keeps the blank") << true << "contains"
                                                  << "ab " << QStringList{"C1"};
        QTest::newRow("contains any case") << true << "contains"
                                           << "AB" << QStringList{"A1", "a1", "B1", "C1", "D1"};
        QTest::newRow("whole code between blanks") << false << "whole"
                                                   << " a1 " << QStringList{"A1", "a1"};
        QTest::newRow("whole name") << true << "whole"
                                    << "XAB" << QStringList{"D1"};
        QTest::newRow("Croatian letters") << true << "begins"
                                          << "čok" << QStringList{"E1"};
        QTest::newRow("codes are listed trimmed") << false << "begins"
                                                  << "f" << QStringList{"F1"};
    }
    void searches()
    {
        QFETCH(bool, byName);
        QFETCH(QString, match);
        QFETCH(QString, text);
        StockBook book;
        book.addArticle(QStringLiteral("A1"), QStringLiteral("ABC"));
        book.addArticle(QStringLiteral("a1"), QStringLiteral("abeceda"));
        book.addArticle(QStringLiteral("B1"), QStringLiteral("Abakus"));
        book.addArticle(QStringLiteral("C1"), QStringLiteral("xab z"));
        book.addArticle(QStringLiteral("D1"), QStringLiteral("xab"));
        book.addArticle(QStringLiteral("E1"), QStringLiteral("ČOKOLADA"));
        book.addArticle(QStringLiteral(" F1 "), QStringLiteral("Sol"));
        MsgBoxScript msgs;
        AppState::vrstadokumenta = QStringLiteral("Primka");
        frmartikliizbor* picker = frmartikliizbor::openFor(nullptr);
        QCOMPARE(picker->lsvsviartikli->model()->rowCount(), 7);
        QVERIFY(!picker->lsvsviartikli->selectionModel()->hasSelection());
        QRadioButton* how = match == "whole"    ? picker->optcijelinaziv
                            : match == "begins" ? picker->optpocinjesa
                                                : picker->optimaunazivu;
        search(picker, byName ? picker->Optponazivu : picker->optposifri, how, text);
        QTEST(selectedCodes(picker), "found");
        QCOMPARE(msgs.calls().size(), 0);
    }

    void searchesThatFindNothingOrHaveNoText()
    {
        StockBook book;
        book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"));
        book.addArticle(QStringLiteral("B1"), QStringLiteral("Beta"));
        MsgBoxScript msgs;
        AppState::vrstadokumenta = QStringLiteral("Izdatnica");
        frmartikliizbor* picker = frmartikliizbor::openFor(nullptr);
        QCOMPARE(picker->windowTitle(), QStringLiteral("Pretraga artikala     Pomoć  F1"));
        QVERIFY(picker->Optponazivu->isChecked() && picker->optpocinjesa->isChecked());
        picker->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(picker));
        QCOMPARE(QApplication::focusWidget(), picker->txtupis);

        search(picker, picker->Optponazivu, picker->optpocinjesa, QStringLiteral("al"));
        QCOMPARE(selectedCodes(picker), QStringList{"A1"});
        search(picker, picker->Optponazivu, picker->optpocinjesa, QStringLiteral("x"));
        QCOMPARE(selectedCodes(picker), QStringList());
        QCOMPARE(msgs.calls().size(), 1);
        QCOMPARE(msgs.last().prompt, QStringLiteral("Nema traženog upisa"));
        QCOMPARE(msgs.last().title, QStringLiteral("Nema traženog upisa"));
        QCOMPARE(msgs.last().style, 32);

        picker->cmdodustani->setFocus();
        search(picker, picker->Optponazivu, picker->optpocinjesa, QString());
        QCOMPARE(msgs.calls().size(), 1);
        QCOMPARE(QApplication::focusWidget(), picker->txtupis);

        QTest::keyClick(picker->txtupis, Qt::Key_F1);
        QCOMPARE(picker->windowTitle(), QStringLiteral("F1 vrati se u mod pretrage!"));
        QVERIFY(picker->txtpomoc->isVisible() && !picker->frameartikli->isVisible());
        QTest::keyClick(picker, Qt::Key_F1);
        QCOMPARE(picker->windowTitle(), QStringLiteral("Pretraga artikala    Pomoć  F1"));
    }

    void enterInTheSearchBoxSearches()
    {
        StockBook book;
        book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"));
        book.addArticle(QStringLiteral("B1"), QStringLiteral("Beta"));
        book.addArticle(QStringLiteral("A2"), QStringLiteral("alga"));
        MsgBoxScript msgs;
        AppState::vrstadokumenta = QStringLiteral("Primka");
        frmartikliizbor* picker = frmartikliizbor::openFor(nullptr);
        picker->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(picker));
        typeInto(picker->txtupis, QStringLiteral("al"));
        QTest::keyClick(picker->txtupis, Qt::Key_Return);
        QCOMPARE(selectedCodes(picker), QStringList({"A1", "A2"}));
        QCOMPARE(QApplication::focusWidget(), picker->txtupis); // the user can narrow the search at once
        typeInto(picker->txtupis, QStringLiteral("x"));
        QTest::keyClick(picker->txtupis, Qt::Key_Enter);
        QCOMPARE(selectedCodes(picker), QStringList());
        QCOMPARE(msgs.calls().size(), 1);
        QCOMPARE(msgs.last().prompt, QStringLiteral("Nema traženog upisa"));
    }

    // Found rows are selected at once, however many: a list of 20 000 articles must not freeze the window.
    void manyFoundRowsAreSelectedAtOnce()
    {
        StockBook book;
        {
            Database db = Database::open(book.path());
            Transaction tx(db);
            PreparedQuery insert(db, QStringLiteral("insert into artikli(sifra, naziv) values(?, ?)"));
            for (int n = 1; n <= 20000; ++n)
                insert.exec({QStringLiteral("S%1").arg(n),
                             (n % 2 ? QStringLiteral("Vijak ") : QStringLiteral("Matica ")) + QString::number(n)});
            tx.commit();
        }
        MsgBoxScript msgs;
        AppState::vrstadokumenta = QStringLiteral("Primka");
        frmartikliizbor* picker = frmartikliizbor::openFor(nullptr);
        QCOMPARE(picker->lsvsviartikli->model()->rowCount(), 20000);
        QElapsedTimer timer;
        timer.start();
        search(picker, picker->optposifri, picker->optpocinjesa, QStringLiteral("s"));
        QCOMPARE(picker->lsvsviartikli->selectionModel()->selectedRows().size(), 20000);
        // Every other row: 10 000 runs of one row each, replacing the selection before.
        search(picker, picker->Optponazivu, picker->optpocinjesa, QStringLiteral("vijak"));
        const QVector<int> selected = selectedPositions(picker->lsvsviartikli);
        QCOMPARE(selected.size(), 10000);
        QCOMPARE(selected.first(), 0);
        QCOMPARE(selected.at(1), 2);
        QCOMPARE(selected.last(), 19998);
        search(picker, picker->optposifri, picker->optcijelinaziv, QStringLiteral("s2"));
        QCOMPARE(selectedCodes(picker), QStringList{"S2"});
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QStringLiteral("%1 ms").arg(timer.elapsed())));
        QCOMPARE(msgs.calls().size(), 0);
    }

    void choosingNeedsExactlyOneRow()
    {
        StockBook book;
        book.addArticle(QStringLiteral("A1"), QStringLiteral("Ab 1"));
        book.addArticle(QStringLiteral("A2"), QStringLiteral("Ab 2"));
        book.addArticle(QStringLiteral("A3"), QStringLiteral("Ab 3"));
        MsgBoxScript msgs;
        ProductsStandIn products;
        products.bookPath = book.path();
        AppState::vrstadokumenta = QStringLiteral("proizvodnja");
        QPointer<frmartikliizbor> picker = frmartikliizbor::openFor(&products);
        picker->cmdodabir->click();
        search(picker, picker->Optponazivu, picker->optpocinjesa, QStringLiteral("ab"));
        QCOMPARE(selectedCodes(picker).size(), 3);
        picker->cmdodabir->click();
        QCOMPARE(msgs.calls().size(), 2);
        QCOMPARE(msgs.last().prompt, QStringLiteral("Selektirajte samo jedan artikl ili nema selektiranog artikla"));
        QCOMPARE(msgs.last().title, QStringLiteral("Selekcija artikla"));
        QCOMPARE(msgs.last().style, 32);
        QVERIFY(products.taken.isEmpty());
        QVERIFY(picker && picker->isVisible());
    }

    void aModeWithoutOpenerOnlyShowsItsName()
    {
        knjtest::ProgramFolderFixture folder;
        CreateBookDatabase(ProgramFolder::filePath(QStringLiteral("Skladiste4.mdb")), BookKindWarehouse);
        {
            Database db = Database::open(ProgramFolder::filePath(QStringLiteral("Skladiste4.mdb")));
            db.exec(QStringLiteral("insert into artikli(sifra, naziv) values('W1', 'Iz skladišta 4')"));
        }
        AppState::bazaknjige = QStringLiteral("Proizvodnja1.mdb");
        AppState::bazaskladista = QStringLiteral("Skladiste4.mdb");
        AppState::vrstadokumenta = QStringLiteral("primka");
        MsgBoxScript msgs;
        QPointer<frmartikliizbor> picker = frmartikliizbor::openFor(nullptr);
        QCOMPARE(picker->lsvsviartikli->model()->rowCount(), 1);
        const QModelIndex row = picker->lsvsviartikli->model()->index(0, 0);
        picker->lsvsviartikli->selectionModel()->select(row, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        emit picker->lsvsviartikli->doubleClicked(row);
        QCOMPARE(msgs.calls().size(), 1);
        QVERIFY(msgs.last().plain);
        QCOMPARE(msgs.last().prompt, QStringLiteral("primka"));
        QVERIFY(picker && picker->isVisible());
    }

    void handBackToAnIssueNote()
    {
        StockBook book;
        const qint64 id =
            book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"), QStringLiteral("10"), QStringLiteral("12,5"));
        book.addArticle(QStringLiteral("B1"), QStringLiteral("Beta"), QStringLiteral("10"), QStringLiteral("1"));
        MsgBoxScript msgs;
        frmPrimka* w = frmPrimka::openFromMenu(QStringLiteral("Izdatnica"));
        for (const char* quantity : {"2,5", "1"}) {
            choose(w->cbonaziv, QStringLiteral("Alfa"));
            typeInto(w->txtkolicina, QLatin1String(quantity));
            w->cmddodaj->click();
        }
        choose(w->cbonaziv, QStringLiteral("Beta"));
        QCOMPARE(w->txtcijena->text(), QStringLiteral("1"));

        w->cmdpretraga->click();
        frmartikliizbor* picker = frmartikliizbor::loaded();
        QCOMPARE(picker->geometry(), w->geometry());
        send(picker, QStringLiteral("A1"));
        QTRY_VERIFY(!frmartikliizbor::isLoaded());
        QCOMPARE(w->Cbosifra->currentText(), QStringLiteral("A1"));
        QCOMPARE(w->cbonaziv->currentText(), QStringLiteral("Alfa"));
        QCOMPARE(w->lblartikl->text(), QString::number(id));
        QCOMPARE(w->txtcijena->text(), QStringLiteral("12,5"));
        QCOMPARE(w->txtpokazkolicine->text(), QStringLiteral("6,5"));
        QCOMPARE(w->focusWidget(), w->txtkolicina);
        QCOMPARE(msgs.calls().size(), 0);
    }

    void handBackToAReceiptLeavesPriceAndQuantity()
    {
        StockBook book;
        book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"), QStringLiteral("10"), QStringLiteral("12,5"));
        const qint64 id = book.addArticle(QStringLiteral("B1"), QStringLiteral("Beta"));
        frmPrimka* w = frmPrimka::openFromMenu(QStringLiteral("Primka"));
        w->txtcijena->setText(QStringLiteral("7"));
        w->cmdpretraga->click();
        send(frmartikliizbor::loaded(), QStringLiteral("B1"));
        QCOMPARE(w->lblartikl->text(), QString::number(id));
        QCOMPARE(w->Cbosifra->currentText(), QStringLiteral("B1"));
        QCOMPARE(w->txtcijena->text(), QStringLiteral("7"));
        QCOMPARE(w->txtpokazkolicine->text(), QString());
    }

    // The chosen row's own article, whatever other codes look like it.
    void handBackToProductsByTheRowsId()
    {
        StockBook book;
        const qint64 upper =
            book.addArticle(QStringLiteral("A1"), QStringLiteral("Veliko"), QStringLiteral("1"), QStringLiteral("1"));
        const qint64 lower =
            book.addArticle(QStringLiteral("a1"), QStringLiteral("Malo"), QStringLiteral("10"), QStringLiteral("3,75"));
        book.addArticle(QStringLiteral("AB"), QStringLiteral("Slova"), QStringLiteral("1"), QStringLiteral("1"));
        const qint64 star =
            book.addArticle(QStringLiteral("A*"), QStringLiteral("Zvijezda"), QStringLiteral("2"), QStringLiteral("2"));
        ProductsStandIn products;
        products.bookPath = book.path();
        products.pending = {{QString::number(lower), QStringLiteral("2,5")},
                            {QString::number(upper), QStringLiteral("4")},
                            {QString::number(lower), QStringLiteral("1")},
                            {QString::number(lower), QString()}};
        AppState::vrstadokumenta = QStringLiteral("proizvodnja");

        send(frmartikliizbor::openFor(&products), QStringLiteral("a1"));
        QTRY_VERIFY(!frmartikliizbor::isLoaded());
        send(frmartikliizbor::openFor(&products), QStringLiteral("A*"));
        QTRY_VERIFY(!frmartikliizbor::isLoaded());
        QCOMPARE(products.taken.size(), 2);
        const PickedArticle& first = products.taken.at(0);
        QCOMPARE(first.sifra, QStringLiteral("a1"));
        QCOMPARE(first.naziv, QStringLiteral("Malo"));
        QVERIFY(first.stored);
        QCOMPARE(first.stored->id, lower);
        QCOMPARE(first.available.text00(), QStringLiteral("6,50"));
        QCOMPARE(first.stored->proscijena.shortText(), QStringLiteral("3,75"));
        QCOMPARE(products.taken.at(1).stored->id, star);
        QCOMPARE(products.taken.at(1).available.text00(), QStringLiteral("2,00"));
    }

    void aVanishedArticleClearsTheLine()
    {
        StockBook book;
        book.addArticle(QStringLiteral("A1"), QStringLiteral("Alfa"), QStringLiteral("8"), QStringLiteral("3"));
        const qint64 gone =
            book.addArticle(QStringLiteral("B1"), QStringLiteral("Beta"), QStringLiteral("5"), QStringLiteral("1"));
        frmPrimka* w = frmPrimka::openFromMenu(QStringLiteral("Izdatnica"));
        choose(w->cbonaziv, QStringLiteral("Alfa"));
        w->cmdpretraga->click();
        book.exec(QStringLiteral("delete from artikli where id = ?"), {gone});
        send(frmartikliizbor::loaded(), QStringLiteral("B1"));
        QTRY_VERIFY(!frmartikliizbor::isLoaded());
        QCOMPARE(w->lblartikl->text(), QString());
        QCOMPARE(w->Cbosifra->currentText(), QString());
        QCOMPARE(w->txtcijena->text(), QString());
        QCOMPARE(w->txtpokazkolicine->text(), QString());
    }
};

KNJ_REGISTER_TEST(ArticlePickerTest)
#include "tst_articlepicker.moc"
