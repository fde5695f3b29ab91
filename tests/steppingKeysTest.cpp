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
  EXPECT_EQ(mainScript::fieldText(FOCUS_RATE), "24");
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

TEST(SteppingKeys, CtrlCOutsideTheFieldsCopiesTheWholeScheduleSoFar) {
  const std::string header =
      "Month\tRate\tPayment\tInterest\tPrincipal\tRemainder\tTotal interest\n";
  const std::string month1 = "1\t12\t100.00\t10.00\t90.00\t910.00\t10.00\n";
  // The rate changed to 24 before the second month.
  const std::string month2 = "2\t24\t100.00\t18.20\t81.80\t828.20\t28.20\n";
  const auto changeRateTo24 = [] {
    mainScript::clickControl(2);
    headless::extendedKey(screen::KEY_DELETE);
    headless::extendedKey(screen::KEY_DELETE);
    headless::type("24\r\r\r");
  };
  struct Case {
    const char* name;
    std::function<void()> keys;
    std::string clipboard;
  };
  const std::vector<Case> cases = {
      {"no schedule yet", [] { mainScript::enterInputs("1000", "12", "100"); }, "before"},
      {"a change of rate",
       [&] {
         startSchedule("1000", "12", "100");
         headless::extendedKey(screen::KEY_DOWN);
         changeRateTo24();
         headless::extendedKey(screen::KEY_DOWN);
       },
       header + month1 + month2},
      {"every month and the totals line",
       [&] {
         startSchedule("1000", "12", "100");
         headless::extendedKey(screen::KEY_DOWN);
         changeRateTo24();
         headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
       },
       header + month1 + month2 + "3\t24\t100.00\t16.56\t83.44\t744.76\t44.76\n" +
           "4\t24\t100.00\t14.90\t85.10\t659.66\t59.66\n" +
           "5\t24\t100.00\t13.19\t86.81\t572.85\t72.85\n" +
           "6\t24\t100.00\t11.46\t88.54\t484.31\t84.31\n" +
           "7\t24\t100.00\t9.69\t90.31\t394.00\t94.00\n" +
           "8\t24\t100.00\t7.88\t92.12\t301.88\t101.88\n" +
           "9\t24\t100.00\t6.03\t93.97\t207.91\t107.91\n" +
           "10\t24\t100.00\t4.16\t95.84\t112.07\t112.07\n" +
           "11\t24\t100.00\t2.24\t97.76\t14.31\t114.31\n" +
           "12\t24\t14.60\t0.29\t14.31\t0.00\t114.60\n" + "(1 years and 0 months)\n"},
      {"a schedule started again",
       [&] {
         startSchedule("1000", "12", "100");
         headless::extendedKey(screen::KEY_DOWN);
         changeRateTo24();
         headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
         headless::key("\r");
         headless::extendedKey(screen::KEY_DOWN);
       },
       header + "1\t24\t100.00\t20.00\t80.00\t920.00\t20.00\n"},
      {"a new calculation",
       [] {
         startSchedule("1000", "12", "100");
         headless::extendedKey(screen::KEY_DOWN);
         mainScript::clickControl(5);
         headless::type("\t\t\t");
       },
       "before"},
      {"in a field the field's text",
       [] {
         startSchedule("1000", "12", "100");
         headless::extendedKey(screen::KEY_DOWN);
         mainScript::clickControl(2);
       },
       "12"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    headless::reset();
    headless::setClipboard("before");
    c.keys();
    headless::key("\x03");
    runProgram();
    EXPECT_EQ(headless::headlessState.clipboard, c.clipboard);
    EXPECT_TRUE(headless::headlessState.soundsPlayed.empty());
  }
}
