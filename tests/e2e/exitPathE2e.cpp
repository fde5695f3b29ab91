#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>

#include "app/mainScreen.h"
#include "e2e/e2eHarness.h"
#include "support/mainScreenScript.h"

// The mouse's ways out of the program, in the real window.

namespace {

using ExitPathE2e = e2e::ProgramRun;

TEST_F(ExitPathE2e, ClickingExitEndsTheProgramWithStatusZero) {
  ASSERT_TRUE(e2e::start(quillo));
  ASSERT_TRUE(e2e::waitForScreen(
      quillo,
      [](const e2e::Screen& s) { return mainScript::controlInk(CONTROL_EXIT, s.pixels()) >= 0; },
      "the Exit button", screen));
  ASSERT_TRUE(
      e2e::click(quillo, mainScript::controlX(CONTROL_EXIT), mainScript::controlY(CONTROL_EXIT)));
  endWith(e2e::ALREADY_SENT);
}

TEST_F(ExitPathE2e, ReleasingTheRightButtonEndsTheProgramWithStatusZero) {
  ASSERT_TRUE(atForm());
  ASSERT_TRUE(e2e::moveMouse(quillo, 320, 300));
  ASSERT_TRUE(e2e::pressButton(quillo, e2e::MouseButton::Right));
  ASSERT_TRUE(e2e::releaseButton(quillo, e2e::MouseButton::Right));
  endWith(e2e::ALREADY_SENT);
}

// A signal (a session logging out, the terminal closed, Ctrl+C in the terminal) ends the program
// through its exit path, options saved, even while a macro waits for the user at "?".
TEST_F(ExitPathE2e, ATerminatingSignalEndsTheProgramFromAnyState) {
  struct Case {
    const char* what;
    int signal;
    bool macroWaiting;
    bool noCursor = false;  // focus on Continue: the idle program waits for an event alone
    bool ignored = false;   // started as nohup starts it: the signal changes nothing
  };
  for (const Case& c :
       {Case{"SIGTERM at the form", SIGTERM, false},
        Case{"SIGTERM while a macro waits", SIGTERM, true},
        Case{"SIGINT while a macro waits", SIGINT, true}, Case{"SIGHUP at the form", SIGHUP, false},
        Case{"SIGHUP while a macro waits", SIGHUP, true},
        Case{"SIGHUP with no cursor shown", SIGHUP, false, true},
        Case{"SIGTERM with no cursor shown", SIGTERM, false, true},
        Case{"SIGHUP ignored by the starter", SIGHUP, false, false, true}}) {
    SCOPED_TRACE(c.what);
    e2e::Quillo quillo;
    e2e::Screen screen;
    // The program inherits what its starter ignores.
    struct sigaction ignore = {}, previous = {};
    ignore.sa_handler = SIG_IGN;
    if (c.ignored) sigaction(c.signal, &ignore, &previous);
    const bool started = e2e::startAtForm(quillo, screen, {{"7.mac", "12?34"}});
    if (c.ignored) sigaction(c.signal, &previous, nullptr);
    ASSERT_TRUE(started);
    if (c.macroWaiting) {
      ASSERT_TRUE(e2e::typeText(quillo, "7"));
      ASSERT_TRUE(e2e::pressKeys(quillo, "ctrl+Return"));
      ASSERT_TRUE(e2e::waitForScreen(
          quillo,
          [](const e2e::Screen& s) {
            return mainScript::fieldText(FOCUS_LOAN, s.pixels()).find("12") == 0;
          },
          "the macro waiting after 12", screen));
    }
    if (c.noCursor) {
      ASSERT_TRUE(e2e::pressKeys(quillo, "Tab Tab Tab"));
      // Long enough for the last blink to be drawn and the program to fall asleep.
      usleep(1500 * 1000);
    }
    ASSERT_EQ(kill(quillo.pid, c.signal), 0);
    if (c.ignored) {
      usleep(1000 * 1000);
      ASSERT_TRUE(e2e::windowExists(quillo)) << "the program ended";
      ASSERT_TRUE(e2e::pressKeys(quillo, "Escape"));
    }
    e2e::endWith(quillo, e2e::ALREADY_SENT);
    EXPECT_EQ(e2e::readWorkFile(quillo, "quilloOptions.txt"), e2e::DEFAULT_OPTIONS);
  }
}

}  // namespace
