#include <gtest/gtest.h>

#include <string>

#include "app/schedule.h"
#include "support/freshScreen.h"
#include "support/scheduleLine.h"
#include "support/screenReader.h"

namespace {

TEST(ScheduleWideAmounts, AmountsEndInTheirColumnsUntilTheyWouldCollide) {
  struct Case {
    double loan, rate, payment;
    std::string line;
  };
  const Case cases[] = {
      // Ten-figure amounts still end in their columns.
      {9999999999.99, 12, 200000000,
       scheduleLine(1, "100,000,000.00", "100,000,000.00", "9,899,999,999.99", "100,000,000.00")},
      // Interest of a trillion cannot end in column 19: each amount moves right of the one
      // before, and what no longer fits in the row shows as asterisks.
      {1e15, 1.2, 2e12,
       "1 1,000,000,000,000.00 1,000,000,000,000.00 999,000,000,000,000.00 " +
           std::string(13, '*')},
      // A total interest moved right by the remainder before it that just fits up to the last
      // column is shown whole.
      {1e14, 12, 1000000000001,
       "1 1,000,000,000,000.00" + std::string(11, ' ') +
           "1.00 99,999,999,999,999.00 1,000,000,000,000.00"},
  };
  for (const Case& c : cases) {
    startScheduleFor(c.loan, c.rate, c.payment);
    stepDown();
    EXPECT_EQ(screenReader::rowText(16), c.line) << c.loan;
    EXPECT_EQ(screenReader::rowText(17), "") << c.loan;
  }
}

}  // namespace
