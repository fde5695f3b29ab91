#include "app/termPanel.h"

#include <string_view>

#include "app/controlTable.h"
#include "app/mainScreen.h"
#include "money/moneyFormat.h"
#include "money/paymentForTerm.h"

TermPanelState termPanel;

namespace {

// The panel stands right of the fields, below the titles.
constexpr int LEFT_COLUMN = 42;
constexpr int TEXT_COLUMN = 44;
constexpr int TITLE_ROW = 5;
constexpr int BUTTON_ROW = 9;
constexpr std::string_view DIGITS_MASK = "(0-9)";

FormPanel newTermForm() {
  return {.area = cellArea(TITLE_ROW, LEFT_COLUMN, BUTTON_ROW, 79, 0, screen::TEXT_CELL_HEIGHT / 2),
          .title = "Payment for a term",
          .titleRow = TITLE_ROW,
          .textColumn = TEXT_COLUMN,
          .fieldColumn = 53,
          .messageRow = 8,
          .messageWidth = 34,
          .buttonRow = BUTTON_ROW,
          .fields = {{{"Years:", 6, 4, DIGITS_MASK, {}}, {"Months:", 7, 5, DIGITS_MASK, {}}}}};
}

int32_t scheduleMonth() {
  return calc.stepping ? calc.repayment.monthCount : 0;
}

// The months to the end of the last term given, else what the schedule would still take at the
// payment in force; none before a schedule without a term.
int32_t offeredMonths() {
  const int32_t month = scheduleMonth();
  if (termPanel.termEnd > month) return termPanel.termEnd - month;
  if (!calc.stepping) return 0;
  bool repaid = false;
  return monthsToRepay(calc.repayment.balance, termPanel.rateInForce, calc.repayment.roundingCarry,
                       termPanel.paymentInForce, MONTH_LIMIT - month, repaid);
}

int32_t wholeNumber(const std::string& digits) {
  int32_t value = 0;
  for (char c : digits) value = value * 10 + (c - '0');  // at most five digits
  return value;
}

// The payment into its field, as if typed, with the focus on "Continue" to confirm it.
void typePayment(double payment) {
  calc.focus = FOCUS_PAYMENT;
  calc.editText = formatAmount(payment, 2, false);
  commitField();
  if (calc.controlIds[CONTROL_CONTINUE] == 0) createControl(CONTROL_CONTINUE);
  calc.focus = FOCUS_CONTINUE;
  highlightButton(calc.controlIds[CONTROL_CONTINUE]);
}

// Solves for the term typed; false, with a message in the panel, when it cannot.
bool solveTerm(FormPanel& panel) {
  const int32_t months =
      wholeNumber(panel.fields[0].text) * MONTHS_PER_YEAR + wholeNumber(panel.fields[1].text);
  if (calc.loanAmount == 0 || calc.rateText.empty()) {
    showFormMessage(panel, "Enter the loan and the rate first");
    return false;
  }
  if (months < 1 || months > MONTH_LIMIT) {
    showFormMessage(panel, "The term is 1 month to 1000 years");
    return false;
  }
  const double balance = calc.stepping ? calc.repayment.balance : calc.loanAmount;
  const double carry = calc.stepping ? calc.repayment.roundingCarry : 0;
  const double payment = paymentForTerm(balance, calc.repayment.annualRate, carry, months);
  if (payment < 0) {
    showFormMessage(panel, "No payment repays it in that time");
    return false;
  }
  const int32_t end = scheduleMonth() + months;
  closeFormPanel(panel);
  termPanel.termEnd = end;
  typePayment(payment);
  return true;
}

}  // namespace

void runTermPanel() {
  FormPanel& panel = termPanel.form;
  panel = newTermForm();
  const int32_t offered = offeredMonths();
  if (offered > 0) {
    panel.fields[0].text = std::to_string(offered / MONTHS_PER_YEAR);
    panel.fields[1].text = std::to_string(offered % MONTHS_PER_YEAR);
  }
  openFormPanel(panel);
  for (;;) {
    switch (formPanelPass(panel)) {
      case FormAnswer::OK:
        if (solveTerm(panel)) return;
        break;
      case FormAnswer::CLOSE:
        closeFormPanel(panel);
        return;
      default:
        break;
    }
  }
}
