#include "workspace.h"

#include <QWidget>

namespace {
Workspace::Host& host()
{
    static Workspace::Host h;
    return h;
}
} // namespace

namespace Workspace {

void setHost(Host h)
{
    host() = std::move(h);
}

void showWorkingWindow(QWidget* window, QWidget* frame)
{
    if (host().showWorkingWindow) {
        host().showWorkingWindow(window, frame);
        return;
    }
    window->show();
}

void setMenusEnabled(MenuGroup group, bool enabled)
{
    if (host().setMenusEnabled)
        host().setMenusEnabled(group, enabled);
}

} // namespace Workspace

void ReleaseMainMenus(MenuGroup group)
{
    Workspace::setMenusEnabled(group, true);
}
