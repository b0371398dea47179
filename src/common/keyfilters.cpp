#include "keyfilters.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <functional>

namespace {

// Swallows typed characters that the rule refuses.
class CharacterFilter : public QObject
{
public:
    CharacterFilter(QObject* parent, std::function<bool(QChar)> accepts)
        : QObject(parent), m_accepts(std::move(accepts))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const QString text = key->text();
            const bool command = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
            if (!command && !text.isEmpty() && text.at(0).isPrint()) {
                for (const QChar ch : text)
                    if (!m_accepts(ch))
                        return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool(QChar)> m_accepts;
};

void install(QWidget* widget, std::function<bool(QChar)> accepts)
{
    widget->installEventFilter(new CharacterFilter(widget, std::move(accepts)));
}

} // namespace

void NoQuoteKeyFilter(QLineEdit* edit)
{
    install(edit, [](QChar ch) { return ch != QLatin1Char('\'') && ch != QLatin1Char('"'); });
}

void DigitKeyFilter(QLineEdit* edit)
{
    install(edit,
            [](QChar ch) { return (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) || ch == QLatin1Char(' '); });
}

void PhoneKeyFilter(QLineEdit* edit, bool allowBlank)
{
    install(edit, [allowBlank](QChar ch) {
        return (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) || ch == QLatin1Char('/') || ch == QLatin1Char('-') ||
               (allowBlank && ch == QLatin1Char(' '));
    });
}

void NoTypingKeyFilter(QWidget* widget)
{
    install(widget, [](QChar) { return false; });
}
