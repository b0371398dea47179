#pragma once

class QString;
class QFont;

namespace AppSetup {

// Application name and title, the decimal comma without grouping, the program's own date format.
void init();

// Fonts the windows and reports ask for by name, with a fallback of the same kind.
QFont fixedFont(int pointSize = 10); // "Courier New"
QFont serifFont(int pointSize = 12); // "Times New Roman"

} // namespace AppSetup
