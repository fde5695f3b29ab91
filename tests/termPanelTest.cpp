#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/mainScreen.h"
#include "app/program.h"
#include "controls/eventCodes.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/mainScreenScript.h"
#include "support/screenReader.h"

namespace {

constexpr int F1 = EVENT_F1 - EVENT_KEY_BASE;
constexpr int F2 = EVENT_F2 - EVENT_KEY_BASE;

std::string lastScheduleRow() {
  const std::vector<std::string> rows = mainScript::scheduleRows();
  return rows.empty() ? "" : rows.back();
}

// Payments from an exact rational model of the month rule (scripts/paymentModel.py).
TEST(TermPanel, F2PutsThePaymentForTheTermIntoThePaymentField) {
  struct Case {
    const char* name;
    std::function<void()> keys;
    std::string payment;
    std::string lastRow;
    std::string loan = "";  // checked when not empty
  };
  const std::vector<Case> cases = {
      {"30 years before a schedule",
       [] {
         mainScript::enterInputs("250000", "6.5", "");
         mainScript::termInF2("30\r\r\r");
         headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
       },
       "1,580.18", "(30 years and 0 months)"},
      {"months only, from the rate field being edited",
       [] {
         headless::type("1000\t12");
         mainScript::termInF2("\t11\r\r");
         headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
       },
       "96.46", "(0 years and 11 months)"},
      // The rate goes up in month 61: F2 offers the 300 months left to the term's end.
      {"a rate change that keeps the end date",
       [] {
         mainScript::fiveYearsOfThirty();
         mainScript::typeOverRate("7.25");
         mainScript::termInF2("\r\r\r");
         headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
       },
       "1,691.57", "(30 years and 0 months)"},
      // 3.75 repays in 325 months; F2 in month 61 offers the 420 left of the 40 years.
      {"the rest of the term, not of the schedule",
       [] {
         mainScript::enterInputs("204.71", "21.92", "");
         mainScript::termInF2("40\r\r\r");
         mainScript::pageDowns(5);
         mainScript::termInF2("\r\r\r");
         headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
       },
       "3.73", "(31 years and 8 months)"},
      // Without a term given, F2 offers what the schedule would still take at its payment.
      {"the months the schedule would still take",
       [] {
         mainScript::enterInputs("250000", "6.5", "1580.18");
         headless::key("\r");
         mainScript::pageDowns(5);
         mainScript::typeOverRate("7.25");
         mainScript::termInF2("\r\r\r");
         headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
       },
       "1,691.57", "(30 years and 0 months)"},
      // After two months F2 solves for the two left from the balance and the carried
      // remainder, which takes the cent off: 256.29 without it.
      {"the carried remainder decides the last cent",
       [] {
         mainScript::enterInputs("1000", "12", "");
         mainScript::termInF2("\t4\r\r");
         headless::extendedKey(screen::KEY_DOWN);
         headless::extendedKey(screen::KEY_DOWN);
         mainScript::termInF2("\r\r\r");
         headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
       },
       "256.28", "(0 years and 4 months)"},
      // A click on the first pixel of the months' label puts the focus there.
      {"months chosen by a click",
       [] {
         mainScript::enterInputs("1000", "12", "");
         headless::extendedKey(F2);
         headless::click(screen::columnToX(44), screen::rowToY(7));
         headless::type("11\r\r");
         headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
       },
       "96.46", "(0 years and 11 months)"},
      {"the longest term, 1000 years",
       [] {
         mainScript::enterInputs("1000", "12", "");
         mainScript::termInF2("1000\r\r\r");
         headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
       },
       "10.01", "(57 years and 11 months)"},
      // With the loan empty F2 solves for it: the largest loan 1,500 repays in 360 months
      // (one cent more takes 361).
      {"the loan for a payment",
       [] {
         mainScript::enterInputs("", "6.5", "1500");
         mainScript::termInF2("30\r\r\r");
         headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
       },
       "1,500.00", "(30 years and 0 months)", "237,316.22"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    headless::reset();
    c.keys();
    runProgram();
    EXPECT_EQ(mainScript::fieldText(FOCUS_PAYMENT), c.payment);
    EXPECT_EQ(lastScheduleRow(), c.lastRow);
    if (!c.loan.empty()) {
      EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN), c.loan);
    }
  }
}

// Inputs it cannot solve for leave a message in the panel and change nothing; Esc, Cancel and
// any key or click closing F1 put the screen back exactly as it was.
TEST(TermPanel, MessagesAndClosingLeaveTheScreenAsItWas) {
  struct Case {
    const char* name;
    std::string loan, rate;
    std::function<void()> inPanel;  // the panel is open; after it, a snapshot
    std::string message;            // what the panel shows at its message row; empty: closed
    std::string payment = "";       // typed before F2
  };
  const auto typed = [](std::string keys) { return [keys] { headless::type(keys); }; };
  const std::vector<Case> cases = {
      {"no loan", "", "6.5", typed("30\r\r"), "Enter the loan and the rate first"},
      {"no rate", "1000", "", typed("30\r\r"), "Enter the loan and the rate first"},
      // A payment of 0 pays only the interest due: no loan is ever repaid with it.
      {"no loan for the payment", "", "6.5", typed("30\r\r"), "No loan is repaid in that time",
       "0"},
      {"no months", "1000", "12", typed("0\r0\r"), "The term is 1 month to 1000 years"},
      {"beyond 1000 years", "1000", "12", typed("1000\t1\r"), "The term is 1 month to 1000 years"},
      // Enter in the years moves on to the months; only there does it solve.
      {"Enter in the years", "1000", "12", typed("1000\r1\r"), "The term is 1 month to 1000 years"},
      {"Esc", "1000", "12", typed("30\x1b"), ""},
      {"Cancel", "1000", "12",
       [] {
         headless::type("30");
         headless::click(screen::columnToX(60) + 20, screen::rowToY(9) + 4);
       },
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    headless::reset();
    mainScript::enterInputs(c.loan, c.rate, c.payment);
    headless::snapshot();
    headless::extendedKey(F2);
    c.inPanel();
    headless::snapshot();
    headless::key("\x1b");  // closes a panel still open
    headless::snapshot();
    runProgram();
    const uint8_t* before = mainScript::snapshot(0);
    const uint8_t* after = mainScript::snapshot(c.message.empty() ? 1 : 2);
    EXPECT_EQ(screenReader::textAt(8, 44, 33, mainScript::snapshot(1)),
              c.message.empty() ? screenReader::textAt(8, 44, 33, before)
                                : c.message + std::string(33 - c.message.size(), ' '));
    EXPECT_TRUE(std::equal(before, before + 640 * 480, after)) << "the screen is back";
    EXPECT_EQ(mainScript::fieldText(FOCUS_PAYMENT, after),
              mainScript::fieldText(FOCUS_PAYMENT, before));
  }
}

TEST(HelpPanel, F1ListsTheKeysUntilAnyKeyOrClick) {
  const std::vector<std::function<void()>> closers = {
      [] { headless::type("x"); },
      [] { headless::extendedKey(screen::KEY_DOWN); },
      [] { headless::click(600, 460); },
  };
  for (size_t i = 0; i < closers.size(); ++i) {
    SCOPED_TRACE(i);
    headless::reset();
    mainScript::enterInputs("1000", "12", "100");
    headless::snapshot();
    headless::extendedKey(F1);
    headless::snapshot();
    closers[i]();
    headless::snapshot();
    runProgram();
    const uint8_t* help = mainScript::snapshot(1);
    for (const char* text :
         {"Keys and actions", "F1", "F2", "F4", "F5", "Ctrl+Page Down", "New calculation",
          "confirm it with Continue before stepping on", "Esc, Exit, right click"}) {
      int row = 0, column = 0;
      EXPECT_TRUE(screenReader::findText(text, row, column, help)) << text;
    }
    const uint8_t* before = mainScript::snapshot(0);
    EXPECT_TRUE(std::equal(before, before + 640 * 480, mainScript::snapshot(2)));
    // The panel stands in the middle: as many columns of the screen show left of it as right.
    int left = 640, right = -1;
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) {
        if (help[y * 640 + x] == before[y * 640 + x]) continue;
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
    EXPECT_EQ(left, 639 - right);
  }
}

}  // namespace
