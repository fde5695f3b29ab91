#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/program.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/mainScreenScript.h"
#include "support/scheduleLine.h"
#include "support/screenReader.h"

namespace {

using mainScript::scheduleRows;

void startSchedule(const std::string& loan, const std::string& rate, const std::string& payment) {
  mainScript::enterInputs(loan, rate, payment);
  headless::key("\r");
}

void wheelDown() {
  headless::mouse(400, 400, 0, -1);
}

}  // namespace

TEST(SteppingKeys, EachStepKeyStepsTheRunningSchedule) {
  struct Case {
    const char* name;
    std::function<void()> keys;
    size_t rows;  // schedule rows shown, the totals line included
    bool firstMonthInView = true;
  };
  const std::vector<Case> cases = {
      {"Down", [] { headless::extendedKey(screen::KEY_DOWN); }, 1},
      {"wheel down", [] { wheelDown(); }, 1},
      {"Down twice", [] { headless::extendedKey(screen::KEY_DOWN), wheelDown(); }, 2},
      {"Page Down", [] { headless::extendedKey(screen::KEY_PAGE_DOWN); }, 12},
      {"Ctrl+Page Down", [] { headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN); }, 12, false},
      {"Up and wheel up do not step",
       [] {
         headless::extendedKey(screen::KEY_UP);
         headless::mouse(400, 400, 0, 1);
       },
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    headless::reset();
    startSchedule("100000", "6", "1000");
    c.keys();
    runProgram();
    const std::vector<std::string> rows = scheduleRows();
    EXPECT_EQ(rows.size(), c.rows);
    if (c.rows > 0 && c.firstMonthInView) {
      EXPECT_EQ(rows[0], scheduleLine(1, "500.00", "500.00", "99,500.00", "500.00"));
    }
  }
}

TEST(SteppingKeys, PageDownPrintsTwelveLines) {
  headless::reset();
  startSchedule("250000", "6", "");
  headless::extendedKey(screen::KEY_PAGE_DOWN);
  headless::snapshot();
  headless::extendedKey(screen::KEY_PAGE_DOWN);
  runProgram();
  const std::vector<std::string> firstYear = scheduleRows(mainScript::snapshot(0));
  ASSERT_EQ(firstYear.size(), 12u);
  EXPECT_EQ(firstYear[0], scheduleLine(1, "1,250.00", "0.00", "250,000.00", "1,250.00"));
  EXPECT_EQ(firstYear[11], scheduleLine(12, "1,250.00", "0.00", "250,000.00", "15,000.00"));
  // The band scrolls: the second year fills the same twelve rows.
  const std::vector<std::string> secondYear = scheduleRows();
  ASSERT_EQ(secondYear.size(), 12u);
  EXPECT_EQ(secondYear[0].substr(0, 2), "13");
  EXPECT_EQ(secondYear[11].substr(0, 2), "24");
}

TEST(SteppingKeys, ChangingTheRateGoesOnFromTheCurrentBalance) {
  headless::reset();
  startSchedule("1000", "12", "100");
  headless::extendedKey(screen::KEY_DOWN);
  mainScript::clickControl(2);
  headless::extendedKey(screen::KEY_DELETE);
  headless::extendedKey(screen::KEY_DELETE);
  headless::type("24");
  headless::key("\r");
  // Held: the changed rate is not yet confirmed.
  headless::extendedKey(screen::KEY_DOWN);
  headless::extendedKey(screen::KEY_PAGE_DOWN);
  headless::snapshot();
  headless::type("\r\r");
  headless::extendedKey(screen::KEY_DOWN);
  runProgram();
  EXPECT_EQ(scheduleRows(mainScript::snapshot(0)).size(), 1u);
  EXPECT_EQ(mainScript::fieldText(2), "24");
  const std::vector<std::string> rows = scheduleRows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], scheduleLine(1, "10.00", "90.00", "910.00", "10.00"));
  EXPECT_EQ(rows[1], scheduleLine(2, "18.20", "81.80", "828.20", "28.20"));
  EXPECT_EQ(screenReader::rowText(9), "Press \x19 to step by month.")
      << "the prompt is not reprinted";
}

TEST(SteppingKeys, AChangedPaymentIsCheckedAgainstTheInterestOnTheCurrentBalance) {
  headless::reset();
  startSchedule("1000", "12", "100");
  headless::extendedKey(screen::KEY_DOWN);
  mainScript::clickControl(3);
  for (int i = 0; i < 6; ++i) headless::extendedKey(screen::KEY_DELETE);
  headless::type("9");
  headless::key("\t");
  headless::key("\r");
  headless::snapshot();
  runProgram();
  // 1% of the 910 left is 9.10.
  EXPECT_EQ(screenReader::rowText(6, mainScript::snapshot(0)).substr(34),
            "Payment must be >= interest due ($9.10)");
}

TEST(SteppingKeys, VisitingAFieldLeavesTheScheduleRunning) {
  headless::reset();
  startSchedule("1000", "12", "100");
  mainScript::clickControl(3);
  headless::key("\t");
  headless::extendedKey(screen::KEY_DOWN);
  headless::extendedKey(screen::KEY_PAGE_DOWN);
  runProgram();
  EXPECT_EQ(scheduleRows().size(), 12u);
}

TEST(SteppingKeys, AfterTheTotalsEnterStartsTheScheduleAgainFromTheLoanAmount) {
  headless::reset();
  startSchedule("1000", "12", "100");
  headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
  headless::key("\r");
  headless::extendedKey(screen::KEY_DOWN);
  runProgram();
  EXPECT_EQ(screenReader::rowText(16), scheduleLine(1, "10.00", "90.00", "910.00", "10.00"));
  EXPECT_EQ(screenReader::rowText(9), "Press \x19 to step by month.");
}
