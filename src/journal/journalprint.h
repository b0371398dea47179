#pragma once

#include <QString>

#include <functional>

// Prints the journal straight onto the default printer (no dialog), landscape, 9 points of the font family,
// page by page as JournalPrint::write lays it out; each line is recorded for tests. rowLine(i) gives the
// report line of the i-th printed row. Without a printer, or when the printer fails, the user gets one message
// after the attempt.
void PrintJournalPages(const QString& title, int rowCount, const std::function<QString(int)>& rowLine,
                       const QString& fontFamily);
