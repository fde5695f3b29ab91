#pragma once

// The month-by-month arithmetic of a repayment, shared by the schedule on the screen and the
// schedule command: interest with the carried rounding remainder, principal capped by the
// balance, the total of the interest as shown, the interest due and the month limit.

#include <cstdint>
#include <string>
#include <string_view>

#include "money/moneyFormat.h"

constexpr int32_t MONTH_LIMIT = 12000;
constexpr int MONTHS_PER_YEAR = 12;

// Twelve months times a hundred percent: an annual rate in percent over it is the monthly rate.
constexpr long double MONTHS_TIMES_PERCENT = 1200.0L;
// The monthly rate, with a 64-bit significand: the cent the interest shows depends on it.
inline long double monthlyRate(double annualRate) {
  return static_cast<long double>(annualRate) / MONTHS_TIMES_PERCENT;
}

struct Repayment {
  double annualRate = 0;  // percent
  double payment = 0;
  double balance = 0;
  // One month's interest on the balance when the payment is checked; after a step the unrounded
  // interest of that month, carried remainder included.
  double monthInterest = 0;
  double monthPrincipal = 0;
  double monthPaid = 0;      // the month's interest as shown plus its principal
  double totalInterest = 0;  // the sum of the interest amounts as shown
  double roundingCarry = 0;  // interest not yet shown, added to the next month's
  int32_t monthCount = 0;
};

// A new schedule from the balance already set: no month stepped, nothing carried.
void startRepayment(Repayment& r);
// Something is left to repay and the month limit is not reached.
bool canRepayMonth(const Repayment& r);
// The balance is more than a rounding residue.
bool stillOwing(const Repayment& r);
// Steps one month and answers its interest as shown ("1,250.00"), held in `shownText`.
std::string_view repayMonth(Repayment& r, char (&shownText)[AMOUNT_TEXT_SIZE]);

// One month's interest on the balance, unrounded, as a payment is measured against it.
double interestDue(double balance, double annualRate);

enum class PaymentCheck { Covered, FilledIn, Refused };
// Measures the payment against one month's interest on the balance (left in monthInterest).
// When it falls short, `due` receives that interest rounded up to the cent, and a payment of 0
// becomes it (FilledIn); any other payment is Refused.
PaymentCheck checkPayment(Repayment& r, std::string& due);
// The text of the message that refuses a payment below `due`.
std::string paymentMessage(const std::string& due);

// "2 years and 5 months".
std::string durationText(int32_t months);
// "(2 years and 5 months) ", followed by the reminder when the loan is still owed.
std::string totalsLine(const Repayment& r);
