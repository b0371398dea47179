#include "common/appcontrol.h"
#include "common/windowkeys.h"
#include "core/db/appstate.h"
#include "core/db/bookschema.h"
#include "core/stock/articles.h"
#include "frame/frmIzborKnjige.h"
#include "frame/frmIzborTvrtke.h"
#include "frame/frmSkladiste.h"
#include "frame/frmUpisNove.h"
#include "framehelpers.h"
#include "masterdata/frmartikli.h"
#include "masterdata/frmartikliizbor.h"
#include "masterdata/frmunos.h"
#include "masterdata/frmunosdokumenta.h"
#include "products/frmproizvodi.h"
#include "stockdocs/frmPrimka.h"
#include "support/fixture.h"
#include "support/testmain.h"
#include "workorders/frmrn.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>

using namespace knjtest;

// The book open in the main window, seen from the choosers underneath it and from its working windows.
class OpenBookTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void choosersDoNotRepointTheOpenBook_data();
    void choosersDoNotRepointTheOpenBook();
    void booksGoToTheCompanyTheChooserShows_data();
    void booksGoToTheCompanyTheChooserShows();
    void deletedCompanyTakesItsBooksOffOffer();
    void productionKeepsTheOpenBooksCompany();
    void enteringAnotherBookClosesWorkingWindowsFirst();
    void exitAsksTheWorkingWindowsFirst();
    void menusStayOffWhileTheStockDocumentIsOpen();
    void smallWindowsOfTheReceiptLieInSight();
    void renameOfADeletedBookIsReported();
    void enterButtonFollowsTheSelectedBook();
    void namesShowAsTypedInTitles();
    void choosersKeepTheirSize();
    void listsUseTheWindowsWidth();

private:
    // Clicks the company's row in the company chooser and presses "&Ulaz".
    static frmIzborKnjige* openCompany(const QString& name);
    static void clickBook(frmIzborKnjige* books, const QString& name);
    static void enterBook(frmIzborKnjige* books, const QString& name);
    static frmartikli* articlesWithPendingRow(frmSkladiste* main);
};

void OpenBookTest::cleanup()
{
    AppControl::setEndProgramHandler({});
    closeAllWindows();
}

frmIzborKnjige* OpenBookTest::openCompany(const QString& name)
{
    frmIzborTvrtke* chooser = frmIzborTvrtke::instance();
    chooser->show();
    for (int i = 0; i < chooser->lsvLista->topLevelItemCount(); ++i)
        if (chooser->lsvLista->topLevelItem(i)->text(frmIzborTvrtke::ColIme) == name)
            clickRow(chooser->lsvLista, i);
    QTest::mouseClick(chooser->cmdUlaz, Qt::LeftButton);
    frmIzborKnjige* books = frmIzborKnjige::loaded();
    if (books)
        books->show();
    return books;
}

void OpenBookTest::clickBook(frmIzborKnjige* books, const QString& name)
{
    for (int i = 0; i < books->lsvotvorene->topLevelItemCount(); ++i)
        if (books->lsvotvorene->topLevelItem(i)->text(frmIzborKnjige::ColNaziv) == name) {
            clickRow(books->lsvotvorene, i);
            return;
        }
    QFAIL(qPrintable(QStringLiteral("no book ") + name));
}

void OpenBookTest::enterBook(frmIzborKnjige* books, const QString& name)
{
    clickBook(books, name);
    QTest::mouseClick(books->cmdUlaz, Qt::LeftButton);
}

frmartikli* OpenBookTest::articlesWithPendingRow(frmSkladiste* main)
{
    triggerAction(main, QStringLiteral("mnuArtikala"));
    frmartikli* w = frmartikli::loaded();
    if (!w)
        return nullptr;
    for (const auto& [box, text] : {std::pair{w->txtsifra, "A1"}, {w->txtnaziv, "Čavli"}, {w->txtjedmjere, "kom"}}) {
        box->setFocus(Qt::TabFocusReason);
        typeText(box, QString::fromUtf8(text));
    }
    QTest::mouseClick(w->cmddodaj, Qt::LeftButton);
    return w;
}

void OpenBookTest::choosersDoNotRepointTheOpenBook_data()
{
    QTest::addColumn<bool>("anotherCompany");
    QTest::newRow("a click on another book's row") << false;
    QTest::newRow("another company entered") << true;
}

void OpenBookTest::choosersDoNotRepointTheOpenBook()
{
    QFETCH(bool, anotherCompany);
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    const qint64 beta = addCompany(QStringLiteral("Beta"));
    const qint64 first = Registry::insertBook(alfa, QStringLiteral("Prva"), QStringLiteral("Skladiste"), "a");
    const qint64 third = Registry::insertBook(alfa, QStringLiteral("Treća"), QStringLiteral("Skladiste"), "c");
    const qint64 betas = Registry::insertBook(beta, QStringLiteral("Betina"), QStringLiteral("Skladiste"), "b");
    // Both other books have their files, so a write into the wrong one would succeed.
    for (const qint64 id : {first, betas})
        CreateBookDatabase(folder.filePath(BookFileName(QStringLiteral("Skladiste"), id)), QStringLiteral("Skladiste"));
    frmIzborKnjige* books = openCompany(QStringLiteral("Alfa"));
    QVERIFY(books);
    enterBook(books, QStringLiteral("Treća"));
    frmSkladiste* main = frmSkladiste::loaded();
    QVERIFY(main);
    QVERIFY(main->windowTitle().startsWith(QStringLiteral("Knjiga: Treća")));

    if (anotherCompany) {
        openCompany(QStringLiteral("Beta"));
        QCOMPARE(books->lblid->text(), QString::number(betas));
    } else {
        clickBook(books, QStringLiteral("Prva"));
    }
    QCOMPARE(AppState::bazaknjige, BookFileName(QStringLiteral("Skladiste"), third));

    // An article accepted in the main window goes into the book its title names.
    frmartikli* articles = articlesWithPendingRow(main);
    QVERIFY(articles);
    boxes.answer(MsgOk);
    QTest::mouseClick(articles->cmdprihvati, Qt::LeftButton);
    QCOMPARE(boxes.unanswered(), 0);
    QCOMPARE(Articles::all(folder.filePath(BookFileName(QStringLiteral("Skladiste"), third))).size(), 1);
    QVERIFY(Articles::all(folder.filePath(BookFileName(QStringLiteral("Skladiste"), first))).isEmpty());
    if (anotherCompany)
        QVERIFY(Articles::all(folder.filePath(BookFileName(QStringLiteral("Skladiste"), betas))).isEmpty());
}

void OpenBookTest::booksGoToTheCompanyTheChooserShows_data()
{
    QTest::addColumn<bool>("edit");
    QTest::newRow("other company edited") << true;
    QTest::newRow("other company's deletion called off") << false;
}

void OpenBookTest::booksGoToTheCompanyTheChooserShows()
{
    QFETCH(bool, edit);
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    const qint64 beta = addCompany(QStringLiteral("Beta"));
    frmIzborKnjige* books = openCompany(QStringLiteral("Alfa"));
    QVERIFY(books);

    frmIzborTvrtke* chooser = frmIzborTvrtke::loaded();
    clickRow(chooser->lsvLista, 1);
    if (edit) {
        QTest::mouseClick(chooser->cmdUredjivanje, Qt::LeftButton);
        frmUpisNove* editor = frmUpisNove::loaded();
        QVERIFY(editor);
        QTest::mouseClick(editor->cmdizlaz, Qt::LeftButton);
        QTRY_VERIFY(frmIzborTvrtke::isLoaded());
    } else {
        boxes.answer(MsgNo);
        QTest::mouseClick(chooser->cmdBrisanje, Qt::LeftButton);
        QVERIFY(storedCompany(beta));
    }

    QTest::mouseClick(books->cmdNova, Qt::LeftButton);
    typeText(books->txtnaziv, QStringLiteral("Nova"));
    typeText(books->txtadresa, QStringLiteral("Ilica 2"));
    books->lstpostojece->setCurrentRow(1);
    boxes.answer(MsgOk);
    QTest::mouseClick(books->cmdunosimo, Qt::LeftButton);
    QCOMPARE(Registry::booksOfCompany(alfa).size(), 1);
    QVERIFY(Registry::booksOfCompany(beta).isEmpty());
    QCOMPARE(books->lsvotvorene->topLevelItemCount(), 1);
    QCOMPARE(books->lsvotvorene->topLevelItem(0)->text(frmIzborKnjige::ColNaziv), QStringLiteral("Nova"));
    QCOMPARE(boxes.unanswered(), 0);
}

void OpenBookTest::deletedCompanyTakesItsBooksOffOffer()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    addCompany(QStringLiteral("Beta"));
    const qint64 book = Registry::insertBook(alfa, QStringLiteral("Prva"), QStringLiteral("Skladiste"), "a");
    frmIzborKnjige* books = openCompany(QStringLiteral("Alfa"));
    QVERIFY(books);
    QCOMPARE(books->lsvotvorene->topLevelItemCount(), 1);

    frmIzborTvrtke* chooser = frmIzborTvrtke::loaded();
    clickRow(chooser->lsvLista, 0);
    boxes.answer(MsgYes).answer(MsgOk);
    QTest::mouseClick(chooser->cmdBrisanje, Qt::LeftButton);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Tvrtka i sve knjige su nepovratno obrisane!"));
    QVERIFY(!storedCompany(alfa));

    // Nothing of the deleted company can be entered any more.
    QTRY_VERIFY(!frmIzborKnjige::isLoaded() || frmIzborKnjige::loaded()->lsvotvorene->topLevelItemCount() == 0);
    if (frmIzborKnjige* still = frmIzborKnjige::loaded())
        QTest::mouseClick(still->cmdUlaz, Qt::LeftButton);
    QVERIFY(!frmSkladiste::isLoaded());
    QVERIFY(!QFileInfo::exists(folder.filePath(BookFileName(QStringLiteral("Skladiste"), book))));
}

void OpenBookTest::productionKeepsTheOpenBooksCompany()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    const qint64 beta = addCompany(QStringLiteral("Beta"));
    const qint64 roba = Registry::insertBook(alfa, QStringLiteral("Roba"), QStringLiteral("Skladiste"), "a");
    Registry::insertBook(alfa, QStringLiteral("Pogon"), QStringLiteral("Proizvodnja"), "b");
    const qint64 betina = Registry::insertBook(beta, QStringLiteral("Betina"), QStringLiteral("Skladiste"), "c");
    QStringList warehouses;
    for (const qint64 id : {roba, betina}) {
        warehouses.append(folder.filePath(BookFileName(QStringLiteral("Skladiste"), id)));
        CreateBookDatabase(warehouses.last(), QStringLiteral("Skladiste"));
        insertArticle(warehouses.last(), QStringLiteral("D1"), QStringLiteral("Daska"), QStringLiteral("10"),
                      QStringLiteral("3"));
    }
    enterBook(openCompany(QStringLiteral("Alfa")), QStringLiteral("Pogon"));
    frmSkladiste* main = frmSkladiste::loaded();
    QVERIFY(main);
    // Beta chosen in the company chooser beneath, none of its books entered.
    frmIzborKnjige* books = openCompany(QStringLiteral("Beta"));
    QCOMPARE(books->lsvotvorene->topLevelItemCount(), 1);

    triggerAction(main, QStringLiteral("mnuproizvodi"));
    frmproizvodi* products = frmproizvodi::loaded();
    QVERIFY(products);
    QCOMPARE(products->cboskladiste->count(), 1);
    QCOMPARE(products->cboskladiste->itemText(0), QStringLiteral("Roba"));
    chooseEntry(products->cboskladiste, QStringLiteral("Roba"));
    chooseEntry(products->Cbosifra, QStringLiteral("D1"));
    typeInto(products->txtkolicina, QStringLiteral("2"));
    QTest::mouseClick(products->cmddodaj, Qt::LeftButton);
    for (const auto& [box, text] : {std::pair{products->txtsifra, "S1"}, {products->txtnaziv, "Stol"},
                                    {products->txtjedmjere, "kom"}})
        typeInto(box, QString::fromUtf8(text));
    boxes.answer(MsgYes).answer(MsgOk);
    QTest::mouseClick(products->cmdprihvati, Qt::LeftButton);
    products->close();

    triggerAction(main, QStringLiteral("mnuradninalozi"));
    frmrn* orders = frmrn::loaded();
    QVERIFY(orders);
    chooseEntry(orders->cboproizvod, QStringLiteral("Stol"));
    boxes.answer(MsgYes).answer(MsgOk);
    QTest::mouseClick(orders->cmdprihvati, Qt::LeftButton);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Radni nalog izdan!"));
    QCOMPARE(boxes.unanswered(), 0);
    const auto issueNotes = [](const QString& path) {
        Database db = Database::open(path);
        return db.scalar(QStringLiteral("select count(*) from pi")).toInt();
    };
    QCOMPARE(issueNotes(warehouses.at(0)), 1);
    QCOMPARE(issueNotes(warehouses.at(1)), 0);
}

void OpenBookTest::enteringAnotherBookClosesWorkingWindowsFirst()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    const qint64 roba = Registry::insertBook(alfa, QStringLiteral("Roba"), QStringLiteral("Skladiste"), "a");
    const qint64 pogon = Registry::insertBook(alfa, QStringLiteral("Pogon"), QStringLiteral("Proizvodnja"), "b");
    frmIzborKnjige* books = openCompany(QStringLiteral("Alfa"));
    enterBook(books, QStringLiteral("Roba"));
    frmSkladiste* main = frmSkladiste::loaded();
    QVERIFY(main);
    const QString title = main->windowTitle();
    QPointer<frmartikli> articles = articlesWithPendingRow(main);
    QVERIFY(articles);
    QCOMPARE(articles->lsvartikli->topLevelItemCount(), 1);

    // Entering the open book again asks nothing and keeps its windows.
    enterBook(books, QStringLiteral("Roba"));
    QVERIFY(boxes.calls().isEmpty());
    QVERIFY(articles && articles->isVisible());

    // Cancel keeps everything as it was.
    boxes.answer(MsgCancel);
    enterBook(books, QStringLiteral("Pogon"));
    QCOMPARE(boxes.calls().size(), 1);
    QCOMPARE(boxes.last().style, 35);
    QVERIFY(articles && articles->isVisible());
    QCOMPARE(articles->lsvartikli->topLevelItemCount(), 1);
    QCOMPARE(main->windowTitle(), title);
    QVERIFY(main->mnuNoviunos->menuAction()->isVisible());
    QVERIFY(!main->mnuizbor->menuAction()->isVisible());
    QCOMPARE(AppState::bazaknjige, BookFileName(QStringLiteral("Skladiste"), roba));
    QCOMPARE(frmSkladiste::openBookFile(), BookFileName(QStringLiteral("Skladiste"), roba));
    // While its window is open, the book cannot be deleted either.
    clickBook(books, QStringLiteral("Roba"));
    QTest::mouseClick(books->cmdBrisanje, Qt::LeftButton);
    QVERIFY(boxes.last().prompt.contains(QStringLiteral("otvorena u glavnom prozoru")));
    QCOMPARE(Registry::booksOfCompany(alfa).size(), 2);

    boxes.answer(MsgNo);
    enterBook(books, QStringLiteral("Pogon"));
    QTRY_VERIFY(!articles);
    QVERIFY(main->mdiArea->subWindowList().isEmpty() || !main->mdiArea->subWindowList().first()->isVisible());
    QCOMPARE(frmSkladiste::openBookFile(), BookFileName(QStringLiteral("Proizvodnja"), pogon));
    QVERIFY(main->mnuizbor->menuAction()->isVisible());
    QVERIFY(Articles::all(folder.filePath(BookFileName(QStringLiteral("Skladiste"), roba))).isEmpty());
}

void OpenBookTest::exitAsksTheWorkingWindowsFirst()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    int ended = 0;
    AppControl::setEndProgramHandler([&ended] { ++ended; });
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    Registry::insertBook(alfa, QStringLiteral("Roba"), QStringLiteral("Skladiste"), "a");
    frmIzborKnjige* books = openCompany(QStringLiteral("Alfa"));
    enterBook(books, QStringLiteral("Roba"));
    QPointer<frmartikli> articles = articlesWithPendingRow(frmSkladiste::loaded());
    QVERIFY(articles);

    frmIzborTvrtke* chooser = frmIzborTvrtke::loaded();
    boxes.answer(MsgCancel);
    QTest::mouseClick(chooser->cmdizlaz, Qt::LeftButton);
    QCOMPARE(boxes.calls().size(), 1);
    QCOMPARE(ended, 0);
    QVERIFY(articles && articles->isVisible());
    QCOMPARE(articles->lsvartikli->topLevelItemCount(), 1);
    QVERIFY(frmSkladiste::isLoaded());

    boxes.answer(MsgYes).answer(MsgOk);
    QTest::mouseClick(chooser->cmdizlaz, Qt::LeftButton);
    QCOMPARE(ended, 1);
    QCOMPARE(Articles::all(folder.filePath(QStringLiteral("Skladiste1.mdb"))).size(), 1);
    QCOMPARE(boxes.unanswered(), 0);
}

void OpenBookTest::menusStayOffWhileTheStockDocumentIsOpen()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    Registry::insertBook(alfa, QStringLiteral("Roba"), QStringLiteral("Skladiste"), "a");
    enterBook(openCompany(QStringLiteral("Alfa")), QStringLiteral("Roba"));
    frmSkladiste* main = frmSkladiste::loaded();
    triggerAction(main, QStringLiteral("mnuPrimki"));
    QPointer<frmPrimka> receipt = frmPrimka::loaded();
    QVERIFY(receipt);
    QTest::mouseClick(receipt->cmdartikl, Qt::LeftButton);
    QTest::mouseClick(receipt->cmddobavljac, Qt::LeftButton);
    QPointer<frmartikli> articles = frmartikli::loaded();
    QPointer<frmunos> partners = frmunos::loaded();
    QVERIFY(articles && partners);

    const auto menusOff = [main] {
        return !main->mnuNoviunos->menuAction()->isEnabled() && !main->mnuPregled->menuAction()->isEnabled();
    };
    for (QWidget* w : {static_cast<QWidget*>(partners), static_cast<QWidget*>(articles)}) {
        closeWindow(w);
        QTRY_VERIFY(!frmunos::isLoaded() || w == articles);
        QVERIFY(menusOff());
    }
    QTRY_VERIFY(!articles);
    QVERIFY(receipt && receipt->isVisible());
    QVERIFY(menusOff());

    closeWindow(receipt);
    QTRY_VERIFY(!receipt);
    QVERIFY(main->mnuNoviunos->menuAction()->isEnabled() && main->mnuPregled->menuAction()->isEnabled());
    QCOMPARE(boxes.calls().size(), 0);
}

void OpenBookTest::smallWindowsOfTheReceiptLieInSight()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    Registry::insertBook(alfa, QStringLiteral("Roba"), QStringLiteral("Skladiste"), "a");
    enterBook(openCompany(QStringLiteral("Alfa")), QStringLiteral("Roba"));
    frmSkladiste* main = frmSkladiste::loaded();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    triggerAction(main, QStringLiteral("mnuPrimki"));
    frmPrimka* receipt = frmPrimka::loaded();
    QVERIFY(receipt);
    const QRect client(QPoint(0, 0), main->mdiArea->viewport()->size());

    QTest::mouseClick(receipt->cmdnovidokument, Qt::LeftButton);
    frmunosdokumenta* kinds = frmunosdokumenta::loaded();
    QVERIFY(kinds);
    const QRect kindsRect = outerWindow(kinds)->geometry();
    QVERIFY(client.contains(kindsRect));
    QVERIFY(kindsRect.width() < 400 && kindsRect.height() < 200); // its own size, not a working window's
    QVERIFY(kinds->txtunos->isVisible() && kinds->cmdunos->isVisible());
    QCOMPARE(kindsRect.bottom(), outerWindow(receipt)->geometry().bottom());
    closeWindow(kinds);

    // The article picker lies over the receipt it serves.
    QTest::mouseClick(receipt->cmdpretraga, Qt::LeftButton);
    frmartikliizbor* picker = frmartikliizbor::loaded();
    QVERIFY(picker);
    QCOMPARE(outerWindow(picker)->geometry(), outerWindow(receipt)->geometry());
    QVERIFY(client.intersected(outerWindow(picker)->geometry()).width() >= client.width() - 8);
}

void OpenBookTest::renameOfADeletedBookIsReported()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    Registry::insertBook(alfa, QStringLiteral("Prva"), QStringLiteral("Skladiste"), "a");
    Registry::insertBook(alfa, QStringLiteral("Druga"), QStringLiteral("Skladiste"), "b");
    frmIzborKnjige* books = openCompany(QStringLiteral("Alfa"));
    clickBook(books, QStringLiteral("Prva"));
    QTest::mouseClick(books->cmdUredjivanje, Qt::LeftButton);
    typeText(books->txtnaziv, QStringLiteral("Preimenovana"));

    // Meanwhile the book is deleted (a click on its row brings the delete button back).
    clickBook(books, QStringLiteral("Prva"));
    boxes.answer(MsgOk).answer(MsgOk);
    QTest::mouseClick(books->cmdBrisanje, Qt::LeftButton);
    QCOMPARE(Registry::booksOfCompany(alfa).size(), 1);

    boxes.answer(MsgOk).answer(MsgOk);
    QTest::mouseClick(books->cmdunosimo, Qt::LeftButton);
    QCOMPARE(boxes.calls().size(), 4);
    QVERIFY2(boxes.last().prompt.contains(QStringLiteral("više ne postoji")), qPrintable(boxes.last().prompt));
    QCOMPARE(boxes.last().style, 48);
    QVERIFY(books->Frame1->isVisible());
    QCOMPARE(books->txtnaziv->text(), QStringLiteral("Preimenovana"));
    QCOMPARE(Registry::booksOfCompany(alfa).first().nazivknjige, QStringLiteral("Druga"));
}

void OpenBookTest::enterButtonFollowsTheSelectedBook()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    addCompany(QStringLiteral("Beta"));
    const qint64 prva = Registry::insertBook(alfa, QStringLiteral("Prva"), QStringLiteral("Skladiste"), "a");
    const auto addBook = [&boxes](frmIzborKnjige* books, const QString& name) {
        QTest::mouseClick(books->cmdNova, Qt::LeftButton);
        typeText(books->txtnaziv, name);
        typeText(books->txtadresa, QStringLiteral("Ilica 3"));
        books->lstpostojece->setCurrentRow(1);
        boxes.answer(MsgOk);
        QTest::mouseClick(books->cmdunosimo, Qt::LeftButton);
    };

    // A company without books: after the first one is stored, "&Ulaz" waits for a row to be chosen.
    frmIzborKnjige* books = openCompany(QStringLiteral("Beta"));
    addBook(books, QStringLiteral("Betina"));
    QCOMPARE(books->lsvotvorene->topLevelItemCount(), 1);
    QVERIFY(!books->cmdUlaz->isEnabled());
    QVERIFY(!books->cmdBrisanje->isEnabled());
    clickRow(books->lsvotvorene, 0);
    QVERIFY(books->cmdUlaz->isEnabled());

    // With a current book, its row stays selected and "&Ulaz" enters it.
    books = openCompany(QStringLiteral("Alfa"));
    addBook(books, QStringLiteral("Druga"));
    QCOMPARE(books->lsvotvorene->topLevelItemCount(), 2);
    QVERIFY(books->cmdUlaz->isEnabled());
    QCOMPARE(books->lsvotvorene->selectedItems().size(), 1);
    QCOMPARE(books->lsvotvorene->selectedItems().first()->text(frmIzborKnjige::ColId), QString::number(prva));
    QTest::mouseClick(books->cmdUlaz, Qt::LeftButton);
    QCOMPARE(frmSkladiste::openBookFile(), BookFileName(QStringLiteral("Skladiste"), prva));
    QCOMPARE(boxes.unanswered(), 0);
}

void OpenBookTest::namesShowAsTypedInTitles()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa [*]"));
    Registry::insertBook(alfa, QStringLiteral("K[*]"), QStringLiteral("Skladiste"), "a");
    frmIzborKnjige* books = openCompany(QStringLiteral("Alfa [*]"));
    QVERIFY(books && books->windowHandle());
    QCOMPARE(books->windowHandle()->title(), QStringLiteral("Alfa [*] - izbor knjige      Pomoć F1"));
    enterBook(books, QStringLiteral("K[*]"));
    frmSkladiste* main = frmSkladiste::loaded();
    QVERIFY(main && main->windowHandle());
    QVERIFY2(main->windowHandle()->title().startsWith(QStringLiteral("Knjiga: K[*]      Baza: ")),
             qPrintable(main->windowHandle()->title()));

    frmIzborTvrtke* chooser = frmIzborTvrtke::loaded();
    QTest::mouseClick(chooser->cmdUredjivanje, Qt::LeftButton);
    frmUpisNove* editor = frmUpisNove::loaded();
    QVERIFY(editor);
    editor->show();
    QCOMPARE(editor->windowHandle()->title(), QStringLiteral("Izmjena podataka - Alfa [*]"));
}

void OpenBookTest::choosersKeepTheirSize()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    addCompany(QStringLiteral("Alfa"));
    frmIzborKnjige* books = openCompany(QStringLiteral("Alfa"));
    QVERIFY(books);
    frmUpisNove* editor = frmUpisNove::instance();
    for (QWidget* w : {static_cast<QWidget*>(frmIzborTvrtke::loaded()), static_cast<QWidget*>(books),
                       static_cast<QWidget*>(editor)}) {
        w->show();
        const QSize size = w->size();
        w->resize(size + QSize(200, 150));
        QCOMPARE(w->size(), size);
        QVERIFY2(!(w->windowFlags() & Qt::WindowMaximizeButtonHint), qPrintable(w->objectName()));
    }
    // The entry frame fits inside the book chooser's fixed size.
    QTest::mouseClick(books->cmdNova, Qt::LeftButton);
    QVERIFY(books->Frame1->isVisible());
    QVERIFY(books->rect().contains(books->Frame1->geometry()));
    QVERIFY(books->lsvotvorene->height() > 40);
}

void OpenBookTest::listsUseTheWindowsWidth()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    Registry::insertBook(alfa, QStringLiteral("Roba"), QStringLiteral("Skladiste"), "a");
    enterBook(openCompany(QStringLiteral("Alfa")), QStringLiteral("Roba"));
    frmSkladiste* main = frmSkladiste::loaded();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    const auto usedWidth = [](QTreeView* list) {
        int sum = 0;
        for (int c = 0; c < list->header()->count(); ++c)
            if (!list->isColumnHidden(c))
                sum += list->columnWidth(c);
        return sum;
    };

    // Every column of the pending lines, "Iznos" included, is in sight without scrolling sideways.
    triggerAction(main, QStringLiteral("mnuPrimki"));
    frmPrimka* receipt = frmPrimka::loaded();
    QVERIFY(receipt);
    QApplication::processEvents();
    QTreeWidget* lines = receipt->lsvartprimka;
    QVERIFY(usedWidth(lines) <= lines->viewport()->width());
    QVERIFY(lines->columnWidth(frmPrimka::ColIznos) > 100);
    QVERIFY(lines->columnWidth(frmPrimka::ColId) <= 2);

    // The stored partners fill their list; the names get the room that is left.
    QTest::mouseClick(receipt->cmddobavljac, Qt::LeftButton);
    frmunos* partners = frmunos::loaded();
    QVERIFY(partners);
    QApplication::processEvents();
    QTreeView* stored = partners->lsveditkd;
    QCOMPARE(usedWidth(stored), stored->viewport()->width());
    QVERIFY(stored->columnWidth(1) > 96);
}

KNJ_REGISTER_TEST(OpenBookTest)
#include "tst_openbook.moc"
