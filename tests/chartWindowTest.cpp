#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "app/mainScreen.h"
#include "app/program.h"
#include "controls/eventCodes.h"
#include "controls/roleColours.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/chartReader.h"
#include "support/mainScreenScript.h"
#include "support/screenReader.h"

// F3's chart over the main screen, and the main screen as it comes back.

namespace {

constexpr int F3 = EVENT_F3 - EVENT_KEY_BASE;

std::string trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? "" : text.substr(first);
}

// The words of a row, one blank between them; what is no character is left out.
std::string words(const std::string& row) {
  std::string text;
  for (char c : row) {
    if (c == screenReader::UNKNOWN) c = ' ';
    if (c != ' ' || (!text.empty() && text.back() != ' ')) text += c;
  }
  return text.substr(0, text.find_last_not_of(' ') + 1);
}

// The schedule started for these inputs, then the keys.
void startWith(const std::string& loan, const std::string& rate, const std::string& payment,
               const std::vector<int>& keys = {}) {
  mainScript::enterInputs(loan, rate, payment);
  headless::key("\r");
  for (int key : keys) headless::extendedKey(key);
}

}  // namespace

// Titles from the schedule command's totals lines for the same inputs; the amounts up the side
// at the round step that reaches the highest amount in at most eight steps; whole years along
// the bottom. The balance line ends over the last month at the balance the CSV leaves.
TEST(ChartWindow, TheChartNamesTheLoanItsEndAndItsScales) {
  struct Case {
    const char* name;
    std::function<void()> script;
    std::string title;
    std::vector<double> amounts;  // up the side, from 0
    std::vector<long> years;
    std::string legend;
    int lastMonth = 0;
    double lastBalance = 0;
  };
  const std::vector<Case> cases = {
      {"before the first month",
       [] { startWith("1000", "12", "100"); },
       "Loan 1,000, payment 100.00 at 12%: ends after 0 years and 11 months",
       {0, 200, 400, 600, 800, 1000},
       {0, 1},
       "balance total interest projected",
       11},
      {"a finished schedule",
       [] { startWith("1000", "12", "100", {screen::KEY_CTRL_PAGE_DOWN}); },
       "Loan 1,000, payment 100.00 at 12%: ends after 0 years and 11 months",
       {0, 200, 400, 600, 800, 1000},
       {0, 1},
       "balance total interest",
       11},
      {"a payment that never repays",
       [] { startWith("250000", "6", "1250", {screen::KEY_PAGE_DOWN}); },
       "Loan 250,000, payment 1,250.00 at 6%: not repaid after 1000 years and 0 months",
       {0, 2e6, 4e6, 6e6, 8e6, 10e6, 12e6, 14e6, 16e6},
       {0, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000},
       "balance total interest projected now",
       12000,
       250000},
      {"one month",
       [] { startWith("100", "12", "500"); },
       "Loan 100, payment 500.00 at 12%: ends after 0 years and 1 months",
       {0, 20, 40, 60, 80, 100},
       {0, 1},
       "balance total interest projected",
       1},
      {"two years and a bit",
       [] { startWith("25,000", "4.5", "1,000", {screen::KEY_PAGE_DOWN}); },
       "Loan 25,000, payment 1,000.00 at 4.5%: ends after 2 years and 3 months",
       {0, 5000, 10000, 15000, 20000, 25000},
       {0, 1, 2, 3},
       "balance total interest projected now",
       27},
      // Every second month of the projection is drawn, and the last, an odd one.
      {"longer than 1200 months",
       [] { startWith("250000", "6", "1250.5"); },
       "Loan 250,000, payment 1,250.50 at 6%: ends after 130 years and 9 months",
       {0, 5e5, 10e5, 15e5, 20e5},
       {0, 20, 40, 60, 80, 100, 120, 140},
       "balance total interest projected",
       1569},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    headless::reset();
    c.script();
    headless::extendedKey(F3);
    headless::snapshot();
    runProgram();
    const uint8_t* chart = mainScript::snapshot(0);
    EXPECT_EQ(trimmed(screenReader::rowText(1, chart)), c.title);
    chartReader::Axes axes;
    std::string error;
    ASSERT_TRUE(chartReader::readAxes(chart, axes, error)) << error;
    EXPECT_EQ(axes.amounts, c.amounts);
    EXPECT_EQ(axes.years, c.years);
    EXPECT_EQ(words(screenReader::rowText(29, chart)), c.legend);
    const int end = static_cast<int>(std::lround(axes.monthX(c.lastMonth)));
    const std::vector<int> balance =
        chartReader::highestPixels(chart, axes, BUTTON_COLOUR, end, end + 2);
    EXPECT_TRUE(chartReader::showsNear(chart, BUTTON_COLOUR, end, axes.amountY(c.lastBalance)));
    EXPECT_EQ(balance.at(2), -1);
  }
}

// 1,000 at 12% paying 100, 200 from month 4 on (the schedule command's CSV: repaid with month
// 7), F3 after month 5: the change marked at month 4, the month reached at 5; the balance solid
// up to there and dotted after, down to the axis at month 7.
TEST(ChartWindow, MarksTheChangeAndTheMonthReachedAndDrawsTheProjectionDotted) {
  headless::reset();
  startWith("1000", "12", "100", {screen::KEY_DOWN, screen::KEY_DOWN, screen::KEY_DOWN});
  mainScript::clickControl(FOCUS_PAYMENT);
  for (int k = 0; k < 6; ++k) headless::extendedKey(screen::KEY_DELETE);
  headless::type("200\r\r");
  headless::extendedKey(screen::KEY_DOWN);
  headless::extendedKey(screen::KEY_DOWN);
  headless::extendedKey(F3);
  headless::snapshot();
  runProgram();
  const uint8_t* chart = mainScript::snapshot(0);
  EXPECT_EQ(trimmed(screenReader::rowText(1, chart)),
            "Loan 1,000, payment 200.00 at 12%: ends after 0 years and 7 months");
  chartReader::Axes axes;
  std::string error;
  ASSERT_TRUE(chartReader::readAxes(chart, axes, error)) << error;
  const std::vector<int> change = chartReader::columnsShowing(chart, axes, BUTTON_SELECTED_COLOUR);
  ASSERT_EQ(change.size(), 1u);
  EXPECT_NEAR(change[0], axes.monthX(4), 1.0);
  const std::vector<int> now = chartReader::columnsShowing(chart, axes, TITLES_COLOUR);
  ASSERT_EQ(now.size(), 1u);
  EXPECT_NEAR(now[0], axes.monthX(5), 1.0);

  const int start = static_cast<int>(std::lround(axes.monthX(0)));
  const int reached = static_cast<int>(std::lround(axes.monthX(5)));
  const int end = static_cast<int>(std::lround(axes.monthX(7)));
  ASSERT_TRUE(start < reached && reached < end) << start << " " << reached << " " << end;
  const std::vector<int> balance =
      chartReader::highestPixels(chart, axes, BUTTON_COLOUR, start, end + 2);
  EXPECT_EQ(std::count(balance.begin(), balance.begin() + (reached - start + 1), -1), 0);
  EXPECT_GT(std::count(balance.begin() + (reached - start + 1), balance.end(), -1), 2);
  EXPECT_NEAR(balance.at(static_cast<size_t>(end - start)), axes.axisY, 1.0);
  EXPECT_EQ(balance.at(static_cast<size_t>(end - start + 2)), -1);
  // 1,000 less two principals of 90 and 90.90 at month 2.
  EXPECT_NEAR(balance.at(static_cast<size_t>(std::lround(axes.monthX(2)) - start)),
              axes.amountY(819.10), 1.0);
}

TEST(ChartWindow, AKeyAClickOrTheCloseButtonLeaveItAndTheMainScreenComesBack) {
  struct Case {
    const char* name;
    std::function<void()> inputs;
    std::function<void()> leave;
    std::string shown;  // the chart's title or message
    bool ended = false;
  };
  const auto exitClick = [] {
    headless::click(mainScript::controlX(CONTROL_EXIT), mainScript::controlY(CONTROL_EXIT));
  };
  const std::vector<Case> cases = {
      {"nothing confirmed, a letter", [] { headless::type("25"); }, [] { headless::type("x"); },
       "Enter a loan, a rate and a payment first"},
      {"the payment empty", [] { mainScript::enterInputs("1000", "12", ""); },
       [] { headless::type("x"); }, "Enter a loan, a rate and a payment first"},
      {"the payment short of the interest", [] { mainScript::enterInputs("250000", "6", "1000"); },
       [] { headless::type("x"); }, "Enter a loan, a rate and a payment first"},
      // Three valid fields describe a plan: it is charted before "Continue", and again after
      // "New calculation".
      {"three fields, not confirmed", [] { mainScript::enterInputs("1000", "12", "100"); },
       [] { headless::type("x"); },
       "Loan 1,000, payment 100.00 at 12%: ends after 0 years and 11 months"},
      {"three fields after New calculation",
       [] {
         startWith("1000", "12", "100", {screen::KEY_CTRL_PAGE_DOWN});
         mainScript::clickControl(CONTROL_NEW_CALCULATION);
       },
       [] { headless::type("x"); },
       "Loan 1,000, payment 100.00 at 12%: ends after 0 years and 11 months"},
      {"a schedule, Escape", [] { startWith("1000", "12", "100", {screen::KEY_DOWN}); },
       [] { headless::key("\x1b"); },
       "Loan 1,000, payment 100.00 at 12%: ends after 0 years and 11 months"},
      // The release that leaves the chart never reaches "Exit" beneath it.
      {"a schedule, a click where Exit is", [] { startWith("1000", "12", "100"); }, exitClick,
       "Loan 1,000, payment 100.00 at 12%: ends after 0 years and 11 months"},
      {"a changed rate, the right button",
       [] {
         startWith("1000", "12", "100", {screen::KEY_DOWN});
         mainScript::clickControl(FOCUS_RATE);
         headless::type("3");
       },
       [] { headless::mouse(300, 300, 2), headless::mouse(300, 300, 0); },
       "Confirm the changed inputs first"},
      {"the close button", [] { startWith("1000", "12", "100"); }, [] {},
       "Loan 1,000, payment 100.00 at 12%: ends after 0 years and 11 months", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    headless::reset();
    c.inputs();
    headless::snapshot();
    headless::extendedKey(F3);
    headless::snapshot();
    c.leave();
    if (!c.ended) headless::snapshot();
    // The main screen still answers: Escape ends the program.
    if (!c.ended) headless::key("\x1b");
    runProgram();
    const auto& shots = headless::headlessState.snapshots;
    ASSERT_EQ(shots.size(), c.ended ? 2u : 3u);
    std::string shown = trimmed(screenReader::rowText(1, shots[1].data()));
    if (shown.empty()) shown = trimmed(screenReader::rowText(15, shots[1].data()));
    EXPECT_EQ(shown, c.shown);
    const std::vector<uint8_t> after(screen::surfacePixels(),
                                     screen::surfacePixels() + shots[0].size());
    EXPECT_TRUE((c.ended ? after : shots[2]) == shots[0]) << screenReader::screenText();
    EXPECT_TRUE(headless::headlessState.soundsPlayed.empty());
  }
}
