#include "money/exactRange.h"

#include "money/moneyFormat.h"
#include "money/repayment.h"

namespace {

// Also true for NaN, which compares false with everything.
bool beyond(double value, double largest) {
  return !(value <= largest);
}

}  // namespace

BeyondRange beyondExactRange(double loan, double annualRate, double payment) {
  if (beyond(loan, LOAN_LIMIT)) return BeyondRange::Loan;
  if (beyond(payment, PAYMENT_LIMIT)) return BeyondRange::Payment;
  if (beyond(interestDue(loan, annualRate), MONTH_INTEREST_LIMIT)) return BeyondRange::Interest;
  return BeyondRange::Nothing;
}

BeyondRange beyondExactRange(const LoanPlan& plan) {
  BeyondRange beyond = beyondExactRange(plan.loan, plan.annualRate, plan.payment);
  for (const PlanChange& change : plan.changes) {
    if (beyond == BeyondRange::Nothing) {
      beyond = beyondExactRange(plan.loan, change.setsRate ? change.annualRate : 0,
                                change.setsPayment ? change.payment : 0);
    }
  }
  for (const PlanExtra& extra : plan.extras) {
    if (beyond == BeyondRange::Nothing) beyond = beyondExactRange(plan.loan, 0, extra.amount);
  }
  return beyond;
}

std::string beyondRangeMessage(BeyondRange beyond) {
  switch (beyond) {
    case BeyondRange::Loan:
      return "Loan must be <= $" + formatAmount(LOAN_LIMIT, 2, false);
    case BeyondRange::Payment:
      return "Payment must be <= $" + formatAmount(PAYMENT_LIMIT, 2, false);
    case BeyondRange::Interest:
      return "Interest must be <= $" + formatAmount(MONTH_INTEREST_LIMIT, 2, false) + " a month";
    case BeyondRange::Nothing:
      break;
  }
  return {};
}
