#include "money/loanPlan.h"

#include <algorithm>

#include "money/paymentForTerm.h"

namespace {

bool fail(PlanWalk& walk, PlanProblem problem, std::string message) {
  walk.problem = problem;
  walk.problemMonth = walk.repayment.monthCount + 1;
  walk.message = std::move(message);
  return false;
}

// The payment confirmed as "Continue" confirms it: a payment of 0 becomes the interest due, one
// below it is refused.
bool confirmPayment(PlanWalk& walk) {
  Repayment& r = walk.repayment;
  std::string due;
  if (checkPayment(r, due) == PaymentCheck::Refused) {
    walk.due = due;
    return fail(walk, PlanProblem::PaymentShort, paymentMessage(due));
  }
  const int32_t month = r.monthCount + 1;
  std::vector<std::pair<int32_t, double>>& payments = walk.payments;
  if (payments.empty() || payments.back().second != r.payment) {
    // A second change in the same month replaces the first; back to the payment before it,
    // nothing has changed.
    if (!payments.empty() && payments.back().first == month) payments.pop_back();
    if (payments.empty() || payments.back().second != r.payment) {
      payments.emplace_back(month, r.payment);
    }
  }
  return true;
}

// The month the schedule ends in at the rate and payment in force, from where it stands.
int32_t endMonthAsItStands(const Repayment& r) {
  bool repaid = false;
  return r.monthCount + monthsToRepay(r.balance, r.annualRate, r.roundingCarry, r.payment,
                                      MONTH_LIMIT - r.monthCount, repaid);
}

bool applyChange(PlanWalk& walk, const PlanChange& change) {
  Repayment& r = walk.repayment;
  const bool keep = change.keepEnd && !walk.plain;
  const int32_t endMonth = keep ? keptEndMonth(walk) : 0;
  if (keep && endMonth <= r.monthCount) {
    return fail(walk, PlanProblem::EndPassed,
                "The end date to keep, month " + std::to_string(endMonth) +
                    ", has already passed in month " + std::to_string(r.monthCount + 1));
  }
  const std::string rateBefore = walk.rateText;
  const double paymentBefore = r.payment;
  if (change.setsRate) {
    walk.rateText = change.rateText;
    r.annualRate = change.annualRate;
  }
  if (change.setsPayment) r.payment = change.payment;
  if (keep) {
    const double payment =
        paymentForTerm(r.balance, r.annualRate, r.roundingCarry, endMonth - r.monthCount);
    if (payment < 0) {
      return fail(walk, PlanProblem::NoPaymentForTerm,
                  "No payment repays the balance by month " + std::to_string(endMonth));
    }
    r.payment = payment;
  }
  if (!confirmPayment(walk)) return false;
  walk.newTerms = walk.newTerms || walk.rateText != rateBefore || r.payment != paymentBefore;
  return true;
}

}  // namespace

void sortPlan(LoanPlan& plan) {
  const auto byMonth = [](const auto& a, const auto& b) { return a.month < b.month; };
  std::stable_sort(plan.changes.begin(), plan.changes.end(), byMonth);
  std::stable_sort(plan.extras.begin(), plan.extras.end(), byMonth);
}

bool hasExtrasOrKeptEnds(const LoanPlan& plan) {
  return !plan.extras.empty() || std::any_of(plan.changes.begin(), plan.changes.end(),
                                             [](const PlanChange& c) { return c.keepEnd; });
}

bool startWalk(PlanWalk& walk, const LoanPlan& plan, bool plain) {
  walk = PlanWalk{};
  walk.plan = &plan;
  walk.plain = plain;
  walk.termEnd = plan.term;
  walk.rateText = plan.rateText;
  Repayment& r = walk.repayment;
  r.balance = plan.loan;
  r.annualRate = plan.annualRate;
  r.payment = plan.payment;
  if (plan.term != 0) {
    r.payment = paymentForTerm(r.balance, r.annualRate, 0, plan.term);
    if (r.payment < 0) {
      return fail(walk, PlanProblem::NoPaymentForTerm,
                  "No payment repays the loan within the term");
    }
  }
  if (!confirmPayment(walk)) return false;
  startRepayment(r);
  return true;
}

int32_t keptEndMonth(const PlanWalk& walk) {
  return walk.termEnd != 0 ? walk.termEnd : endMonthAsItStands(walk.repayment);
}

bool canWalk(const PlanWalk& walk) {
  return walk.problem == PlanProblem::None && canRepayMonth(walk.repayment);
}

bool walkMonth(PlanWalk& walk, PlanMonth& month) {
  const LoanPlan& plan = *walk.plan;
  Repayment& r = walk.repayment;
  const int32_t next = r.monthCount + 1;
  for (; walk.nextChange < plan.changes.size() && plan.changes[walk.nextChange].month <= next;
       ++walk.nextChange) {
    if (!applyChange(walk, plan.changes[walk.nextChange])) return false;
  }
  const double payment = r.payment;
  double extra = 0;
  for (; walk.nextExtra < plan.extras.size() && plan.extras[walk.nextExtra].month <= next;
       ++walk.nextExtra) {
    if (walk.plain || plan.extras[walk.nextExtra].month < next) continue;
    r.payment += plan.extras[walk.nextExtra].amount;
    extra += plan.extras[walk.nextExtra].amount;
  }
  month.interest = repayMonth(r, walk.shown);
  r.payment = payment;
  walk.totalPaid += r.monthPaid;
  walk.lastPayment = r.monthPaid;
  month.month = r.monthCount;
  month.principal = r.monthPrincipal;
  month.balance = r.balance;
  month.totalInterest = r.totalInterest;
  month.paid = r.monthPaid;
  month.payment = payment;
  month.extra = extra;
  month.rateText = walk.rateText;
  month.newTerms = walk.newTerms;
  walk.newTerms = false;
  return true;
}

bool changeTerms(PlanWalk& walk, LoanPlan& plan, PlanChange change) {
  change.month = walk.repayment.monthCount + 1;
  const PlanWalk before = walk;
  if (!applyChange(walk, change)) {
    const PlanWalk failed = walk;
    walk = before;
    walk.due = failed.due;
    walk.message = failed.message;
    return false;
  }
  plan.changes.insert(plan.changes.begin() + static_cast<std::ptrdiff_t>(walk.nextChange),
                      std::move(change));
  ++walk.nextChange;
  return true;
}

PlanFigures walkFigures(const PlanWalk& walk) {
  PlanFigures f;
  f.payments = walk.payments;
  f.months = walk.repayment.monthCount;
  f.repaid = !stillOwing(walk.repayment);
  f.totalPaid = walk.totalPaid;
  f.totalInterest = walk.repayment.totalInterest;
  f.lastPayment = walk.lastPayment;
  f.end = walk.repayment;
  return f;
}

PlanSummary summarizePlan(const LoanPlan& plan) {
  PlanSummary s;
  const PlanWalk walk = walkPlan(plan, false, [](const PlanMonth&) {});
  if (walk.problem != PlanProblem::None) {
    s.problem = walk.problem;
    s.message = walk.message;
    return s;
  }
  s.figures = walkFigures(walk);
  s.compared = hasExtrasOrKeptEnds(plan);
  if (!s.compared) return s;
  const PlanWalk plain = walkPlan(plan, true, [](const PlanMonth&) {});
  if (plain.problem != PlanProblem::None) {
    s.plainProblem = plain.problem;
    s.plainProblemMonth = plain.problemMonth;
    s.plainMessage = plain.message;
    s.plainDue = plain.due;
    return s;
  }
  s.plain = walkFigures(plain);
  s.savedMonths = s.plain.months - s.figures.months;
  s.savedInterest = s.plain.totalInterest - s.figures.totalInterest;
  return s;
}
