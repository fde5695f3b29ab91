#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/program.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/mainScreenScript.h"
#include "support/scheduleLine.h"
#include "support/screenReader.h"

namespace {

constexpr int NEW_CALCULATION = 5;

}  // namespace

TEST(NewCalculation, KeepsTheInputsAndStartsTheEditsInOvertype) {
  headless::reset();
  mainScript::enterInputs("250000", "6", "1500");
  headless::key("\r");
  headless::extendedKey(screen::KEY_PAGE_DOWN);
  mainScript::clickControl(NEW_CALCULATION);
  headless::snapshot();
  headless::type("3");
  headless::key("\t");
  headless::type("7");
  headless::key("\t");
  runProgram();
  const uint8_t* fresh = mainScript::snapshot(0);
  EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN, fresh), "250,000");
  EXPECT_EQ(mainScript::fieldText(FOCUS_RATE, fresh), "6");
  EXPECT_EQ(mainScript::fieldText(FOCUS_PAYMENT, fresh), "1,500.00");
  for (int row = 9; row <= 28; ++row) EXPECT_EQ(screenReader::rowText(row, fresh), "") << row;
  EXPECT_EQ(mainScript::controlInk(4, fresh), 2) << "Continue is back";
  // Typed over, not inserted: 250,000 becomes 350,000 and 6 becomes 7.
  EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN), "350,000");
  EXPECT_EQ(mainScript::fieldText(FOCUS_RATE), "7");
}

// 100.40 at 12% earns 1.004 in a month: it shows 1.00 and 0.004 is carried when the schedule
// ends. A new schedule owes nothing of it: its first month shows 1.00 again, not 1.01.
TEST(NewCalculation, ConfirmingAgainStartsAFreshScheduleFromTheKeptInputs) {
  struct Case {
    const char* what;
    std::function<void()> restart;
  };
  const Case cases[] = {
      {"New calculation, then Continue",
       [] {
         mainScript::clickControl(NEW_CALCULATION);
         headless::type("\t\t\t\r");
       }},
      {"Enter after the end", [] { headless::key("\r"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    headless::reset();
    mainScript::enterInputs("100.40", "12", "500");
    headless::key("\r");
    headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
    c.restart();
    headless::extendedKey(screen::KEY_DOWN);
    runProgram();
    ASSERT_FALSE(mainScript::scheduleRows().empty());
    EXPECT_EQ(mainScript::scheduleRows()[0], scheduleLine(1, "1.00", "100.40", "0.00", "1.00"));
  }
}
