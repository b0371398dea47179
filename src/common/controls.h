#pragma once

#include "core/text/datetext.h"

#include <QString>
#include <QStringList>

class QAbstractItemModel;
class QAbstractItemView;
class QComboBox;
class QDateEdit;
class QFontMetrics;
class QLabel;
class QLineEdit;
class QPushButton;
class QSize;
class QTreeView;
class QTreeWidget;
class QWidget;

// Pixels of a size given in twips (15 twips to the pixel).
constexpr int twips(int t)
{
    return t / 15;
}

// A window title that shows exactly this text: Qt drops a "[*]" from window titles (its modified-mark
// placeholder) unless it is doubled.
QString literalTitle(const QString& text);

// A top-level window with a fixed single border: it keeps this size and its title bar offers no maximising.
void FixedBorder(QWidget* window, const QSize& size);

// Builders for the controls of the working windows; each gets its name as objectName.

QLineEdit* makeEntryBox(QWidget* parent, const QString& name, const QString& tooltip, int maxLength);
// A box the window fills and the user only reads: read-only, with no length limit (a figure the window writes is
// shown whole), and out of the Tab order unless tabStop.
void lockBox(QLineEdit* box, bool tabStop = false);
// A date picker set to today, shown in format ("dd.MM.yyyy" unless a window shows its own), with a calendar to drop
// down. Tab leaves it at once, as it leaves every other control; the arrow keys move between its parts.
QDateEdit* makeDatePicker(QWidget* parent, const QString& name, const char* format = DateText::ShortFormat);
// A push button that is never a default button (Enter does not click it).
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QString& tooltip,
                        bool enabled);
// Puts action + name on a button of fixed width. A name too long for the button is cut with an ellipsis, so that
// the action and its Alt letter stay in sight, and the whole caption becomes the tooltip; an empty name gives the
// plain action and the button's own tooltip back. The name's "&" shows as typed.
void setCaptionWithName(QPushButton* button, const QString& action, const QString& name);
// A report-style list: one row selected at a time, no tree decoration.
QTreeWidget* makeListView(QWidget* parent, const QString& name, const QString& accessibleName,
                          const QStringList& headers);
// The same list over a model, for a list of many thousands of rows (headers from the model; see ListModel).
QTreeView* makeModelListView(QWidget* parent, const QString& name, const QString& accessibleName,
                             QAbstractItemModel* model);
// The list's columns as they are set now fill the list's width, whatever it becomes: too wide, they shrink in
// proportion (no sideways scrolling); too narrow, the growing column takes the rest.
void FitColumnsToWidth(QTreeView* list, int growingColumn);
// The width a value of this many characters takes in a font: digits (codes, numbers) or the letters of a name.
enum class ValueKind
{
    Digits,
    Letters
};
int valueWidth(const QFontMetrics& metrics, int characters, ValueKind kind);
// Widens a list's column, where it is too narrow, so that a value of this many characters shows whole.
void widenColumnFor(QTreeView* list, int column, int characters, ValueKind kind);
// Fits a box to a value of this many characters shown whole while the box is closed: wider, up to maxWidth, then
// in the narrow type, then smaller, down to 7 points.
void fitBoxFor(QComboBox* box, int characters, int maxWidth);
// A drop-down over every article of a book, tens of thousands of entries, that opens at once: below the box with
// its visible rows, as wide as a value of this many characters needs, instead of measuring and laying out every entry.
void fitLongDropDownFor(QComboBox* box, int characters, ValueKind kind);
// The background of a list of stored records: the tooltip colour (the yellow table).
void useTooltipBackground(QAbstractItemView* list);
// A label that holds a value for the window and is never shown.
QLabel* makeHiddenLabel(QWidget* parent, const QString& name);
// A label in front of a box; the box is its buddy.
QLabel* makeLabelFor(QWidget* parent, const QString& caption, QWidget* box, const QString& name = QString());
// Places a control at its designed position and size in twips; a caption wider than the design keeps its width.
void placeInTwips(QWidget* w, int left, int top, int width, int height);

// The busy pointer while a long step runs, back to the default however the step ends.
class BusyPointer
{
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};
