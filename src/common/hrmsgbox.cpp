#include "hrmsgbox.h"

#include "core/db/database.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpacerItem>

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
    const char* caption;
    int result;
};

// The buttons of a style, left to right, with their captions and results.
std::vector<ButtonSpec> buttonsOf(int style)
{
    switch (style & 7) {
    case 1:
        return {{"U redu", MsgOk}, {"Odustani", MsgCancel}};
    case 2:
        return {{"Prekini", MsgAbort}, {"Ponovi", MsgRetry}, {"Zanemari", MsgIgnore}};
    case 3:
        return {{"Da", MsgYes}, {"Ne", MsgNo}, {"Odustani", MsgCancel}};
    case 4:
        return {{"Da", MsgYes}, {"Ne", MsgNo}};
    case 5:
        return {{"Ponovi", MsgRetry}, {"Odustani", MsgCancel}};
    default:
        return {{"U redu", MsgOk}};
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

namespace {

// A short prompt makes a narrow box, and the window manager then cuts a longer title ("Unos n... knjige"): the box
// is made wide enough for its title and the title bar's buttons.
void keepTitleInSight(QMessageBox& box, const QString& title)
{
    constexpr int TitleBarButtons = 120;
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const int width = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(title) * 5 / 4;
    grid->addItem(new QSpacerItem(width + TitleBarButtons, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

// A text taller than the screen allows scrolls, so that the box stays on the screen with its buttons in sight.
void keepButtonsInSight(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    const QScreen* screen = box.screen();
    if (!grid || !label || !screen)
        return;
    // The title bar, the margins and the row of buttons take the rest of the screen.
    const int room = screen->availableGeometry().height() * 2 / 3;
    if (label->sizeHint().height() <= room)
        return;
    int row = 0, column = 0, rows = 0, columns = 0;
    grid->getItemPosition(grid->indexOf(label), &row, &column, &rows, &columns);
    grid->removeWidget(label);
    auto* scroll = new QScrollArea(&box);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setWidget(label);
    scroll->setMinimumWidth(label->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width());
    scroll->setFixedHeight(room);
    grid->addWidget(scroll, row, column, rows, columns);
}

} // namespace

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
    // One role for all buttons keeps them left to right in the order of the set, whatever the desktop's habit.
    for (const ButtonSpec& spec : specs) {
        QPushButton* button = box.addButton(QString::fromUtf8(spec.caption), QMessageBox::AcceptRole);
        results.emplace_back(button, spec.result);
        if (spec.result == MsgCancel || (spec.result == MsgNo && (style & 7) == 4) || specs.size() == 1)
            box.setEscapeButton(button);
    }
    const std::size_t defaultIndex = (style & 256) ? 1 : ((style & 512) ? 2 : 0);
    box.setDefaultButton(static_cast<QPushButton*>(results[qMin(defaultIndex, results.size() - 1)].first));
    keepTitleInSight(box, shownTitle);
    keepButtonsInSight(box);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (const auto& [button, result] : results)
        if (button == clicked)
            return result;
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
    keepTitleInSight(box, applicationTitle());
    keepButtonsInSight(box);
    box.exec();
}

void DbErrorMsgBox(const DbError& error, int style)
{
    HrMsgBox(error.description(), style, QString());
}
