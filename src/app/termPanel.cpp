#include "app/termPanel.h"

#include <string_view>

#include "app/controlTable.h"
#include "app/mainScreen.h"
#include "money/moneyFormat.h"
#include "money/paymentForTerm.h"

TermPanelState termPanel;

namespace {

// Before a schedule, with the loan empty and a payment typed, F2 asks for the loan instead.
bool solvesForLoan() {
  return !calc.stepping && calc.loanAmount == 0 && !calc.paymentText.empty();
}

FormPanel newTermForm() {
  return sidePanel(solvesForLoan() ? "Loan for a term" : "Payment for a term",
                   {{{"Years:", 0, 4, DIGITS_MASK, {}}, {"Months:", 0, 5, DIGITS_MASK, {}}}},
                   SIDE_PANEL_BUTTON_ROW);
}

int32_t scheduleMonth() {
  return calc.stepping ? calc.walk.repayment.monthCount : 0;
}

// The months to the end of the last term given, else what the schedule would still take at the
// rate and payment in force; none before a schedule without a term.
int32_t offeredMonths() {
  const CalculatorState& c = calc;
  if (c.solvedTerm > 0) return c.solvedTerm;
  const int32_t month = scheduleMonth();
  if (c.offeredEnd > month) return c.offeredEnd - month;
  if (!c.stepping) return 0;
  const Repayment& r = c.walk.repayment;
  bool repaid = false;
  return monthsToRepay(r.balance, r.annualRate, r.roundingCarry, r.payment, MONTH_LIMIT - month,
                       repaid);
}

// An amount into its field, as if typed, with the focus on "Continue" to confirm it.
void typeAmount(Focus field, double amount) {
  calc.focus = field;
  calc.editText = formatAmount(amount, 2, false);
  commitField();
  if (calc.controlIds[CONTROL_CONTINUE] == 0) createControl(CONTROL_CONTINUE);
  calc.focus = FOCUS_CONTINUE;
  highlightButton(calc.controlIds[CONTROL_CONTINUE]);
}

// The amount the term asks for: the loan the typed payment repays, or the payment that repays
// the loan or the balance reached; negative, with a message in the panel, when there is none.
double solvedAmount(FormPanel& panel, int32_t months) {
  const CalculatorState& c = calc;
  if (solvesForLoan()) {
    const double loan = largestLoanForPayment(c.payment, c.annualRate, months);
    if (loan > 0) return loan;
    showFormMessage(panel, "No loan is repaid in that time");
    return -1;
  }
  const double balance = c.stepping ? c.walk.repayment.balance : c.loanAmount;
  const double carry = c.stepping ? c.walk.repayment.roundingCarry : 0;
  const double payment = paymentForTerm(balance, c.annualRate, carry, months);
  if (payment < 0) showFormMessage(panel, "No payment repays it in that time");
  return payment;
}

// Solves for the term typed; false, with a message in the panel, when it cannot.
bool solveTerm(FormPanel& panel) {
  const int32_t months =
      fieldNumber(panel.fields[0]) * MONTHS_PER_YEAR + fieldNumber(panel.fields[1]);
  if ((calc.loanAmount == 0 && !solvesForLoan()) || calc.rateText.empty()) {
    showFormMessage(panel, "Enter the loan and the rate first");
    return false;
  }
  if (months < 1 || months > MONTH_LIMIT) {
    showFormMessage(panel, "The term is 1 month to 1000 years");
    return false;
  }
  const bool forLoan = solvesForLoan();
  const double amount = solvedAmount(panel, months);
  if (amount < 0) return false;
  closeFormPanel(panel);
  typeAmount(forLoan ? FOCUS_LOAN : FOCUS_PAYMENT, amount);
  calc.solvedTerm = months;
  calc.solvedPayment = calc.payment;
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
