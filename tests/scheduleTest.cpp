#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/calculatorState.h"
#include "app/schedule.h"
#include "controls/buttonRegistry.h"
#include "money/repayment.h"
#include "screen/screen.h"
#include "support/freshScreen.h"
#include "support/scheduleLine.h"
#include "support/screenReader.h"

namespace {

using screenReader::rowText;

std::vector<uint8_t> surfaceCopy() {
  return std::vector<uint8_t>(
      screen::surfacePixels(),
      screen::surfacePixels() + screen::SCREEN_WIDTH * screen::SCREEN_HEIGHT);
}

TEST(Schedule, StartShowsThePromptTheStepControlsAndTheHeader) {
  startScheduleFor(1000, 12, 100);
  const std::string line(9, '\xc4');
  EXPECT_EQ(rowText(9), "Press \x19 to step by month.");
  EXPECT_EQ(rowText(10), "Press PageDown to step by year.");
  EXPECT_EQ(rowText(11), "You can change rate and/or payment while stepping.");
  EXPECT_EQ(rowText(12), "Press Ctrl-PageDown to continue until loan repaid.");
  EXPECT_EQ(rowText(13), "");
  EXPECT_EQ(rowText(14), std::string(11, ' ') + line + "Payment" + line + "\xc4");
  EXPECT_EQ(rowText(15),
            "Month      Interest         Principal             Remainder      Total Interest");
  for (int row = 16; row <= 28; ++row) EXPECT_EQ(rowText(row), "") << row;

  EXPECT_EQ(screenReader::readCell(9, 1).ink, 15);
  EXPECT_EQ(screenReader::readCell(12, 21).ink, 15);
  EXPECT_EQ(screenReader::readCell(14, 12).ink, 14);
  EXPECT_EQ(screenReader::readCell(15, 66).ink, 14);
  // The step controls, in the button colour, hit where they are drawn.
  const int controlRows[] = {9, 10, 12};
  for (int i = 0; i < 3; ++i) {
    const ButtonId id = calc.controlIds[7 + i];
    const int y = (controlRows[i] - 1) * 16 + 8;
    EXPECT_EQ(screenReader::readCell(controlRows[i], 7).ink, 2);
    EXPECT_TRUE(isOverButton(id, 40, y));
    EXPECT_FALSE(isOverButton(id, 40, y + 8));
  }
  EXPECT_TRUE(calc.stepping);
  EXPECT_EQ(calc.focus, 4);
  EXPECT_EQ(calc.scheduleRow, 16);
}

TEST(Schedule, ElevenMonthsRepayTheThousandAndTheNextDownShowsTheTotals) {
  startScheduleFor(1000, 12, 100);
  for (int i = 0; i < 11; ++i) stepDown();
  EXPECT_EQ(rowText(16), scheduleLine(1, "10.00", "90.00", "910.00", "10.00"));
  EXPECT_EQ(rowText(26), scheduleLine(11, "0.58", "58.40", "0.00", "58.98"));
  for (int row = 16; row <= 26; ++row) {
    EXPECT_EQ(rowText(row).size(), 79u) << row;
    EXPECT_EQ(screenReader::readCell(row, 79).ink, 15) << row;
    // On the background across the whole row, also between the values.
    for (int column = 1; column <= 80; ++column) {
      EXPECT_EQ(screenReader::readCell(row, column).paper, 0) << row << "," << column;
    }
  }
  EXPECT_EQ(rowText(27), "");
  EXPECT_TRUE(calc.stepping);

  stepDown();
  EXPECT_EQ(screenReader::textAt(27, 1, 80), "(0 years and 11 months) " + std::string(56, ' '));
  int row = 0, column = 0;
  screen::cursorPosition(row, column);
  EXPECT_EQ(column, 25);  // the trailing blank was printed
  EXPECT_FALSE(calc.stepping);
}

TEST(Schedule, ThePrincipalOfTheLastMonthIsCappedAtTheBalance) {
  startScheduleFor(100, 12, 500);
  stepDown();
  EXPECT_EQ(rowText(16), scheduleLine(1, "1.00", "100.00", "0.00", "1.00"));
  stepDown();
  EXPECT_EQ(screenReader::textAt(17, 1, 80), "(0 years and 1 months) " + std::string(57, ' '));
  EXPECT_EQ(rowText(18), "");
}

TEST(Schedule, TheThirteenthLineScrollsTheBand) {
  startScheduleFor(100000, 12, 2000);
  for (int i = 0; i < 12; ++i) stepDown();
  EXPECT_EQ(rowText(16).substr(0, 2), "1 ");
  EXPECT_EQ(rowText(27).substr(0, 3), "12 ");
  stepDown();
  EXPECT_EQ(rowText(16).substr(0, 2), "2 ");
  EXPECT_EQ(rowText(26).substr(0, 3), "12 ");
  EXPECT_EQ(rowText(27), scheduleLine(13, "873.17", "1,126.83", "86,190.67", "12,190.67"));
  EXPECT_EQ(rowText(28), "");
  // The prompt and the header above the band stay where they are.
  EXPECT_EQ(rowText(15).substr(0, 5), "Month");
}

TEST(Schedule, FinishingAfterALineOnTheLastRowMovesTheBandUpOnceMore) {
  startScheduleFor(1200, 0, 100);
  stepYear();
  EXPECT_EQ(rowText(27), scheduleLine(12, "0.00", "100.00", "0.00", "0.00"));
  EXPECT_TRUE(calc.stepping);  // repaid by exactly the twelfth month: no totals yet
  stepYear();
  EXPECT_EQ(rowText(16).substr(0, 2), "2 ");
  EXPECT_EQ(rowText(26), scheduleLine(12, "0.00", "100.00", "0.00", "0.00"));
  EXPECT_EQ(rowText(27), "(1 years and 0 months)");
  EXPECT_EQ(rowText(28), "");
  EXPECT_FALSE(calc.stepping);
}

TEST(Schedule, PageDownStopsWithTheTotalsWhenTheBalanceRunsOut) {
  startScheduleFor(1000, 12, 100);
  stepYear();
  EXPECT_EQ(calc.walk.repayment.monthCount, 11);
  EXPECT_EQ(rowText(26).substr(0, 3), "11 ");
  EXPECT_EQ(rowText(27), "(0 years and 11 months)");
  EXPECT_FALSE(calc.stepping);
}

TEST(Schedule, PageDownStepsTwelveMonthsAtMost) {
  startScheduleFor(100000, 12, 2000);
  stepYear();
  stepYear();
  EXPECT_EQ(calc.walk.repayment.monthCount, 24);
  EXPECT_EQ(rowText(27).substr(0, 3), "24 ");
  EXPECT_EQ(rowText(16).substr(0, 3), "13 ");
}

TEST(Schedule, CtrlPageDownOnANilBalanceDoesNothingButDownFinishes) {
  startScheduleFor(1200, 0, 100);
  stepYear();
  ASSERT_EQ(calc.walk.repayment.balance, 0);
  const std::vector<uint8_t> before = surfaceCopy();
  stepToEnd();
  EXPECT_EQ(surfaceCopy(), before);
  EXPECT_TRUE(calc.stepping);
  stepDown();
  EXPECT_EQ(rowText(27), "(1 years and 0 months)");
}

TEST(Schedule, AnInterestThatRoundsToZeroShowsWithoutASign) {
  // 0.005 shows as 0.01 and carries -0.005; on a balance of 0.10 the next interest is -0.0045.
  startScheduleFor(1, 6, 0.91);
  stepDown();
  stepDown();
  EXPECT_EQ(rowText(16), scheduleLine(1, "0.01", "0.90", "0.10", "0.01"));
  EXPECT_EQ(rowText(17), scheduleLine(2, "0.00", "0.10", "0.00", "0.01"));
  EXPECT_LT(calc.walk.repayment.monthInterest, 0);
}

TEST(Schedule, AHalfCentIsDecidedInExtendedPrecision) {
  // 12 / 1200 * 1007.5 rounded once lies just below 10.075; rounded twice it would show 10.08.
  startScheduleFor(1007.5, 12, 100);
  stepDown();
  EXPECT_EQ(rowText(16), scheduleLine(1, "10.07", "89.93", "917.57", "10.07"));
}

TEST(Schedule, ANeverRepaidLoanStopsAfterAThousandYears) {
  startScheduleFor(1000, 12, 10);
  stepToEnd();
  EXPECT_EQ(calc.walk.repayment.monthCount, 12000);
  EXPECT_EQ(rowText(26), scheduleLine(12000, "10.00", "0.00", "1,000.00", "120,000.00"));
  EXPECT_EQ(rowText(25), scheduleLine(11999, "10.00", "0.00", "1,000.00", "119,990.00"));
  EXPECT_EQ(rowText(27), "(1000 years and 0 months)  and you still haven't paid it off!!!");
  EXPECT_FALSE(calc.stepping);
  stepDown();  // finished: nothing more happens
  EXPECT_EQ(calc.walk.repayment.monthCount, 12000);
}

TEST(Schedule, ANegativePrincipalMakesTheBalanceGrow) {
  // The window's plan refuses a payment below the interest due, as Continue does, so the month
  // step alone shows what such a payment would do.
  Repayment r;
  r.annualRate = 12;
  r.payment = 9.99;
  r.balance = 1000;
  startRepayment(r);
  char shown[AMOUNT_TEXT_SIZE];
  EXPECT_EQ(repayMonth(r, shown), "10.00");
  EXPECT_NEAR(r.monthPrincipal, -0.01, 1e-9);
  EXPECT_NEAR(r.balance, 1000.01, 1e-9);
  startScheduleFor(1000, 12, 9.99);
  stepDown();
  EXPECT_EQ(calc.walk.repayment.monthCount, 0);
}

}  // namespace
