#pragma once

// The payment that repays a balance within a given number of months, the largest loan a
// payment repays within them, and the stepping that measures both: the same month rule as the
// schedule, so the answers hold to the cent.

#include <cstdint>

// The number of months the balance takes to repay at this payment, stepped as the schedule
// steps it from the carried remainder, counting at most `limit`; `repaid` tells whether it was
// repaid within them.
int32_t monthsToRepay(double balance, double annualRate, double roundingCarry, double payment,
                      int32_t limit, bool& repaid);

// The smallest payment in whole cents that repays the balance within `months` months (1 to the
// month limit); 0 for a balance already repaid, -1 when no payment of at most 2^53 cents does it
// or the inputs are not numbers.
double paymentForTerm(double balance, double annualRate, double roundingCarry, int32_t months);

// The largest loan in whole cents that the payment repays within `months` months (1 to the
// month limit) from a fresh start, which "Continue" also accepts with that payment: one cent
// more falls short of the interest due or needs more months. 0 when not even a cent is repaid;
// -1 for a negative payment or rate, a month count out of range, or inputs that are not
// numbers.
double largestLoanForPayment(double payment, double annualRate, int32_t months);
