#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/chartWindow.h"
#include "app/mainScreen.h"
#include "app/program.h"
#include "controls/eventCodes.h"
#include "controls/roleColours.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/chartReader.h"
#include "support/freshScreen.h"
#include "support/mainScreenScript.h"
#include "support/scratchDirectory.h"
#include "support/screenReader.h"

// F3's chart over the main screen, and the main screen as it comes back.

namespace {

constexpr int F3 = EVENT_F3 - EVENT_KEY_BASE;
// A spare colour: magenta in both schemes.
constexpr int CHANGE_MARK_COLOUR = 5;

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

// The window draws the chart's layout (chartLayoutTest.cpp has its values): the
// title, the amounts up the side, the years along the bottom and the legend read off the
// pixels; the balance line ends over the last month at the balance the CSV leaves.
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
       {0, 250, 500, 750, 1000},
       {0, 1},
       "balance total interest projected",
       11},
      {"a finished schedule",
       [] { startWith("1000", "12", "100", {screen::KEY_CTRL_PAGE_DOWN}); },
       "Loan 1,000, payment 100.00 at 12%: ends after 0 years and 11 months",
       {0, 250, 500, 750, 1000},
       {0, 1},
       "balance total interest",
       11},
      {"a payment that never repays",
       [] { startWith("250000", "6", "1250", {screen::KEY_PAGE_DOWN}); },
       "Loan 250,000, payment 1,250.00 at 6%: not repaid after 1000 years and 0 months",
       {0, 2.5e6, 5e6, 7.5e6, 10e6, 12.5e6, 15e6},
       {0, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000},
       "balance total interest projected now",
       12000,
       250000},
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
namespace {
// The change in month 4 and the month reached, 5, marked in colours of their own.
void expectChangeAndNowMarked(int scheme);
}  // namespace

TEST(ChartWindow, MarksTheChangeAndTheMonthReachedAndDrawsTheProjectionDotted) {
  for (int scheme : {1, 2}) {
    SCOPED_TRACE(scheme);
    ScratchDirectory directory;
    scratch::writeFile("quilloOptions.txt", "\"\"\n" + std::to_string(scheme) + "\n");
    expectChangeAndNowMarked(scheme);
  }
}

// A change in each of six neighbouring months, where a month is less than two pixels wide: the
// marks never stand in neighbouring columns, which would read as one thick line.
TEST(ChartWindow, ChangesInNeighbouringMonthsAreNotOneThickMark) {
  headless::reset();
  startWith("250000", "6.5", "1580.18", {screen::KEY_DOWN, screen::KEY_DOWN, screen::KEY_DOWN});
  for (const char* payment :
       {"1600\r\r", "1620\r\r", "1640\r\r", "1660\r\r", "1680\r\r", "1700\r\r"}) {
    mainScript::clickControl(FOCUS_PAYMENT);
    for (int k = 0; k < 8; ++k) headless::extendedKey(screen::KEY_DELETE);
    headless::type(payment);
    headless::extendedKey(screen::KEY_DOWN);
  }
  headless::extendedKey(F3);
  headless::snapshot();
  runProgram();
  const uint8_t* chart = mainScript::snapshot(0);
  chartReader::Axes axes;
  std::string error;
  ASSERT_TRUE(chartReader::readAxes(chart, axes, error)) << error;
  ASSERT_LT(axes.monthX(5) - axes.monthX(4), 2.0) << "months this narrow";
  const std::vector<int> marks = chartReader::columnsShowing(chart, axes, CHANGE_MARK_COLOUR);
  ASSERT_FALSE(marks.empty());
  EXPECT_NEAR(marks.front(), axes.monthX(4), 1.0);
  for (size_t i = 1; i < marks.size(); ++i) EXPECT_GE(marks[i] - marks[i - 1], 2);
}

namespace {

void expectChangeAndNowMarked(int scheme) {
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
  const std::vector<int> change = chartReader::columnsShowing(chart, axes, CHANGE_MARK_COLOUR);
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
  // The two marks in colours far apart, in both schemes (a level differs by half its range).
  const int32_t nowLevels = screen::getPaletteEntry(TITLES_COLOUR);
  const int32_t changeLevels = screen::getPaletteEntry(CHANGE_MARK_COLOUR);
  int widest = 0;
  for (int shift : {0, 8, 16}) {
    widest = std::max(widest, std::abs((nowLevels >> shift & 255) - (changeLevels >> shift & 255)));
  }
  EXPECT_GE(widest, 32) << "scheme " << scheme;
}

}  // namespace

// Loans from 1 to the largest the window takes, over one month to 1000 years, in both schemes:
// the balance or the interest reaches at least three quarters of the way up from the axis to the
// row below the title, every year label and "years" stand whole, the title names the end in
// full, and the first and last columns stay empty.
TEST(ChartWindow, ThePlotFillsItsAreaAndNoLabelIsCut) {
  struct Loan {
    std::string typed, shown;
    const char* rate;  // at which the interest due is never repaid
  };
  const Loan loans[] = {{"1", "1", "12"},
                        {"1000", "1,000", "6"},
                        {"400000", "400,000", "6"},
                        {"123456789", "123,456,789", "0.12"},
                        {"999999999.99", "999,999,999.99", "0.12"}};
  for (int scheme : {1, 2}) {
    for (const Loan& loan : loans) {
      // At rate 0, repaid in 1, 12 and 360 months, or not in 1000 years.
      const int64_t cents = std::llround(std::stod(loan.typed) * 100);
      for (int64_t months : {1, 12, 360, 12000}) {
        const bool repaid = months < 12000;
        const int64_t payment = (cents + months - 1) / months;
        const int64_t taken = (cents + payment - 1) / payment;
        SCOPED_TRACE(std::to_string(scheme) + " " + loan.typed + " " + std::to_string(months));
        ScratchDirectory directory;
        scratch::writeFile("quilloOptions.txt", "\"\"\n" + std::to_string(scheme) + "\n");
        headless::reset();
        const std::string paymentText = repaid ? std::to_string(payment / 100) + "." +
                                                     std::to_string(payment % 100 / 10) +
                                                     std::to_string(payment % 10)
                                               : "";
        startWith(loan.typed, repaid ? "0" : loan.rate, paymentText);
        headless::extendedKey(F3);
        headless::snapshot();
        runProgram();
        const uint8_t* chart = mainScript::snapshot(0);

        const std::string end = repaid ? "ends after " + std::to_string(taken / 12) +
                                             " years and " + std::to_string(taken % 12) + " months"
                                       : "not repaid after 1000 years and 0 months";
        const std::string second = trimmed(screenReader::rowText(2, chart));
        const bool twoRows = second.starts_with("not") || second.starts_with("ends");
        const std::string title =
            words(screenReader::rowText(1, chart) + (twoRows ? " " + second : ""));
        EXPECT_EQ(title.substr(0, 7 + loan.shown.size()), "Loan " + loan.shown + ", ");
        EXPECT_TRUE(title.ends_with(end)) << title;

        chartReader::Axes axes;
        std::string error;
        ASSERT_TRUE(chartReader::readAxes(chart, axes, error)) << error;
        EXPECT_GE(axes.years.back() * 12, repaid ? taken : 12000);
        EXPECT_EQ(trimmed(screenReader::rowText(28, chart)), "years");
        int highest = axes.axisY;
        for (int colour : {BUTTON_COLOUR, ERROR_MESSAGES_COLOUR}) {
          for (int y : chartReader::highestPixels(chart, axes, colour, axes.axisX, 639)) {
            if (y >= 0) highest = std::min(highest, y);
          }
        }
        const int areaTop = (twoRows ? 2 : 1) * 16 + 8;
        EXPECT_GE(axes.axisY - highest, 0.75 * (axes.axisY - areaTop))
            << "highest " << highest << ", axis " << axes.axisY;
        for (int y = 0; y < screen::SCREEN_HEIGHT; ++y) {
          for (int x = 0; x < screen::SCREEN_WIDTH; x += x == 7 ? 625 : 1) {
            ASSERT_EQ(chart[y * screen::SCREEN_WIDTH + x], BACKGROUND_COLOUR) << x << "," << y;
          }
        }
      }
    }
  }
}

// Two pixels on, two off, counted along the whole polyline: a corner neither restarts the count
// nor counts twice. The last pixel is always drawn.
TEST(ChartWindow, ADottedLineKeepsItsPatternAroundEveryCorner) {
  using Points = std::vector<std::pair<int, int>>;
  struct Case {
    const char* name;
    std::vector<ChartPoint> corners;
    Points drawn;  // row by row
  };
  const Case cases[] = {
      {"right, then down",
       {{10, 20}, {15, 20}, {15, 25}},
       {{10, 20}, {11, 20}, {14, 20}, {15, 20}, {15, 23}, {15, 24}, {15, 25}}},
      {"round three sides of a square",
       {{0, 0}, {3, 0}, {3, 3}, {0, 3}},
       {{0, 0}, {1, 0}, {3, 1}, {3, 2}, {0, 3}, {1, 3}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    headless::reset();
    openFreshScreen();
    drawChartLine({ChartInk::Balance, true, c.corners});
    Points drawn;
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 30; ++x) {
        if (screen::pixelAt(x, y) == BUTTON_COLOUR) drawn.push_back({x, y});
      }
    }
    EXPECT_EQ(drawn, c.drawn);
  }
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
