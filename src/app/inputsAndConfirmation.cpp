// The form's inputs: a field's text taken over and shown formatted, and "Continue", which checks
// the payment and starts or resumes the schedule.

#include <algorithm>
#include <string>

#include "app/controlTable.h"
#include "app/mainScreen.h"
#include "app/schedule.h"
#include "app/termPanel.h"
#include "controls/buttonRegistry.h"
#include "money/amountText.h"
#include "money/exactRange.h"
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
      c.repayment.annualRate = numberValue(c.rateText);
      screen::setForeground(EXPRESSIONS_COLOUR);
      screen::moveCursor(field.row, field.column);
      screen::printText(c.rateText, true);
      break;
    }
    case FOCUS_PAYMENT: {
      const size_t shownBefore = c.paymentText.size();
      if (c.editText.empty()) {
        c.repayment.payment = 0;
        c.paymentText.clear();
      } else {
        c.repayment.payment = amountValue(c.editText);
        c.paymentText = formatAmount(c.repayment.payment, 2, false);
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

}  // namespace

void confirmInputs() {
  CalculatorState& c = calc;
  if (c.loanAmount == 0) {
    c.focus = FOCUS_LOAN;
    return;
  }
  // A running schedule goes on from where it stands.
  if (!c.stepping) c.repayment.balance = c.loanAmount;
  const BeyondRange beyond =
      beyondExactRange(c.repayment.balance, c.repayment.annualRate, c.repayment.payment);
  if (beyond != BeyondRange::Nothing) {
    showRefusal(beyondRangeMessage(beyond), refusedField(beyond));
    return;
  }
  std::string due;
  switch (checkPayment(c.repayment, due)) {
    case PaymentCheck::Refused:
      showRefusal(paymentMessage(due), FOCUS_PAYMENT);
      return;
    case PaymentCheck::FilledIn:
      showFilledInPayment(due);
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
  termPanel.rateInForce = c.repayment.annualRate;
  termPanel.paymentInForce = c.repayment.payment;
  if (!c.stepping) startSchedule();
}
