#pragma once

#include <QString>

#include <functional>

// The one place where a main-window menu item is tied to the working window it opens.
//
// The main window looks an item up by its action's objectName. An item with an opener switches off its group's top
// menus and then runs the opener, which shows the window through Workspace::showWorkingWindow; the window switches
// the menus on again with ReleaseMainMenus when it closes. An item without an opener (its window does not exist
// yet) does nothing and switches nothing off.
//
// Adding a window is one line in registerProgramWindows() (menuwindows.cpp), for example:
//     table[QStringLiteral("mnuArtikala")] = [] { frmartikli::openFromMenu(); };
namespace MenuWindows {

using Opener = std::function<void()>;

// The opener of a menu item, or an empty function when the item opens nothing yet.
Opener opener(const QString& actionName);

// Puts an opener in place of the program's own (tests install stand-in windows); an empty opener removes it.
void setOpener(const QString& actionName, Opener opener);

// Back to the program's own table.
void reset();

} // namespace MenuWindows
