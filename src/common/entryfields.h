#pragma once

#include "core/text/figure.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QAbstractButton;
class QLineEdit;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// Conventions shared by the working windows and their entry boxes. How a window uses each piece:
//
//   FixedFormSize(this);                          in the constructor: the window stays 800 × 520 pixels
//                                                 (WorkingWindow does it for you).
//   FocusFirstField(this, txtkd);                 in the constructor: activating the window puts the focus
//                                                 into that box (skipped while the box is hidden or off).
//   SelectAllOnFocus({txtsifra, txtnaziv, ...});  entering a box selects its whole text.
//   DecimalKeyFilter(txtkolicina);                a number box takes digits, backspace and one comma after
//                                                 some text; pasted text is held to the same form.
//   DecimalFieldCommit::reset(box, "0,00");       leaving the box brings it to "0,00" form, empty → reset text,
//   DecimalFieldCommit::keep(box);                  over 99 999,99 → message, reset (reset variant) or the text
//                                                 stays selected (keep variant); the focus returns to the box.
//                                                 reset(box, "0,00", Unreadable::Refuse): a lone comma is
//                                                 refused the same way instead of reset silently.
//                                                 A message box popping up does not trigger it.
//   CommitNumberBoxes(this)                       first thing in every handler that reads number boxes (add,
//                                                 accept, change): commits every number box of the window as
//                                                 leaving it would; false (stop the handler) when one refused.
//                                                 This covers buttons clicked by their mnemonic (Alt+letter),
//                                                 which do not move the focus. onClickCommitted() wires it.
//   ColumnSortToggle(lsvsviartikli);              header clicks sort the list by that column (Croatian,
//                                                 case-insensitive); the same column again reverses the order.
//   PendingList::...                              rows of a pending list (column 0 = item text).
//   return CommitOnCloseQuery(q, title, write);   in WorkingWindow::confirmClose() when rows are pending:
//                                                 Yes → write() decides (false keeps the window open),
//                                                 No → close and drop them, anything else → stay open.
//
// Every box needs an objectName; messages go through HrMsgBox.

// Keeps the window at 800 × 520 pixels whatever resizes it.
void FixedFormSize(QWidget* window);
inline constexpr int WorkingWindowWidth = 800;
inline constexpr int WorkingWindowHeight = 520;

// When the window becomes active, the focus goes into the box (if it can take it).
void FocusFirstField(QWidget* window, QWidget* firstBox);

// Entering any of the boxes selects its whole text.
void SelectAllOnFocus(const QList<QLineEdit*>& boxes);

// A number box: digits and backspace pass, the comma only into non-empty text without a comma.
void DecimalKeyFilter(QLineEdit* box);

// The check and "0.00" form of a number box when it loses the focus (not when a popup or another window takes it).
class DecimalFieldCommit : public QObject
{
    Q_OBJECT
public:
    static inline const QString TooBigMessage = QStringLiteral("Možete upisati samo do 99 999!");
    static inline const QString TooBigTitle = QStringLiteral("Prevelik broj");
    static constexpr int TooBigStyle = 48;

    // What leaving a box does with a text that is no number at all (a lone comma): take the reset text silently,
    // or refuse it as a value over the limit is refused.
    enum class Unreadable
    {
        Reset,
        Refuse
    };
    // Reset variant: an empty box gets the reset text; a refused value becomes the reset text.
    static DecimalFieldCommit* reset(QLineEdit* box, const QString& resetText,
                                     Unreadable unreadable = Unreadable::Reset);
    // Keep variant: an empty box stays empty; a refused value stays as typed, selected.
    static DecimalFieldCommit* keep(QLineEdit* box);

    // Checks and formats the box now. False when the value was refused (message shown, focus back in the box).
    bool commit();
    QLineEdit* box() const { return m_box; }

    // The figure a committed box holds ("" and unreadable text give nothing).
    static std::optional<Figure> valueOf(const QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DecimalFieldCommit(QLineEdit* box, std::optional<QString> resetText, Unreadable unreadable);
    // The warning, the reset text (reset variant) and the focus back in the box.
    void refuse();
    QLineEdit* m_box;
    std::optional<QString> m_resetText;
    Unreadable m_unreadable;
    bool m_committing = false;
};

// Commits every number box below window (see DecimalFieldCommit); false when one of them refused.
bool CommitNumberBoxes(QWidget* window);
// Connects the button's click to the handler, which runs only when the window's number boxes commit.
void onClickCommitted(QAbstractButton* button, QWidget* window, const std::function<void()>& handler);

// Header clicks sort the list: a new column ascending, the same column again in reverse; texts compared
// Croatian and case-insensitive. Rows keep their selection. A list over a model has the model sort (ListModel).
void ColumnSortToggle(QTreeView* list);

// Rows of a pending list: the item text and its sub-items as columns 0, 1, 2, ...
namespace PendingList {
QTreeWidgetItem* append(QTreeWidget* list, const QStringList& columns);
// Removes the selected row; nothing when no row is selected. True when a row went.
bool removeSelected(QTreeWidget* list);
QList<QStringList> rows(const QTreeWidget* list);
// The last selected row in list order (several selected: the last counts), or nullptr.
QTreeWidgetItem* lastSelected(const QTreeWidget* list);
} // namespace PendingList

// Empties every text box below root (not the editors inside date pickers or combo boxes).
void ClearTextBoxes(QWidget* root);

// The closing question of a window with pending rows (style 35). Yes runs write (true when the rows were stored),
// No drops the rows, any other answer keeps the window. Returns whether the window may close.
bool CommitOnCloseQuery(const QString& question, const QString& title, const std::function<bool()>& write);
