#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "layout/scheduleText.h"
#include "money/amountText.h"
#include "money/moneyFormat.h"
#include "money/repayment.h"
#include "money/workedSchedules.h"
#include "support/scheduleLine.h"

namespace {

TEST(Repayment, EveryWorkedScheduleMonthByMonth) {
  for (const WorkedSchedule& w : WORKED_SCHEDULES) {
    SCOPED_TRACE(testing::Message() << w.loan << " at " << w.rate << " paying " << w.payment);
    Repayment r;
    r.balance = w.loan;
    r.annualRate = w.rate;
    r.payment = w.payment;
    startRepayment(r);
    auto checkpoint = w.checkpoints.begin();
    double shownSum = 0;
    while (canRepayMonth(r) && r.monthCount < w.months) {
      if (w.changeAfter > 0 && r.monthCount == w.changeAfter) {
        r.annualRate = w.newRate;
        r.payment = w.newPayment;
      }
      char shown[AMOUNT_TEXT_SIZE];
      const std::string interest(repayMonth(r, shown));
      // What is shown is summed, and what it leaves of the interest is carried.
      const double shownValue = numberValue(stripCommas(interest));
      shownSum += shownValue;
      ASSERT_EQ(r.totalInterest, shownSum) << r.monthCount;
      ASSERT_EQ(r.roundingCarry, r.monthInterest - shownValue) << r.monthCount;
      if (checkpoint == w.checkpoints.end() || checkpoint->month != r.monthCount) continue;
      EXPECT_EQ(interest, checkpoint->interest) << r.monthCount;
      EXPECT_EQ(formatAmount(r.monthPrincipal, 2, false), checkpoint->principal) << r.monthCount;
      EXPECT_EQ(formatAmount(r.balance, 2, false), checkpoint->balance) << r.monthCount;
      EXPECT_EQ(formatAmount(r.totalInterest, 2, false), checkpoint->totalInterest) << r.monthCount;
      ++checkpoint;
    }
    EXPECT_EQ(r.monthCount, w.months);
    EXPECT_TRUE(checkpoint == w.checkpoints.end()) << "a checkpoint was never reached";
    if (*w.totals != '\0') {
      EXPECT_FALSE(stillOwing(r));
      EXPECT_EQ(totalsLine(r), w.totals);
    }
  }
}

TEST(Repayment, StopsAtTheMonthLimitAndSaysTheLoanIsStillOwed) {
  Repayment r;
  r.balance = 1000;
  r.annualRate = 12;
  r.payment = 10;  // exactly the interest: the balance never falls
  startRepayment(r);
  char shown[AMOUNT_TEXT_SIZE];
  while (canRepayMonth(r)) repayMonth(r, shown);
  EXPECT_EQ(r.monthCount, 12000);
  EXPECT_EQ(formatAmount(r.balance, 2, false), "1,000.00");
  EXPECT_EQ(totalsLine(r), "(1000 years and 0 months)  and you still haven't paid it off!!!");
}

TEST(Repayment, PaymentIsMeasuredAgainstTheInterestDue) {
  struct Case {
    double balance, rate, payment;
    PaymentCheck check;
    std::string due;      // when not covered
    double paymentAfter;  // the payment once checked
  };
  const double huge = std::numeric_limits<double>::max();
  for (const Case& c : {
           Case{1000, 12, 10, PaymentCheck::Covered, "", 10},
           Case{1000, 12, 9.99, PaymentCheck::Refused, "10.00", 9.99},
           Case{1000, 12, 0, PaymentCheck::FilledIn, "10.00", 10},
           // The interest due is rounded up to the cent: 5.8333... is due as 5.84.
           Case{1000, 7, 5.84, PaymentCheck::Covered, "", 5.84},
           Case{1000, 7, 5.83, PaymentCheck::Refused, "5.84", 5.83},
           Case{1000, 7, 0, PaymentCheck::FilledIn, "5.84", 5.84},
           Case{1007.5, 12, 0, PaymentCheck::FilledIn, "10.08", 10.08},
           Case{100000, 7.25, 0, PaymentCheck::FilledIn, "604.17", 604.17},
           Case{250000, 6, 0, PaymentCheck::FilledIn, "1,250.00", 1250},
           Case{1, 6, 0, PaymentCheck::FilledIn, "0.01", 0.01},
           Case{0.5, 1, 0, PaymentCheck::FilledIn, "0.01", 0.01},
           Case{5000, 0, 0, PaymentCheck::Covered, "", 0},
           // An interest no number holds: no payment covers it, not even one filled in.
           Case{huge, 1e10, 0, PaymentCheck::Refused, "INF", 0},
       }) {
    SCOPED_TRACE(testing::Message() << c.balance << " at " << c.rate << " paying " << c.payment);
    Repayment r;
    r.balance = c.balance;
    r.annualRate = c.rate;
    r.payment = c.payment;
    std::string due;
    EXPECT_EQ(checkPayment(r, due), c.check);
    EXPECT_EQ(due, c.due);
    EXPECT_EQ(r.payment, c.paymentAfter);
  }
  EXPECT_EQ(paymentMessage("5.84"), "Payment must be >= interest due ($5.84)");
}

TEST(ScheduleText, LinesAndTableRowsOfAMonth) {
  EXPECT_EQ(scheduleLineText(1, "10.00", 90, 910, 10),
            scheduleLine(1, "10.00", "90.00", "910.00", "10.00"));
  EXPECT_EQ(scheduleLineText(360, "1,235.90", 264.1, 246916.11, 14916.11),
            scheduleLine(360, "1,235.90", "264.10", "246,916.11", "14,916.11"));

  std::string table;
  appendTableHeader(table, ',');
  appendTableRow(table, ',', {12, "6", "1,500.00", "1,235.90", 264.1, 246916.11, 14916.11});
  appendTableRow(table, '\t', {1, "7.25", "800.00", "604.17", 195.83, 99804.17, 604.17});
  EXPECT_EQ(table,
            "Month,Rate,Payment,Interest,Principal,Remainder,Total interest\n"
            "12,6,1500.00,1235.90,264.10,246916.11,14916.11\n"
            "1\t7.25\t800.00\t604.17\t195.83\t99804.17\t604.17\n");

  // Amounts shown with an exponent are written out in full, whatever the rate's length.
  const std::string rate = "6." + std::string(298, '0');
  table.clear();
  appendTableRow(table, ',', {12000, rate, "1E+16", "1E+20", 1e16, 1e20, 1e22});
  EXPECT_EQ(table, "12000," + rate +
                       ",10000000000000000.00,100000000000000000000.00,10000000000000000.00,"
                       "100000000000000000000.00,10000000000000000000000.00\n");
}

}  // namespace
