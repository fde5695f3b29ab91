// The console's Ctrl+C, Ctrl+Break and close on Windows, given to the handler as the system
// gives them (Wine delivers only Ctrl+C from outside; tests/windows/consoleAndOutput.py sends
// that one for real).

#ifdef _WIN32

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "screen/private/consoleSignals.h"

namespace {

int quitCalls = 0;

void countQuit() {
  ++quitCalls;
}

// The window program's exit path, coming round a little later on the main thread.
void exitSoon() {
  std::thread([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::exit(0);
  }).detach();
}

struct ConsoleEvent {
  const char* name;
  DWORD event;
};
constexpr ConsoleEvent ENDING_EVENTS[] = {{"Ctrl+C", CTRL_C_EVENT},
                                          {"Ctrl+Break", CTRL_BREAK_EVENT},
                                          {"console closed", CTRL_CLOSE_EVENT}};

}  // namespace

// 0xC000013A, STATUS_CONTROL_C_EXIT: what cmd and batch files take for an interrupted program.
TEST(ConsoleSignals, ACommandEndsAtOnceAsInterrupted) {
  for (const ConsoleEvent& e : ENDING_EVENTS) {
    SCOPED_TRACE(e.name);
    EXPECT_EXIT(
        {
          screen::host::watchConsoleSignals(nullptr);
          screen::host::consoleSignal(e.event);
          std::exit(3);  // the command went on
        },
        testing::ExitedWithCode(static_cast<int>(0xC000013A)), "");
  }
}

TEST(ConsoleSignals, CtrlCAndCtrlBreakAskTheWindowProgramToEnd) {
  for (const ConsoleEvent& e : ENDING_EVENTS) {
    if (e.event == CTRL_CLOSE_EVENT) continue;
    SCOPED_TRACE(e.name);
    quitCalls = 0;
    screen::host::watchConsoleSignals(countQuit);
    EXPECT_TRUE(screen::host::consoleSignal(e.event));
    EXPECT_EQ(quitCalls, 1);
  }
  // Logging off and shutting down reach the window as messages of its own.
  quitCalls = 0;
  EXPECT_FALSE(screen::host::consoleSignal(CTRL_LOGOFF_EVENT));
  EXPECT_EQ(quitCalls, 0);
}

// The system ends the process once the handler returns: it must hold until the exit path is done.
TEST(ConsoleSignals, AClosedConsoleWaitsForTheWindowProgramsExitPath) {
  EXPECT_EXIT(
      {
        screen::host::watchConsoleSignals(exitSoon);
        screen::host::consoleSignal(CTRL_CLOSE_EVENT);
        std::exit(3);  // returned before the exit path was done
      },
      testing::ExitedWithCode(0), "");
}

#endif
