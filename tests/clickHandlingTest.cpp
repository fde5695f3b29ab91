#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/program.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/mainScreenScript.h"
#include "support/screenReader.h"

namespace {

using mainScript::clickControl;
using mainScript::controlInk;
using mainScript::controlX;
using mainScript::controlY;
using mainScript::fieldText;
using mainScript::snapshot;

constexpr int CONTINUE = 4, NEW_CALCULATION = 5, STEP_MONTH = 7, STEP_YEAR = 8, STEP_TO_END = 9,
              OPTIONS = 10;

void startSchedule() {
  mainScript::enterInputs("1000", "12", "100");
  headless::key("\r");
}

}  // namespace

TEST(ClickHandling, ClickingALabelOrTheStartOfItsFieldMovesTheFocusThere) {
  struct Case {
    std::string name;
    std::function<void()> click;
    int field;
  };
  const std::vector<Case> cases = {
      {"rate label", [] { clickControl(2); }, 2},
      {"payment label", [] { clickControl(3); }, 3},
      {"loan label from the payment", [] { headless::type("\t\t"), clickControl(1); }, 1},
      {"first cells of the payment field", [] { headless::click(19 * 8 + 4, 5 * 16 + 8); }, 3},
      {"Continue from the rate", [] { headless::key("\t"), clickControl(CONTINUE); }, 1},
      {"nowhere", [] { headless::key("\t"), headless::click(400, 300); }, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    headless::reset();
    c.click();
    headless::type("7");
    runProgram();
    for (Focus field : {FOCUS_LOAN, FOCUS_RATE, FOCUS_PAYMENT}) {
      EXPECT_EQ(fieldText(field), field == c.field ? (field == FOCUS_PAYMENT ? "7.00" : "7") : "")
          << field;
    }
  }
}

TEST(ClickHandling, TheLeftButtonHighlightsTheControlUnderItWhileHeld) {
  headless::reset();
  headless::mouse(controlX(2), controlY(2), 1);
  headless::snapshot();
  headless::mouse(controlX(NEW_CALCULATION), controlY(NEW_CALCULATION), 1);
  headless::snapshot();
  headless::mouse(400, 300, 1);
  headless::snapshot();
  headless::mouse(400, 300, 0);
  runProgram();
  EXPECT_EQ(controlInk(2, snapshot(0)), 13);
  EXPECT_EQ(controlInk(NEW_CALCULATION, snapshot(0)), 2);
  EXPECT_EQ(controlInk(2, snapshot(1)), 2);
  EXPECT_EQ(controlInk(NEW_CALCULATION, snapshot(1)), 13);
  EXPECT_EQ(controlInk(NEW_CALCULATION, snapshot(2)), 2);
  EXPECT_EQ(controlInk(OPTIONS, snapshot(2)), 8);
}

TEST(ClickHandling, AReleasedControlIsDrawnNormalAgain) {
  headless::reset();
  headless::mouse(controlX(3), controlY(3), 1);
  headless::snapshot();
  headless::mouse(controlX(3), controlY(3), 0);
  headless::snapshot();
  runProgram();
  EXPECT_EQ(controlInk(3, snapshot(0)), 13);
  EXPECT_EQ(controlInk(3, snapshot(1)), 2);
}

TEST(ClickHandling, TheStepControlsStepLikeTheirKeys) {
  struct Case {
    int control;
    size_t lines;
  };
  for (const Case& c : {Case{STEP_MONTH, 1}, Case{STEP_YEAR, 11}, Case{STEP_TO_END, 11}}) {
    SCOPED_TRACE(c.control);
    headless::reset();
    startSchedule();
    clickControl(c.control);
    runProgram();
    const std::vector<std::string> rows = mainScript::scheduleRows();
    ASSERT_GE(rows.size(), c.lines);
    EXPECT_EQ(rows[0].substr(0, 1), "1");
    EXPECT_EQ(rows.size(), c.control == STEP_MONTH ? 1u : 12u) << "with the totals line";
  }
}

TEST(ClickHandling, TheStepControlsLightUpOnlyWhileTheInputsAreConfirmed) {
  headless::reset();
  startSchedule();
  headless::mouse(controlX(STEP_YEAR), controlY(STEP_YEAR), 1);
  headless::snapshot();
  headless::mouse(400, 300, 0);
  clickControl(3);
  headless::type("5");
  headless::key("\t");
  headless::mouse(controlX(STEP_YEAR), controlY(STEP_YEAR), 1);
  headless::snapshot();
  headless::mouse(controlX(STEP_YEAR), controlY(STEP_YEAR), 0);
  headless::extendedKey(screen::KEY_DOWN);
  runProgram();
  EXPECT_EQ(controlInk(STEP_YEAR, snapshot(0)), 13);
  EXPECT_EQ(controlInk(STEP_YEAR, snapshot(1)), 2);
  EXPECT_TRUE(mainScript::scheduleRows().empty()) << "a held schedule does not step";
}

// While the schedule runs the loan amount cannot change: its label leads to the rate.
TEST(ClickHandling, UnderARunningScheduleTheLoanLabelLeadsToTheRateAndBringsBackContinue) {
  headless::reset();
  startSchedule();
  headless::snapshot();
  clickControl(1);
  headless::type("9");
  headless::snapshot();
  runProgram();
  EXPECT_EQ(controlInk(CONTINUE, snapshot(0)), -1);
  EXPECT_EQ(controlInk(CONTINUE, snapshot(1)), 2);
  EXPECT_EQ(fieldText(FOCUS_LOAN), "1,000");
  EXPECT_EQ(fieldText(FOCUS_RATE), "912");
}

TEST(ClickHandling, AfterTheScheduleFinishesOnlyNewCalculationAndExitRespond) {
  headless::reset();
  startSchedule();
  headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
  headless::snapshot();
  for (int k : {1, 2, 3, CONTINUE, STEP_MONTH, STEP_YEAR, STEP_TO_END, OPTIONS}) {
    clickControl(k);
    headless::mouse(controlX(k), controlY(k), 1);
    headless::mouse(controlX(k), controlY(k), 0);
  }
  headless::type("7");
  headless::snapshot();
  clickControl(NEW_CALCULATION);
  headless::snapshot();
  runProgram();
  const uint8_t* finished = snapshot(0);
  const uint8_t* afterClicks = snapshot(1);
  EXPECT_EQ(screenReader::screenText(afterClicks), screenReader::screenText(finished));
  EXPECT_EQ(screenReader::rowText(9, snapshot(2)), "") << "a fresh form";
  EXPECT_EQ(fieldText(FOCUS_RATE, snapshot(2)), "12");
}
