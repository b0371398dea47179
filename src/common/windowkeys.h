#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTextEdit>

#include <functional>

class QAbstractButton;
class QTextEdit;
class QAbstractItemView;
class QWidget;

// F1 lays the window's help pane over the whole window and hides its working controls; F1 again brings
// them back and sets the window's working caption. Works wherever the focus stands in the window.
class HelpPaneToggle : public QObject
{
    Q_OBJECT
public:
    static inline const QString EntryModeCaption = QStringLiteral("F1 vrati se u mod unosa!");
    static inline const QString SearchModeCaption = QStringLiteral("F1 vrati se u mod pretrage!");

    // controls: hidden while the pane shows; workingCaption: called for the caption when the pane hides.
    HelpPaneToggle(QWidget* window, QTextEdit* pane, QList<QWidget*> controls, std::function<QString()> workingCaption,
                   QString helpCaption = EntryModeCaption);

    void toggle();
    bool isShowing() const;
    // The window may switch to another pane (receipts and issue notes have their own).
    void setPane(QTextEdit* pane);
    QTextEdit* pane() const { return m_pane; }

signals:
    // The pane was hidden and the controls shown again (windows with more to restore listen here).
    void paneHidden();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    QPointer<QTextEdit> m_pane;
    QList<QPointer<QWidget>> m_controls;
    std::function<QString()> m_workingCaption;
    QString m_helpCaption;
    QPointer<QWidget> m_focusBefore;
};

// A help pane with fixed text: one paragraph per item, separated by empty lines; hidden at first.
QTextEdit* makeHelpPane(QWidget* window, const QStringList& paragraphs, const QString& objectName = "txtpomoc");

// Esc closes the window as its close box would (its closing question still runs).
void EscCloses(QWidget* window);

// Closes a window: the child window around it when it is a working window, else the window itself.
void closeWindow(QWidget* window);
// The child window around a working window (what the main window places and sizes), else the window itself.
QWidget* outerWindow(QWidget* window);
// Brings a window to the front: its child window becomes the active one, or the window is activated.
void activateWorkingWindow(QWidget* window);

// Enter anywhere in the window does what a click on its default button does (when the button is on and shown);
// with the focus on another push button, Enter clicks that one.
void EnterClicksDefault(QWidget* window);

// A double click on a row of the list runs the button's click handler (also while the button is off), with
// whatever checks the handler makes.
void ListDblClickDefault(QAbstractItemView* list, QAbstractButton* button);
