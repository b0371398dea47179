#pragma once

#include <functional>

// Ending the program at once, whatever windows are open.
namespace AppControl {

void endProgram();
// Tests replace the ending with their own function; an empty one restores it.
void setEndProgramHandler(std::function<void()> handler);

} // namespace AppControl
