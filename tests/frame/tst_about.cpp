#include "common/centring.h"
#include "common/sysinfo.h"
#include "core/db/appstate.h"
#include "core/db/bookschema.h"
#include "core/db/programfolder.h"
#include "frame/frmAbout.h"
#include "frame/frmSkladiste.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

namespace {

// What the about box showed while it was open.
struct Seen
{
    bool modal = false;
    QString caption;
    bool pane = false;
    QRect paneRect;
    QRect client;
    bool okInSight = false; // what lies under the OK button's middle is the button
    bool icon = false;
    bool sysInfo = false;
};

// Triggers a menu item of the main window and records the modal about box it opens, then closes it by OK.
Seen openAboutBy(frmSkladiste* main, const QString& item)
{
    Seen seen;
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.modal = box->isModal();
        seen.caption = box->windowTitle();
        seen.pane = box->txtpomoc->isVisible();
        seen.paneRect = box->txtpomoc->geometry();
        seen.client = box->rect();
        seen.okInSight = box->childAt(box->cmdOK->geometry().center()) == box->cmdOK;
        seen.icon = box->picIcon->isVisible();
        seen.sysInfo = box->cmdSysInfo->isVisible();
        box->cmdOK->click();
    });
    knjtest::triggerAction(main, item);
    return seen;
}

// A platform with the values and files a test gives it, recording what was started.
class FakePlatform : public SysInfo::Platform
{
public:
    QMap<QString, QString> values; // "key|value name" -> text
    QStringList files;
    bool startWorks = true;
    QStringList started;

    std::optional<QString> GetKeyValue(const QString& keyPath, const QString& valueName) override
    {
        const QString key = keyPath + "|" + valueName;
        return values.contains(key) ? std::optional<QString>(values.value(key)) : std::nullopt;
    }
    bool fileExists(const QString& path) override { return files.contains(path); }
    bool startProgram(const QString& path) override
    {
        started << path;
        return startWorks;
    }
};

const QString ToolPathKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH");
const QString ToolFolderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO");

} // namespace

class AboutTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void helpItemsShowTheTwoModes();
    void keepsItsSizeAndPlace();
    void texts();
    void okAndEscClose();
    void sysInfoUnavailableOnThisSystem();
    void startSysInfoFindsTheTool_data();
    void startSysInfoFindsTheTool();
    void decodeKeyValue_data();
    void decodeKeyValue();
};

void AboutTest::cleanup()
{
    SysInfo::setPlatform(nullptr);
    knjtest::closeAllWindows();
}

void AboutTest::helpItemsShowTheTwoModes()
{
    knjtest::ProgramFolderFixture folder;
    AppState::vrstabaze = BookKindWarehouse;
    AppState::bazaknjige = BookFileName(BookKindWarehouse, 1);
    QVERIFY(frmSkladiste::openBook(QStringLiteral("Knjiga: A")));
    frmSkladiste* main = frmSkladiste::loaded();

    const Seen us = openAboutBy(main, QStringLiteral("mnunama"));
    QVERIFY(us.modal);
    QCOMPARE(us.caption, QStringLiteral("O nama..."));
    QVERIFY(!us.pane);
    QVERIFY(us.icon && us.sysInfo);
    QVERIFY(!frmAbout::isLoaded());

    const Seen guide = openAboutBy(main, QStringLiteral("mnupomoc1"));
    QVERIFY(guide.modal);
    QCOMPARE(guide.caption, QStringLiteral("O programu..."));
    QVERIFY(guide.pane);
    // The guide fills the box above the OK button, which stays in sight.
    QCOMPARE(guide.paneRect.topLeft(), guide.client.topLeft());
    QCOMPARE(guide.paneRect.width(), guide.client.width());
    QVERIFY(guide.paneRect.height() > guide.client.height() * 3 / 4);
    QVERIFY(guide.okInSight);
    QVERIFY(!guide.icon && !guide.sysInfo);

    // The about items switch no menu off.
    for (QMenu* menu : {main->mnuNoviunos, main->mnuPregled, main->mnupomoc})
        QVERIFY(menu->menuAction()->isEnabled());
}

void AboutTest::keepsItsSizeAndPlace()
{
    knjtest::ProgramFolderFixture folder;
    AppState::vrstabaze = BookKindProduction;
    AppState::bazaknjige = BookFileName(BookKindProduction, 2);
    QVERIFY(frmSkladiste::openBook(QStringLiteral("Knjiga: P")));
    frmSkladiste* main = frmSkladiste::loaded();
    QVERIFY(QTest::qWaitForWindowExposed(main));

    frmAbout* box = frmAbout::instance();
    box->setHostWindow(main);
    box->showGuide();
    box->show();
    box->resize(300, 200);
    QApplication::processEvents();
    QCOMPARE(box->size(), QSize(800, 520));
    QCOMPARE(box->pos(), QPoint(CentredEdge(main->mdiArea->width(), 800), main->y() + 520 / 7));
    QCOMPARE(box->txtpomoc->geometry().width(), 800);
    QVERIFY(box->txtpomoc->geometry().bottom() < box->cmdOK->geometry().top());
    QCOMPARE(box->txtpomoc->lineWrapColumnOrWidth(), 800 - 30);
    QCOMPARE(box->lblDescription->width(), 800 - 30);
    for (const QFrame* line : box->Line1)
        QCOMPARE(line->geometry().right() + 1, 800 - 30);
}

void AboutTest::texts()
{
    frmAbout* box = frmAbout::instance();
    QCOMPARE(box->windowTitle(), QStringLiteral("O programu knjigovodstvo i o nama"));
    QCOMPARE(box->lblDescription->text(),
             QStringLiteral("Program je jednostavan i siguran za upotrebu. Potrebno je pročitati upute za njegov "
                            "početak rada,(ako kliknete na pomoć, pa o programu).\nMože se koristiti samo skladište, "
                            "ili skladište i proizvodnja. Proizvodnja bez skladišta ne može raditi. "));
    QCOMPARE(box->lblVersion->text(), QStringLiteral("Verzija programa: 1.01"));
    QCOMPARE(box->cmdOK->text(), QStringLiteral("OK"));
    QCOMPARE(box->cmdSysInfo->text(), QStringLiteral("&System Info..."));
    QVERIFY(box->txtpomoc->toPlainText().startsWith(QStringLiteral("O programu:\n")));
    QCOMPARE(box->findChildren<QFrame*>(QStringLiteral("Line1")).size(), 2);
}

void AboutTest::okAndEscClose()
{
    frmAbout::instance()->show();
    frmAbout::instance()->cmdOK->click();
    QTRY_VERIFY(!frmAbout::isLoaded());

    frmAbout* box = frmAbout::instance();
    box->show();
    QVERIFY(QTest::qWaitForWindowActive(box));
    QTest::keyClick(box->cmdOK, Qt::Key_Escape);
    QTRY_VERIFY(!frmAbout::isLoaded());
}

void AboutTest::sysInfoUnavailableOnThisSystem()
{
    knjtest::MsgBoxScript boxes;
    frmAbout* box = frmAbout::instance();
    box->showAboutUs();
    box->show();
    box->cmdSysInfo->click();
    QCOMPARE(boxes.calls().size(), 1);
    QVERIFY(boxes.last().plain);
    QCOMPARE(boxes.last().prompt, QStringLiteral("System Information Is Unavailable At This Time"));
    QCOMPARE(boxes.last().title, QStringLiteral("Knjigovodstvo"));
    QVERIFY(frmAbout::isLoaded() && box->isVisible());
}

void AboutTest::startSysInfoFindsTheTool_data()
{
    QTest::addColumn<QString>("fullPath"); // empty: no such value
    QTest::addColumn<QString>("folder");   // empty: no such value
    QTest::addColumn<bool>("toolInFolder");
    QTest::addColumn<bool>("startWorks");
    QTest::addColumn<QString>("started"); // empty: the notice instead
    QTest::newRow("full path wins") << "C:\\Alat\\msinfo.exe"
                                    << "D:\\Drugo" << true << true << "C:\\Alat\\msinfo.exe";
    QTest::newRow("folder with the tool") << ""
                                          << "D:\\Alati" << true << true << "D:\\Alati\\MSINFO32.EXE";
    QTest::newRow("folder without the tool") << ""
                                             << "D:\\Alati" << false << true << "";
    QTest::newRow("no value at all") << ""
                                     << "" << false << true << "";
    QTest::newRow("tool does not start") << "C:\\Alat\\msinfo.exe"
                                         << "" << false << false << "";
}

void AboutTest::startSysInfoFindsTheTool()
{
    QFETCH(QString, fullPath);
    QFETCH(QString, folder);
    QFETCH(bool, toolInFolder);
    QFETCH(bool, startWorks);
    QFETCH(QString, started);
    FakePlatform platform;
    if (!fullPath.isEmpty())
        platform.values.insert(ToolPathKey, fullPath);
    if (!folder.isEmpty())
        platform.values.insert(ToolFolderKey, folder);
    if (toolInFolder)
        platform.files << folder + "\\MSINFO32.EXE";
    platform.startWorks = startWorks;
    SysInfo::setPlatform(&platform);
    knjtest::MsgBoxScript boxes;

    StartSysInfo();
    if (started.isEmpty() || !startWorks) {
        QCOMPARE(boxes.calls().size(), 1);
        QCOMPARE(boxes.last().prompt, SysInfo::UnavailableNotice);
    } else {
        QCOMPARE(platform.started, QStringList{started});
        QCOMPARE(boxes.calls().size(), 0);
    }
}

void AboutTest::decodeKeyValue_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("text"); // "<none>": the caller's text stays
    QTest::newRow("text with its NUL") << 1 << QByteArray("C:\\Alat\0", 8) << "C:\\Alat";
    QTest::newRow("text without NUL") << 1 << QByteArray("C:\\Alat") << "C:\\Alat";
    QTest::newRow("empty text") << 1 << QByteArray() << "";
    QTest::newRow("number 261") << 4 << QByteArray("\x05\x01\x00\x00", 4) << "&h000105";
    QTest::newRow("number without NUL byte") << 4 << QByteArray("\xEF\xBE\xAD\xDE", 4) << "&hDEADBEEF";
    QTest::newRow("other type") << 3 << QByteArray("\x01\x02", 2) << "<none>";
}

void AboutTest::decodeKeyValue()
{
    QFETCH(int, type);
    QFETCH(QByteArray, data);
    QFETCH(QString, text);
    const std::optional<QString> decoded = SysInfo::DecodeKeyValue(type, data);
    if (text == "<none>")
        QVERIFY(!decoded);
    else
        QCOMPARE(decoded.value_or("<none>"), text);
}

KNJ_REGISTER_TEST(AboutTest)
#include "tst_about.moc"
