#include <algorithm>
#include <string>

#include "app/mainScreen.h"
#include "app/moneyFormat.h"
#include "screen/screen.h"

namespace {

// Shows the amount as formatted over the whole of what was typed, so no typed character is
// left behind when the formatted text is shorter. An amount can show wider than its field, and
// the field is edited only over its width: what it showed before is covered too.
void showAmount(const FieldSpec& field, const std::string& shown, size_t typedLength,
                size_t shownBefore) {
  const size_t covered = std::max({typedLength, shown.size(), shownBefore});
  screen::setForeground(TEXT_COLOUR);
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
      screen::setForeground(TEXT_COLOUR);
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
