#include "money/paymentForTerm.h"

#include <cmath>

#include "money/repayment.h"

namespace {

constexpr int64_t MAX_CENTS = int64_t{1} << 53;  // whole cents a double holds exactly
constexpr double CENTS = 100;

double centsToPayment(int64_t cents) {
  // As reading "1580.18" gives it.
  return static_cast<double>(cents) / CENTS;
}

bool repaysWithin(double balance, double annualRate, double roundingCarry, int64_t cents,
                  int32_t months) {
  bool repaid = false;
  monthsToRepay(balance, annualRate, roundingCarry, centsToPayment(cents), months, repaid);
  return repaid;
}

// The annuity payment in cents, rounded down; a first guess that lands within a cent or two.
int64_t closedFormCents(double balance, double annualRate, double roundingCarry, int32_t months) {
  const long double owed = static_cast<long double>(balance) + roundingCarry;
  const long double i = static_cast<long double>(annualRate) / 1200.0L;
  const long double payment =
      i == 0 ? owed / months
             : owed * i / (1.0L - std::pow(1.0L + i, -static_cast<long double>(months)));
  const long double cents = std::floor(payment * 100.0L);
  if (!(cents > 0)) return 0;
  return cents >= static_cast<long double>(MAX_CENTS) ? MAX_CENTS : static_cast<int64_t>(cents);
}

}  // namespace

int32_t monthsToRepay(double balance, double annualRate, double roundingCarry, double payment,
                      int32_t limit, bool& repaid) {
  Repayment r;
  r.balance = balance;
  r.annualRate = annualRate;
  r.payment = payment;
  startRepayment(r);
  r.roundingCarry = roundingCarry;
  char shown[AMOUNT_TEXT_SIZE];
  while (stillOwing(r) && r.monthCount < limit) repayMonth(r, shown);
  repaid = !stillOwing(r);
  return r.monthCount;
}

double paymentForTerm(double balance, double annualRate, double roundingCarry, int32_t months) {
  if (!std::isfinite(balance) || !std::isfinite(annualRate) || !std::isfinite(roundingCarry) ||
      months < 1) {
    return -1;
  }
  if (repaysWithin(balance, annualRate, roundingCarry, 0, 0)) return 0;  // nothing owed
  // Bracket the answer between a payment that falls short (`low`) and one that repays
  // (`high`), widening the step from the first guess, then halve the gap down to one cent.
  const int64_t guess = closedFormCents(balance, annualRate, roundingCarry, months);
  int64_t low = 0, high = 0;
  if (repaysWithin(balance, annualRate, roundingCarry, guess, months)) {
    high = guess;
    for (int64_t step = 1; high > 0; step *= 2) {
      low = high > step ? high - step : 0;
      if (!repaysWithin(balance, annualRate, roundingCarry, low, months)) break;
      high = low;
    }
    // A carried remainder can repay a last fraction of a cent with no payment at all.
    if (high == 0) return 0;
  } else {
    low = guess;
    for (int64_t step = 1;; step *= 2) {
      if (low >= MAX_CENTS) return -1;
      high = low + step < MAX_CENTS ? low + step : MAX_CENTS;
      if (repaysWithin(balance, annualRate, roundingCarry, high, months)) break;
      low = high;
    }
  }
  while (high - low > 1) {
    const int64_t middle = low + (high - low) / 2;
    (repaysWithin(balance, annualRate, roundingCarry, middle, months) ? high : low) = middle;
  }
  return centsToPayment(high);
}
