#pragma once

class QLineEdit;
class QWidget;

// Key filters of entry boxes. They judge typed characters only; control keys (backspace, arrows, Tab,
// shortcuts) always pass. Safety of stored text never depends on them: every value is bound.

// Refuses the apostrophe and the double quote.
void NoQuoteKeyFilter(QLineEdit* edit);
// Passes only digits and the blank.
void DigitKeyFilter(QLineEdit* edit);
// Passes only digits, "/" and "-" (and the blank when allowBlank).
void PhoneKeyFilter(QLineEdit* edit, bool allowBlank = false);
// Refuses every typed character: a list whose entry can only be chosen (the arrow keys still move in it).
void NoTypingKeyFilter(QWidget* widget);
