#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>

#include "app/mainScreen.h"
#include "e2e/e2eHarness.h"
#include "support/mainScreenScript.h"

// The mouse's ways out of the program, in the real window.

namespace {

TEST(ExitPathE2e, ClickingExitEndsTheProgramWithStatusZero) {
  e2e::Quillo quillo;
  ASSERT_TRUE(e2e::start(quillo));
  e2e::Screen screen;
  ASSERT_TRUE(e2e::waitForScreen(
      quillo,
      [](const e2e::Screen& s) { return mainScript::controlInk(CONTROL_EXIT, s.pixels()) >= 0; },
      "the Exit button", screen));
  ASSERT_TRUE(
      e2e::click(quillo, mainScript::controlX(CONTROL_EXIT), mainScript::controlY(CONTROL_EXIT)));
  ASSERT_TRUE(e2e::waitForExit(quillo));
  EXPECT_EQ(quillo.exitStatus, 0) << e2e::programOutput(quillo);
}

TEST(ExitPathE2e, ReleasingTheRightButtonEndsTheProgramWithStatusZero) {
  e2e::Quillo quillo;
  e2e::Screen screen;
  ASSERT_TRUE(e2e::startAtForm(quillo, screen));
  ASSERT_TRUE(e2e::moveMouse(quillo, 320, 300));
  ASSERT_TRUE(e2e::pressButton(quillo, e2e::MouseButton::Right));
  ASSERT_TRUE(e2e::releaseButton(quillo, e2e::MouseButton::Right));
  ASSERT_TRUE(e2e::waitForExit(quillo));
  EXPECT_EQ(quillo.exitStatus, 0) << e2e::programOutput(quillo);
}

// A signal (a session logging out, the terminal closed, Ctrl+C in the terminal) ends the program
// through its exit path, options saved, even while a macro waits for the user at "?".
TEST(ExitPathE2e, ATerminatingSignalEndsTheProgramFromAnyState) {
  struct Case {
    const char* what;
    int signal;
    bool macroWaiting;
    bool noCursor = false;  // focus on Continue: the idle program waits for an event alone
  };
  for (const Case& c :
       {Case{"SIGTERM at the form", SIGTERM, false},
        Case{"SIGTERM while a macro waits", SIGTERM, true},
        Case{"SIGINT while a macro waits", SIGINT, true}, Case{"SIGHUP at the form", SIGHUP, false},
        Case{"SIGHUP while a macro waits", SIGHUP, true},
        Case{"SIGHUP with no cursor shown", SIGHUP, false, true},
        Case{"SIGTERM with no cursor shown", SIGTERM, false, true}}) {
    SCOPED_TRACE(c.what);
    e2e::Quillo quillo;
    e2e::Screen screen;
    ASSERT_TRUE(e2e::startAtForm(quillo, screen, {{"7.mac", "12?34"}}));
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
    ASSERT_TRUE(e2e::waitForExit(quillo));
    EXPECT_EQ(quillo.exitStatus, 0) << e2e::programOutput(quillo);
    EXPECT_EQ(e2e::readWorkFile(quillo, "quilloOptions.txt"), "\"ding.wav\"\r\n2\r\n");
  }
}

}  // namespace
