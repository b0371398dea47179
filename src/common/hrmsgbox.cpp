#include "hrmsgbox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <utility>
#include <vector>

namespace {

MsgBoxHook::Answerer& answerer()
{
    static MsgBoxHook::Answerer a;
    return a;
}

struct ButtonSpec
{
    QMessageBox::StandardButton button;
    const char* caption;
    int result;
};

// The buttons of a style, left to right, with their captions and results.
std::vector<ButtonSpec> buttonsOf(int style)
{
    switch (style & 7) {
    case 1:
        return {{QMessageBox::Ok, "U redu", MsgOk}, {QMessageBox::Cancel, "Odustani", MsgCancel}};
    case 2:
        return {{QMessageBox::Abort, "Prekini", MsgAbort},
                {QMessageBox::Retry, "Ponovi", MsgRetry},
                {QMessageBox::Ignore, "Zanemari", MsgIgnore}};
    case 3:
        return {{QMessageBox::Yes, "Da", MsgYes},
                {QMessageBox::No, "Ne", MsgNo},
                {QMessageBox::Cancel, "Odustani", MsgCancel}};
    case 4:
        return {{QMessageBox::Yes, "Da", MsgYes}, {QMessageBox::No, "Ne", MsgNo}};
    case 5:
        return {{QMessageBox::Retry, "Ponovi", MsgRetry}, {QMessageBox::Cancel, "Odustani", MsgCancel}};
    default:
        return {{QMessageBox::Ok, "U redu", MsgOk}};
    }
}

QMessageBox::Icon iconOf(int style)
{
    switch (style & 0x70) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QString normalised(const QString& text)
{
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

QString applicationTitle()
{
    return QStringLiteral("Knjigovodstvo");
}

void MsgBoxHook::setAnswerer(Answerer a)
{
    answerer() = std::move(a);
}

bool MsgBoxHook::hasAnswerer()
{
    return bool(answerer());
}

int HrMsgBox(const QString& prompt, int style, const QString& title)
{
    const QString shownTitle = title.isEmpty() ? applicationTitle() : title;
    if (answerer())
        return answerer()({prompt, style, shownTitle, false});

    QMessageBox box(QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setText(normalised(prompt));
    box.setWindowTitle(shownTitle);
    box.setIcon(iconOf(style));
    const std::vector<ButtonSpec> specs = buttonsOf(style);
    std::vector<std::pair<QAbstractButton*, int>> results;
    for (const ButtonSpec& spec : specs) {
        QPushButton* button = box.addButton(spec.button);
        button->setText(QString::fromUtf8(spec.caption));
        results.emplace_back(button, spec.result);
    }
    const std::size_t defaultIndex = (style & 256) ? 1 : ((style & 512) ? 2 : 0);
    box.setDefaultButton(static_cast<QPushButton*>(results[qMin(defaultIndex, results.size() - 1)].first));
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (const auto& [button, result] : results)
        if (button == clicked)
            return result;
    // Closed without a button: the escape button's answer, as the standard box does.
    return specs.size() == 1 ? MsgOk : ((style & 7) == 4 ? MsgNo : MsgCancel);
}

void PlainMsgBox(const QString& text)
{
    if (answerer()) {
        answerer()({text, 0, applicationTitle(), true});
        return;
    }
    QMessageBox box(QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setText(normalised(text));
    box.setWindowTitle(applicationTitle());
    box.setIcon(QMessageBox::NoIcon);
    box.addButton(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}
