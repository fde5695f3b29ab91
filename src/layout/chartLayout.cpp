#include "layout/chartLayout.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "money/moneyFormat.h"
#include "money/repayment.h"

namespace {

constexpr int GRID_COLUMNS = 80;
constexpr int CELL_WIDTH = CHART_CELL_WIDTH;
constexpr int CELL_HEIGHT = CHART_CELL_HEIGHT;
constexpr int TITLE_ROW = 1;
// The amounts' axis runs from the middle of row 26 up to the row below the title; the years'
// labels stand below it, the legend at the bottom.
constexpr int AXIS_ROW = 26;
constexpr int YEAR_LABEL_ROW = 27;
constexpr int YEARS_ROW = 28;
constexpr int LEGEND_ROW = 29;
// The first and last columns stay free. The last year's tick stands far enough left for a label
// of four digits centred under it to end in column 79.
constexpr int LAST_TEXT_COLUMN = GRID_COLUMNS - 1;
constexpr int PLOT_RIGHT = LAST_TEXT_COLUMN * CELL_WIDTH - 2 * CELL_WIDTH;
constexpr int TICK_LENGTH = 4;
constexpr int MOST_AMOUNT_STEPS = 8;
constexpr int MOST_YEAR_STEPS = 10;
constexpr double SMALLEST_AMOUNT_STEP = 0.01;
// Round steps are 1, 2, 2.5 and 5 times a power of ten; 2.5 only from 0.25 on, so that every
// label is in whole cents.
constexpr double ROUND_STEPS[] = {1, 2, 2.5, 5};
constexpr double SMALLEST_QUARTER_STEP = 0.25;
constexpr int YEAR_STEPS[] = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000};
// Change marks closer than this to the one before are left out: two dotted lines in neighbouring
// columns would read as one thick line.
constexpr int MARK_SPACING = 2;

int columnX(int column) {
  return (column - 1) * CELL_WIDTH;
}

int rowMiddle(int row) {
  return (row - 1) * CELL_HEIGHT + CELL_HEIGHT / 2;
}

void addText(ChartLayout& layout, ChartInk ink, int row, int column, std::string text) {
  layout.texts.push_back({ink, row, column, std::move(text)});
}

void addLine(ChartLayout& layout, ChartInk ink, bool dotted, double x1, double y1, double x2,
             double y2) {
  layout.lines.push_back({ink, dotted, {{x1, y1}, {x2, y2}}});
}

struct AmountSteps {
  double step = 1;
  int steps = 1;
  int rowsPerStep = 1;
};

// The round step whose ticks, a whole number of rows apart, let `most` reach highest in the
// rows available: so the plot fills its area whatever the amounts. Of steps that reach equally
// high, the one with the most ticks.
AmountSteps amountSteps(double most, int rows) {
  AmountSteps best;
  double bestHeight = -1;
  double scale = std::pow(10.0, std::floor(std::log10(most / MOST_AMOUNT_STEPS)) - 1);
  for (int decade = 0; decade < 4; ++decade, scale *= 10) {
    for (double m : ROUND_STEPS) {
      const double step = std::max(m * scale, SMALLEST_AMOUNT_STEP);
      if (m == 2.5 && step < SMALLEST_QUARTER_STEP) continue;
      const double count = std::ceil(most / step);
      if (count > MOST_AMOUNT_STEPS) continue;
      // Two steps at least: an axis of 0 and one amount says little.
      const int steps = std::max(2, static_cast<int>(count));
      const int rowsPerStep = rows / steps;
      const double height = most / step * rowsPerStep;
      if (height > bestHeight + 1e-9 || (height > bestHeight - 1e-9 && steps > best.steps)) {
        best = {step, steps, rowsPerStep};
        bestHeight = height;
      }
    }
  }
  return best;
}

struct Scale {
  double axisX = 0, axisY = 0, pixelsPerMonth = 0, pixelsPerAmount = 0;
  double x(int32_t month) const { return axisX + month * pixelsPerMonth; }
  double y(double amount) const { return axisY - amount * pixelsPerAmount; }
};

// Round amounts up the side, labelled as the calculator shows amounts; answers the axis' x.
int layAmountAxis(ChartLayout& layout, double most, int highestRow, Scale& scale, double& top) {
  if (!std::isfinite(most) || most <= 0) most = 1;
  const auto [step, steps, rowsPerStep] = amountSteps(most, AXIS_ROW - highestRow);
  std::vector<std::string> labels;
  size_t widest = 0;
  for (int j = 0; j <= steps; ++j) {
    labels.push_back(formatAmount(j * step, 2, true));
    widest = std::max(widest, labels.back().size());
  }
  // Column 1 stays free; one column between the labels and the axis holds the ticks.
  const int lastLabelColumn = static_cast<int>(widest) + 1;
  const int axisX = columnX(lastLabelColumn + 2);
  scale.axisX = axisX;
  scale.axisY = rowMiddle(AXIS_ROW);
  scale.pixelsPerAmount = rowsPerStep * CELL_HEIGHT / step;
  for (int j = 0; j <= steps; ++j) {
    const int row = AXIS_ROW - j * rowsPerStep;
    const int length = static_cast<int>(labels[j].size());
    addText(layout, ChartInk::Text, row, lastLabelColumn - length + 1, labels[j]);
    addLine(layout, ChartInk::Axis, false, axisX - TICK_LENGTH, rowMiddle(row), axisX - 1,
            rowMiddle(row));
  }
  top = rowMiddle(AXIS_ROW - steps * rowsPerStep);
  return axisX;
}

// Whole years along the bottom at a step of 1, 2, 5, 10... years, each step a whole number of
// pixels; answers the axis' right end.
double layYearAxis(ChartLayout& layout, int32_t lastMonth, Scale& scale) {
  const int years = std::max<int32_t>(1, (lastMonth + MONTHS_PER_YEAR - 1) / MONTHS_PER_YEAR);
  int step = YEAR_STEPS[std::size(YEAR_STEPS) - 1];
  for (int s : YEAR_STEPS) {
    if ((years + s - 1) / s <= MOST_YEAR_STEPS) {
      step = s;
      break;
    }
  }
  const int ticks = (years + step - 1) / step;
  const int tickPixels = (PLOT_RIGHT - static_cast<int>(scale.axisX)) / ticks;
  scale.pixelsPerMonth = static_cast<double>(tickPixels) / (step * MONTHS_PER_YEAR);
  for (int k = 0; k <= ticks; ++k) {
    const int x = static_cast<int>(scale.axisX) + k * tickPixels;
    addLine(layout, ChartInk::Axis, false, x, scale.axisY + 1, x, scale.axisY + TICK_LENGTH);
    const std::string label = std::to_string(k * step);
    const int length = static_cast<int>(label.size());
    const int column =
        static_cast<int>(std::lround((x - length * CELL_WIDTH / 2.0) / CELL_WIDTH)) + 1;
    addText(layout, ChartInk::Text, YEAR_LABEL_ROW,
            std::clamp(column, 2, LAST_TEXT_COLUMN - length + 1), label);
  }
  const std::string unit = "years";
  addText(layout, ChartInk::Text, YEARS_ROW, LAST_TEXT_COLUMN - static_cast<int>(unit.size()) + 1,
          unit);
  return scale.axisX + ticks * tickPixels;
}

void addCentred(ChartLayout& layout, ChartInk ink, int row, std::string text) {
  const int column = (GRID_COLUMNS - static_cast<int>(text.size())) / 2 + 1;
  addText(layout, ink, row, std::max(column, 1), std::move(text));
}

// The loan, the payment and the rate, then when it ends; on two rows, between the two, when it
// is too long for one. Answers the rows it takes.
int layTitle(ChartLayout& layout, const ChartRequest& request, int32_t last) {
  const std::string terms = "Loan " + formatAmount(request.loanAmount, 2, true) + ", payment " +
                            formatAmount(request.payment, 2, false) + " at " +
                            std::string(request.rateText) + "%:";
  const std::string end =
      (request.repaid ? "ends after " : "not repaid after ") + durationText(last);
  if (terms.size() + 1 + end.size() <= LAST_TEXT_COLUMN - 1) {
    addCentred(layout, ChartInk::Title, TITLE_ROW, terms + " " + end);
    return 1;
  }
  addCentred(layout, ChartInk::Title, TITLE_ROW, terms);
  addCentred(layout, ChartInk::Title, TITLE_ROW + 1, end);
  return 2;
}

// A series from month 0 on: solid over the months computed, dotted over the projected ones.
void laySeries(ChartLayout& layout, const ChartRequest& request, const Scale& scale, ChartInk ink,
               int32_t computed, double (*value)(const ChartMonth&)) {
  const std::vector<ChartMonth>& months = request.months;
  const int32_t last = months.empty() ? 0 : months.back().month;
  const int32_t every = std::max<int32_t>(1, (last + CHART_MOST_POINTS - 1) / CHART_MOST_POINTS);
  ChartLine solid{ink, false, {}}, dotted{ink, true, {}};
  const ChartMonth start{0, request.loanAmount, 0, false};
  solid.points.push_back({scale.x(0), scale.y(value(start))});
  for (const ChartMonth& m : months) {
    if (m.month % every != 0 && m.month != computed && m.month != last) continue;
    const ChartPoint point{scale.x(m.month), scale.y(value(m))};
    if (m.month <= computed) {
      solid.points.push_back(point);
      continue;
    }
    // The projection goes on from where the schedule stands.
    if (dotted.points.empty()) dotted.points.push_back(solid.points.back());
    dotted.points.push_back(point);
  }
  if (solid.points.size() >= 2) layout.lines.push_back(std::move(solid));
  if (dotted.points.size() >= 2) layout.lines.push_back(std::move(dotted));
}

struct LegendItem {
  std::string_view text;
  ChartInk ink;
  bool dotted;
  bool mark;  // a vertical mark rather than a line
};

void layLegend(ChartLayout& layout, const std::vector<LegendItem>& items) {
  int column = 2;
  const double middle = rowMiddle(LEGEND_ROW);
  for (const LegendItem& item : items) {
    const double x = columnX(column);
    if (item.mark) {
      addLine(layout, item.ink, item.dotted, x + CELL_WIDTH - 1, middle - 6, x + CELL_WIDTH - 1,
              middle + 5);
    } else {
      addLine(layout, item.ink, item.dotted, x + 1, middle, x + 2 * CELL_WIDTH - 2, middle);
    }
    addText(layout, ChartInk::Text, LEGEND_ROW, column + 3, std::string(item.text));
    column += 3 + static_cast<int>(item.text.size()) + 2;
  }
}

}  // namespace

ChartLayout messageChart(std::string_view message) {
  ChartLayout layout;
  const int column = (GRID_COLUMNS - static_cast<int>(message.size())) / 2 + 1;
  addText(layout, ChartInk::Text, CHART_MESSAGE_ROW, std::max(column, 1), std::string(message));
  return layout;
}

ChartLayout layoutChart(const ChartRequest& request) {
  const std::vector<ChartMonth>& months = request.months;
  const int32_t computed = request.computed;
  const int32_t last = months.empty() ? 0 : months.back().month;

  double most = request.loanAmount;
  for (const ChartMonth& m : months) most = std::max({most, m.balance, m.totalInterest});

  ChartLayout layout;
  const int titleRows = layTitle(layout, request, last);
  Scale scale;
  double top = 0;
  layAmountAxis(layout, most, TITLE_ROW + titleRows, scale, top);
  const double right = layYearAxis(layout, last, scale);
  addLine(layout, ChartInk::Axis, false, scale.axisX, top, scale.axisX, scale.axisY);
  addLine(layout, ChartInk::Axis, false, scale.axisX, scale.axisY, right, scale.axisY);

  bool changes = false;
  long lastMark = 0;
  for (const ChartMonth& m : months) {
    const long x = std::lround(scale.x(m.month));
    if (!m.newTerms || (changes && x - lastMark < MARK_SPACING)) continue;
    changes = true;
    lastMark = x;
    addLine(layout, ChartInk::Change, true, scale.x(m.month), top, scale.x(m.month),
            scale.axisY - 1);
  }
  const bool projected = last > computed;
  if (projected && computed > 0) {
    addLine(layout, ChartInk::Now, true, scale.x(computed), top, scale.x(computed),
            scale.axisY - 1);
  }

  std::vector<LegendItem> legend = {{"balance", ChartInk::Balance, false, false},
                                    {"total interest", ChartInk::Interest, false, false}};
  if (projected) legend.push_back({"projected", ChartInk::Balance, true, false});
  if (changes) legend.push_back({"new rate or payment", ChartInk::Change, true, true});
  if (projected && computed > 0) legend.push_back({"now", ChartInk::Now, true, true});
  layLegend(layout, legend);

  laySeries(layout, request, scale, ChartInk::Interest, computed,
            [](const ChartMonth& m) { return m.totalInterest; });
  laySeries(layout, request, scale, ChartInk::Balance, computed,
            [](const ChartMonth& m) { return m.balance; });
  return layout;
}
