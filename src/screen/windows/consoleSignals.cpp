// The console's signals on Windows.

#include "screen/private/consoleSignals.h"

#include <windows.h>

#include "screen/screen.h"

namespace screen::host {

namespace {

void (*quitProgram)() = nullptr;

}  // namespace

int consoleSignal(unsigned long event) {
  // Windows' own ending for an interrupted console program, which a batch file recognises;
  // set explicitly, as not every system gives it by default (Wine ends with status 0).
  if (!quitProgram) ExitProcess(STATUS_CONTROL_C_EXIT);
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
    return FALSE;
  }
  quitProgram();
  // The exit path ends the process, this thread with it.
  if (event == CTRL_CLOSE_EVENT) Sleep(INFINITE);
  return TRUE;
}

namespace {

BOOL WINAPI consoleHandler(DWORD event) {
  return consoleSignal(event);
}

}  // namespace

// A program started with Ctrl+C ignored (a new process group) keeps ignoring it: adding a
// handler does not change that.
void watchConsoleSignals(void (*quit)()) {
  quitProgram = quit;
  SetConsoleCtrlHandler(consoleHandler, TRUE);
}

}  // namespace screen::host

namespace screen {

void watchCommandSignals() {
  host::watchConsoleSignals(nullptr);
}

}  // namespace screen
