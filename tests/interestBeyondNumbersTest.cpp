#include <gtest/gtest.h>

#include <string>

#include "app/program.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/mainScreenScript.h"
#include "support/scratchDirectory.h"
#include "support/screenReader.h"

// Inputs whose month's interest no number holds: a huge amount shown as 1E+16 and edited into a
// larger exponent, or a rate text recalled by a macro and lengthened. Such a loan lies far beyond
// the amounts a schedule keeps exact, so the inputs are refused before its interest is looked at;
// an empty payment must not become "INF", which reads back as a payment of 0 and would start a
// schedule that never repays.

namespace {

struct Case {
  const char* name;
  const char* macro;  // 7.mac; empty: none
  void (*script)();
};

void editTheExponent() {
  // 9999999999999999 shows as 1E+16; its exponent becomes 300.
  headless::type("9999999999999999\t");
  headless::extendedKey(screen::KEY_UP);
  headless::extendedKey(screen::KEY_END);
  headless::type("\b\b300\t9999999999999999\t\t\r");
}

void recallIntoTheRate() {
  // The macro stores the loan field's 1E+16 at its "?" and recalls it into the rate field.
  headless::type("7\n");
  headless::key("\r");
}

}  // namespace

TEST(InterestBeyondNumbers, AnInterestNoNumberHoldsIsRefusedNotPaidWithInf) {
  const Case cases[] = {
      {"an edited exponent", "", editTheExponent},
      {"a recalled rate", "9999999999999999;\xffH?;&100;;;", recallIntoTheRate},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDirectory directory;
    headless::reset();
    if (*c.macro) scratch::writeFile("7.mac", c.macro);
    c.script();
    headless::snapshot();  // the loan field is edited again under the message
    runProgram();
    const uint8_t* confirmed = mainScript::snapshot(0);
    EXPECT_EQ(mainScript::fieldText(FOCUS_PAYMENT, confirmed), "") << "the payment field";
    const std::string message = "Loan must be <= $999,999,999.99";
    EXPECT_EQ(screenReader::textAt(6, 35, static_cast<int>(message.size()), confirmed), message);
    int row = 0, column = 0;
    EXPECT_FALSE(screenReader::findText("to step by month", row, column)) << "a schedule started";
  }
}
