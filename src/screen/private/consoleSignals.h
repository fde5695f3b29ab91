#pragma once

// The console's signals on Windows: Ctrl+C, Ctrl+Break and the console closed (and logging off
// or shutting down, which reach a program without a window this way).

namespace screen::host {

// With `quit`, each asks the window program to end through its exit path; a closed console
// waits for it, as the system ends the process once the handler returns. Without, each ends
// the run at once with the status Windows gives an interrupted console program, as the
// signals' default ends a command on Linux.
void watchConsoleSignals(void (*quit)());

// The handler the system calls, on a thread of its own, with the event; true when handled.
int consoleSignal(unsigned long event);

}  // namespace screen::host
