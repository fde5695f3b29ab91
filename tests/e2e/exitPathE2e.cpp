#include <gtest/gtest.h>

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

}  // namespace
