#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/e2eHarness.h"
#include "support/mainScreenScript.h"
#include "support/scheduleLine.h"
#include "support/screenReader.h"

// Keystroke macros in the real window: Ctrl+Enter on a name plays the file into the form.

namespace {

using MacroE2e = e2e::ProgramRun;

TEST_F(MacroE2e, CtrlEnterPlaysAMacroThatFillsTheFormAndStepsTheSchedule) {
  ASSERT_TRUE(atForm({{"7.mac", "250000;6;2000;;\xffQ"}}));
  ASSERT_TRUE(e2e::typeText(quillo, "7"));
  ASSERT_TRUE(e2e::pressKeys(quillo, "ctrl+Return"));
  ASSERT_TRUE(e2e::waitForScreen(
      quillo,
      [](const e2e::Screen& s) { return mainScript::scheduleRows(s.pixels()).size() == 12; },
      "twelve months of the schedule", screen));
  EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN, screen.pixels()), "250,000");
  EXPECT_EQ(mainScript::fieldText(FOCUS_RATE, screen.pixels()), "6");
  EXPECT_EQ(mainScript::fieldText(FOCUS_PAYMENT, screen.pixels()), "2,000.00");
  const std::vector<std::string> rows = mainScript::scheduleRows(screen.pixels());
  EXPECT_EQ(rows[0], scheduleLine(1, "1,250.00", "750.00", "249,250.00", "1,250.00"))
      << e2e::describeScreen(screen);
  EXPECT_EQ(rows[11].substr(0, 2), "12") << e2e::describeScreen(screen);
  endWith("Escape");
}

TEST_F(MacroE2e, ANameWithoutAFileIsReportedAtTheTop) {
  ASSERT_TRUE(atForm());
  ASSERT_TRUE(e2e::typeText(quillo, "9"));
  ASSERT_TRUE(e2e::pressKeys(quillo, "ctrl+Return"));
  const std::string message = "Could not find macro file 9.mac";
  ASSERT_TRUE(e2e::waitForText(quillo, message, screen));
  EXPECT_EQ(screenReader::textAt(1, 1, static_cast<int>(message.size()), screen.pixels()), message);
  EXPECT_EQ(screenReader::readCell(1, 1, screen.pixels()).ink, 11);
  // The name is gone from the field (whose first cell may show the blinking cursor).
  EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN, screen.pixels()).find('9'), std::string::npos);
  endWith("Escape");
}

}  // namespace
