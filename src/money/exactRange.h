#pragma once

// The amounts within which every schedule is exact to the cent: each remainder the last one
// less the principal, the totals the sums of the rows, the month count right. Beyond them the
// doubles no longer hold the cents, so such inputs are refused rather than shown wrong.
// Measured against an exact model by scripts/measureExactRange.py (see the README).

#include <string>

#include "money/loanPlan.h"

constexpr double LOAN_LIMIT = 999'999'999.99;
constexpr double PAYMENT_LIMIT = 9'999'999'999'999.99;
constexpr double MONTH_INTEREST_LIMIT = 100'000;

// What lies beyond the range first, in the order the fields are typed.
enum class BeyondRange { Nothing, Loan, Payment, Interest };

// The loan (or balance), one month's interest on it at the annual rate in percent, and the
// payment; an empty payment (0) is within range. A value that is no number is beyond it.
BeyondRange beyondExactRange(double loan, double annualRate, double payment);

// The first of a plan's amounts beyond the range: its loan, a payment or an extra, or a month's
// interest on the loan at one of its rates. The balance never passes the loan, so nothing goes
// beyond the range later.
BeyondRange beyondExactRange(const LoanPlan& plan);

// "Loan must be <= $999,999,999.99", as the payment message says what the payment must be.
std::string beyondRangeMessage(BeyondRange beyond);
