#include <cmath>
#include <string>

#include "app/controlTable.h"
#include "app/mainScreen.h"
#include "app/moneyFormat.h"
#include "app/schedule.h"
#include "controls/buttonRegistry.h"
#include "screen/screen.h"

namespace {

constexpr long double MONTHS_TIMES_PERCENT = 1200.0L;
// Blanks that wipe any earlier payment message.
constexpr int MESSAGE_ERASE_LENGTH = 63;

// One month's interest on the balance, multiplied before it is divided, with a 64-bit
// significand: the cent the payment is measured against depends on it.
double interestDue() {
  return static_cast<double>(static_cast<long double>(calc.balance) * calc.annualRate /
                             MONTHS_TIMES_PERCENT);
}

// The interest due rounded up to a whole cent, as shown.
std::string interestDueText() {
  std::string shown = formatAmount(calc.monthInterest, 2, false);
  if (numberValue(stripCommas(shown)) < calc.monthInterest) {
    shown = formatAmount(static_cast<double>(calc.monthInterest + 0.01L), 2, false);
  }
  return shown;
}

void showPaymentMessage(const std::string& due) {
  const std::string message = "Payment must be >= interest due ($" + due + ")";
  screen::setForeground(ERROR_COLOUR);
  screen::moveCursor(MESSAGE_ROW, MESSAGE_COLUMN);
  screen::printText(message, true);
  calc.errorLength = static_cast<int>(message.size());
  calc.errorShown = true;
  calc.focus = FOCUS_PAYMENT;
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
  c.monthInterest = interestDue();
  if (!(c.payment >= c.monthInterest)) {
    const std::string due = interestDueText();
    // An interest beyond what a number holds shows as INF, which would read back as a payment
    // of 0: no payment can cover it.
    if (c.payment != 0 || !std::isfinite(c.monthInterest)) {
      showPaymentMessage(due);
      return;
    }
    // No payment given: the interest due becomes the payment.
    const FieldSpec& field = FIELD_TABLE[FOCUS_PAYMENT];
    c.paymentText = due;
    screen::setForeground(TEXT_COLOUR);
    screen::moveCursor(field.row, field.column);
    screen::printText(due, true);
    c.payment = numberValue(stripCommas(due));
  }
  screen::setForeground(TEXT_COLOUR);
  screen::moveCursor(MESSAGE_ROW, MESSAGE_COLUMN);
  screen::printText(std::string(MESSAGE_ERASE_LENGTH, ' '), true);
  c.focus = FOCUS_CONTINUE;
  removeButton(c.controlIds[CONTROL_CONTINUE]);
  c.inputsConfirmed = true;
  if (!c.stepping) startSchedule();
}
