#include <gtest/gtest.h>

#include <cmath>

#include "money/paymentForTerm.h"

namespace {

// Solved payments and the months they take, from an exact rational model of the month rule
// (scripts/paymentModel.py). The last two terms start in the middle of a schedule: the balance
// and the carried remainder reached after the months noted, then a new rate.
struct Term {
  double balance, rate, carry;
  int32_t months;
  double payment;
  int32_t monthsTaken;
};

const Term TERMS[] = {
    {250000, 6.5, 0, 360, 1580.18, 360},  // 1580.17, the nearest cent, takes 361 months
    {204.71, 21.92, 0, 480, 3.75, 325},   // 3.74, the textbook payment rounded up, takes 481
    {1000, 0, 0, 7, 142.86, 7},
    {1000, 0, 0, 3, 333.34, 3},
    {0.05, 0, 0, 1, 0.05, 1},
    {50, 0, 0, 12000, 0.01, 5000},
    {1000, 12, 0, 1, 1010.00, 1},
    {100, 12, 0, 1, 101.00, 1},
    {1000, 12, 0, 11, 96.46, 11},
    {250000, 6.5, 0, 12000, 1354.17, 2391},
    {999999999, 25, 0, 12000, 20833333.32, 1055},
    {1, 99, 0, 12000, 0.09, 32},
    {100000, 5, 0, 180, 790.80, 180},
    {5000, 18, 0, 24, 249.63, 24},
    {1000000, 3.25, 0, 300, 4873.17, 300},
    {12345.67, 9.99, 0, 61, 258.94, 61},
    {3000, 100, 0, 36, 264.85, 36},
    {350000, 4.875, 0, 360, 1852.23, 360},
    {7.77, 0.01, 0, 12, 0.65, 12},
    {80000, 0.125, 0, 600, 137.56, 600},
    // 250000 at 6.5 paying 1580.18 for 60 months, then 7.25 for the 300 months left.
    {0x1.c9155eb851ebap+17, 7.25, 0x1.00aec35000000p-10, 300, 1691.57, 300},
    // 120000 at 11.11 paying 1000 for 23 months, then 3.9 for 97 months.
    {0x1.dfcea8f5c28f6p+16, 3.9, 0x1.aa1245d000000p-14, 97, 1478.41, 97},
    // The carried remainder decides the last cent: without it each would be a cent more.
    // 1000 at 12 paying 256.28 for 2 months, then the 2 left.
    {0x1.f8fae147ae148p+8, 12, -0x1.6f0068db8b800p-9, 2, 256.28, 2},
    // 5000 at 9.5 paying 300 for 2 months, then 2.
    {0x1.17d1c28f5c28fp+12, 9.5, -0x1.47224515fa000p-8, 2, 2265.17, 2},
};

TEST(PaymentForTerm, TheSmallestWholeCentPaymentThatRepaysWithinTheTerm) {
  for (const Term& t : TERMS) {
    SCOPED_TRACE(testing::Message() << t.balance << " at " << t.rate << " over " << t.months);
    const double payment = paymentForTerm(t.balance, t.rate, t.carry, t.months);
    EXPECT_EQ(payment, t.payment);
    bool repaid = false;
    EXPECT_EQ(monthsToRepay(t.balance, t.rate, t.carry, t.payment, t.months, repaid),
              t.monthsTaken);
    EXPECT_TRUE(repaid);
    // A cent less runs out of months.
    EXPECT_EQ(monthsToRepay(t.balance, t.rate, t.carry, t.payment - 0.01, t.months, repaid),
              t.months);
    EXPECT_FALSE(repaid);
  }
}

TEST(PaymentForTerm, NothingToSolveOrNoAnswer) {
  struct Case {
    double balance, rate, carry;
    int32_t months;
    double payment;
  };
  const Case cases[] = {
      {0, 6.5, 0, 360, 0},      // already repaid
      {0.004, 12, 0, 1, 0},     // a residue counts as repaid
      {0.01, 0, -0.005, 1, 0},  // the carried half cent shows as -0.01 and repays the cent
      {1000, 12, 0, 0, -1},     // no months
      {NAN, 12, 0, 12, -1},     // not a number
      {1000, INFINITY, 0, 12, -1}, {1e300, 12, 0, 12, -1},  // beyond whole cents a double holds
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.balance << " at " << c.rate << " over " << c.months);
    EXPECT_EQ(paymentForTerm(c.balance, c.rate, c.carry, c.months), c.payment);
  }
}

}  // namespace
