#include <string>

#include "app/controlTable.h"
#include "app/mainScreen.h"
#include "app/repayment.h"
#include "app/schedule.h"
#include "controls/buttonRegistry.h"
#include "screen/screen.h"

namespace {

// Blanks that wipe any earlier payment message.
constexpr int MESSAGE_ERASE_LENGTH = 63;

void showPaymentMessage(const std::string& due) {
  const std::string message = paymentMessage(due);
  screen::setForeground(ERROR_COLOUR);
  screen::moveCursor(MESSAGE_ROW, MESSAGE_COLUMN);
  screen::printText(message, true);
  calc.errorLength = static_cast<int>(message.size());
  calc.errorShown = true;
  calc.focus = FOCUS_PAYMENT;
}

// No payment was given: the interest due became the payment, and the field shows it.
void showFilledInPayment(const std::string& due) {
  const FieldSpec& field = FIELD_TABLE[FOCUS_PAYMENT];
  calc.paymentText = due;
  screen::setForeground(TEXT_COLOUR);
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
  if (!c.stepping) c.balance = c.loanAmount;
  std::string due;
  switch (checkPayment(c, due)) {
    case PaymentCheck::Refused:
      showPaymentMessage(due);
      return;
    case PaymentCheck::FilledIn:
      showFilledInPayment(due);
      break;
    case PaymentCheck::Covered:
      break;
  }
  screen::setForeground(TEXT_COLOUR);
  screen::moveCursor(MESSAGE_ROW, MESSAGE_COLUMN);
  screen::printText(std::string(MESSAGE_ERASE_LENGTH, ' '), true);
  c.focus = FOCUS_CONTINUE;
  removeButton(c.controlIds[CONTROL_CONTINUE]);
  c.inputsConfirmed = true;
  if (!c.stepping) startSchedule();
}
