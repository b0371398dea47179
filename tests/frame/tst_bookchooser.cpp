#include "common/hrmsgbox.h"
#include "core/db/appstate.h"
#include "frame/frmIzborKnjige.h"
#include "frame/frmIzborTvrtke.h"
#include "framehelpers.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

using namespace knjtest;

class BookChooserTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void opensFromTheCompanyChooser();
    void addBookOfEachKind_data();
    void addBookOfEachKind();
    void storeRefusesIncompleteEntry();
    void renameChangesTheBookTheEditStartedOn();
    void deleteBookOfEachKind_data();
    void deleteBookOfEachKind();
    void failedFileDeletionKeepsTheBook();
    void refusesToDeleteTheOpenBook();
    void enterBookOfEachKind_data();
    void enterBookOfEachKind();
    void helpPaneBringsBackAnEntryUnderWay();
    void anotherCompanyReplacesTheList();
    void escReturnsToTheCompanyChooser();

private:
    // Opens the book chooser for the company through the company chooser's "&Ulaz".
    static frmIzborKnjige* openFor(const QString& companyName);
    static void writeFile(const QString& path);
};

void BookChooserTest::cleanup()
{
    frmIzborKnjige::onEnterBook = nullptr;
    frmIzborKnjige::openBookFile = nullptr;
}

frmIzborKnjige* BookChooserTest::openFor(const QString& companyName)
{
    frmIzborTvrtke* chooser = frmIzborTvrtke::instance();
    chooser->show();
    for (int i = 0; i < chooser->lsvLista->topLevelItemCount(); ++i)
        if (chooser->lsvLista->topLevelItem(i)->text(frmIzborTvrtke::ColIme) == companyName)
            chooser->lsvLista->setCurrentItem(chooser->lsvLista->topLevelItem(i));
    chooser->cmdUlaz->click();
    frmIzborKnjige* books = frmIzborKnjige::loaded();
    if (books)
        showActive(books);
    return books;
}

void BookChooserTest::writeFile(const QString& path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("book");
}

void BookChooserTest::opensFromTheCompanyChooser()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    addCompany(QStringLiteral("Beta"));
    frmIzborKnjige* books = openFor(QStringLiteral("Alfa"));
    QVERIFY(books && books->isVisible());
    QVERIFY(frmIzborTvrtke::loaded()->isVisible());
    QCOMPARE(AppState::idizabranetvrtke, double(alfa));
    QCOMPARE(books->lblidtvrtke->text(), QString::number(alfa));
    QCOMPARE(books->windowTitle(), QStringLiteral("Alfa - izbor knjige      Pomoć F1"));
    QCOMPARE(books->lsvotvorene->topLevelItemCount(), 0);
    QVERIFY(!books->cmdUlaz->isEnabled());
    QVERIFY(!books->cmdUredjivanje->isEnabled());
    QVERIFY(!books->cmdBrisanje->isEnabled());
    QVERIFY(books->cmdNova->isEnabled());
    QVERIFY(books->cmdUlaz->isDefault());
    QVERIFY(!books->Frame1->isVisible());
    QVERIFY(!books->cmdalati->isVisible());
    QCOMPARE(books->lstpostojece->count(), 2);
    QCOMPARE(books->lstpostojece->item(0)->text(), QStringLiteral("Proizvodnja"));
    QCOMPARE(books->lstpostojece->item(1)->text(), QStringLiteral("Skladiste"));
    QVERIFY(boxes.calls().isEmpty());
}

void BookChooserTest::addBookOfEachKind_data()
{
    QTest::addColumn<int>("kindRow");
    QTest::addColumn<QString>("kind");
    QTest::newRow("production") << 0 << "Proizvodnja";
    QTest::newRow("warehouse") << 1 << "Skladiste";
}

void BookChooserTest::addBookOfEachKind()
{
    QFETCH(int, kindRow);
    QFETCH(QString, kind);
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    const qint64 other = addCompany(QStringLiteral("Beta"));
    Registry::insertBook(other, QStringLiteral("Tuđa"), QStringLiteral("Skladiste"), QStringLiteral("x"));
    frmIzborKnjige* books = openFor(QStringLiteral("Alfa"));
    QVERIFY(books);
    const QString titleBefore = books->windowTitle();

    QTest::mouseClick(books->cmdNova, Qt::LeftButton);
    QVERIFY(books->Frame1->isVisible());
    QCOMPARE(books->cmdunosimo->text(), QStringLiteral("Unosim knji&gu"));
    QCOMPARE(books->cmdunosimo->toolTip(), QStringLiteral("Unos nove knjige"));
    for (QPushButton* b : {books->cmdNova, books->cmdUredjivanje, books->cmdBrisanje, books->cmdUlaz})
        QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
    QCOMPARE(QApplication::focusWidget(), books->txtnaziv);

    typeText(books->txtnaziv, QStringLiteral("Glavna 'knjiga'"));
    typeText(books->txtadresa, QStringLiteral("Ilica 1"));
    books->lstpostojece->setCurrentRow(kindRow);
    boxes.answer(MsgOk);
    QTest::mouseClick(books->cmdunosimo, Qt::LeftButton);
    QCOMPARE(boxes.calls().size(), 1);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Unosimo novu knjigu?"));
    QCOMPARE(boxes.last().style, 33);
    QCOMPARE(boxes.last().title, QStringLiteral("Unos nove knjige"));

    const QList<Registry::Book> stored = Registry::booksOfCompany(alfa);
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored.first().nazivknjige, QStringLiteral("Glavna 'knjiga'"));
    QCOMPARE(stored.first().vrstaknjige, kind);
    QCOMPARE(stored.first().adresa, QStringLiteral("Ilica 1"));
    QCOMPARE(books->lsvotvorene->topLevelItemCount(), 1);
    QTreeWidgetItem* row = books->lsvotvorene->topLevelItem(0);
    QCOMPARE(row->text(frmIzborKnjige::ColNaziv), QStringLiteral("Glavna 'knjiga'"));
    QCOMPARE(row->text(frmIzborKnjige::ColVrsta), kind);
    QCOMPARE(row->text(frmIzborKnjige::ColId), QString::number(stored.first().id));
    QVERIFY(!books->Frame1->isVisible());
    QVERIFY(books->txtnaziv->text().isEmpty());
    QVERIFY(books->cmdNova->isEnabled());
    // No book file yet, and the current book is untouched until a click.
    QVERIFY(!QFileInfo::exists(folder.filePath(BookFileName(kind, stored.first().id))));
    QCOMPARE(books->windowTitle(), titleBefore);
    QVERIFY(AppState::bazaknjige.isEmpty());
}

void BookChooserTest::storeRefusesIncompleteEntry()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    frmIzborKnjige* books = openFor(QStringLiteral("Alfa"));
    books->cmdNova->click();
    typeText(books->txtnaziv, QStringLiteral("Knjiga"));
    books->cmdunosimo->click();
    QCOMPARE(boxes.last().prompt, QStringLiteral("Nije unešen naziv ili adresa knjige!"));
    QCOMPARE(boxes.last().style, 32);
    QCOMPARE(boxes.last().title, QStringLiteral("Nepotpun unos"));
    QCOMPARE(QApplication::focusWidget(), books->txtadresa);

    typeText(books->txtadresa, QStringLiteral(" "));
    books->cmdunosimo->click();
    QCOMPARE(boxes.last().prompt, QStringLiteral("Nije izabrana vrsta knjige!"));
    QCOMPARE(boxes.last().style, 48);
    QCOMPARE(boxes.last().title, QStringLiteral("Nije izabrano!"));

    books->lstpostojece->setCurrentRow(1);
    boxes.answer(MsgCancel);
    books->cmdunosimo->click();
    QCOMPARE(boxes.last().prompt, QStringLiteral("Unosimo novu knjigu?"));
    QVERIFY(books->Frame1->isVisible());
    QCOMPARE(books->txtnaziv->text(), QStringLiteral("Knjiga"));
    QVERIFY(Registry::booksOfCompany(alfa).isEmpty());
    QCOMPARE(boxes.calls().size(), 3);
}

void BookChooserTest::renameChangesTheBookTheEditStartedOn()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    const qint64 a =
        Registry::insertBook(alfa, QStringLiteral("Prva"), QStringLiteral("Skladiste"), QStringLiteral("A1"));
    const qint64 b =
        Registry::insertBook(alfa, QStringLiteral("Druga"), QStringLiteral("Proizvodnja"), QStringLiteral("B1"));
    frmIzborKnjige* books = openFor(QStringLiteral("Alfa"));
    QVERIFY(books);
    clickRow(books->lsvotvorene, 0);
    QTest::mouseClick(books->cmdUredjivanje, Qt::LeftButton);
    QCOMPARE(books->Frame1->title(), QStringLiteral("Izmjena: - Prva"));
    QCOMPARE(books->txtnaziv->text(), QStringLiteral("Prva"));
    QCOMPARE(books->txtnaziv->selectedText(), QStringLiteral("Prva"));
    QCOMPARE(books->txtadresa->text(), QStringLiteral("A1"));
    QCOMPARE(books->cmdunosimo->text(), QStringLiteral("Iz&mjena"));
    QCOMPARE(books->cmdunosimo->toolTip(), QStringLiteral("Izmjena naziva i adrese knjige (ne i vrste knjige)"));

    typeText(books->txtnaziv, QStringLiteral("Prva d'Or"));
    books->txtadresa->clear();
    typeText(books->txtadresa, QStringLiteral("A2"));
    // The user looks at another row before storing.
    clickRow(books->lsvotvorene, 1);
    boxes.answer(MsgOk);
    QTest::mouseClick(books->cmdunosimo, Qt::LeftButton);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Mijenjamo označenu knjigu?"));
    QCOMPARE(boxes.last().style, 33);
    QCOMPARE(boxes.last().title, QStringLiteral("Unos nove knjige"));

    const QList<Registry::Book> stored = Registry::booksOfCompany(alfa);
    QCOMPARE(stored.size(), 2);
    QCOMPARE(stored[0].id, a);
    QCOMPARE(stored[0].nazivknjige, QStringLiteral("Prva d'Or"));
    QCOMPARE(stored[0].adresa, QStringLiteral("A2"));
    QCOMPARE(stored[0].vrstaknjige, QStringLiteral("Skladiste"));
    QCOMPARE(stored[1].id, b);
    QCOMPARE(stored[1].nazivknjige, QStringLiteral("Druga"));
    QCOMPARE(stored[1].adresa, QStringLiteral("B1"));
    QCOMPARE(books->lsvotvorene->topLevelItem(0)->text(frmIzborKnjige::ColNaziv), QStringLiteral("Prva d'Or"));
    QVERIFY(!books->Frame1->isVisible());
}

void BookChooserTest::deleteBookOfEachKind_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("entered");
    QTest::newRow("warehouse with file") << "Skladiste" << true;
    QTest::newRow("production with file") << "Proizvodnja" << true;
    QTest::newRow("never entered") << "Skladiste" << false;
}

void BookChooserTest::deleteBookOfEachKind()
{
    QFETCH(QString, kind);
    QFETCH(bool, entered);
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    const qint64 first = Registry::insertBook(alfa, QStringLiteral("Prva"), kind, QStringLiteral("a"));
    const qint64 doomed = Registry::insertBook(alfa, QStringLiteral("Druga"), kind, QStringLiteral("b"));
    const qint64 last = Registry::insertBook(alfa, QStringLiteral("Treća"), QStringLiteral("Skladiste"), QString("c"));
    const QString file = folder.filePath(BookFileName(kind, doomed));
    if (entered) {
        writeFile(file);
        writeFile(file + QStringLiteral("-journal"));
    }
    const QString neighbour = folder.filePath(BookFileName(kind, first));
    writeFile(neighbour);

    frmIzborKnjige* books = openFor(QStringLiteral("Alfa"));
    QVERIFY(books);
    clickRow(books->lsvotvorene, 1);
    QCOMPARE(books->lblid->text(), QString::number(doomed));
    boxes.answer(MsgOk);
    QTest::mouseClick(books->cmdBrisanje, Qt::LeftButton);
    QCOMPARE(boxes.calls().size(), 2);
    QCOMPARE(
        boxes.calls()[0].prompt,
        QStringLiteral("Dobro razmislite! Brišete knjigu: Druga\r\nOvim brisanjem gubite sve podatke vezane uz nju"));
    QCOMPARE(boxes.calls()[0].style, 273);
    QCOMPARE(boxes.calls()[0].title, QStringLiteral("Nepovratno brisanje!!!"));
    QCOMPARE(boxes.calls()[1].prompt, QStringLiteral("Knjiga je nepovratno uklonjena!"));
    QCOMPARE(boxes.calls()[1].style, 0);
    QCOMPARE(boxes.calls()[1].title, applicationTitle());

    QVERIFY(!QFileInfo::exists(file));
    QVERIFY(!QFileInfo::exists(file + QStringLiteral("-journal")));
    QVERIFY(QFileInfo::exists(neighbour));
    const QList<Registry::Book> stored = Registry::booksOfCompany(alfa);
    QCOMPARE(stored.size(), 2);
    QCOMPARE(stored[0].id, first);
    QCOMPARE(stored[1].id, last);
    QCOMPARE(books->lsvotvorene->topLevelItemCount(), 2);
    // The last row becomes the current book.
    QCOMPARE(books->lblid->text(), QString::number(last));
    QCOMPARE(AppState::bazaknjige, BookFileName(QStringLiteral("Skladiste"), last));
    QVERIFY(books->cmdBrisanje->isEnabled());

    // Answering "Odustani" deletes nothing.
    boxes.clear();
    boxes.answer(MsgCancel);
    books->cmdBrisanje->click();
    QCOMPARE(boxes.calls().size(), 1);
    QCOMPARE(Registry::booksOfCompany(alfa).size(), 2);
}

void BookChooserTest::failedFileDeletionKeepsTheBook()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    const qint64 id = Registry::insertBook(alfa, QStringLiteral("Jedina"), QStringLiteral("Skladiste"), QString("a"));
    // A folder in the book file's place cannot be removed as a file (root ignores permissions).
    const QString blocker = folder.filePath(BookFileName(QStringLiteral("Skladiste"), id));
    QVERIFY(QDir().mkpath(blocker));
    writeFile(blocker + QStringLiteral("/inside"));

    frmIzborKnjige* books = openFor(QStringLiteral("Alfa"));
    QVERIFY(books);
    clickRow(books->lsvotvorene, 0);
    boxes.answer(MsgOk);
    books->cmdBrisanje->click();
    QCOMPARE(boxes.calls().size(), 2);
    QVERIFY(boxes.last().prompt.startsWith(QStringLiteral("Knjiga nije obrisana.")));
    QCOMPARE(boxes.last().style, 16);
    for (const MsgRequest& call : boxes.calls())
        QVERIFY(call.prompt != QStringLiteral("Knjiga je nepovratno uklonjena!"));
    QCOMPARE(Registry::booksOfCompany(alfa).size(), 1);
    QCOMPARE(books->lsvotvorene->topLevelItemCount(), 1);
    QVERIFY(QFileInfo(blocker).isDir());
    QVERIFY(books->cmdUlaz->isEnabled());
}

void BookChooserTest::refusesToDeleteTheOpenBook()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    const qint64 open =
        Registry::insertBook(alfa, QStringLiteral("Otvorena"), QStringLiteral("Skladiste"), QString("a"));
    Registry::insertBook(alfa, QStringLiteral("Druga"), QStringLiteral("Skladiste"), QString("b"));
    frmIzborKnjige::openBookFile = [open] { return BookFileName(QStringLiteral("Skladiste"), open); };
    frmIzborKnjige* books = openFor(QStringLiteral("Alfa"));
    QVERIFY(books);
    clickRow(books->lsvotvorene, 0);
    books->cmdBrisanje->click();
    QCOMPARE(boxes.calls().size(), 1);
    QVERIFY(boxes.last().prompt.contains(QStringLiteral("otvorena u glavnom prozoru")));
    QCOMPARE(boxes.last().style, 48);
    QCOMPARE(Registry::booksOfCompany(alfa).size(), 2);

    // Another book of the company may go.
    clickRow(books->lsvotvorene, 1);
    boxes.answer(MsgOk);
    books->cmdBrisanje->click();
    QCOMPARE(boxes.last().prompt, QStringLiteral("Knjiga je nepovratno uklonjena!"));
    QCOMPARE(Registry::booksOfCompany(alfa).size(), 1);
}

void BookChooserTest::enterBookOfEachKind_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("how");
    QTest::newRow("warehouse by button") << "Skladiste"
                                         << "button";
    QTest::newRow("production by button") << "Proizvodnja"
                                          << "button";
    QTest::newRow("production by double click") << "Proizvodnja"
                                                << "double click";
    QTest::newRow("warehouse by Enter in the list") << "Skladiste"
                                                    << "enter";
}

void BookChooserTest::enterBookOfEachKind()
{
    QFETCH(QString, kind);
    QFETCH(QString, how);
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    Registry::insertBook(alfa, QStringLiteral("Stara"), QStringLiteral("Skladiste"), QString("a"));
    const qint64 id = Registry::insertBook(alfa, QStringLiteral("Moja knjiga"), kind, QString("b"));
    QStringList captions;
    QString stateSeen;
    frmIzborKnjige::onEnterBook = [&](const QString& caption) {
        captions.append(caption);
        stateSeen = AppState::bazaknjige + QLatin1Char('|') + AppState::vrstabaze;
    };
    frmIzborKnjige* books = openFor(QStringLiteral("Alfa"));
    QVERIFY(books);
    const QString path = folder.filePath(BookFileName(kind, id));
    if (how == QLatin1String("double click")) {
        QTreeWidgetItem* item = books->lsvotvorene->topLevelItem(1);
        const QPoint at = books->lsvotvorene->visualItemRect(item).center();
        QTest::mouseClick(books->lsvotvorene->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(books->lsvotvorene->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    } else {
        clickRow(books->lsvotvorene, 1);
        QCOMPARE(books->windowTitle(), QStringLiteral("Baza: ") + path + QStringLiteral("             Pomoć F1"));
        QCOMPARE(books->lblimebaze->text(), QStringLiteral("Baza: ") + path);
        if (how == QLatin1String("enter")) {
            QVERIFY(showActive(books));
            books->lsvotvorene->setFocus();
            QTest::keyClick(books->lsvotvorene, Qt::Key_Return);
        } else {
            QTest::mouseClick(books->cmdUlaz, Qt::LeftButton);
        }
    }
    QCOMPARE(captions.size(), 1);
    QCOMPARE(captions.first(), QStringLiteral("Knjiga: Moja knjiga      Baza: ") + path);
    QCOMPARE(AppState::bazaknjige, BookFileName(kind, id));
    QCOMPARE(AppState::vrstabaze, kind);
    QCOMPARE(stateSeen, BookFileName(kind, id) + QLatin1Char('|') + kind);
    QVERIFY(!books->cmdUlaz->isEnabled());
    QVERIFY(!books->cmdUredjivanje->isEnabled());
    QVERIFY(!books->cmdBrisanje->isEnabled());
    QVERIFY(books->isVisible() && books->isEnabled());
    QVERIFY(boxes.calls().isEmpty());
}

void BookChooserTest::helpPaneBringsBackAnEntryUnderWay()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    const qint64 id = Registry::insertBook(alfa, QStringLiteral("Prva"), QStringLiteral("Skladiste"), QString("a"));
    frmIzborKnjige* books = openFor(QStringLiteral("Alfa"));
    QVERIFY(books);
    const QList<QWidget*> controls = {books->lsvotvorene,    books->cmdUlaz,     books->cmdizlaz,
                                      books->cmdUredjivanje, books->cmdBrisanje, books->cmdNova};

    // With nothing typed the entry frame stays closed.
    books->lsvotvorene->setFocus();
    QTest::keyClick(books->lsvotvorene, Qt::Key_F1);
    QVERIFY(books->txtpomoc->isVisible());
    QCOMPARE(books->windowTitle(), QStringLiteral("F1 vrati se u mod unosa!"));
    for (QWidget* w : controls)
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QVERIFY(!books->txtpomoc->isVisible());
    for (QWidget* w : controls)
        QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
    QVERIFY(!books->Frame1->isVisible());
    QVERIFY(books->cmdalati->isVisible());
    QCOMPARE(books->windowTitle(), QStringLiteral("Baza: ") + folder.filePath(BookFileName("Skladiste", id)) +
                                       QStringLiteral("             Pomoć F1"));

    // An entry under way comes back with its text.
    books->cmdNova->click();
    typeText(books->txtnaziv, QStringLiteral("Nova"));
    QTest::keyClick(books->txtnaziv, Qt::Key_F1);
    QVERIFY(books->txtpomoc->isVisible());
    QVERIFY(!books->Frame1->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QVERIFY(books->Frame1->isVisible());
    QCOMPARE(books->txtnaziv->text(), QStringLiteral("Nova"));
    QVERIFY(!books->cmdNova->isEnabled());
    QVERIFY(boxes.calls().isEmpty());
}

void BookChooserTest::anotherCompanyReplacesTheList()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    const qint64 alfa = addCompany(QStringLiteral("Alfa"));
    const qint64 beta = addCompany(QStringLiteral("Beta"));
    Registry::insertBook(alfa, QStringLiteral("Alfina"), QStringLiteral("Skladiste"), QString("a"));
    const qint64 betina = Registry::insertBook(beta, QStringLiteral("Betina"), QStringLiteral("Proizvodnja"), "b");
    frmIzborKnjige* books = openFor(QStringLiteral("Alfa"));
    QVERIFY(books);
    QCOMPARE(books->lsvotvorene->topLevelItem(0)->text(frmIzborKnjige::ColNaziv), QStringLiteral("Alfina"));
    QCOMPARE(openFor(QStringLiteral("Beta")), books);
    QCOMPARE(books->windowTitle(), QStringLiteral("Beta - izbor knjige      Pomoć F1"));
    QCOMPARE(books->lsvotvorene->topLevelItemCount(), 1);
    QCOMPARE(books->lsvotvorene->topLevelItem(0)->text(frmIzborKnjige::ColNaziv), QStringLiteral("Betina"));
    QCOMPARE(books->lblid->text(), QString::number(betina));
}

void BookChooserTest::escReturnsToTheCompanyChooser()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    addCompany(QStringLiteral("Alfa"));
    frmIzborKnjige* books = openFor(QStringLiteral("Alfa"));
    QVERIFY(books);
    books->cmdNova->click();
    QTest::keyClick(books->txtnaziv, Qt::Key_Escape);
    QTRY_VERIFY(!frmIzborKnjige::isLoaded());
    QVERIFY(frmIzborTvrtke::isLoaded());
    QVERIFY(frmIzborTvrtke::loaded()->isVisible());

    // The return button does the same.
    books = openFor(QStringLiteral("Alfa"));
    QVERIFY(books);
    QTest::mouseClick(books->cmdizlaz, Qt::LeftButton);
    QTRY_VERIFY(!frmIzborKnjige::isLoaded());
}

KNJ_REGISTER_TEST(BookChooserTest)
#include "tst_bookchooser.moc"
