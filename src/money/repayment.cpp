#include "money/repayment.h"

#include <cmath>
#include <string_view>

#include "money/amountText.h"
#include "money/moneyFormat.h"

namespace {

constexpr double REPAID_BELOW = 0.004;

// What the interest as shown reads as: its whole cents over 100 give the double nearest to its
// decimal value, as reading the decimal does; month after month this is the schedule's most
// frequent step. A text with more digits or an exponent is read.
double shownValue(const ShownCents& shown, std::string_view text) {
  if (shown.exact) return static_cast<double>(shown.cents) / 100.0;
  char number[AMOUNT_TEXT_SIZE];
  size_t length = 0;
  for (char c : text) {
    if (c != ',' && length < sizeof number) number[length++] = c;
  }
  return numberValue(std::string_view(number, length));
}

}  // namespace

void startRepayment(Repayment& r) {
  r.monthCount = 0;
  r.totalInterest = 0;
  r.roundingCarry = 0;
}

bool canRepayMonth(const Repayment& r) {
  return stillOwing(r) && r.monthCount < MONTH_LIMIT;
}

bool stillOwing(const Repayment& r) {
  return r.balance > REPAID_BELOW;
}

std::string_view repayMonth(Repayment& r, char (&shownText)[AMOUNT_TEXT_SIZE]) {
  ++r.monthCount;
  // Divide, multiply, add with a 64-bit significand, and round to double once: the cent the
  // interest shows depends on it.
  const long double interest = monthlyRate(r.annualRate) * r.balance + r.roundingCarry;
  r.monthInterest = static_cast<double>(interest);
  // The interest is summed and carried as shown, so the shown text decides the cents.
  const ShownCents cents = formatCentsInto(r.monthInterest, shownText);
  const std::string_view shownInterest(shownText, static_cast<size_t>(cents.length));
  const double shown = shownValue(cents, shownInterest);
  r.roundingCarry = r.monthInterest - shown;
  r.totalInterest += shown;
  r.monthPrincipal = r.payment - shown;
  if (r.monthPrincipal > r.balance) r.monthPrincipal = r.balance;
  r.balance -= r.monthPrincipal;
  r.monthPaid = shown + r.monthPrincipal;
  return shownInterest;
}

double interestDue(double balance, double annualRate) {
  // Multiplied before it is divided, with a 64-bit significand: the cent the payment is
  // measured against depends on it.
  return static_cast<double>(static_cast<long double>(balance) * annualRate / MONTHS_TIMES_PERCENT);
}

PaymentCheck checkPayment(Repayment& r, std::string& due) {
  r.monthInterest = interestDue(r.balance, r.annualRate);
  if (r.payment >= r.monthInterest) return PaymentCheck::Covered;
  due = formatAmount(r.monthInterest, 2, false);
  if (numberValue(stripCommas(due)) < r.monthInterest) {
    due = formatAmount(static_cast<double>(r.monthInterest + 0.01L), 2, false);
  }
  // An interest beyond what a number holds shows as INF, which would read back as a payment of
  // 0: no payment can cover it.
  if (r.payment != 0 || !std::isfinite(r.monthInterest)) return PaymentCheck::Refused;
  r.payment = numberValue(stripCommas(due));
  return PaymentCheck::FilledIn;
}

std::string paymentMessage(const std::string& due) {
  return "Payment must be >= interest due ($" + due + ")";
}

std::string durationText(int32_t months) {
  return std::to_string(months / MONTHS_PER_YEAR) + " years and " +
         std::to_string(months % MONTHS_PER_YEAR) + " months";
}

std::string totalsLine(const Repayment& r) {
  std::string line = "(";
  line += durationText(r.monthCount);
  line += ") ";
  if (stillOwing(r)) line += " and you still haven't paid it off!!!";
  return line;
}
