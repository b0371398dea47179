#include "app/frmUvod.h"
#include "common/appcontrol.h"
#include "core/db/appstate.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"
#include "core/db/registry.h"
#include "frame/frmIzborTvrtke.h"
#include "frame/frmSkladiste.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using knjtest::MsgBoxScript;
using knjtest::ProgramFolderFixture;

namespace {

qint64 addCompany(const QString& name, const QString& place = QStringLiteral("Zagreb"))
{
    Registry::ensureExists();
    Database db = Database::open(ProgramFolder::registryPath());
    return db.insert(QStringLiteral("insert into svetvrtke(ime, mb, sifradj, \"to\", ziroracun, posta, mjesto, ulica, "
                                    "telefon, kontakt) values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                     {name, QStringLiteral("1234567890123"), QStringLiteral("52.1"), QStringLiteral("T"),
                      QStringLiteral("2360000-1101234567"), QStringLiteral("10000"), place, QStringLiteral("Ilica 1"),
                      QStringLiteral("01/234-567"), QStringLiteral("-")});
}

qint64 addBook(qint64 company, const QString& kind)
{
    Database db = Database::open(ProgramFolder::registryPath());
    const qint64 id =
        db.insert(QStringLiteral("insert into otvoreneknjige(idtvrtke, nazivknjige, vrstaknjige, adresa) "
                                 "values(?, ?, ?, ?)"),
                  {QString::number(company), kind + QStringLiteral(" knjiga"), kind, QStringLiteral("-")});
    QFile f(ProgramFolder::filePath(BookFileName(kind, id)));
    f.open(QIODevice::WriteOnly);
    return id;
}

QStringList listedNames(frmIzborTvrtke* w)
{
    QStringList names;
    for (int i = 0; i < w->lsvLista->topLevelItemCount(); ++i)
        names << w->lsvLista->topLevelItem(i)->text(0);
    return names;
}

} // namespace

class CompanyChooserTest : public QObject
{
    Q_OBJECT
private slots:
    void splashHandsOverToTheChooser();
    void emptyRegistryIsCreatedAndButtonsWait();
    void listsInCroatianOrderWithFirstCurrent();
    void selectionMakesTheCurrentCompany();
    void deleteAnsweredNoChangesNothing();
    void deleteRemovesCompanyBooksAndFilesOnly();
    void deleteThatFailsKeepsCompanyAndSaysWhy();
    void deletingTheOnlyCompany();
    void companyWithTheOpenBookIsNotDeleted();
    void apostropheIsShownAsTyped();
    void registryThatIsNoDatabaseIsReported();
    void printsTheDataSheet();
    void printWithoutPrinterSaysSo();
    void exitEndsTheProgram();
};

void CompanyChooserTest::splashHandsOverToTheChooser()
{
    ProgramFolderFixture folder;
    QPointer<frmUvod> splash = new frmUvod;
    splash->show();
    QVERIFY(!frmIzborTvrtke::isLoaded());
    QCOMPARE(splash->Timer1->interval(), 500);
    QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
    QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 3000);
    QVERIFY(frmIzborTvrtke::isLoaded());
    QVERIFY(frmIzborTvrtke::loaded()->isVisible());
    QVERIFY(QFile::exists(folder.filePath(QStringLiteral("tvrtke.mdb"))));
}

void CompanyChooserTest::emptyRegistryIsCreatedAndButtonsWait()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    frmIzborTvrtke* w = frmIzborTvrtke::instance();
    QVERIFY(QFile::exists(folder.filePath(QStringLiteral("tvrtke.mdb"))));
    QCOMPARE(w->windowTitle(), QStringLiteral("Izbor tvrtke / obrta        Pomoć F1"));
    QCOMPARE(w->lsvLista->topLevelItemCount(), 0);
    QVERIFY(!w->cmdUlaz->isEnabled());
    QVERIFY(!w->cmdUredjivanje->isEnabled());
    QVERIFY(!w->cmdBrisanje->isEnabled());
    QVERIFY(w->cmdNova->isEnabled());
    QVERIFY(w->cmdizlaz->isEnabled());
    QVERIFY(w->cmdUlaz->isDefault());
    w->cmdispis->click();
    QVERIFY(boxes.calls().isEmpty());
}

void CompanyChooserTest::listsInCroatianOrderWithFirstCurrent()
{
    ProgramFolderFixture folder;
    MsgBoxScript boxes;
    for (const char* name : {"beta", "Čelik", "Alfa", "Cvijet", "alfa2"})
        addCompany(QString::fromUtf8(name));
    frmIzborTvrtke* w = frmIzborTvrtke::instance();
    QCOMPARE(listedNames(w), QString::fromUtf8("Alfa alfa2 beta Cvijet Čelik").split(' '));
    QCOMPARE(w->lblIme->text(), QStringLiteral("Alfa"));
    QVERIFY(w->cmdUlaz->isEnabled());
    QVERIFY(w->cmdUredjivanje->isEnabled());
    QVERIFY(w->cmdBrisanje->isEnabled());
    QVERIFY(w->lsvLista->isColumnHidden(frmIzborTvrtke::ColId));
    QCOMPARE(w->lsvLista->headerItem()->text(frmIzborTvrtke::ColTo), QStringLiteral("T/O"));
}

void CompanyChooserTest::selectionMakesTheCurrentCompany()
{
    ProgramFolderFixture folder;
    addCompany(QStringLiteral("Alfa"));
    const qint64 beta = addCompany(QStringLiteral("Beta"));
    frmIzborTvrtke* w = frmIzborTvrtke::instance();
    w->show();
    QTest::keyClick(w->lsvLista, Qt::Key_Down);
    QCOMPARE(w->lblIme->text(), QStringLiteral("Beta"));
    QCOMPARE(w->lblidt->text(), QString::number(beta));
}

void CompanyChooserTest::deleteAnsweredNoChangesNothing()
{
    ProgramFolderFixture folder;
    const qint64 id = addCompany(QStringLiteral("Alfa"));
    const qint64 book = addBook(id, QStringLiteral("Skladiste"));
    frmIzborTvrtke* w = frmIzborTvrtke::instance();
    MsgBoxScript boxes;
    boxes.answer(MsgNo);
    w->cmdBrisanje->click();
    QCOMPARE(boxes.calls().size(), 1);
    QCOMPARE(boxes.last().prompt,
             QStringLiteral("Želite trajno ukloniti tvtku: Alfa  i sve njezine knjige?\r\nMolim budite pažljivi!!!"));
    QCOMPARE(boxes.last().style, 276);
    QCOMPARE(boxes.last().title, QStringLiteral("Brisanje tvrtke /obrta"));
    QCOMPARE(listedNames(w), QStringList{"Alfa"});
    QCOMPARE(Registry::companies().size(), 1);
    QVERIFY(QFile::exists(ProgramFolder::filePath(BookFileName("Skladiste", book))));
}

void CompanyChooserTest::deleteRemovesCompanyBooksAndFilesOnly()
{
    ProgramFolderFixture folder;
    addCompany(QStringLiteral("Alfa"));
    const qint64 doomed = addCompany(QStringLiteral("Beta"));
    addCompany(QStringLiteral("Gama"));
    const qint64 b7 = addBook(doomed, QStringLiteral("Skladiste"));
    const qint64 b9 = addBook(doomed, QStringLiteral("Proizvodnja"));
    frmIzborTvrtke* w = frmIzborTvrtke::instance();
    w->lsvLista->setCurrentItem(w->lsvLista->topLevelItem(1));
    QCOMPARE(w->lblIme->text(), QStringLiteral("Beta"));

    MsgBoxScript boxes;
    boxes.answer(MsgYes).answer(MsgOk);
    w->cmdBrisanje->click();
    QCOMPARE(boxes.calls().size(), 2);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Tvrtka i sve knjige su nepovratno obrisane!"));
    QCOMPARE(boxes.last().style, 32);
    QCOMPARE(boxes.last().title, QStringLiteral("Brisanje završeno"));
    QVERIFY(!QFile::exists(ProgramFolder::filePath(BookFileName("Skladiste", b7))));
    QVERIFY(!QFile::exists(ProgramFolder::filePath(BookFileName("Proizvodnja", b9))));
    QCOMPARE(Registry::booksOfCompany(doomed).size(), 0);
    QCOMPARE(listedNames(w), (QStringList{"Alfa", "Gama"}));
    QCOMPARE(w->lblIme->text(), QStringLiteral("Gama")); // the last company becomes current
    QVERIFY(w->cmdUredjivanje->isEnabled());
    QVERIFY(w->cmdBrisanje->isEnabled());
}

void CompanyChooserTest::deleteThatFailsKeepsCompanyAndSaysWhy()
{
    ProgramFolderFixture folder;
    const qint64 id = addCompany(QStringLiteral("Alfa"));
    const qint64 book = addBook(id, QStringLiteral("Skladiste"));
    const QString path = ProgramFolder::filePath(BookFileName("Skladiste", book));
    QFile::remove(path);
    QVERIFY(QDir().mkpath(path + QStringLiteral("/busy")));
    frmIzborTvrtke* w = frmIzborTvrtke::instance();
    MsgBoxScript boxes;
    boxes.answer(MsgYes).answer(MsgOk);
    w->cmdBrisanje->click();
    QCOMPARE(boxes.calls().size(), 2);
    QVERIFY(boxes.last().prompt.contains(BookFileName("Skladiste", book)));
    QVERIFY(!boxes.last().prompt.contains(QStringLiteral("nepovratno obrisane")));
    QCOMPARE(listedNames(w), QStringList{"Alfa"});
    QCOMPARE(Registry::companies().size(), 1);
    QCOMPARE(Registry::booksOfCompany(id).size(), 1);
}

void CompanyChooserTest::deletingTheOnlyCompany()
{
    ProgramFolderFixture folder;
    addCompany(QStringLiteral("Alfa"));
    frmIzborTvrtke* w = frmIzborTvrtke::instance();
    MsgBoxScript boxes;
    boxes.answer(MsgYes).answer(MsgOk);
    w->cmdBrisanje->click();
    QCOMPARE(w->lsvLista->topLevelItemCount(), 0);
    QVERIFY(!w->cmdUredjivanje->isEnabled());
    QVERIFY(!w->cmdBrisanje->isEnabled());
    QVERIFY(w->cmdUlaz->isEnabled());
    w->cmdUlaz->click(); // does nothing with an empty list
    QCOMPARE(boxes.calls().size(), 2);
}

void CompanyChooserTest::companyWithTheOpenBookIsNotDeleted()
{
    ProgramFolderFixture folder;
    const qint64 id = addCompany(QStringLiteral("Alfa"));
    const qint64 book = addBook(id, QStringLiteral("Skladiste"));
    QFile::remove(ProgramFolder::filePath(BookFileName("Skladiste", book)));
    AppState::vrstabaze = QStringLiteral("Skladiste");
    AppState::bazaknjige = BookFileName("Skladiste", book);
    QVERIFY(frmSkladiste::openBook(QStringLiteral("Knjiga: Skladiste knjiga")));
    frmIzborTvrtke* w = frmIzborTvrtke::instance();
    MsgBoxScript boxes;
    boxes.answer(MsgOk);
    w->cmdBrisanje->click();
    QCOMPARE(boxes.calls().size(), 1);
    QCOMPARE(boxes.last().title, QStringLiteral("Knjiga je otvorena"));
    QCOMPARE(boxes.last().style, 48);
    QCOMPARE(Registry::companies().size(), 1);
    QVERIFY(QFile::exists(ProgramFolder::filePath(BookFileName("Skladiste", book))));
}

void CompanyChooserTest::apostropheIsShownAsTyped()
{
    ProgramFolderFixture folder;
    addCompany(QStringLiteral("Kod O'Briena"), QStringLiteral("Donji \"Grad\""));
    frmIzborTvrtke* w = frmIzborTvrtke::instance();
    QCOMPARE(listedNames(w), QStringList{"Kod O'Briena"});
    QCOMPARE(w->lsvLista->topLevelItem(0)->text(frmIzborTvrtke::ColMjesto), QStringLiteral("Donji \"Grad\""));
}

void CompanyChooserTest::registryThatIsNoDatabaseIsReported()
{
    ProgramFolderFixture folder;
    QFile f(folder.filePath(QStringLiteral("tvrtke.mdb")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(2048, 'j'));
    f.close();
    MsgBoxScript boxes;
    frmIzborTvrtke* w = frmIzborTvrtke::instance();
    QCOMPARE(boxes.calls().size(), 1);
    QCOMPARE(boxes.last().style, 16);
    QVERIFY(boxes.last().prompt.contains(QStringLiteral("nije baza podataka")));
    QCOMPARE(w->lsvLista->topLevelItemCount(), 0);
    QCOMPARE(QFileInfo(folder.filePath(QStringLiteral("tvrtke.mdb"))).size(), qint64(2048));
}

void CompanyChooserTest::printsTheDataSheet()
{
    ProgramFolderFixture folder;
    addCompany(QStringLiteral("Alfa d.o.o."));
    frmIzborTvrtke* w = frmIzborTvrtke::instance();
    knjtest::PrintRecorder printed(folder.filePath(QStringLiteral("sheet.pdf")));
    MsgBoxScript boxes;
    boxes.answer(MsgYes);
    w->cmdispis->click();
    QCOMPARE(boxes.calls().size(), 1);
    QCOMPARE(boxes.last().prompt, QStringLiteral(" Ispis podataka za: Alfa d.o.o.?"));
    QCOMPARE(boxes.last().style, 36);
    QCOMPARE(boxes.last().title, QStringLiteral("Ispis podataka!"));
    QCOMPARE(printed.jobs(), 1);
    QCOMPARE(printed.pages().size(), 1);
    const QString pad(10, ' ');
    const QStringList expected{
        "", "",
        "", pad + "Ispis podataka za: !Alfa d.o.o.  na dan: " + QDate::currentDate().toString("dd.MM.yyyy"),
        "", pad + "Naziv T/O   :  Alfa d.o.o.",
        "", pad + "Matični br. :  1234567890123",
        "", pad + "Šifra djel. :  52.1",
        "", pad + "Tvrtka/obrt :  T",
        "", pad + "Žiro račun  :  2360000-1101234567",
        "", pad + "Pošt. br.   :  10000",
        "", pad + "Mjesto      :  Zagreb",
        "", pad + "Ulica i br. :  Ilica 1",
        "", pad + "Telefon     :  01/234-567",
        "", pad + "Kontaktiraj :  -"};
    QCOMPARE(printed.lines(), expected);
    QVERIFY(QFileInfo(folder.filePath(QStringLiteral("sheet.pdf"))).size() > 0);

    boxes.answer(MsgNo);
    w->cmdispis->click();
    QCOMPARE(printed.jobs(), 1);
}

void CompanyChooserTest::printWithoutPrinterSaysSo()
{
    ProgramFolderFixture folder;
    addCompany(QStringLiteral("Alfa"));
    frmIzborTvrtke* w = frmIzborTvrtke::instance();
    knjtest::NoPrinter none;
    MsgBoxScript boxes;
    boxes.answer(MsgYes).answer(MsgOk);
    w->cmdispis->click();
    QCOMPARE(boxes.calls().size(), 2);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Nije pronađen zadani pisač."));
}

void CompanyChooserTest::exitEndsTheProgram()
{
    ProgramFolderFixture folder;
    int ended = 0;
    AppControl::setEndProgramHandler([&ended] { ++ended; });
    frmIzborTvrtke::instance()->cmdizlaz->click();
    AppControl::setEndProgramHandler({});
    QCOMPARE(ended, 1);
}

KNJ_REGISTER_TEST(CompanyChooserTest)
#include "tst_companychooser.moc"
