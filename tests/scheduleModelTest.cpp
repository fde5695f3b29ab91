#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/calculatorState.h"
#include "app/schedule.h"
#include "money/loanPlan.h"
#include "money/repayment.h"
#include "money/workedSchedules.h"
#include "support/freshScreen.h"
#include "support/scheduleLine.h"
#include "support/screenReader.h"

namespace {

// The screen is read at the worked months of each schedule up to this one.
constexpr int SCREEN_MONTHS = 240;

TEST(ScheduleModel, TheWorkedMonthsShowOnScreenAndTheTotalsAfterTheLast) {
  for (const WorkedSchedule& w : WORKED_SCHEDULES) {
    SCOPED_TRACE(testing::Message() << w.loan << " at " << w.rate << " paying " << w.payment);
    // A payment below the first month's interest is refused by the window's plan, as Continue
    // refuses it; the month rule's own table shows such schedules.
    if (w.payment > 0 && w.payment < interestDue(w.loan, w.rate)) continue;
    startScheduleFor(w.loan, w.rate, w.payment);
    auto checkpoint = w.checkpoints.begin();
    while (calc.walk.repayment.monthCount < w.months) {
      if (w.changeAfter > 0 && calc.walk.repayment.monthCount == w.changeAfter) {
        PlanChange change;
        change.setsRate = change.setsPayment = true;
        change.annualRate = w.newRate;
        change.payment = w.newPayment;
        changeTerms(calc.walk, calc.plan, change);
      }
      ASSERT_TRUE(calc.stepping && canStep())
          << "stopped after month " << calc.walk.repayment.monthCount;
      stepDown();
      const int month = calc.walk.repayment.monthCount;
      if (checkpoint == w.checkpoints.end() || checkpoint->month != month) continue;
      if (month <= SCREEN_MONTHS) {
        ASSERT_EQ(screenReader::rowText(std::min(15 + month, 27)),
                  scheduleLine(month, checkpoint->interest, checkpoint->principal,
                               checkpoint->balance, checkpoint->totalInterest));
      }
      ++checkpoint;
    }
    if (*w.totals == '\0') continue;
    ASSERT_TRUE(calc.stepping);
    stepDown();
    EXPECT_FALSE(calc.stepping);
    std::string totals(w.totals);
    totals.erase(totals.find_last_not_of(' ') + 1);
    EXPECT_EQ(screenReader::rowText(std::min(16 + w.months, 27)), totals);
  }
}

}  // namespace
