#include "windowkeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QTextEdit>
#include <QTreeWidget>

HelpPaneToggle::HelpPaneToggle(QWidget* window, QTextEdit* pane, QList<QWidget*> controls,
                               std::function<QString()> workingCaption, QString helpCaption)
    : QObject(window), m_window(window), m_pane(pane), m_workingCaption(std::move(workingCaption)),
      m_helpCaption(std::move(helpCaption))
{
    for (QWidget* w : controls)
        m_controls.append(w);
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F1), window);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, &HelpPaneToggle::toggle);
    window->installEventFilter(this);
}

bool HelpPaneToggle::isShowing() const
{
    return m_pane && m_pane->isVisible();
}

void HelpPaneToggle::setPane(QTextEdit* pane)
{
    if (m_pane && m_pane != pane)
        m_pane->hide();
    m_pane = pane;
}

void HelpPaneToggle::toggle()
{
    if (!m_pane)
        return;
    if (!m_pane->isVisible()) {
        // The pane takes the focus before the controls hide, so that F1 still reaches the window.
        m_focusBefore = m_window->focusWidget();
        m_pane->setGeometry(m_window->rect());
        m_pane->setLineWrapMode(QTextEdit::FixedPixelWidth);
        m_pane->setLineWrapColumnOrWidth(qMax(1, m_window->width() - 30));
        m_pane->show();
        m_pane->raise();
        m_pane->setFocus(Qt::OtherFocusReason);
        m_window->setWindowTitle(m_helpCaption);
        for (const auto& w : m_controls)
            if (w)
                w->hide();
    } else {
        m_window->setWindowTitle(m_workingCaption());
        for (const auto& w : m_controls)
            if (w)
                w->show();
        m_pane->hide();
        if (m_focusBefore && m_focusBefore->isVisible() && m_focusBefore->isEnabled())
            m_focusBefore->setFocus(Qt::OtherFocusReason);
        else
            for (const auto& w : m_controls)
                if (w && w->isEnabled() && w->focusPolicy() != Qt::NoFocus) {
                    w->setFocus(Qt::OtherFocusReason);
                    break;
                }
        emit paneHidden();
    }
}

bool HelpPaneToggle::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Resize && isShowing())
        m_pane->setGeometry(m_window->rect());
    return QObject::eventFilter(watched, event);
}

QTextEdit* makeHelpPane(QWidget* window, const QStringList& paragraphs, const QString& objectName)
{
    auto* pane = new QTextEdit(window);
    pane->setObjectName(objectName);
    pane->setReadOnly(true);
    pane->setAccessibleName(QStringLiteral("Pomoć"));
    QFont font(QStringLiteral("MS Shell Dlg"), 8);
    font.setStyleHint(QFont::SansSerif);
    pane->setFont(font);
    pane->setPlainText(paragraphs.join(QStringLiteral("\n\n")));
    pane->hide();
    return pane;
}

void closeWindow(QWidget* window)
{
    outerWindow(window)->close();
}

QWidget* outerWindow(QWidget* window)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        return sub;
    return window;
}

void activateWorkingWindow(QWidget* window)
{
    auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    if (sub && sub->mdiArea())
        sub->mdiArea()->setActiveSubWindow(sub);
    else
        window->activateWindow();
}

namespace {

// Notes an Esc pressed while a drop-down list or calendar is open: that press closes the popup, and the window's
// Esc shortcut, which the same press reaches once the popup is gone, must let the window be.
class PopupEscWatch : public QObject
{
public:
    static PopupEscWatch& instance()
    {
        static auto* watch = new PopupEscWatch;
        return *watch;
    }
    bool pressClosedPopup() const { return m_popupEsc; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride && type != QEvent::KeyRelease)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Escape)
            return false;
        if (type == QEvent::KeyRelease) {
            m_popupEsc = false;
        } else if (QApplication::activePopupWidget()) {
            m_popupEsc = true;
            m_pressTime = key->timestamp();
        } else if (key->timestamp() != m_pressTime) {
            m_popupEsc = false; // a new press
        }
        return false;
    }

private:
    PopupEscWatch() : QObject(QCoreApplication::instance()) { QCoreApplication::instance()->installEventFilter(this); }
    bool m_popupEsc = false;
    quint64 m_pressTime = 0;
};

} // namespace

void EscCloses(QWidget* window)
{
    PopupEscWatch::instance();
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, [window] {
        // Esc in an open drop-down list or calendar closes only that.
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
            return;
        }
        if (PopupEscWatch::instance().pressClosedPopup())
            return;
        closeWindow(window);
    });
}

namespace {

// Takes the Enter that the focused control leaves unused (line edits, lists) on its way up to the window.
class DefaultButtonOnEnter : public QObject
{
public:
    explicit DefaultButtonOnEnter(QWidget* window) : QObject(window), m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_window || event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto* focused = qobject_cast<QPushButton*>(m_window->focusWidget());
        QPushButton* target = focused && focused->isEnabled() ? focused : nullptr;
        if (!target)
            for (QPushButton* b : m_window->findChildren<QPushButton*>())
                if (b->isDefault() && b->isEnabled() && b->isVisible()) {
                    target = b;
                    break;
                }
        if (!target)
            return false;
        target->click();
        return true;
    }

private:
    QWidget* m_window;
};

} // namespace

void EnterClicksDefault(QWidget* window)
{
    new DefaultButtonOnEnter(window);
}

void ListDblClickDefault(QAbstractItemView* list, QAbstractButton* button)
{
    // The button's handler runs even while the button is switched off; the handler makes its own checks.
    const auto click = [button] { emit button->clicked(false); };
    // A list of items answers its item signal, as it always has; a list over a model, the view's.
    if (auto* items = qobject_cast<QTreeWidget*>(list))
        QObject::connect(items, &QTreeWidget::itemDoubleClicked, button, click);
    else
        QObject::connect(list, &QAbstractItemView::doubleClicked, button, click);
}
