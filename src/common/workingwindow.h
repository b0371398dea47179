#pragma once

#include "common/workspace.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class QTextEdit;

// The base of the main window's working windows. It gives every one of them:
// - the fixed size of 800 × 520 pixels (FixedFormSize), deletion on close, Esc closing as the close box does;
// - the book file, fixed when the window is created: bookPath() is the program folder + bazaknjige of that
//   moment, used by every statement of the window until it closes;
// - the F1 help pane over the window's frame (installHelp);
// - the closing protocol. Every way of closing (close box, Esc, closeWindow(), the main window closing) runs
//       confirmClose()  -> false: the window stays open and nothing else happens (menus untouched)
//       releaseMenus()  -> by default ReleaseMainMenus(group)
//   and then the window closes. Put the closing question (CommitOnCloseQuery) into confirmClose(); override
//   releaseMenus() where the window must leave the menus off (opened from the stock-document window).
// - showFromMenu(): what a main-menu item does: switch the group's menus off and show the window through the
//   main window (centred, its frame centred inside it).
//
//   class frmX : public WorkingWindow, public SingleInstance<frmX> {
//   public:
//       frmX() : WorkingWindow(MenuGroup::Warehouse) { ...build...; setFrame(frameartikli); installHelp(...); }
//       void load();
//   protected:
//       bool confirmClose() override;
//   };
class WorkingWindow : public QWidget
{
    Q_OBJECT
public:
    const QString& bookPath() const { return m_bookPath; }
    MenuGroup menuGroup() const { return m_group; }
    // True from the moment the window has agreed to close (its menus are being released).
    bool isClosing() const { return m_closing; }

    // Switches the group's menus off and shows the window through the main window.
    void showFromMenu();
    // Shows the window through the main window, menus untouched (opened from another working window).
    void showWorking();

protected:
    explicit WorkingWindow(MenuGroup group, QWidget* parent = nullptr);

    // The frame that holds the working controls (centred by the main window, hidden under the help pane).
    void setFrame(QWidget* frame) { m_frame = frame; }
    // A help pane with these paragraphs; F1 shows it over the frame and hides the controls, F1 again
    // restores them and sets workingCaption.
    QTextEdit* installHelp(const QStringList& paragraphs, const QString& workingCaption);

    // Asked before closing; false keeps the window open.
    virtual bool confirmClose() { return true; }
    // Runs when the window really closes.
    virtual void releaseMenus();
    // For the windows the stock-document window opens: with izprimke set the menus stay off (that window is
    // still open and switches them on when it closes); otherwise ReleaseMainMenus.
    void releaseMenusUnlessFromStockDocument();

    void closeEvent(QCloseEvent* event) override;

private:
    MenuGroup m_group;
    QString m_bookPath;
    QPointer<QWidget> m_frame;
    bool m_closing = false;
};
