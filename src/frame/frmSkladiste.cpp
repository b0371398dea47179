#include "frmSkladiste.h"

#include "common/centring.h"
#include "common/controls.h"
#include "common/entryfields.h"
#include "common/hrmsgbox.h"
#include "common/workingwindow.h"
#include "core/db/appstate.h"
#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"
#include "frame/frmAbout.h"
#include "frame/menuwindows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QTimer>

namespace {

// A top menu that is hidden or switched off gives up the "&" of its caption: the menu bar keeps the Alt+letter of
// such a menu, and a working window's button with the same letter ("&Prikaz" under "&Pregled") would lose it.
void keepKeyOnlyWhenUsable(QMenu* menu)
{
    static const char* const Caption = "captionWithKey";
    if (!menu->property(Caption).isValid())
        menu->setProperty(Caption, menu->title());
    const QString caption = menu->property(Caption).toString();
    const QAction* action = menu->menuAction();
    menu->setTitle(action->isVisible() && action->isEnabled() ? caption : QString(caption).remove(QLatin1Char('&')));
}

// Switches a top menu on or off.
void switchMenu(QMenu* menu, bool on)
{
    menu->menuAction()->setEnabled(on);
    keepKeyOnlyWhenUsable(menu);
}

// Shows or hides a top menu.
void showTopMenu(QMenu* menu, bool visible)
{
    menu->menuAction()->setVisible(visible);
    keepKeyOnlyWhenUsable(menu);
}

} // namespace

frmSkladiste::frmSkladiste()
{
    setObjectName(QStringLiteral("frmSkladiste"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(DesignCaption);

    mdiArea = new QMdiArea(this);
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    mdiArea->setAccessibleName(QStringLiteral("Radni prozori"));
    setCentralWidget(mdiArea);

    mnuNoviunos = addTopMenu("mnuNoviunos", QStringLiteral("&Novi unos"));
    mnuArtikala = addItem(mnuNoviunos, "mnuArtikala", QStringLiteral("Artikala"));
    mnuPrimki = addItem(mnuNoviunos, "mnuPrimki", QStringLiteral("Primki"));
    mnuIzdatnica = addItem(mnuNoviunos, "mnuIzdatnica", QStringLiteral("Izdatnica"));
    mnuKupaca = addItem(mnuNoviunos, "mnuKupaca", QStringLiteral("Kupaca/dobavljača"));
    mnucrta = addSeparator(mnuNoviunos, "mnucrta");
    mnuizlaz = addItem(mnuNoviunos, "mnuizlaz", QStringLiteral("Izlaz"));

    mnuPregled = addTopMenu("mnuPregled", QStringLiteral("&Pregled"));
    mnuArtikala1 = addItem(mnuPregled, "mnuArtikala1", QStringLiteral("Artikala"));
    mnuPrimki1 = addItem(mnuPregled, "mnuPrimki1", QStringLiteral("Primki"));
    mnuIzdatnica1 = addItem(mnuPregled, "mnuIzdatnica1", QStringLiteral("Izdatnica"));
    mnuKupaca1 = addItem(mnuPregled, "mnuKupaca1", QStringLiteral("Kupaca/dobavljača"));
    mnuDnevnika1 = addItem(mnuPregled, "mnuDnevnika1", QStringLiteral("Dnevnika"));

    mnuizbor = addTopMenu("mnuizbor", QStringLiteral("Izbor"));
    mnuproizvodi = addItem(mnuizbor, "mnuproizvodi", QStringLiteral("Proizvodi"));
    mnuradninalozi = addItem(mnuizbor, "mnuradninalozi", QStringLiteral("Radni nalozi"));
    mnucrta2 = addSeparator(mnuizbor, "mnucrta2");
    mnuizlazrn = addItem(mnuizbor, "mnuizlazrn", QStringLiteral("Izlaz"));

    mnualati = addTopMenu("mnualati", QStringLiteral("Alati"));

    mnupomoc = addTopMenu("mnupomoc", QStringLiteral("Pomoć"));
    mnupomoc1 = addItem(mnupomoc, "mnupomoc1", QStringLiteral("O programu..."));
    mnunama = addItem(mnupomoc, "mnunama", QStringLiteral("O nama..."));

    // Only "Pomoć" shows until the load step shows the groups of the book's kind; "Alati" never shows.
    for (QMenu* menu : {mnuNoviunos, mnuPregled, mnuizbor, mnualati})
        menu->menuAction()->setVisible(false);

    for (QAction* item : {mnuArtikala, mnuPrimki, mnuIzdatnica, mnuKupaca, mnuArtikala1, mnuPrimki1, mnuIzdatnica1,
                          mnuKupaca1, mnuDnevnika1})
        connect(item, &QAction::triggered, this, [this, item] { openWorkingWindow(item, MenuGroup::Warehouse); });
    for (QAction* item : {mnuproizvodi, mnuradninalozi})
        connect(item, &QAction::triggered, this, [this, item] { openWorkingWindow(item, MenuGroup::Production); });
    for (QAction* item : {mnuizlaz, mnuizlazrn})
        connect(item, &QAction::triggered, this, &QWidget::close);
    connect(mnupomoc1, &QAction::triggered, this, [this] {
        frmAbout* box = frmAbout::instance();
        box->setHostWindow(this);
        box->showGuide();
        box->exec();
    });
    connect(mnunama, &QAction::triggered, this, [this] {
        frmAbout* box = frmAbout::instance();
        box->setHostWindow(this);
        box->showAboutUs();
        box->exec();
    });

    setWindowState(Qt::WindowMaximized);
}

frmSkladiste::~frmSkladiste()
{
    if (m_hostInstalled)
        Workspace::setHost({});
}

QMenu* frmSkladiste::addTopMenu(const char* name, const QString& caption)
{
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    return menu;
}

QAction* frmSkladiste::addItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    return item;
}

QAction* frmSkladiste::addSeparator(QMenu* menu, const char* name)
{
    QAction* line = menu->addSeparator();
    line->setObjectName(QLatin1String(name));
    return line;
}

void frmSkladiste::load()
{
    showMenusOfKind(AppState::vrstabaze);
    if (!ensureBookFile(AppState::bazaknjige, AppState::vrstabaze)) {
        // Nothing to open: the caller unloads the window (a stray touch leaves it to the event loop).
        deleteLater();
        return;
    }
    m_bookFile = AppState::bazaknjige;
    m_bookKind = AppState::vrstabaze;
    m_bookCompany = AppState::openBookCompany;
    m_opened = true;
    Workspace::setHost({[this](QWidget* window, QWidget* frame) { showWorkingWindow(window, frame); },
                        [this](MenuGroup group, bool enabled) { setMenusEnabled(group, enabled); }});
    m_hostInstalled = true;
}

bool frmSkladiste::openBook(const QString& caption)
{
    if (frmSkladiste* window = loaded()) {
        if (!window->enterBook(caption))
            return false;
        window->raise();
        window->activateWindow();
        return true;
    }
    frmSkladiste* window = instance();
    if (!window->m_opened) {
        unload();
        return false;
    }
    window->setWindowTitle(literalTitle(caption));
    window->showMaximized();
    return true;
}

bool frmSkladiste::enterBook(const QString& caption)
{
    const QString bookFile = AppState::bazaknjige;
    const QString kind = AppState::vrstabaze;
    const qint64 company = AppState::openBookCompany;
    // The working windows finish on the book they were opened for; entering the open book again keeps them.
    AppState::bazaknjige = m_bookFile;
    AppState::vrstabaze = m_bookKind;
    AppState::openBookCompany = m_bookCompany;
    const bool sameBook = bookFile == m_bookFile && kind == m_bookKind;
    if ((!sameBook && !closeWorkingWindows()) || !ensureBookFile(bookFile, kind))
        return false;
    m_bookFile = AppState::bazaknjige = bookFile;
    m_bookKind = AppState::vrstabaze = kind;
    m_bookCompany = AppState::openBookCompany = company;
    setWindowTitle(literalTitle(caption));
    showMenusOfKind(m_bookKind);
    return true;
}

QString frmSkladiste::openBookFile()
{
    const frmSkladiste* window = loaded();
    return window && window->m_opened ? window->m_bookFile : QString();
}

bool frmSkladiste::holdsBook(const QString& bookFile)
{
    const frmSkladiste* window = loaded();
    if (!window || !window->m_opened)
        return false;
    if (window->m_bookFile == bookFile)
        return true;
    const QString path = ProgramFolder::filePath(bookFile);
    for (const QMdiSubWindow* sub : window->mdiArea->subWindowList())
        if (const auto* working = qobject_cast<const WorkingWindow*>(sub->widget()))
            if (sub->isVisible() && working->bookPath() == path)
                return true;
    return false;
}

bool frmSkladiste::closeWorkingWindows()
{
    mdiArea->closeAllSubWindows();
    for (const QMdiSubWindow* sub : mdiArea->subWindowList())
        if (sub->isVisible())
            return false;
    return true;
}

void frmSkladiste::showMenusOfKind(const QString& kind)
{
    const bool warehouse = kind == BookKindWarehouse;
    const bool production = kind == BookKindProduction;
    showTopMenu(mnuNoviunos, warehouse);
    showTopMenu(mnuPregled, warehouse);
    showTopMenu(mnuizbor, production);
    mnupomoc->menuAction()->setVisible(true);
}

bool frmSkladiste::ensureBookFile(const QString& bookFile, const QString& kind)
{
    try {
        CreateBookDatabase(ProgramFolder::filePath(bookFile), kind);
        return true;
    } catch (const DbError& e) {
        DbErrorMsgBox(e);
        return false;
    }
}

void frmSkladiste::openWorkingWindow(const QAction* item, MenuGroup group)
{
    const MenuWindows::Opener open = MenuWindows::opener(item->objectName());
    if (!open)
        return;
    setMenusEnabled(group, false);
    open();
}

void frmSkladiste::showWorkingWindow(QWidget* window, QWidget* frame)
{
    auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    if (!sub) {
        sub = mdiArea->addSubWindow(window, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setFixedSize(WorkingWindowWidth, WorkingWindowHeight);
        if (window->windowIcon().isNull()) {
            QPixmap none(16, 16); // no toolkit logo in the title bar
            none.fill(Qt::transparent);
            sub->setWindowIcon(QIcon(none));
        }
    }
    sub->show();
    window->show();
    if (sub->layout())
        sub->layout()->activate();
    const QSize client = mdiArea->viewport()->size();
    sub->move(CentredEdge(client.width(), sub->width()), CentredEdge(client.height(), sub->height()));
    if (frame)
        frame->move(CentredEdge(window->width(), frame->width()), CentredEdge(window->height(), frame->height()));
    mdiArea->setActiveSubWindow(sub);
}

void frmSkladiste::setMenusEnabled(MenuGroup group, bool enabled)
{
    // A group's menus stay off while any of its working windows is still open (the articles window closing
    // while the stock-document window that opened it stays).
    if (enabled)
        for (const QMdiSubWindow* sub : mdiArea->subWindowList())
            if (const auto* working = qobject_cast<const WorkingWindow*>(sub->widget()))
                if (working->menuGroup() == group && !working->isClosing())
                    return;
    if (group == MenuGroup::Warehouse) {
        switchMenu(mnuNoviunos, enabled);
        switchMenu(mnuPregled, enabled);
    } else {
        switchMenu(mnuizbor, enabled);
    }
    // "Pomoć" is never switched off; closing windows switch it on with their group.
    if (enabled)
        mnupomoc->menuAction()->setEnabled(true);
}

void frmSkladiste::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        keepMaximised();
}

void frmSkladiste::keepMaximised()
{
    if (m_restoring || (isMaximized() && !isMinimized()))
        return;
    m_restoring = true;
    QTimer::singleShot(0, this, [this] {
        setWindowState(Qt::WindowMaximized);
        m_restoring = false;
    });
}

void frmSkladiste::closeEvent(QCloseEvent* event)
{
    // Each working window closes after its own closing question; one that stays open keeps the main window open.
    if (!closeWorkingWindows()) {
        event->ignore();
        return;
    }
    event->accept();
    if (m_hostInstalled) {
        Workspace::setHost({});
        m_hostInstalled = false;
    }
    // The book chooser stayed open underneath: it is in front again.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->objectName() == QLatin1String("frmIzborKnjige") && w->isVisible()) {
            w->raise();
            w->activateWindow();
        }
}
