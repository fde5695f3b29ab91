#pragma once

// A loan plan as a value: the loan, the rate, the payment or a term, the changes by month and
// the extra payments. One walk steps it month by month with the schedule's month rule and hands
// each month to its caller; the summary of a plan comes from the same walk. The window steps a
// walk one month at a time and may change the rate or the payment between the months; the
// schedule command walks a plan whole.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "money/moneyFormat.h"
#include "money/repayment.h"

// From its month on: a new rate, a new payment, or the payment that repays by the same end
// month as before (the plan's term's, else the one the schedule was heading for).
struct PlanChange {
  int32_t month = 1;
  bool setsRate = false;
  double annualRate = 0;
  std::string rateText;  // as typed, shown in the table
  bool setsPayment = false;
  double payment = 0;
  bool keepEnd = false;
};

// An amount paid on top of the month's payment, at most what is owed.
struct PlanExtra {
  int32_t month = 1;
  double amount = 0;
};

struct LoanPlan {
  double loan = 0;
  double annualRate = 0;  // percent
  std::string rateText;   // as typed; the table and the chart show it
  // The payment; 0 is the interest due, rounded up to the cent. Ignored with a term.
  double payment = 0;
  int32_t term = 0;  // months; not 0: the smallest payment in whole cents that repays in them
  // In the order of their months; changes in the same month apply in turn, extras add up.
  std::vector<PlanChange> changes;
  std::vector<PlanExtra> extras;
};

// Puts changes and extras in the order of their months, keeping the order within a month.
void sortPlan(LoanPlan& plan);
// Extras, or a change that keeps an end date: a plan that is compared with its plain self.
bool hasExtrasOrKeptEnds(const LoanPlan& plan);

enum class PlanProblem {
  None,
  PaymentShort,      // a payment below the interest due; `due` holds it
  NoPaymentForTerm,  // no payment repays the balance by the month to keep
  EndPassed,         // a kept end date that an earlier month has already passed
};

// What the walk hands its caller for each month, valid until the next step.
struct PlanMonth {
  int32_t month = 0;
  std::string_view interest;  // as shown, "1,250.00"
  double principal = 0;
  double balance = 0;  // after the month
  double totalInterest = 0;
  double paid = 0;     // the interest as shown plus the principal: what the month took
  double payment = 0;  // the payment in force, without the month's extras
  double extra = 0;    // the extras of the month, as planned (the month takes at most the balance)
  std::string_view rateText;
  bool newTerms = false;  // the first month at a changed rate or payment
};

// A walk in progress: where the plan stands after the months stepped so far. A value: a copy
// walks on independently (the window projects the rest of a schedule from a copy).
struct PlanWalk {
  const LoanPlan* plan = nullptr;
  bool plain = false;   // the plan without its extras and kept end dates
  Repayment repayment;  // the balance, the rate and payment in force, the carry and the counts
  std::string rateText;
  size_t nextChange = 0, nextExtra = 0;
  int32_t termEnd = 0;  // the month a kept end date keeps to; 0: the one the schedule heads for
  double totalPaid = 0;
  double lastPayment = 0;
  std::vector<std::pair<int32_t, double>> payments;  // each payment with its first month
  bool newTerms = false;  // the next month is the first at a changed rate or payment
  PlanProblem problem = PlanProblem::None;
  int32_t problemMonth = 0;  // the month whose change could not be used
  std::string due;           // with PaymentShort: the interest due
  std::string message;       // what the problem says, as a user reads it
  char shown[AMOUNT_TEXT_SIZE] = {};
};

// Starts a walk of `plan` (which must outlive it): the term's payment solved, the payment
// checked as "Continue" checks it. False, with the problem set, when it cannot start.
bool startWalk(PlanWalk& walk, const LoanPlan& plan, bool plain = false);
// The end month a change that keeps the end date keeps to in the next month: the plan's term's,
// else the one the schedule heads for at the rate and payment in force. Passed when not after
// the months stepped.
int32_t keptEndMonth(const PlanWalk& walk);
// Something is left to repay, the month limit is not reached and nothing went wrong.
bool canWalk(const PlanWalk& walk);
// Applies the changes due in the next month and its extras, steps it and describes it in
// `month`. False, with the problem set and nothing stepped, when a change cannot be used.
bool walkMonth(PlanWalk& walk, PlanMonth& month);
// A change of the rate or the payment between months, as the window confirms one: recorded in
// `plan` (the plan the walk walks) as a change from the next month and applied now. False, with
// the problem set and neither changed, when the payment falls short of the interest due.
bool changeTerms(PlanWalk& walk, LoanPlan& plan, PlanChange change);

// Walks the whole plan, handing each month to `onMonth(const PlanMonth&)`; answers the walk as
// it ended, its problem set if it could not go on.
template <typename OnMonth>
PlanWalk walkPlan(const LoanPlan& plan, bool plain, OnMonth&& onMonth) {
  PlanWalk walk;
  if (!startWalk(walk, plan, plain)) return walk;
  PlanMonth month;
  while (canWalk(walk) && walkMonth(walk, month)) onMonth(static_cast<const PlanMonth&>(month));
  return walk;
}
// Walks on from where `walk` stands to the end, handing each month on.
template <typename OnMonth>
void walkRest(PlanWalk& walk, OnMonth&& onMonth) {
  PlanMonth month;
  while (canWalk(walk) && walkMonth(walk, month)) onMonth(static_cast<const PlanMonth&>(month));
}

// The figures a borrower compares two plans by.
struct PlanFigures {
  std::vector<std::pair<int32_t, double>> payments;  // each payment with its first month
  int32_t months = 0;
  bool repaid = false;
  double totalPaid = 0;
  double totalInterest = 0;
  double lastPayment = 0;
  Repayment end;  // where the walk ended, for the totals line
};

struct PlanSummary {
  PlanProblem problem = PlanProblem::None;  // the plan itself cannot run
  std::string message;
  PlanFigures figures;
  // With extras or kept end dates: the plan without them, and what they saved.
  bool compared = false;
  PlanProblem plainProblem = PlanProblem::None;  // the plan without them cannot run
  int32_t plainProblemMonth = 0;                 // the month whose change it could not use
  std::string plainMessage;
  std::string plainDue;  // with PaymentShort
  PlanFigures plain;
  int32_t savedMonths = 0;
  double savedInterest = 0;
};

PlanFigures walkFigures(const PlanWalk& walk);
// The plan walked to its end, and without its extras and kept end dates when it has them.
PlanSummary summarizePlan(const LoanPlan& plan);
