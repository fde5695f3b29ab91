#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "app/calculatorState.h"
#include "app/schedule.h"
#include "money/amountText.h"
#include "money/moneyFormat.h"
#include "support/freshScreen.h"
#include "support/scheduleLine.h"
#include "support/screenReader.h"

namespace {

// The repayment as the calculator is meant to work it out, month by month.
struct Model {
  double balance = 0, rate = 0, payment = 0;
  double carry = 0, total = 0, interest = 0, principal = 0;
  int months = 0;
  std::string interestText = {};
  bool halfCent = false;  // this month's interest lay within rounding error of a half cent

  bool canStep() const { return balance > 0.004 && months < 12000; }

  void step() {
    ++months;
    interest = static_cast<double>(static_cast<long double>(rate) / 1200.0L * balance + carry);
    interestText = formatAmount(interest, 2, false);
    const double shown = numberValue(stripCommas(interestText));
    const double cents = std::fabs(interest) * 100;
    halfCent = std::fabs(cents - std::floor(cents) - 0.5) < 1e-9;
    carry = interest - shown;
    total += shown;
    principal = std::min(payment - shown, balance);
    balance -= principal;
  }

  std::string line() const {
    return scheduleLine(months, interestText, formatAmount(principal, 2, false),
                        formatAmount(balance, 2, false), formatAmount(total, 2, false));
  }

  std::string totals() const {
    std::string text = "(" + std::to_string(months / 12) + " years and " +
                       std::to_string(months % 12) + " months)";
    if (balance > 0.004) text += "  and you still haven't paid it off!!!";
    return text;
  }
};

struct Loan {
  double loan, rate, payment;
  int changeAfter = 0;  // months after which the rate and the payment change; 0: never
  double newRate = 0, newPayment = 0;
  int stepLimit = 0;  // months compared; 0: the whole schedule
};

const Loan LOANS[] = {
    {1000, 12, 100},
    {100, 12, 500},
    {250000, 6, 1500},
    {100000, 7.25, 800},
    {1007.5, 12, 100},  // half cents from the first month on
    {2001, 6, 100},
    {1200.5, 12, 12.01},  // barely covers the interest: a long schedule of carried half cents
    {1, 6, 0.91},
    {5000, 0, 100},
    {1000, 7, 5.84},
    {1000, 12, 100, 4, 18, 50},
    {30000, 4.5, 300, 100, 9.75, 1000},
    {1000, 12, 9.99, 0, 0, 0, 300},  // never repaid: the balance grows
};

// The screen is read for the first months of each schedule; the numbers for every month.
constexpr int SCREEN_MONTHS = 240;

TEST(ScheduleModel, EveryMonthMatchesTheModelOnScreenAndInTheState) {
  int halfCents = 0;
  for (const Loan& l : LOANS) {
    SCOPED_TRACE(testing::Message() << l.loan << " at " << l.rate << " paying " << l.payment);
    startScheduleFor(l.loan, l.rate, l.payment);
    Model model{l.loan, l.rate, l.payment};
    while (model.canStep() && (l.stepLimit == 0 || model.months < l.stepLimit)) {
      if (l.changeAfter > 0 && model.months == l.changeAfter) {
        calc.repayment.annualRate = model.rate = l.newRate;
        calc.repayment.payment = model.payment = l.newPayment;
      }
      stepDown();
      model.step();
      halfCents += model.halfCent;
      ASSERT_EQ(calc.repayment.monthCount, model.months);
      ASSERT_EQ(calc.repayment.monthInterest, model.interest) << model.months;
      ASSERT_EQ(calc.repayment.roundingCarry, model.carry) << model.months;
      ASSERT_EQ(calc.repayment.monthPrincipal, model.principal) << model.months;
      ASSERT_EQ(calc.repayment.balance, model.balance) << model.months;
      ASSERT_EQ(calc.repayment.totalInterest, model.total) << model.months;
      if (model.months <= SCREEN_MONTHS) {
        ASSERT_EQ(screenReader::rowText(std::min(15 + model.months, 27)), model.line());
      }
    }
    if (l.stepLimit != 0) continue;
    ASSERT_TRUE(calc.stepping);
    stepDown();
    EXPECT_FALSE(calc.stepping);
    EXPECT_EQ(screenReader::rowText(std::min(16 + model.months, 27)), model.totals());
  }
  EXPECT_GT(halfCents, 10);  // the table does exercise rounding on a half cent
}

}  // namespace
