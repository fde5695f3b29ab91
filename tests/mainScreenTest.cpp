#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/program.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/mainScreenScript.h"
#include "support/screenReader.h"
#include "support/smallTextReader.h"

namespace {

using mainScript::controlInk;
using mainScript::fieldText;

void run(const std::function<void()>& script) {
  headless::reset();
  script();
  runProgram();
}

void wheel(int steps) {
  headless::mouse(400, 400, 0, steps);
}

}  // namespace

TEST(MainScreen, StartUpShowsTheFormWithEmptyFields) {
  run([] {});
  EXPECT_EQ(screenReader::textAt(1, 34, 12), " QUILLO 2.1 ");
  EXPECT_EQ(screenReader::rowText(4), "     Loan Amount:");
  EXPECT_EQ(screenReader::rowText(5), "  Rate (percent):");
  EXPECT_EQ(screenReader::rowText(6), " Monthly Payment:");
  for (int row = 4; row <= 6; ++row) EXPECT_EQ(screenReader::readCell(row, 17).ink, 2) << row;
  EXPECT_EQ(screenReader::textAt(2, 4, 7), "Options");
  EXPECT_EQ(controlInk(10), 8);
  EXPECT_EQ(smallTextReader::smallTextAt(24, 106, 8, 2), "Continue");
  EXPECT_EQ(smallTextReader::smallTextAt(24, 456, 15, 2), "New calculation");
  EXPECT_EQ(smallTextReader::smallTextAt(584, 456, 4, 2), "Exit");
  for (int row = 9; row <= 28; ++row) EXPECT_EQ(screenReader::rowText(row), "") << row;
}

// Where a typed 7 lands tells where the focus went.
TEST(MainScreen, KeysAndTheWheelMoveBetweenTheFieldsAndContinue) {
  struct Case {
    const char* name;
    std::function<void()> keys;
    int field;  // 0: no field takes the 7
    bool continueHighlighted;
  };
  const std::vector<Case> cases = {
      {"nothing", [] {}, 1, false},
      {"Up on the loan field", [] { headless::extendedKey(screen::KEY_UP); }, 1, false},
      {"wheel up on the loan field", [] { wheel(1); }, 1, false},
      {"Tab", [] { headless::key("\t"); }, 2, false},
      {"Enter", [] { headless::key("\r"); }, 2, false},
      {"Down", [] { headless::extendedKey(screen::KEY_DOWN); }, 2, false},
      {"wheel down", [] { wheel(-1); }, 2, false},
      {"Tab Up", [] { headless::key("\t"), headless::extendedKey(screen::KEY_UP); }, 1, false},
      {"Tab Tab Up", [] { headless::type("\t\t"), headless::extendedKey(screen::KEY_UP); }, 2,
       false},
      {"Tab Tab wheel up", [] { headless::type("\t\t"), wheel(1); }, 2, false},
      {"Down on the payment field",
       [] {
         headless::type("\t\t");
         headless::extendedKey(screen::KEY_DOWN);
       },
       3, false},
      {"Page Down before a schedule",
       [] {
         headless::type("\t\t");
         headless::extendedKey(screen::KEY_PAGE_DOWN);
         headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
       },
       3, false},
      {"Tab on the payment field", [] { headless::type("\t\t\t"); }, 0, true},
      {"Enter on the payment field", [] { headless::type("\t\r\r"); }, 0, true},
      {"Up on Continue",
       [] {
         headless::type("\t\t\t");
         headless::extendedKey(screen::KEY_UP);
       },
       0, true},
      {"Down on Continue",
       [] {
         headless::type("\t\t\t");
         headless::extendedKey(screen::KEY_DOWN);
       },
       0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    run([&] {
      c.keys();
      headless::type("7");
    });
    for (Focus field : {FOCUS_LOAN, FOCUS_RATE, FOCUS_PAYMENT}) {
      EXPECT_EQ(fieldText(field), field == c.field ? (field == FOCUS_PAYMENT ? "7.00" : "7") : "")
          << field;
    }
    EXPECT_EQ(controlInk(4), c.continueHighlighted ? 13 : 2);
    EXPECT_EQ(screenReader::rowText(9), "") << "no schedule starts";
  }
}

// What a field shows once its edit ends: amounts formatted over all that was typed, the rate
// exactly as typed.
TEST(MainScreen, EachFieldShowsItsTextOnceTheEditEnds) {
  struct Case {
    int field;
    std::string typed;
    std::string shown;  // the whole row from column 19
  };
  const std::vector<Case> cases = {
      {1, "250000.0000", "250,000"},
      {1, "1,2,3,4", "1,234"},
      {1, "1234.5", "1,234.5"},
      {1, "0.125", "0.13"},
      {1, ".", "0"},
      {1, "9999999999999999", "1E+16"},
      {1, "999999999999999", "999,999,999,999,999"},
      {2, "6.50", "6.50"},
      {2, "..5", "..5"},
      {2, "9999999999999999", "9999999999999999"},
      {3, "1000", "1,000.00"},
      {3, "1234.567", "1,234.57"},
      // More than two decimals are whole cents, half up on the digits as typed.
      {3, "100.015", "100.02"},
      {1, "100.005", "100.01"},
      {1, "1,000.005", "1,000.01"},
      {1, "99.995", "100"},
      {3, ".999", "1.00"},
      {3, "100.0149", "100.01"},
      {3, "0", "0.00"},
      {3, ",", "0.00"},
      {3, "9999999999999999", "1E+16"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    run([&] {
      for (int i = 1; i < c.field; ++i) headless::key("\t");
      headless::type(c.typed);
      headless::key("\t");
    });
    const int row = 3 + c.field;
    EXPECT_EQ(screenReader::rowText(row).substr(18), c.shown);
    EXPECT_EQ(screenReader::readCell(row, 19).ink, 15);
  }
}

TEST(MainScreen, AShortenedLoanTextLeavesNoTypedCharacterBehind) {
  run([] {
    headless::type("250000.0000");
    headless::key("\t");
  });
  EXPECT_EQ(screenReader::textAt(4, 19, 16), "250,000" + std::string(9, ' '));
  // Editing it again and ending unchanged leaves the formatted text as it is.
  run([] {
    headless::type("2500");
    headless::key("\t");
    headless::extendedKey(screen::KEY_UP);
    headless::key("\t");
  });
  EXPECT_EQ(fieldText(FOCUS_LOAN), "2,500");
}

TEST(MainScreen, AnEmptiedPaymentStaysEmpty) {
  run([] {
    headless::type("\t\t12");
    headless::key("\t");
    mainScript::clickControl(3);
    headless::extendedKey(screen::KEY_DELETE);
    headless::extendedKey(screen::KEY_DELETE);
    headless::extendedKey(screen::KEY_DELETE);
    headless::extendedKey(screen::KEY_DELETE);
    headless::extendedKey(screen::KEY_DELETE);
    headless::key("\t");
  });
  EXPECT_EQ(screenReader::rowText(6), " Monthly Payment:");
}
