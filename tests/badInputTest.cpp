#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/program.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/mainScreenScript.h"
#include "support/scratchDirectory.h"
#include "support/screenReader.h"

namespace {

constexpr const char* DEFAULT_OPTIONS = "\"ding.wav\"\r\n2\r\n";
const std::string HUGE = "9999999999999999";

// Runs the script to its end; the run must end through the exit path as always. The options
// panel may have switched the scheme on the way.
void expectNormalEnd(const std::function<void()>& script) {
  ScratchDirectory dir;
  headless::reset();
  script();
  runProgram();
  EXPECT_TRUE(headless::scriptFinished());
  const std::string written = scratch::readFile("quilloOptions.txt");
  EXPECT_TRUE(written == DEFAULT_OPTIONS || written == "\"ding.wav\"\r\n1\r\n") << written;
}

}  // namespace

TEST(BadInput, ExtremeInputsRunToTheEnd) {
  struct Case {
    std::string loan, rate, payment;
  };
  const std::vector<Case> cases = {
      {HUGE, HUGE, HUGE},      {HUGE, "0", ""},        {HUGE, "0", "0"},
      {"1", HUGE, ""},         {"0.001", "0.001", ""}, {"999999999999999", "99", ""},
      {"1000", "0", "0"},      {"1000", "0", "0.001"}, {"1000", "0", HUGE},
      {"1000", "12", "10.00"}, {".", ".", "."},        {"1,,,,,", "1", ","},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.loan + " / " + c.rate + " / " + c.payment);
    expectNormalEnd([&] {
      mainScript::enterInputs(c.loan, c.rate, c.payment);
      headless::key("\r");
      headless::extendedKey(screen::KEY_DOWN);
      headless::extendedKey(screen::KEY_PAGE_DOWN);
      headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
      headless::extendedKey(screen::KEY_DOWN);
      headless::type("\r");
      headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
    });
  }
}

// Its interest due would be 8.3E+28; the loan is refused first, beyond the amounts a schedule
// keeps exact.
TEST(BadInput, AHugeLoanIsRefusedWhereThePaymentMessageStands) {
  ScratchDirectory dir;
  headless::reset();
  mainScript::enterInputs(HUGE, HUGE, "1");
  headless::key("\r");
  headless::snapshot();
  runProgram();
  int row = 0, column = 0;
  EXPECT_TRUE(screenReader::findText("Loan must be <= $999,999,999.99", row, column,
                                     mainScript::snapshot(0)));
  EXPECT_EQ(row, 6);
  EXPECT_EQ(column, 35);
}

// A field showing the largest amount it holds as 1E+16 can be edited into an exponent no number
// holds. Such an amount counts as none: the field shows 0 and confirming goes back to it.
TEST(BadInput, AnAmountTooLargeToHoldCountsAsNone) {
  ScratchDirectory dir;
  headless::reset();
  headless::type(HUGE + "\t6\t" + HUGE + "\t");
  for (int field : {1, 3}) {
    mainScript::clickControl(field);
    headless::extendedKey(screen::KEY_END);
    headless::type("999999999\t");
  }
  headless::type("\r");
  headless::snapshot();
  headless::type("5\t");
  runProgram();
  const uint8_t* shown = mainScript::snapshot(0);
  EXPECT_EQ(screenReader::textAt(4, 19, 16, shown), "0" + std::string(15, ' '));
  EXPECT_EQ(mainScript::fieldText(FOCUS_RATE, shown), "6");
  EXPECT_EQ(mainScript::fieldText(FOCUS_PAYMENT, shown), "0.00");
  EXPECT_EQ(screenReader::rowText(9, shown), "") << "no schedule";
  EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN), "50") << "the focus went back to the loan amount";
}

// A formatted amount wider than its field is edited again, over the field's width only: none
// of what it showed before stays behind the new amount.
TEST(BadInput, AnAmountWiderThanItsFieldLeavesNothingBehindWhenEdited) {
  ScratchDirectory dir;
  headless::reset();
  headless::type("999999999999999\t");
  mainScript::clickControl(1);
  headless::extendedKey(screen::KEY_END);
  headless::key("\x08");
  headless::key("\x08");
  headless::key("\x08");
  headless::key("\x08");
  headless::type("8\t");
  runProgram();
  EXPECT_EQ(screenReader::rowText(4).substr(18), "9,999,999,999,998");
}

// Long runs of events drawn from everything the screen reacts to, and some it ignores.
TEST(BadInput, AnySequenceOfEventsIsSurvived) {
  const std::vector<std::function<void()>> steps = {
      [] { headless::type("1"); },
      [] { headless::type("0"); },
      [] { headless::type("5"); },
      [] { headless::type("."); },
      [] { headless::type(","); },
      [] { headless::type("x"); },
      [] { headless::key("\t"); },
      [] { headless::key("\r"); },
      [] { headless::key("\x08"); },
      [] { headless::key("\x16"); },
      [] { headless::extendedKey(screen::KEY_UP); },
      [] { headless::extendedKey(screen::KEY_DOWN); },
      [] { headless::extendedKey(screen::KEY_DOWN); },
      [] { headless::extendedKey(screen::KEY_PAGE_DOWN); },
      [] { headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN); },
      [] { headless::extendedKey(screen::KEY_DELETE); },
      [] { headless::extendedKey(screen::KEY_INSERT); },
      [] { headless::extendedKey(screen::KEY_HOME); },
      [] { headless::extendedKey(screen::KEY_END); },
      [] { headless::extendedKey(screen::KEY_SHIFT_TAB); },
      [] { headless::mouse(300, 300, 0, 1); },
      [] { headless::mouse(300, 300, 0, -3); },
      [] { headless::mouseOutside(); },
      [] { headless::setClipboard("123,456.78"); },
      [] { headless::setClipboard(std::string(40, '9')); },
      [] { mainScript::clickControl(1); },
      [] { mainScript::clickControl(2); },
      [] { mainScript::clickControl(3); },
      [] { mainScript::clickControl(4); },
      [] { mainScript::clickControl(5); },
      [] { mainScript::clickControl(7); },
      [] { mainScript::clickControl(8); },
      [] { mainScript::clickControl(9); },
      [] { mainScript::clickControl(10); },
      [] { headless::mouse(160, 70, 1); },
      [] { headless::mouse(620, 470, 0); },
  };
  for (uint32_t seed = 1; seed <= 24; ++seed) {
    SCOPED_TRACE(seed);
    uint32_t state = seed * 2654435761u;
    expectNormalEnd([&] {
      headless::type("250000\t6\t");
      for (int i = 0; i < 400; ++i) {
        state = state * 1664525u + 1013904223u;
        steps[(state >> 8) % steps.size()]();
      }
    });
  }
}
