// The form's inputs: a field's text taken over and shown formatted, and "Continue", which checks
// the payment and starts or resumes the schedule.

#include <algorithm>
#include <string>

#include "app/controlTable.h"
#include "app/mainScreen.h"
#include "app/schedule.h"
#include "controls/buttonRegistry.h"
#include "money/amountText.h"
#include "money/exactRange.h"
#include "money/loanPlan.h"
#include "money/moneyFormat.h"
#include "money/repayment.h"
#include "screen/screen.h"

namespace {

// Shows the amount as formatted over the whole of what was typed, so no typed character is
// left behind when the formatted text is shorter. An amount can show wider than its field, and
// the field is edited only over its width: what it showed before is covered too.
void showAmount(const FieldSpec& field, const std::string& shown, size_t typedLength,
                size_t shownBefore) {
  const size_t covered = std::max({typedLength, shown.size(), shownBefore});
  screen::setForeground(EXPRESSIONS_COLOUR);
  screen::moveCursor(field.row, field.column);
  screen::printText(shown, false);
  screen::printText(std::string(covered - shown.size(), ' '), true);
}

}  // namespace

void commitField() {
  CalculatorState& c = calc;
  c.inputsConfirmed = false;
  const size_t typedLength = c.editText.size();
  switch (c.focus) {
    case FOCUS_LOAN: {
      const size_t shownBefore = c.loanText.size();
      c.loanAmount = amountValue(c.editText);
      c.loanText = formatAmount(c.loanAmount, 2, true);
      showAmount(FIELD_TABLE[FOCUS_LOAN], c.loanText, typedLength, shownBefore);
      break;
    }
    case FOCUS_RATE: {
      // The rate keeps exactly the text that was typed.
      const FieldSpec& field = FIELD_TABLE[FOCUS_RATE];
      c.rateText = c.editText;
      c.annualRate = numberValue(c.rateText);
      screen::setForeground(EXPRESSIONS_COLOUR);
      screen::moveCursor(field.row, field.column);
      screen::printText(c.rateText, true);
      break;
    }
    case FOCUS_PAYMENT: {
      const size_t shownBefore = c.paymentText.size();
      if (c.editText.empty()) {
        c.payment = 0;
        c.paymentText.clear();
      } else {
        c.payment = amountValue(c.editText);
        c.paymentText = formatAmount(c.payment, 2, false);
      }
      showAmount(FIELD_TABLE[FOCUS_PAYMENT], c.paymentText, typedLength, shownBefore);
      break;
    }
    default:
      break;
  }
}

namespace {

// Blanks that wipe any earlier payment message.
constexpr int MESSAGE_ERASE_LENGTH = 63;

// The message beside the payment field; the field it names is edited again.
void showRefusal(const std::string& message, int focus) {
  screen::setForeground(ERROR_MESSAGES_COLOUR);
  screen::moveCursor(MESSAGE_ROW, MESSAGE_COLUMN);
  screen::printText(message, true);
  calc.errorLength = static_cast<int>(message.size());
  calc.errorShown = true;
  calc.focus = focus;
}

int refusedField(BeyondRange beyond) {
  switch (beyond) {
    case BeyondRange::Loan:
      return FOCUS_LOAN;
    case BeyondRange::Interest:
      return FOCUS_RATE;
    default:
      return FOCUS_PAYMENT;
  }
}

// No payment was given: the interest due became the payment, and the field shows it.
void showFilledInPayment(const std::string& due) {
  const FieldSpec& field = FIELD_TABLE[FOCUS_PAYMENT];
  calc.paymentText = due;
  screen::setForeground(EXPRESSIONS_COLOUR);
  screen::moveCursor(field.row, field.column);
  screen::printText(due, true);
}

// The rate or the payment confirmed while stepping becomes a change of the plan from the next
// month. A payment F2 solved for the months to the end the plan keeps is recorded as keeping
// the end date, so that the totals compare it with the plan that kept its payment.
void changePlanNow(int32_t term) {
  CalculatorState& c = calc;
  PlanChange change;
  change.setsRate = c.rateText != c.walk.rateText || c.annualRate != c.walk.repayment.annualRate;
  change.annualRate = c.annualRate;
  change.rateText = c.rateText;
  change.setsPayment = c.payment != c.walk.repayment.payment;
  change.payment = c.payment;
  if (!change.setsRate && !change.setsPayment) return;
  if (term > 0 && keptEndMonth(c.walk) == c.walk.repayment.monthCount + term) {
    // Kept only when the walk's own payment for that end is the one typed.
    PlanChange keep = change;
    keep.setsPayment = false;
    keep.keepEnd = true;
    PlanWalk trial = c.walk;
    LoanPlan plan = c.plan;
    if (changeTerms(trial, plan, keep) && trial.repayment.payment == c.payment) change = keep;
  }
  changeTerms(c.walk, c.plan, change);
}

// A term F2 solved for still holds when its payment is the one confirmed.
int32_t termConfirmed() {
  CalculatorState& c = calc;
  const int32_t term = c.payment == c.solvedPayment ? c.solvedTerm : 0;
  c.solvedTerm = 0;
  return term;
}

}  // namespace

void confirmInputs() {
  CalculatorState& c = calc;
  if (c.loanAmount == 0) {
    c.focus = FOCUS_LOAN;
    return;
  }
  // The payment is measured against a month's interest at the typed rate on the balance: a
  // running schedule goes on from where it stands.
  Repayment check;
  if (c.stepping) check = c.walk.repayment;
  if (!c.stepping) check.balance = c.loanAmount;
  check.annualRate = c.annualRate;
  check.payment = c.payment;
  const BeyondRange beyond = beyondExactRange(check.balance, check.annualRate, check.payment);
  if (beyond != BeyondRange::Nothing) {
    showRefusal(beyondRangeMessage(beyond), refusedField(beyond));
    return;
  }
  std::string due;
  switch (checkPayment(check, due)) {
    case PaymentCheck::Refused:
      showRefusal(paymentMessage(due), FOCUS_PAYMENT);
      return;
    case PaymentCheck::FilledIn:
      showFilledInPayment(due);
      c.payment = check.payment;
      break;
    case PaymentCheck::Covered:
      break;
  }
  screen::setForeground(EXPRESSIONS_COLOUR);
  screen::moveCursor(MESSAGE_ROW, MESSAGE_COLUMN);
  screen::printText(std::string(MESSAGE_ERASE_LENGTH, ' '), true);
  c.focus = FOCUS_CONTINUE;
  removeButton(c.controlIds[CONTROL_CONTINUE]);
  c.inputsConfirmed = true;
  const int32_t term = termConfirmed();
  if (c.stepping) {
    changePlanNow(term);
    if (term > 0) c.offeredEnd = c.walk.repayment.monthCount + term;
    return;
  }
  startSchedule(term);
  c.offeredEnd = term;
}

bool currentPlan(LoanPlan& plan) {
  const CalculatorState& c = calc;
  if (c.history.started) {
    plan = c.plan;
    return true;
  }
  if (c.loanAmount == 0 || c.rateText.empty() || c.paymentText.empty()) return false;
  plan = c.plan;
  plan.loan = c.loanAmount;
  plan.annualRate = c.annualRate;
  plan.rateText = c.rateText;
  plan.payment = c.payment;
  plan.term = 0;
  plan.changes.clear();
  return true;
}
