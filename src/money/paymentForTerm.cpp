#include "money/paymentForTerm.h"

#include <cmath>

#include "money/repayment.h"

namespace {

constexpr int64_t MAX_CENTS = int64_t{1} << 53;  // whole cents a double holds exactly
constexpr double CENTS = 100;

double centsToAmount(int64_t cents) {
  // As reading "1580.18" gives it.
  return static_cast<double>(cents) / CENTS;
}

bool repaysWithin(double balance, double annualRate, double roundingCarry, double payment,
                  int32_t months) {
  bool repaid = false;
  monthsToRepay(balance, annualRate, roundingCarry, payment, months, repaid);
  return repaid;
}

int64_t wholeCents(long double amount) {
  const long double cents = std::floor(amount * 100.0L);
  if (!(cents > 0)) return 0;
  return cents >= static_cast<long double>(MAX_CENTS) ? MAX_CENTS : static_cast<int64_t>(cents);
}

// The smallest count of cents from 0 to MAX_CENTS for which `holds` is true, where it is false
// below some count and true from it on; MAX_CENTS + 1 when it never holds. The answer is
// bracketed from a first guess with steps that double, then the gap halved down to one cent.
template <typename Holds>
int64_t firstCentsThatHold(int64_t guess, Holds holds) {
  int64_t low = -1, high = 0;  // `holds` is false at low (or low is -1) and true at high
  if (holds(guess)) {
    high = guess;
    for (int64_t step = 1; high > 0; step *= 2) {
      const int64_t below = high > step ? high - step : 0;
      if (!holds(below)) {
        low = below;
        break;
      }
      high = below;
    }
    if (high == 0) return 0;
  } else {
    low = guess;
    for (int64_t step = 1;; step *= 2) {
      if (low >= MAX_CENTS) return MAX_CENTS + 1;
      high = low + step < MAX_CENTS ? low + step : MAX_CENTS;
      if (holds(high)) break;
      low = high;
    }
  }
  while (high - low > 1) {
    const int64_t middle = low + (high - low) / 2;
    (holds(middle) ? high : low) = middle;
  }
  return high;
}

// 1 - (1 + i)^-months over i: what a payment of 1 a month pays off at the monthly rate i.
long double annuityFactor(long double i, int32_t months) {
  return i == 0 ? months : (1.0L - std::pow(1.0L + i, -static_cast<long double>(months))) / i;
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
  // The annuity payment, rounded down: a first guess that lands within a cent or two.
  const long double owed = static_cast<long double>(balance) + roundingCarry;
  const int64_t guess = wholeCents(owed / annuityFactor(monthlyRate(annualRate), months));
  const int64_t cents = firstCentsThatHold(guess, [&](int64_t c) {
    return repaysWithin(balance, annualRate, roundingCarry, centsToAmount(c), months);
  });
  return cents > MAX_CENTS ? -1 : centsToAmount(cents);
}

double largestLoanForPayment(double payment, double annualRate, int32_t months) {
  if (!std::isfinite(payment) || !std::isfinite(annualRate) || payment < 0 || annualRate < 0 ||
      months < 1 || months > MONTH_LIMIT) {
    return -1;
  }
  // A loan is too large once the payment no longer repays it within the months. A payment
  // below the first month's interest due never repays anything, so the loan found is also one
  // that "Continue" accepts with it.
  const auto tooLarge = [&](int64_t c) {
    return !repaysWithin(centsToAmount(c), annualRate, 0, payment, months);
  };
  // The present value of the payments, rounded down: a first guess within a cent or two.
  const int64_t guess = wholeCents(static_cast<long double>(payment) *
                                   annuityFactor(monthlyRate(annualRate), months));
  const int64_t firstTooLarge = firstCentsThatHold(guess, tooLarge);
  if (firstTooLarge > MAX_CENTS) return centsToAmount(MAX_CENTS);
  return firstTooLarge == 0 ? 0 : centsToAmount(firstTooLarge - 1);
}
