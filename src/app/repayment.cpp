#include "app/repayment.h"

#include <cmath>
#include <string_view>

#include "app/moneyFormat.h"

namespace {

constexpr double REPAID_BELOW = 0.004;
constexpr long double MONTHS_TIMES_PERCENT = 1200.0L;

// numberValue(stripCommas(text)) without building a second string.
double shownValue(std::string_view text) {
  char digits[64];
  size_t length = 0;
  for (char c : text) {
    if (c != ',' && length < sizeof digits) digits[length++] = c;
  }
  return numberValue(std::string_view(digits, length));
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

std::string repayMonth(Repayment& r) {
  ++r.monthCount;
  // Divide, multiply, add with a 64-bit significand, and round to double once: the cent the
  // interest shows depends on it.
  const long double interest =
      static_cast<long double>(r.annualRate) / MONTHS_TIMES_PERCENT * r.balance + r.roundingCarry;
  r.monthInterest = static_cast<double>(interest);
  // The interest is summed and carried as shown, so the shown text decides the cents.
  std::string shownText = formatAmount(r.monthInterest, 2, false);
  const double shown = shownValue(shownText);
  r.roundingCarry = r.monthInterest - shown;
  r.totalInterest += shown;
  r.monthPrincipal = r.payment - shown;
  if (r.monthPrincipal > r.balance) r.monthPrincipal = r.balance;
  r.balance -= r.monthPrincipal;
  return shownText;
}

PaymentCheck checkPayment(Repayment& r, std::string& due) {
  // Multiplied before it is divided, with a 64-bit significand: the cent the payment is
  // measured against depends on it.
  r.monthInterest = static_cast<double>(static_cast<long double>(r.balance) * r.annualRate /
                                        MONTHS_TIMES_PERCENT);
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

std::string totalsLine(const Repayment& r) {
  std::string line = "(" + std::to_string(r.monthCount / MONTHS_PER_YEAR) + " years and " +
                     std::to_string(r.monthCount % MONTHS_PER_YEAR) + " months) ";
  if (stillOwing(r)) line += " and you still haven't paid it off!!!";
  return line;
}
