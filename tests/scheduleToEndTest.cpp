#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/calculatorState.h"
#include "app/schedule.h"
#include "screen/screen.h"
#include "support/freshScreen.h"
#include "support/screenReader.h"

namespace {

struct Scenario {
  double loan, rate, payment;
  int stepsFirst;  // months stepped one by one before the rest
  // A schedule run to its end first, so that the new one is written over its lines.
  double oldLoan = 0, oldRate = 0, oldPayment = 0;
  int32_t monthsCounted = 0;  // months taken as already stepped, to reach the limit quickly
};

const Scenario SCENARIOS[] = {
    {1000, 12, 100, 0},  // fits the band without scrolling
    {1000, 12, 100, 5},  // the rest still fits
    {1200, 0, 100, 11},  // one line on the last row, then the totals scroll
    {1500, 0, 100, 10},  // scrolls with earlier lines kept in the band
    {1500, 0, 100, 12},  // the band was full
    {100000, 12, 2000, 0},
    {100000, 12, 2000, 5},
    {1000, 7, 5.84, 7},  // over a thousand months
    {5000, 12, 400, 3, 100000, 12, 2000},
    {600, 0, 100, 2, 1500, 0, 100},
    {1000, 12, 10, 4, 0, 0, 0, 11970},  // never repaid: ends at the month limit
};

struct Outcome {
  std::vector<uint8_t> pixels;
  CalculatorState state;
};

void prepare(const Scenario& s) {
  if (s.oldLoan > 0) {
    startScheduleFor(s.oldLoan, s.oldRate, s.oldPayment);
    stepToEnd();
    calc.loanAmount = s.loan;
    calc.annualRate = s.rate;
    calc.payment = s.payment;
    startSchedule();
  } else {
    startScheduleFor(s.loan, s.rate, s.payment);
  }
  calc.walk.repayment.monthCount = s.monthsCounted;
  for (int i = 0; i < s.stepsFirst; ++i) stepDown();
}

Outcome snapshot() {
  const uint8_t* pixels = screen::surfacePixels();
  return {std::vector<uint8_t>(pixels, pixels + screen::SCREEN_WIDTH * screen::SCREEN_HEIGHT),
          calc};
}

TEST(ScheduleToEnd, LeavesTheScreenOfSteppingEveryMonthByItself) {
  for (const Scenario& s : SCENARIOS) {
    SCOPED_TRACE(testing::Message() << s.loan << " at " << s.rate << " paying " << s.payment
                                    << " after " << s.stepsFirst);
    prepare(s);
    ASSERT_TRUE(calc.stepping);
    stepToEnd();
    const Outcome atOnce = snapshot();
    prepare(s);
    while (calc.stepping) stepDown();
    const Outcome oneByOne = snapshot();

    EXPECT_EQ(screenReader::screenText(atOnce.pixels.data()), screenReader::screenText());
    EXPECT_TRUE(atOnce.pixels == oneByOne.pixels);
    const CalculatorState& a = atOnce.state;
    const CalculatorState& b = oneByOne.state;
    EXPECT_EQ(a.walk.repayment.monthCount, b.walk.repayment.monthCount);
    EXPECT_EQ(a.walk.repayment.balance, b.walk.repayment.balance);
    EXPECT_EQ(a.walk.repayment.totalInterest, b.walk.repayment.totalInterest);
    EXPECT_EQ(a.walk.repayment.roundingCarry, b.walk.repayment.roundingCarry);
    EXPECT_EQ(a.walk.repayment.monthInterest, b.walk.repayment.monthInterest);
    EXPECT_EQ(a.walk.repayment.monthPrincipal, b.walk.repayment.monthPrincipal);
    EXPECT_EQ(a.scheduleRow, b.scheduleRow);
    EXPECT_EQ(a.stepping, b.stepping);
    EXPECT_EQ(a.inertControls, b.inertControls);
  }
}

TEST(ScheduleToEnd, DoesNothingAfterTheLastMonthWasSteppedByDown) {
  startScheduleFor(1000, 12, 10);
  calc.walk.repayment.monthCount = 11990;  // as if the earlier months had been stepped
  for (int i = 0; i < 10; ++i) stepDown();
  ASSERT_EQ(calc.walk.repayment.monthCount, 12000);
  ASSERT_TRUE(calc.stepping);
  const Outcome before = snapshot();
  stepToEnd();
  EXPECT_TRUE(snapshot().pixels == before.pixels);
  EXPECT_TRUE(calc.stepping);
  stepDown();
  EXPECT_EQ(screenReader::rowText(26),
            "(1000 years and 0 months)  and you still haven't paid it off!!!");
}

}  // namespace
