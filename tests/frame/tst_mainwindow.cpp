#include "common/centring.h"
#include "common/windowkeys.h"
#include "common/workspace.h"
#include "core/db/appstate.h"
#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"
#include "frame/frmSkladiste.h"
#include "frame/menuwindows.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {

using Schema = QList<QPair<QString, QStringList>>; // table -> "column type" in order

const Schema& warehouseSchema()
{
    static const Schema s = {
        {"kd",
         {"id INTEGER", "kd TEXT", "ime TEXT", "mb TEXT", "ziroracun TEXT", "mjesto TEXT", "ulica TEXT", "telefon TEXT",
          "kontakt TEXT"}},
        {"artikli",
         {"id INTEGER", "sifra TEXT", "barkod TEXT", "naziv TEXT", "jedmjere TEXT", "minkolicina REAL", "stanje REAL",
          "vrijednost REAL", "proscijena REAL"}},
        {"ulazizlaz", {"id INTEGER", "idartikla TEXT", "idpi INTEGER", "idkd INTEGER", "kolicina REAL", "cijena REAL"}},
        {"pi",
         {"id INTEGER", "pi TEXT", "brojpi INTEGER", "datumpi TEXT", "dokument TEXT", "brojdok TEXT", "datumdok TEXT",
          "idkd INTEGER"}},
        {"dokumenti", {"id INTEGER", "dokument TEXT"}}};
    return s;
}

const Schema& productionSchema()
{
    static const Schema s = {
        {"proizvodi", {"id INTEGER", "sifra TEXT", "barkod TEXT", "naziv TEXT", "jedmjere TEXT"}},
        {"sastojci",
         {"id INTEGER", "idartikla TEXT", "idproizvoda TEXT", "idskladista TEXT", "kolicina REAL", "cijena REAL"}},
        {"radninalozi",
         {"id INTEGER", "brojrn INTEGER", "datumotv TEXT", "datumzatv TEXT", "idproizvoda TEXT",
          "kolicinaproizvoda REAL", "trosakmat REAL", "trosakrada REAL", "trosakusluga REAL", "ostali1 REAL",
          "ostali2 REAL", "ostali3 REAL"}},
        {"troskovi", {"id INTEGER", "idrn TEXT", "Nazivskladista TEXT", "izdatnicabr TEXT", "iznos REAL"}}};
    return s;
}

Schema schemaOf(const QString& path)
{
    Database db = Database::open(path);
    Schema schema;
    const auto tables = db.select(QStringLiteral(
        "select name from sqlite_master where type = 'table' and name <> 'sqlite_sequence' order by rowid"));
    for (const QSqlRecord& table : tables) {
        QStringList columns;
        for (const QSqlRecord& c : db.select(QStringLiteral("pragma table_info(%1)").arg(table.value(0).toString())))
            columns << c.value("name").toString() + " " + c.value("type").toString().toUpper();
        schema.append({table.value(0).toString(), columns});
    }
    return schema;
}

// A working window as the other windows are built: a frame of controls, and the group's menus released on closing.
class StandInWindow : public QWidget
{
public:
    StandInWindow(MenuGroup group, bool refuseClose) : m_group(group), m_refuse(refuseClose)
    {
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowTitle(QStringLiteral("Radni prozor"));
        frame = new QWidget(this);
        frame->setObjectName(QStringLiteral("frameartikli"));
        frame->resize(701, 403);
    }
    QWidget* frame;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        if (m_refuse) {
            event->ignore();
            return;
        }
        ReleaseMainMenus(m_group);
        event->accept();
    }

private:
    MenuGroup m_group;
    bool m_refuse;
};

const QStringList WarehouseItems = {"mnuArtikala", "mnuPrimki",     "mnuIzdatnica", "mnuKupaca",   "mnuArtikala1",
                                    "mnuPrimki1",  "mnuIzdatnica1", "mnuKupaca1",   "mnuDnevnika1"};
const QStringList ProductionItems = {"mnuproizvodi", "mnuradninalozi"};

QStringList visibleTopMenus(frmSkladiste* w)
{
    QStringList captions;
    for (QAction* a : w->menuBar()->actions())
        if (a->isVisible())
            captions << a->text();
    return captions;
}

bool enabled(QMenu* menu)
{
    return menu->menuAction()->isEnabled();
}

void enterBook(const QString& kind, qint64 id)
{
    AppState::vrstabaze = kind;
    AppState::bazaknjige = BookFileName(kind, id);
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void centredEdge_data();
    void centredEdge();
    void firstEntryCreatesBookWithItsTables_data();
    void firstEntryCreatesBookWithItsTables();
    void enteringAgainChangesNothing();
    void bookThatCannotBeCreatedIsReported_data();
    void bookThatCannotBeCreatedIsReported();
    void otherKindShowsOnlyHelpAndCreatesNothing();
    void itemLocksItsGroupWhileItsWindowIsOpen_data();
    void itemLocksItsGroupWhileItsWindowIsOpen();
    void itemWithoutWindowLocksNothing();
    void entersAnotherBookWhileLoaded();
    void refusedEntryKeepsTheEarlierBook();
    void staysMaximised();
    void closingWaitsForWorkingWindows();
    void exitItemsCloseTheWindow();
};

void MainWindowTest::cleanup()
{
    MenuWindows::reset();
    knjtest::closeAllWindows();
}

void MainWindowTest::centredEdge_data()
{
    QTest::addColumn<double>("container");
    QTest::addColumn<double>("window");
    QTest::addColumn<int>("edge");
    QTest::newRow("even difference") << 15000.0 << 12000.0 << 1500;
    QTest::newRow("odd difference drops the half") << 15001.0 << 12000.0 << 1500;
    QTest::newRow("minus one gives zero") << 11999.0 << 12000.0 << 0;
    QTest::newRow("minus three toward zero") << 797.0 << 800.0 << -1;
    QTest::newRow("larger window") << 777.0 << 820.0 << -21;
    QTest::newRow("half rounds to even below") << 3000.5 << 0.0 << 1500;
    QTest::newRow("half rounds to even above") << 3001.5 << 0.0 << 1501;
    QTest::newRow("negative half to even") << 0.0 << 2.5 << -1;
    QTest::newRow("negative odd half to even") << 0.0 << 3.5 << -2;
}

void MainWindowTest::centredEdge()
{
    QFETCH(double, container);
    QFETCH(double, window);
    QFETCH(int, edge);
    QCOMPARE(CentredEdge(container, window), edge);
}

void MainWindowTest::firstEntryCreatesBookWithItsTables_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("topMenus");
    QTest::newRow("warehouse") << BookKindWarehouse << QStringList{"&Novi unos", "&Pregled", "Pomoć"};
    QTest::newRow("production") << BookKindProduction << QStringList{"Izbor", "Pomoć"};
}

void MainWindowTest::firstEntryCreatesBookWithItsTables()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, topMenus);
    knjtest::ProgramFolderFixture folder;
    knjtest::MsgBoxScript boxes;
    enterBook(kind, 3);
    const QString caption = QStringLiteral("Knjiga: Glavno      Baza: ") + folder.filePath(AppState::bazaknjige);
    QVERIFY(frmSkladiste::openBook(caption));

    frmSkladiste* w = frmSkladiste::loaded();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), caption);
    QVERIFY(w->isMaximized());
    QCOMPARE(visibleTopMenus(w), topMenus);
    QCOMPARE(frmSkladiste::openBookFile(), kind + "3.mdb");
    QCOMPARE(boxes.calls().size(), 0);

    const QString path = folder.filePath(kind + "3.mdb");
    QCOMPARE(schemaOf(path), kind == BookKindWarehouse ? warehouseSchema() : productionSchema());
    Database db = Database::open(path);
    if (kind == BookKindWarehouse) {
        const auto rows = db.select(QStringLiteral("select * from kd"));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].value("kd").toString(), QStringLiteral("k"));
        QCOMPARE(rows[0].value("ime").toString(), QStringLiteral("Proizvodnja"));
        for (const char* column : {"mb", "ziroracun", "mjesto", "ulica", "telefon", "kontakt"}) {
            QVERIFY2(!rows[0].value(column).isNull(), column);
            QCOMPARE(rows[0].value(column).toString(), QString());
        }
        for (const char* table : {"artikli", "ulazizlaz", "pi", "dokumenti"})
            QCOMPARE(db.scalar(QStringLiteral("select count(*) from %1").arg(table)).toInt(), 0);
    } else {
        for (const char* table : {"proizvodi", "sastojci", "radninalozi", "troskovi"})
            QCOMPARE(db.scalar(QStringLiteral("select count(*) from %1").arg(table)).toInt(), 0);
    }
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{kind + "3.mdb"});
}

void MainWindowTest::enteringAgainChangesNothing()
{
    knjtest::ProgramFolderFixture folder;
    knjtest::MsgBoxScript boxes;
    enterBook(BookKindWarehouse, 1);
    QVERIFY(frmSkladiste::openBook(QStringLiteral("Knjiga: A")));
    const QString path = folder.filePath(QStringLiteral("Skladiste1.mdb"));
    {
        Database db = Database::open(path);
        db.insert(QStringLiteral("insert into artikli(sifra, naziv, stanje) values(?, ?, ?)"), {"A1", "Čavli", 5.0});
    }
    frmSkladiste::loaded()->close();
    QTRY_VERIFY(!frmSkladiste::isLoaded());
    QCOMPARE(frmSkladiste::openBookFile(), QString());

    QVERIFY(frmSkladiste::openBook(QStringLiteral("Knjiga: A")));
    Database db = Database::open(path);
    QCOMPARE(db.scalar(QStringLiteral("select naziv from artikli where sifra = 'A1'")).toString(),
             QStringLiteral("Čavli"));
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from kd")).toInt(), 1);
    QCOMPARE(schemaOf(path), warehouseSchema());
    QCOMPARE(boxes.calls().size(), 0);
}

void MainWindowTest::bookThatCannotBeCreatedIsReported_data()
{
    QTest::addColumn<bool>("folderIsAFile");
    QTest::newRow("a folder in the book's place") << false;
    QTest::newRow("program folder is a file") << true;
}

void MainWindowTest::bookThatCannotBeCreatedIsReported()
{
    QFETCH(bool, folderIsAFile);
    knjtest::ProgramFolderFixture folder;
    knjtest::MsgBoxScript boxes;
    enterBook(BookKindWarehouse, 4);
    if (folderIsAFile) {
        QFile file(folder.filePath(QStringLiteral("datoteka")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        ProgramFolder::setPath(file.fileName());
    } else {
        QVERIFY(QDir(folder.path()).mkdir(AppState::bazaknjige));
    }
    const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    QVERIFY(!frmSkladiste::openBook(QStringLiteral("Knjiga: B")));
    QVERIFY(!frmSkladiste::isLoaded());
    QCOMPARE(frmSkladiste::openBookFile(), QString());
    QCOMPARE(boxes.calls().size(), 1);
    QCOMPARE(boxes.last().style, 16);
    QVERIFY2(boxes.last().prompt.contains(QStringLiteral("nije stvorena")), qPrintable(boxes.last().prompt));
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    QTest::qWait(0);
    QVERIFY(!frmSkladiste::isLoaded());
}

void MainWindowTest::otherKindShowsOnlyHelpAndCreatesNothing()
{
    knjtest::ProgramFolderFixture folder;
    knjtest::MsgBoxScript boxes;
    AppState::vrstabaze = QStringLiteral("skladiste");
    AppState::bazaknjige = QStringLiteral("skladiste5.mdb");
    QVERIFY(frmSkladiste::openBook(QStringLiteral("Knjiga: C")));
    QCOMPARE(visibleTopMenus(frmSkladiste::loaded()), QStringList{"Pomoć"});
    QVERIFY(QDir(folder.path()).isEmpty());
    QCOMPARE(boxes.calls().size(), 0);
}

void MainWindowTest::itemLocksItsGroupWhileItsWindowIsOpen_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("kind");
    for (const QString& item : WarehouseItems)
        QTest::newRow(qPrintable(item)) << item << BookKindWarehouse;
    for (const QString& item : ProductionItems)
        QTest::newRow(qPrintable(item)) << item << BookKindProduction;
}

void MainWindowTest::itemLocksItsGroupWhileItsWindowIsOpen()
{
    QFETCH(QString, item);
    QFETCH(QString, kind);
    knjtest::ProgramFolderFixture folder;
    knjtest::MsgBoxScript boxes;
    const MenuGroup group = kind == BookKindWarehouse ? MenuGroup::Warehouse : MenuGroup::Production;
    QPointer<StandInWindow> opened;
    MenuWindows::setOpener(item, [&opened, group] {
        opened = new StandInWindow(group, false);
        Workspace::showWorkingWindow(opened, opened->frame);
    });
    enterBook(kind, 2);
    QVERIFY(frmSkladiste::openBook(QStringLiteral("Knjiga: D")));
    frmSkladiste* w = frmSkladiste::loaded();
    QVERIFY(QTest::qWaitForWindowExposed(w));

    knjtest::triggerAction(w, item);
    QVERIFY(opened);
    const QList<QMenu*> groupMenus =
        group == MenuGroup::Warehouse ? QList<QMenu*>{w->mnuNoviunos, w->mnuPregled} : QList<QMenu*>{w->mnuizbor};
    for (QMenu* menu : groupMenus)
        QVERIFY(!enabled(menu));
    QVERIFY(enabled(w->mnupomoc));

    auto* sub = qobject_cast<QMdiSubWindow*>(opened->parentWidget());
    QVERIFY(sub);
    QCOMPARE(sub->mdiArea(), w->mdiArea);
    QCOMPARE(sub->size(), QSize(800, 520));
    const QSize client = w->mdiArea->viewport()->size();
    QCOMPARE(sub->pos(), QPoint(CentredEdge(client.width(), 800), CentredEdge(client.height(), 520)));
    QCOMPARE(opened->frame->pos(), QPoint(CentredEdge(opened->width(), 701), CentredEdge(opened->height(), 403)));

    closeWindow(opened);
    QTRY_VERIFY(!opened);
    for (QMenu* menu : groupMenus + QList<QMenu*>{w->mnupomoc})
        QVERIFY(enabled(menu));
    QCOMPARE(boxes.calls().size(), 0);
}

void MainWindowTest::itemWithoutWindowLocksNothing()
{
    knjtest::ProgramFolderFixture folder;
    for (const QString& kind : {BookKindWarehouse, BookKindProduction}) {
        enterBook(kind, 6);
        QVERIFY(frmSkladiste::openBook(QStringLiteral("Knjiga: E")));
        frmSkladiste* w = frmSkladiste::loaded();
        for (const QString& item : kind == BookKindWarehouse ? WarehouseItems : ProductionItems)
            if (!MenuWindows::opener(item))
                knjtest::triggerAction(w, item);
        for (QAction* top : w->menuBar()->actions())
            QCOMPARE(top->isEnabled(), top->isVisible());
        QVERIFY(w->mdiArea->subWindowList().isEmpty());
        frmSkladiste::unload();
    }
}

void MainWindowTest::entersAnotherBookWhileLoaded()
{
    knjtest::ProgramFolderFixture folder;
    knjtest::MsgBoxScript boxes;
    enterBook(BookKindWarehouse, 1);
    QVERIFY(frmSkladiste::openBook(QStringLiteral("Knjiga: S")));
    frmSkladiste* w = frmSkladiste::loaded();

    enterBook(BookKindProduction, 2);
    QVERIFY(frmSkladiste::openBook(QStringLiteral("Knjiga: P")));
    QCOMPARE(frmSkladiste::loaded(), w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Knjiga: P"));
    QCOMPARE(visibleTopMenus(w), (QStringList{"Izbor", "Pomoć"}));
    QCOMPARE(frmSkladiste::openBookFile(), QStringLiteral("Proizvodnja2.mdb"));
    QCOMPARE(schemaOf(folder.filePath(QStringLiteral("Proizvodnja2.mdb"))), productionSchema());

    enterBook(BookKindWarehouse, 1);
    QVERIFY(w->enterBook(QStringLiteral("Knjiga: S")));
    QCOMPARE(visibleTopMenus(w), (QStringList{"&Novi unos", "&Pregled", "Pomoć"}));
    QCOMPARE(frmSkladiste::openBookFile(), QStringLiteral("Skladiste1.mdb"));
    QCOMPARE(boxes.calls().size(), 0);
}

void MainWindowTest::refusedEntryKeepsTheEarlierBook()
{
    knjtest::ProgramFolderFixture folder;
    knjtest::MsgBoxScript boxes;
    enterBook(BookKindWarehouse, 1);
    AppState::openBookCompany = 1;
    QVERIFY(frmSkladiste::openBook(QStringLiteral("Knjiga: S")));
    enterBook(BookKindProduction, 2);
    AppState::openBookCompany = 2;
    QVERIFY(QDir(folder.path()).mkdir(AppState::bazaknjige));

    QVERIFY(!frmSkladiste::openBook(QStringLiteral("Knjiga: P")));
    QCOMPARE(boxes.calls().size(), 1);
    frmSkladiste* w = frmSkladiste::loaded();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Knjiga: S"));
    QCOMPARE(visibleTopMenus(w), (QStringList{"&Novi unos", "&Pregled", "Pomoć"}));
    QCOMPARE(AppState::bazaknjige, QStringLiteral("Skladiste1.mdb"));
    QCOMPARE(AppState::vrstabaze, BookKindWarehouse);
    QCOMPARE(AppState::openBookCompany, qint64(1));
    QCOMPARE(frmSkladiste::openBookFile(), QStringLiteral("Skladiste1.mdb"));
}

void MainWindowTest::staysMaximised()
{
    knjtest::ProgramFolderFixture folder;
    enterBook(BookKindWarehouse, 1);
    QVERIFY(frmSkladiste::openBook(QStringLiteral("Knjiga: M")));
    frmSkladiste* w = frmSkladiste::loaded();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->showNormal();
    QTRY_VERIFY(w->isMaximized() && !w->isMinimized());
    w->showMinimized();
    QTRY_VERIFY(w->isMaximized() && !w->isMinimized());
}

void MainWindowTest::closingWaitsForWorkingWindows()
{
    knjtest::ProgramFolderFixture folder;
    enterBook(BookKindWarehouse, 1);
    QVERIFY(frmSkladiste::openBook(QStringLiteral("Knjiga: Z")));
    frmSkladiste* w = frmSkladiste::loaded();
    auto* refusing = new StandInWindow(MenuGroup::Warehouse, true);
    MenuWindows::setOpener(QStringLiteral("mnuArtikala"),
                           [refusing] { Workspace::showWorkingWindow(refusing, nullptr); });
    knjtest::triggerAction(w, QStringLiteral("mnuArtikala"));
    QVERIFY(refusing->isVisible());

    w->close();
    QApplication::processEvents();
    QVERIFY(frmSkladiste::isLoaded());
    QVERIFY(w->isVisible() && refusing->isVisible());
    QVERIFY(!enabled(w->mnuNoviunos));

    // Once the working window lets itself be closed, the main window closes with it and the host goes.
    delete refusing->parentWidget();
    w->close();
    QTRY_VERIFY(!frmSkladiste::isLoaded());
    QWidget loose;
    Workspace::showWorkingWindow(&loose, nullptr);
    QVERIFY(loose.isWindow() && loose.isVisible());
}

void MainWindowTest::exitItemsCloseTheWindow()
{
    knjtest::ProgramFolderFixture folder;
    for (const auto& [kind, item] : {std::pair{BookKindWarehouse, "mnuizlaz"}, {BookKindProduction, "mnuizlazrn"}}) {
        enterBook(kind, 7);
        QVERIFY(frmSkladiste::openBook(QStringLiteral("Knjiga: I")));
        knjtest::triggerAction(frmSkladiste::loaded(), QLatin1String(item));
        QTRY_VERIFY(!frmSkladiste::isLoaded());
    }
}

KNJ_REGISTER_TEST(MainWindowTest)
#include "tst_mainwindow.moc"
