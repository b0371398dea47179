#pragma once

#include <functional>

class QWidget;

// The two groups of top menus of the main window.
enum class MenuGroup
{
    Warehouse, // "&Novi unos", "&Pregled" (and "Pomoć")
    Production // "Izbor" (and "Pomoć")
};

// The bridge between working windows and the main window that hosts them. The main window installs the host;
// without one (tests of a single window) working windows show as top-level windows and menus are not touched.
namespace Workspace {

struct Host
{
    // Shows a working window as a child window of fixed outer size 800 x 520, centred, with its frame centred
    // inside it (the frame is placed by position, so it stands outside the window's layouts).
    std::function<void(QWidget* window, QWidget* frame)> showWorkingWindow;
    // Switches a group's top menus on or off.
    std::function<void(MenuGroup group, bool enabled)> setMenusEnabled;
};

void setHost(Host host);
void showWorkingWindow(QWidget* window, QWidget* frame);
void setMenusEnabled(MenuGroup group, bool enabled);

} // namespace Workspace

// A closing working window switches its group's top menus on again.
void ReleaseMainMenus(MenuGroup group);
