#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/calculatorState.h"
#include "app/controlTable.h"
#include "app/schedule.h"
#include "controls/buttonRegistry.h"
#include "screen/screen.h"
#include "support/freshScreen.h"
#include "support/scheduleLine.h"
#include "support/screenReader.h"

namespace {

using screenReader::rowText;

// The form as the first confirmation leaves it: every control but "Continue", then the schedule.
void confirmedForm(double loan, double rate, double payment) {
  openFreshScreen();
  for (int k : {10, 1, 2, 3, 4, 5, 6}) createControl(k);
  removeButton(calc.controlIds[4]);
  calc.loanAmount = loan;
  calc.annualRate = rate;
  calc.payment = payment;
  calc.inputsConfirmed = true;
  startSchedule();
}

TEST(ScheduleFinish, OnlyNewCalculationAndExitKeepWorking) {
  confirmedForm(1000, 12, 100);
  const auto ids = calc.controlIds;
  stepToEnd();
  EXPECT_EQ(calc.inertControls,
            (std::vector<ButtonId>{ids[1], ids[2], ids[3], ids[7], ids[8], ids[9], ids[10]}));
  for (int k : {1, 2, 3, 4, 7, 8, 9, 10}) EXPECT_EQ(calc.controlIds[k], 0) << k;
  EXPECT_EQ(calc.controlIds[5], ids[5]);
  EXPECT_EQ(calc.controlIds[6], ids[6]);
  EXPECT_TRUE(clickButton(calc.controlIds[6], 590, 460));
  // Inert controls stay on the screen and keep their slots until the next calculation.
  EXPECT_EQ(rowText(4), "     Loan Amount:");
  EXPECT_EQ(rowText(10), "Press PageDown to step by year.");
  ButtonId next = 0;
  createButton(next, {"Next", 300, 300, 2, 2, 13, false, 0, 0, 0});
  EXPECT_EQ(next, 10);

  const std::vector<ButtonId> inert = calc.inertControls;
  const std::string screenBefore = screenReader::screenText();
  finishSchedule();  // a finished schedule is not finished twice
  EXPECT_EQ(calc.inertControls, inert);
  EXPECT_EQ(screenReader::screenText(), screenBefore);
}

TEST(ScheduleFinish, ANewScheduleWritesWholeRowsOverTheOldOne) {
  confirmedForm(1500, 0, 100);
  stepToEnd();
  ASSERT_EQ(rowText(26), scheduleLine(15, "0.00", "100.00", "0.00", "0.00"));
  // Confirming again after the end starts over from the loan amount with the current inputs.
  calc.loanAmount = 100;
  calc.annualRate = 12;
  calc.payment = 500;
  startSchedule();
  EXPECT_EQ(rowText(9), "Press \x19 to step by month.");
  stepDown();
  stepDown();
  EXPECT_EQ(rowText(16), scheduleLine(1, "1.00", "100.00", "0.00", "1.00"));
  EXPECT_EQ(rowText(17), "(0 years and 1 months)");
  // Below them the old lines are left as they were.
  EXPECT_EQ(rowText(18), scheduleLine(7, "0.00", "100.00", "800.00", "0.00"));
  EXPECT_EQ(rowText(26), scheduleLine(15, "0.00", "100.00", "0.00", "0.00"));
  EXPECT_EQ(rowText(27), "(1 years and 3 months)");
}

TEST(ScheduleFinish, TheStepControlsOfARestartAreNewButtons) {
  confirmedForm(100, 12, 500);
  const ButtonId oldArrow = calc.controlIds[7];
  stepToEnd();
  startSchedule();
  EXPECT_NE(calc.controlIds[7], 0);
  // The inert copy left by the finished schedule gave its slot up to the new control.
  EXPECT_EQ(std::count(calc.inertControls.begin(), calc.inertControls.end(), oldArrow), 0);
  EXPECT_TRUE(isOverButton(calc.controlIds[7], 48, 136));
}

}  // namespace
