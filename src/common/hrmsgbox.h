#pragma once

#include <QString>

#include <functional>

class DbError;

// The buttons a message box returns.
enum MsgResult
{
    MsgOk = 1,
    MsgCancel = 2,
    MsgAbort = 3,
    MsgRetry = 4,
    MsgIgnore = 5,
    MsgYes = 6,
    MsgNo = 7
};

// The message box with Croatian button captions. style is the standard style number: the button set
// (0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel) plus the icon
// (16 stop, 32 question, 48 warning, 64 information) plus 256 for the second button as the default.
// An empty title shows the application title. Returns the pressed button (MsgResult).
int HrMsgBox(const QString& prompt, int style = 0, const QString& title = QString());

// The plain notice: OK only, no icon, the application title.
void PlainMsgBox(const QString& text);

// A failed database step as the user sees it: the error's description in a box with the application title.
// style is 16 (stop icon) unless the window shows its errors without an icon (0).
void DbErrorMsgBox(const DbError& error, int style = 16);

// The title of boxes whose title is empty.
QString applicationTitle();

// One call of either box, as a test sees it.
struct MsgRequest
{
    QString prompt;
    int style = 0;
    QString title; // as shown, so the application title when the caller passed none
    bool plain = false;
};

namespace MsgBoxHook {
// While an answerer is set, no dialog is shown: the answerer gets every call and returns the button.
using Answerer = std::function<int(const MsgRequest&)>;
void setAnswerer(Answerer answerer);
} // namespace MsgBoxHook
