#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "money/amountText.h"
#include "money/loanPlan.h"
#include "money/paymentForTerm.h"

namespace {

// A change as a user gives it: a rate, a payment (either may be left as it is) or the payment
// that keeps the end date.
struct Change {
  int32_t month;
  const char* rate;     // nullptr: kept
  const char* payment;  // nullptr: kept
  bool keepEnd;
};

struct Extra {
  int32_t month;
  const char* amount;
};

// What the plan comes to; with extras or kept end dates also the plan without them (or the
// month in which it cannot run) and what they saved.
struct Outcome {
  int32_t months;
  bool repaid;
  double totalPaid, totalInterest, lastPayment;
  std::optional<int32_t> plainMonths;
  double plainInterest = 0;
  int32_t savedMonths = 0;
  double savedInterest = 0;
  int32_t plainCannotRunIn = 0;
};

struct PlanCase {
  const char *loan, *rate, *payment;
  int32_t term;
  std::vector<Change> changes;
  std::vector<Extra> extras;
  Outcome outcome;
};

constexpr std::nullopt_t NOT_COMPARED = std::nullopt;

Outcome plainCannotRunIn(int32_t months, bool repaid, double paid, double interest, double last,
                         int32_t month) {
  Outcome o{months, repaid, paid, interest, last, NOT_COMPARED};
  o.plainCannotRunIn = month;
  return o;
}

// Every figure from the exact model of the month rule (`scripts/paymentModel.py plans`).
const std::vector<PlanCase> PLANS = {
    {"250000", "6.5", "0", 360, {}, {}, {360, true, 568853.80, 318853.80, 1569.18, NOT_COMPARED}},
    {"250000",
     "6.5",
     "0",
     360,
     {},
     {{24, "10000"}},
     {325, true, 522969.93, 272969.93, 991.61, 360, 318853.80, 35, 45883.87}},
    {"250000",
     "6.5",
     "0",
     360,
     {{61, "7.25", nullptr, true}},
     {},
     {360, true, 602274.51, 352274.51, 1684.28, 434, 435511.72, 74, 83237.21}},
    // Without a term the end kept is the one the schedule was heading for: the same here.
    {"250000",
     "6.5",
     "1580.18",
     0,
     {{61, "7.25", nullptr, true}},
     {},
     {360, true, 602274.51, 352274.51, 1684.28, 434, 435511.72, 74, 83237.21}},
    {"250000",
     "6.5",
     "0",
     360,
     {},
     {{24, "5000"}},
     {342, true, 544579.84, 294579.84, 738.46, 360, 318853.80, 18, 24273.96}},
    // Two extras in one month add up, and the month takes at most what is owed.
    {"1000",
     "12",
     "100",
     0,
     {},
     {{3, "500"}, {3, "4500"}},
     {3, true, 1027.29, 27.29, 827.29, 11, 58.98, 8, 31.69}},
    {"1000",
     "12",
     "100",
     0,
     {{2, "24", nullptr, false}},
     {},
     {12, true, 1114.60, 114.60, 14.60, NOT_COMPARED}},
    {"1000",
     "12",
     "100",
     0,
     {{5, nullptr, "200", false}},
     {},
     {8, true, 1048.25, 48.25, 48.25, NOT_COMPARED}},
    // An extra after the end is never paid.
    {"1000", "12", "100", 0, {}, {{20, "50"}}, {11, true, 1058.98, 58.98, 58.98, 11, 58.98, 0, 0}},
    {"100", "12", "500", 0, {}, {}, {1, true, 101.00, 1.00, 101.00, NOT_COMPARED}},
    // The end is kept at a rate the original payment does not cover.
    {"250000",
     "6.5",
     "1580.18",
     0,
     {{61, "20", nullptr, true}},
     {},
     plainCannotRunIn(360, true, 1273185.65, 1023185.65, 3893.88, 61)},
    {"50000", "0", "500", 0, {}, {{1, "1000"}}, {98, true, 50000.00, 0, 500.00, 100, 0, 2, 0}},
    // Never repaid without the extra: all 12000 months.
    {"100000",
     "12",
     "1000",
     0,
     {},
     {{6000, "50000"}},
     {6070, true, 6119661.83, 6019661.83, 661.83, 12000, 12000000.00, 5930, 5980338.17}},
    {"5000",
     "18",
     "0",
     24,
     {{13, "9", nullptr, true}},
     {{6, "1000"}},
     {24, true, 5705.24, 705.24, 142.40, 24, 846.86, 0, 141.62}},
    // A new rate, then in the same month the payment that keeps the term's end at it.
    {"120000",
     "3.9",
     "0",
     97,
     {{24, "11.11", nullptr, false}, {24, nullptr, nullptr, true}},
     {},
     {97, true, 164682.83, 44682.83, 1776.32, 125, 60025.87, 28, 15343.04}},
    // A kept end date after the end is never reached.
    {"250000",
     "6.5",
     "0",
     360,
     {{400, "8", nullptr, true}},
     {},
     {360, true, 568853.80, 318853.80, 1569.18, 360, 318853.80, 0, 0}},
    // A payment of 0 is the interest due: never repaid but for a cent's extra.
    {"1000",
     "12",
     "0",
     0,
     {},
     {{2, "1"}},
     {697, true, 6963.43, 5963.43, 2.43, 12000, 120000.00, 11303, 114036.57}},
    {"350000",
     "4.875",
     "1852.23",
     0,
     {{13, "5.5", "2000", false}, {121, nullptr, nullptr, true}},
     {{60, "20000"}, {60, "0.01"}, {200, "1000000"}},
     {200, true, 600151.43, 250151.43, 183945.99, 354, 354756.47, 154, 104605.04}},
    // The term's end is kept, not the earlier one its payment reaches: keeping it costs.
    {"204.71",
     "21.92",
     "0",
     480,
     {{61, nullptr, nullptr, true}},
     {},
     {380, true, 1416.53, 1211.82, 1.66, 325, 1010.50, -55, -201.32}},
};

LoanPlan planOf(const PlanCase& c) {
  LoanPlan plan;
  plan.loan = amountValue(c.loan);
  plan.rateText = c.rate;
  plan.annualRate = numberValue(c.rate);
  plan.payment = amountValue(c.payment);
  plan.term = c.term;
  for (const Change& change : c.changes) {
    PlanChange& p = plan.changes.emplace_back();
    p.month = change.month;
    p.setsRate = change.rate != nullptr;
    if (p.setsRate) p.rateText = change.rate;
    p.annualRate = p.setsRate ? numberValue(change.rate) : 0;
    p.setsPayment = change.payment != nullptr;
    p.payment = p.setsPayment ? amountValue(change.payment) : 0;
    p.keepEnd = change.keepEnd;
  }
  for (const Extra& extra : c.extras)
    plan.extras.push_back({extra.month, amountValue(extra.amount)});
  return plan;
}

// Cents apart at most: the model's sums and the program's are the same doubles, printed.
void expectCents(double actual, double expected) {
  EXPECT_NEAR(actual, expected, 0.005);
}

TEST(LoanPlan, EachPlansFiguresAndWhatItsExtrasAndKeptEndDatesSave) {
  for (const PlanCase& c : PLANS) {
    SCOPED_TRACE(testing::Message()
                 << c.loan << " at " << c.rate << ", " << c.payment << " term " << c.term << ", "
                 << c.changes.size() << " changes, " << c.extras.size() << " extras");
    const LoanPlan plan = planOf(c);
    const PlanSummary s = summarizePlan(plan);
    const Outcome& o = c.outcome;
    ASSERT_EQ(s.problem, PlanProblem::None) << s.message;
    EXPECT_EQ(s.figures.months, o.months);
    EXPECT_EQ(s.figures.repaid, o.repaid);
    expectCents(s.figures.totalPaid, o.totalPaid);
    expectCents(s.figures.totalInterest, o.totalInterest);
    expectCents(s.figures.lastPayment, o.lastPayment);
    EXPECT_EQ(s.compared, o.plainMonths.has_value() || o.plainCannotRunIn != 0);
    if (o.plainCannotRunIn != 0) {
      EXPECT_EQ(s.plainProblem, PlanProblem::PaymentShort);
      EXPECT_EQ(s.plainProblemMonth, o.plainCannotRunIn);
      continue;
    }
    if (!o.plainMonths) continue;
    EXPECT_EQ(s.plainProblem, PlanProblem::None) << s.plainMessage;
    EXPECT_EQ(s.plain.months, *o.plainMonths);
    expectCents(s.plain.totalInterest, o.plainInterest);
    EXPECT_EQ(s.savedMonths, o.savedMonths);
    expectCents(s.savedInterest, o.savedInterest);
  }
}

// The walk hands on every month once, in order, and its last month is the summary's.
TEST(LoanPlan, TheWalkHandsOnEveryMonthInTurn) {
  for (const PlanCase& c : PLANS) {
    SCOPED_TRACE(testing::Message() << c.loan << " at " << c.rate);
    const LoanPlan plan = planOf(c);
    int32_t expected = 1;
    double paid = 0;
    const PlanWalk walk = walkPlan(plan, false, [&](const PlanMonth& m) {
      EXPECT_EQ(m.month, expected++);
      paid += m.paid;
    });
    EXPECT_EQ(walk.repayment.monthCount, c.outcome.months);
    expectCents(paid, c.outcome.totalPaid);
  }
}

// A copy of a walk stepped part of the way goes on as the whole walk does, changes, extras and
// carried remainder and all: the chart projects the rest of a schedule from such a copy.
TEST(LoanPlan, ACopyOfAWalkGoesOnAsTheWholeWalk) {
  for (const PlanCase& c : PLANS) {
    SCOPED_TRACE(testing::Message() << c.loan << " at " << c.rate);
    const LoanPlan plan = planOf(c);
    std::vector<double> whole;
    walkPlan(plan, false, [&](const PlanMonth& m) { whole.push_back(m.balance); });
    for (size_t stop : {size_t{0}, size_t{1}, whole.size() / 2, whole.size() - 1}) {
      PlanWalk stepped;
      ASSERT_TRUE(startWalk(stepped, plan));
      PlanMonth month;
      while (static_cast<size_t>(stepped.repayment.monthCount) < stop) walkMonth(stepped, month);
      PlanWalk resumed = stepped;
      std::vector<double> projected(whole.begin(), whole.begin() + static_cast<long>(stop));
      walkRest(resumed, [&](const PlanMonth& m) { projected.push_back(m.balance); });
      EXPECT_EQ(projected, whole) << "resumed after month " << stop;
      EXPECT_EQ(stepped.repayment.monthCount, static_cast<int32_t>(stop)) << "the copy stepped it";
    }
  }
}

// The "Payment:" line's payments, each with its first month, from the exact model
// (`note_payment` in scripts/paymentModel.py).
TEST(LoanPlan, ThePaymentsInForceEachFromItsFirstMonth) {
  struct Case {
    const char* what;
    PlanCase plan;
    std::vector<std::pair<int32_t, double>> payments;
  };
  const Case cases[] = {
      {"a kept end replaces a payment of the same month",
       {"10000", "6", "0", 24, {{13, nullptr, "500", false}, {13, nullptr, nullptr, true}}, {}, {}},
       {{1, 443.21}}},
      {"back and forth",
       {"1000",
        "12",
        "100",
        0,
        {{3, nullptr, "200", false}, {5, nullptr, "100", false}, {7, "24", nullptr, false}},
        {},
        {}},
       {{1, 100}, {3, 200}, {5, 100}}},
      {"changed, then kept",
       {"350000",
        "4.875",
        "1852.23",
        0,
        {{13, "5.5", "2000", false}, {121, nullptr, nullptr, true}},
        {{60, "20000"}, {60, "0.01"}, {200, "1000000"}},
        {}},
       {{1, 1852.23}, {13, 2000}, {121, 1999.73}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(summarizePlan(planOf(c.plan)).figures.payments, c.payments);
  }
}

struct RefusedPlan {
  const char* what;
  PlanCase plan;
  PlanProblem problem;
  int32_t month;
  std::string message;
};

TEST(LoanPlan, APlanThatCannotRunSaysWhyAndWhere) {
  const RefusedPlan cases[] = {
      {"the end kept is month 24, passed in month 30 by a small payment",
       {"10000", "6", "0", 24, {{2, nullptr, "100", false}, {30, "6", nullptr, true}}, {}, {}},
       PlanProblem::EndPassed,
       30,
       "The end date to keep, month 24, has already passed in month 30"},
      {"kept in the month after the term's last",
       {"10000", "6", "0", 24, {{2, nullptr, "100", false}, {25, "6", nullptr, true}}, {}, {}},
       PlanProblem::EndPassed,
       25,
       "The end date to keep, month 24, has already passed in month 25"},
      {"a new rate the payment does not cover",
       {"250000", "6.5", "1580.18", 0, {{61, "20", nullptr, false}}, {}, {}},
       PlanProblem::PaymentShort,
       61,
       "Payment must be >= interest due ($3,900.45)"},
      {"a first payment below the interest",
       {"1000", "12", "9.99", 0, {}, {}, {}},
       PlanProblem::PaymentShort,
       1,
       "Payment must be >= interest due ($10.00)"},
  };
  for (const RefusedPlan& c : cases) {
    SCOPED_TRACE(c.what);
    const LoanPlan plan = planOf(c.plan);
    int32_t months = 0;
    const PlanWalk walk = walkPlan(plan, false, [&](const PlanMonth&) { ++months; });
    EXPECT_EQ(walk.problem, c.problem);
    EXPECT_EQ(walk.problemMonth, c.month);
    EXPECT_EQ(months, c.month - 1);
    EXPECT_EQ(walk.message, c.message);
  }
  // Kept in the term's last month, the end date still holds: one month to repay it all.
  const LoanPlan last = planOf(
      {"10000", "6", "0", 24, {{2, nullptr, "100", false}, {24, "6", nullptr, true}}, {}, {}});
  EXPECT_EQ(summarizePlan(last).figures.months, 24);
}

// The window steps a walk and confirms a new rate or payment between months: the plan records
// it, and walking the recorded plan again gives the same months.
TEST(LoanPlan, ChangesConfirmedBetweenStepsAreThePlansChanges) {
  LoanPlan plan = planOf({"250000", "6.5", "1580.18", 0, {}, {{24, "10000"}}, {}});
  PlanWalk walk;
  ASSERT_TRUE(startWalk(walk, plan));
  PlanMonth month;
  std::vector<double> stepped;
  while (canWalk(walk)) {
    if (walk.repayment.monthCount == 60) {
      PlanChange tooLittle;
      tooLittle.setsRate = true;
      tooLittle.annualRate = 20;
      tooLittle.rateText = "20";
      EXPECT_FALSE(changeTerms(walk, plan, tooLittle));
      EXPECT_EQ(walk.message, "Payment must be >= interest due ($3,698.01)");
      EXPECT_EQ(walk.repayment.annualRate, 6.5);
      PlanChange higher = tooLittle;
      higher.annualRate = 7.25;
      higher.rateText = "7.25";
      higher.setsPayment = true;
      higher.payment = 1700;
      ASSERT_TRUE(changeTerms(walk, plan, higher));
    }
    ASSERT_TRUE(walkMonth(walk, month));
    stepped.push_back(month.balance);
    EXPECT_EQ(month.newTerms, month.month == 61);
  }
  ASSERT_EQ(plan.changes.size(), 1u);
  EXPECT_EQ(plan.changes[0].month, 61);
  std::vector<double> walked;
  walkPlan(plan, false, [&](const PlanMonth& m) { walked.push_back(m.balance); });
  EXPECT_EQ(walked, stepped);
}

// The largest loan a payment repays within a term, from the model's cent-by-cent search
// (`scripts/paymentModel.py loans`): the loan, the months it takes, and the months a cent more
// takes (12000 when never repaid).
struct LargestLoan {
  double payment, rate;
  int32_t months;
  double loan;
  int32_t monthsTaken, monthsForACentMore;
};

const LargestLoan LARGEST_LOANS[] = {
    {1500, 6.5, 360, 237316.22, 360, 361},
    // The payment of 250,000 over 30 years repays a little more than 250,000.
    {1580.18, 6.5, 360, 250001.57, 360, 361},
    {100, 0, 12, 1200.00, 12, 13},
    // Minimal: a cent a month for a month.
    {0.01, 0, 1, 0.01, 1, 2},
    {100, 12, 1, 99.01, 1, 2},
    // A cent more and the payment only covers the interest: never repaid.
    {1000, 12, 12000, 99999.99, 1628, 12000},
    {50, 0, 12000, 600000.00, 12000, 12000},
    {10, 0.01, 12000, 114194.65, 12000, 12000},
    // Nothing pays for nothing.
    {0, 5, 12, 0.00, 0, 12000},
    {1000, 100, 36, 11327.41, 36, 37},
};

TEST(LargestLoan, OneCentMoreNeedsMoreMonths) {
  for (const LargestLoan& c : LARGEST_LOANS) {
    SCOPED_TRACE(testing::Message() << c.payment << " at " << c.rate << " for " << c.months);
    const double loan = largestLoanForPayment(c.payment, c.rate, c.months);
    EXPECT_EQ(loan, c.loan);
    bool repaid = false;
    EXPECT_EQ(monthsToRepay(loan, c.rate, 0, c.payment, MONTH_LIMIT, repaid), c.monthsTaken);
    EXPECT_TRUE(repaid);
    const double more = static_cast<double>(std::llround(loan * 100) + 1) / 100;
    EXPECT_EQ(monthsToRepay(more, c.rate, 0, c.payment, MONTH_LIMIT, repaid), c.monthsForACentMore);
    monthsToRepay(more, c.rate, 0, c.payment, c.months, repaid);
    EXPECT_FALSE(repaid) << "a cent more is repaid within the term too";
    // "Continue" takes the payment for the loan found.
    Repayment r;
    r.balance = loan;
    r.annualRate = c.rate;
    r.payment = c.payment;
    std::string due;
    EXPECT_EQ(checkPayment(r, due), PaymentCheck::Covered);
  }
}

TEST(LargestLoan, InputsItCannotUse) {
  EXPECT_EQ(largestLoanForPayment(-1, 6.5, 360), -1);
  EXPECT_EQ(largestLoanForPayment(1500, -1, 360), -1);
  EXPECT_EQ(largestLoanForPayment(1500, 6.5, 0), -1);
  EXPECT_EQ(largestLoanForPayment(1500, 6.5, MONTH_LIMIT + 1), -1);
  EXPECT_EQ(largestLoanForPayment(NAN, 6.5, 360), -1);
  EXPECT_EQ(largestLoanForPayment(1500, INFINITY, 360), -1);
}

}  // namespace
