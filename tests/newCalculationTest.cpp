#include <gtest/gtest.h>

#include <string>

#include "app/program.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/mainScreenScript.h"
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

TEST(NewCalculation, ConfirmingAgainStartsAFreshScheduleFromTheKeptInputs) {
  headless::reset();
  mainScript::enterInputs("1000", "12", "100");
  headless::key("\r");
  headless::extendedKey(screen::KEY_DOWN);
  headless::extendedKey(screen::KEY_DOWN);
  mainScript::clickControl(NEW_CALCULATION);
  headless::type("\t\t\t\r");
  headless::extendedKey(screen::KEY_DOWN);
  runProgram();
  ASSERT_EQ(mainScript::scheduleRows().size(), 1u);
  EXPECT_EQ(mainScript::scheduleRows()[0].substr(0, 1), "1");
  EXPECT_NE(mainScript::scheduleRows()[0].find("910.00"), std::string::npos);
}
