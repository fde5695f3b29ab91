#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/mainScreen.h"
#include "e2e/e2eHarness.h"
#include "support/chartReader.h"
#include "support/mainScreenScript.h"
#include "support/screenReader.h"

// F3's chart in the real window, read back off the screen.

namespace {

using ChartE2e = e2e::ProgramRun;

const std::string PROMPT = "Press \x19 to step by month.";
// From the schedule command's CSV for 250,000 at 6.5% paying 1,580.18, 8% from month 61: the
// last line is month 718.
constexpr int LAST_MONTH = 718;
constexpr int CHANGE_MONTH = 61;
constexpr int STEPPED = 72;
constexpr double LOAN = 250000;

// Five years at 6.5%, the rate changed to 8 and one more year, as a user does it.
bool stepWithRateChange(e2e::Quillo& quillo, e2e::Screen& screen) {
  return e2e::startAtForm(quillo, screen) && e2e::typeInputs(quillo, "250000", "6.5", "1580.18") &&
         e2e::pressKeys(quillo, "Return Return") && e2e::waitForText(quillo, PROMPT, screen) &&
         e2e::pressKeys(quillo, "Next Next Next Next Next") &&
         e2e::waitForScheduleMonth(quillo, 60, screen) &&
         e2e::click(quillo, mainScript::controlX(2), mainScript::controlY(2)) &&
         e2e::waitForScreen(
             quillo,
             [](const e2e::Screen& s) {
               return mainScript::controlInk(CONTROL_CONTINUE, s.pixels()) == BUTTON_COLOUR;
             },
             "Continue back", screen) &&
         e2e::pressKeys(quillo, "Delete Delete Delete") && e2e::typeText(quillo, "8") &&
         e2e::pressKeys(quillo, "Return Return Return Next") &&
         e2e::waitForScheduleMonth(quillo, STEPPED, screen);
}

bool chartShown(const e2e::Screen& s) {
  return screenReader::rowText(1, s.pixels()).find("Loan 250,000") != std::string::npos;
}

TEST_F(ChartE2e, TheBalanceFallsFromTheLoanToTheLastMonthWithTheChangeMarkedAndAnyKeyGoesBack) {
  e2e::Screen before, chart, after;
  ASSERT_TRUE(stepWithRateChange(quillo, before));
  ASSERT_TRUE(e2e::pressKeys(quillo, "F3"));
  ASSERT_TRUE(e2e::waitForScreen(quillo, chartShown, "the chart", chart));
  const std::string title = screenReader::rowText(1, chart.pixels());
  EXPECT_EQ(title.substr(title.find_first_not_of(' ')),
            "Loan 250,000, payment 1,580.18 at 8%: ends after 59 years and 10 months");

  chartReader::Axes axes;
  std::string error;
  ASSERT_TRUE(chartReader::readAxes(chart.pixels(), axes, error)) << error;
  const int startX = static_cast<int>(std::lround(axes.monthX(0)));
  const int endX = static_cast<int>(std::lround(axes.monthX(LAST_MONTH)));
  const std::vector<int> balance =
      chartReader::highestPixels(chart.pixels(), axes, BUTTON_COLOUR, 0, 639);
  // Starts at the loan's height over month 0 and reaches the axis at the last month.
  EXPECT_NEAR(balance.at(startX), axes.amountY(LOAN), 1.0);
  EXPECT_NEAR(balance.at(endX), axes.axisY, 1.0);
  for (int x = 0; x < 640; ++x) {
    if (x < startX || x > endX + 1) {
      EXPECT_EQ(balance[x], -1) << "balance drawn at x " << x;
    }
  }
  int last = 0;
  for (int x = startX; x <= endX; ++x) {
    if (balance[x] < 0) continue;  // a gap of the dotted projection
    EXPECT_GE(balance[x], last) << "the balance rises at x " << x;
    last = balance[x];
  }
  // The change stands at month 61 (in the spare colour 5), the month stepped last at 72.
  const std::vector<int> change = chartReader::columnsShowing(chart.pixels(), axes, 5);
  ASSERT_EQ(change.size(), 1u);
  EXPECT_NEAR(change[0], axes.monthX(CHANGE_MONTH), 1.0);
  const std::vector<int> now = chartReader::columnsShowing(chart.pixels(), axes, 14);
  ASSERT_EQ(now.size(), 1u);
  EXPECT_NEAR(now[0], axes.monthX(STEPPED), 1.0);

  ASSERT_TRUE(e2e::pressKeys(quillo, "space"));
  ASSERT_TRUE(e2e::waitForScreen(
      quillo, [](const e2e::Screen& s) { return !chartShown(s); }, "the main screen", after));
  EXPECT_TRUE(after.colours == before.colours) << e2e::describeScreen(after);
  // The same focus: Down steps the schedule on.
  ASSERT_TRUE(e2e::pressKeys(quillo, "Down"));
  ASSERT_TRUE(e2e::waitForScheduleMonth(quillo, STEPPED + 1, after));

  // Over the chart the close button ends the program.
  ASSERT_TRUE(e2e::pressKeys(quillo, "F3"));
  ASSERT_TRUE(e2e::waitForScreen(quillo, chartShown, "the chart again", chart));
  endWith(e2e::CLOSE_BUTTON);
}

}  // namespace
