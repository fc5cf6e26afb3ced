#pragma once
// The terminal behind standard error, where the progress displays are drawn.

#include <cstddef>

namespace torvan::cli {

// Whether standard error is a terminal (a person watching, not a log file).
bool StderrIsTerminal();

// The terminal's width in columns: a line longer than that would wrap, and a
// redraw in place would no longer cover it.
std::size_t TerminalColumns();

// The terminal's height in lines; 0 when it does not say.
std::size_t TerminalRows();

// Whether the terminal moves the cursor on the usual escape sequences (ESC [ n A
// ...): every POSIX terminal; a Windows console once it is told to.
bool EnableCursorControl();

}  // namespace torvan::cli
