#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "layout/chartLayout.h"
#include "money/repayment.h"

// The chart as values, before any pixel: its title, its scales, its marks and where its series
// end. The window draws these and the schedule command writes them as SVG.

namespace {

// The schedule of these inputs walked month by month to its end or to 1000 years: `stepped`
// months computed, the rest projected, from the month after the last stepped one at
// `newPayment` when one is given.
ChartLayout chartOf(double loan, const std::string& rateText, double payment, int32_t stepped,
                    double newPayment = 0) {
  ChartRequest request;
  Repayment r;
  r.balance = loan;
  r.annualRate = std::stod(rateText);
  r.payment = payment;
  startRepayment(r);
  bool newTerms = false;
  while (stillOwing(r) && r.monthCount < MONTH_LIMIT) {
    if (r.monthCount == stepped && newPayment > 0) {
      r.payment = newPayment;
      newTerms = true;
    }
    char shown[AMOUNT_TEXT_SIZE];
    repayMonth(r, shown);
    request.months.push_back({r.monthCount, r.balance, r.totalInterest, newTerms});
    newTerms = false;
  }
  request.loanAmount = loan;
  request.rateText = rateText;
  request.payment = newPayment > 0 ? newPayment : payment;
  request.computed = stepped;
  request.repaid = !stillOwing(r);
  return layoutChart(request);
}

bool isTick(const ChartLine& line, bool vertical) {
  if (line.ink != ChartInk::Axis || line.points.size() != 2) return false;
  const ChartPoint a = line.points[0], b = line.points[1];
  return vertical ? a.x == b.x && b.y - a.y == 3 : a.y == b.y && b.x - a.x == 3;
}

std::vector<std::string> textsIn(const ChartLayout& layout, int firstRow, int lastRow) {
  std::vector<ChartText> found;
  for (const ChartText& t : layout.texts) {
    if (t.ink == ChartInk::Text && t.row >= firstRow && t.row <= lastRow) found.push_back(t);
  }
  // Left to right, then bottom up.
  std::sort(found.begin(), found.end(), [](const ChartText& a, const ChartText& b) {
    return a.row != b.row ? a.row > b.row : a.column < b.column;
  });
  std::vector<std::string> texts;
  for (const ChartText& t : found) texts.push_back(t.text);
  return texts;
}

// Where a month and an amount stand, read off the first two ticks of each axis and their labels.
struct Scale {
  double monthX0 = 0, pixelsPerMonth = 0, amountY0 = 0, pixelsPerAmount = 0;
};

Scale scaleOf(const ChartLayout& layout) {
  std::vector<double> years, amounts;
  for (const ChartLine& line : layout.lines) {
    if (isTick(line, true)) years.push_back(line.points[0].x);
    if (isTick(line, false)) amounts.push_back(line.points[0].y);
  }
  std::sort(years.begin(), years.end());
  std::sort(amounts.rbegin(), amounts.rend());
  const std::vector<std::string> yearLabels = textsIn(layout, 27, 27);
  std::string amountLabel = textsIn(layout, 2, 26).at(1);
  amountLabel.erase(std::remove(amountLabel.begin(), amountLabel.end(), ','), amountLabel.end());
  Scale s;
  s.monthX0 = years.at(0);
  s.pixelsPerMonth = (years.at(1) - years.at(0)) / (std::stod(yearLabels.at(1)) * 12);
  s.amountY0 = amounts.at(0);
  s.pixelsPerAmount = (amounts.at(0) - amounts.at(1)) / std::stod(amountLabel);
  return s;
}

// The months at which the marks of this ink stand; the legend's short sample is left out.
std::vector<int> markMonths(const ChartLayout& layout, ChartInk ink, const Scale& s) {
  std::vector<int> months;
  for (const ChartLine& line : layout.lines) {
    if (line.ink == ink && line.points.back().y - line.points.front().y > 16) {
      EXPECT_TRUE(line.dotted);
      const double month = (line.points[0].x - s.monthX0) / s.pixelsPerMonth;
      EXPECT_NEAR(month, std::round(month), 1e-9);
      months.push_back(static_cast<int>(std::lround(month)));
    }
  }
  return months;
}

// The last point of a series: the rightmost of the lines of its ink, solid then dotted, above
// the axis (the legend's samples stand below it).
ChartPoint seriesEnd(const ChartLayout& layout, ChartInk ink, const Scale& s) {
  ChartPoint end{-1, -1};
  for (const ChartLine& line : layout.lines) {
    if (line.ink == ink && line.points.front().y <= s.amountY0 && line.points.back().x > end.x) {
      end = line.points.back();
    }
  }
  return end;
}

// Titles, months and balances from the schedule command's CSV and totals for the same inputs;
// the amounts up the side at the round step (1, 2, 2.5 or 5 times a power of ten, two to eight
// steps, each a whole number of the 24 rows below the title) that lets the highest amount reach
// highest, of equals the one with the most ticks; whole years along the bottom in at most ten
// steps.
TEST(ChartLayout, TitleScalesMarksAndTheSeriesEnd) {
  struct Case {
    const char* name;
    double loan;
    std::string rate;
    double payment;
    int32_t stepped;
    double newPayment;
    std::string title;
    std::vector<std::string> amounts, years;
    std::vector<int> changes, now;
    int32_t lastMonth;
    double lastBalance;
  };
  const std::vector<std::string> toThousand = {"0", "250", "500", "750", "1,000"};
  // clang-format off
  const std::vector<Case> cases = {
      // No mark of the month reached before a month is stepped.
      {"before the first month", 1000, "12", 100, 0, 0,
       "Loan 1,000, payment 100.00 at 12%: ends after 0 years and 11 months",
       toThousand, {"0", "1"}, {}, {}, 11, 0},
      {"after five months", 1000, "12", 100, 5, 0,
       "Loan 1,000, payment 100.00 at 12%: ends after 0 years and 11 months",
       toThousand, {"0", "1"}, {}, {5}, 11, 0},
      // 200 from month 4 on: repaid with month 7.
      {"a new payment", 1000, "12", 100, 3, 200,
       "Loan 1,000, payment 200.00 at 12%: ends after 0 years and 7 months",
       toThousand, {"0", "1"}, {4}, {3}, 7, 0},
      {"one month", 100, "12", 500, 0, 0,
       "Loan 100, payment 500.00 at 12%: ends after 0 years and 1 months",
       {"0", "25", "50", "75", "100"}, {"0", "1"}, {}, {}, 1, 0},
      {"two years and a bit", 25000, "4.5", 1000, 12, 0,
       "Loan 25,000, payment 1,000.00 at 4.5%: ends after 2 years and 3 months",
       {"0", "5,000", "10,000", "15,000", "20,000", "25,000"}, {"0", "1", "2", "3"}, {}, {12}, 27, 0},
      {"ten years in ten steps", 1200, "0", 10, 0, 0,
       "Loan 1,200, payment 10.00 at 0%: ends after 10 years and 0 months",
       {"0", "200", "400", "600", "800", "1,000", "1,200"},
       {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}, {}, {}, 120, 0},
      {"eleven years in steps of two", 1320, "0", 10, 0, 0,
       "Loan 1,320, payment 10.00 at 0%: ends after 11 years and 0 months",
       {"0", "250", "500", "750", "1,000", "1,250", "1,500"},
       {"0", "2", "4", "6", "8", "10", "12"}, {}, {}, 132, 0},
      {"never repaid", 250000, "6", 1250, 12, 0,
       "Loan 250,000, payment 1,250.00 at 6%: not repaid after 1000 years and 0 months",
       {"0", "2,500,000", "5,000,000", "7,500,000", "10,000,000", "12,500,000", "15,000,000"},
       {"0", "100", "200", "300", "400", "500", "600", "700", "800", "900", "1000"}, {}, {12},
       12000, 250000},
      // Every second month is kept, the month reached and the last, odd ones, too.
      {"longer than 1200 months", 250000, "6", 1250.5, 13, 0,
       "Loan 250,000, payment 1,250.50 at 6%: ends after 130 years and 9 months",
       {"0", "250,000", "500,000", "750,000", "1,000,000", "1,250,000", "1,500,000",
        "1,750,000"},
       {"0", "20", "40", "60", "80", "100", "120", "140"}, {}, {13}, 1569, 0},
  };
  // clang-format on

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ChartLayout layout = chartOf(c.loan, c.rate, c.payment, c.stepped, c.newPayment);
    std::string title;
    for (const ChartText& t : layout.texts) {
      if (t.ink == ChartInk::Title) title = t.text;
    }
    EXPECT_EQ(title, c.title);
    EXPECT_EQ(textsIn(layout, 2, 26), c.amounts);
    EXPECT_EQ(textsIn(layout, 27, 27), c.years);
    const Scale s = scaleOf(layout);
    EXPECT_EQ(markMonths(layout, ChartInk::Change, s), c.changes);
    EXPECT_EQ(markMonths(layout, ChartInk::Now, s), c.now);
    for (ChartInk ink : {ChartInk::Balance, ChartInk::Interest}) {
      const ChartPoint end = seriesEnd(layout, ink, s);
      EXPECT_NEAR((end.x - s.monthX0) / s.pixelsPerMonth, c.lastMonth, 1e-9);
      if (ink == ChartInk::Balance) {
        EXPECT_NEAR((s.amountY0 - end.y) / s.pixelsPerAmount, c.lastBalance, 1e-6);
      }
    }
  }
}

}  // namespace
