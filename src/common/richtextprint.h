#pragma once

class QTextDocument;
class QTextEdit;

// Prints a rich-text pane's text, whole or the range [firstChar, firstChar + charCount), on the printer of
// Printing::acquirePrinter(), page after page inside the margins, in twips (1440 = one inch) from the paper's
// edges, with the pane's own formatting. charCount -1 prints from firstChar to the end. Each page's lines are
// recorded for tests (Printing::recordNewPage / recordLine). With no printer the user has been told, and nothing
// is printed; a printer that cannot be opened is reported.
void PrintRichText(QTextEdit* pane, int leftTw, int topTw, int rightTw, int bottomTw, int firstChar, int charCount);

// The same for a document's text in its own formatting (a plain-text report pane's document).
void PrintRichText(const QTextDocument* source, int leftTw, int topTw, int rightTw, int bottomTw, int firstChar,
                   int charCount);
