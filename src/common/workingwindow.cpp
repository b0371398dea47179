#include "workingwindow.h"

#include "common/entryfields.h"
#include "common/windowkeys.h"
#include "core/db/appstate.h"
#include "core/db/programfolder.h"

#include <QCloseEvent>
#include <QTextEdit>

WorkingWindow::WorkingWindow(MenuGroup group, QWidget* parent)
    : QWidget(parent), m_group(group), m_bookPath(ProgramFolder::filePath(AppState::bazaknjige))
{
    setAttribute(Qt::WA_DeleteOnClose);
    FixedFormSize(this);
    EscCloses(this);
}

void WorkingWindow::showFromMenu()
{
    Workspace::setMenusEnabled(m_group, false);
    showWorking();
}

void WorkingWindow::showWorking()
{
    Workspace::showWorkingWindow(this, m_frame ? m_frame.data() : this);
}

QTextEdit* WorkingWindow::installHelp(const QStringList& paragraphs, const QString& workingCaption)
{
    QTextEdit* pane = makeHelpPane(this, paragraphs);
    QList<QWidget*> controls;
    if (m_frame)
        controls.append(m_frame);
    new HelpPaneToggle(this, pane, controls, [workingCaption] { return workingCaption; });
    return pane;
}

void WorkingWindow::releaseMenus()
{
    ReleaseMainMenus(m_group);
}

void WorkingWindow::releaseMenusUnlessFromStockDocument()
{
    if (AppState::izprimke)
        Workspace::setMenusEnabled(m_group, false);
    else
        ReleaseMainMenus(m_group);
}

void WorkingWindow::closeEvent(QCloseEvent* event)
{
    if (!confirmClose()) {
        event->ignore();
        return;
    }
    m_closing = true;
    releaseMenus();
    event->accept();
}
