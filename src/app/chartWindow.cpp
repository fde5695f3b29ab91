#include "app/chartWindow.h"

#include <cmath>
#include <string>

#include "app/mainScreen.h"
#include "controls/panelArea.h"
#include "controls/roleColours.h"
#include "layout/chartLayout.h"
#include "layout/scheduleHistory.h"
#include "money/loanPlan.h"
#include "screen/screen.h"

namespace {

// The marks of a new rate or payment take a spare colour, magenta in both schemes: the colour
// of a selected button is blue in Dark on Light, as is that of the titles, which marks the month
// reached.
constexpr int CHANGE_MARK_COLOUR = 5;

// The colour each ink is drawn in, by ink.
constexpr int INK_COLOURS[CHART_INKS] = {
    TITLES_COLOUR,         EXPRESSIONS_COLOUR, DROPDOWNS_COLOUR, BUTTON_COLOUR,
    ERROR_MESSAGES_COLOUR, CHANGE_MARK_COLOUR, TITLES_COLOUR,
};

int inkColour(ChartInk ink) {
  return INK_COLOURS[static_cast<int>(ink)];
}

int pixel(double coordinate) {
  return static_cast<int>(std::lround(coordinate));
}

void addMonth(ChartRequest& request, const PlanMonth& m) {
  request.months.push_back({m.month, m.balance, m.totalInterest, m.newTerms});
}

// Before a schedule: the plan the three fields describe, with the extras planned, all of it
// projected; a message while a field is empty or the payment falls short of the interest.
ChartLayout formChart() {
  const CalculatorState& c = calc;
  LoanPlan plan;
  if (!currentPlan(plan)) return messageChart("Enter a loan, a rate and a payment first");
  ChartRequest request;
  request.loanAmount = c.loanAmount;
  request.rateText = c.rateText;
  request.payment = c.payment;
  request.months.reserve(MONTH_LIMIT);
  const PlanWalk walk =
      walkPlan(plan, false, [&request](const PlanMonth& m) { addMonth(request, m); });
  if (walk.problem != PlanProblem::None) {
    return messageChart("Enter a loan, a rate and a payment first");
  }
  request.repaid = !stillOwing(walk.repayment);
  return layoutChart(request);
}

ChartLayout scheduleChart() {
  const CalculatorState& c = calc;
  const ScheduleHistory& h = c.history;
  if (!h.started) return formChart();
  if (!c.inputsConfirmed) return messageChart("Confirm the changed inputs first");
  ChartRequest request;
  request.loanAmount = c.loanAmount;
  request.rateText = c.rateText;
  request.payment = c.walk.repayment.payment;
  request.computed = c.walk.repayment.monthCount;
  request.months.reserve(MONTH_LIMIT);
  for (size_t i = 0; i < h.months.size(); ++i) {
    const HistoryMonth& m = h.months[i];
    const bool newTerms =
        i > 0 && (m.rate != h.months[i - 1].rate || m.payment != h.months[i - 1].payment);
    request.months.push_back({m.month, m.balance, m.totalInterest, newTerms});
  }
  // The rest is projected from where the schedule stands, with the plan's extras still to come.
  PlanWalk rest = c.walk;
  walkRest(rest, [&request](const PlanMonth& m) { addMonth(request, m); });
  request.repaid = !stillOwing(rest.repayment);
  return layoutChart(request);
}

}  // namespace

void drawChartLine(const ChartLine& line) {
  const int colour = inkColour(line.ink);
  int phase = 0;
  for (size_t i = 1; i < line.points.size(); ++i) {
    const int x1 = pixel(line.points[i - 1].x), y1 = pixel(line.points[i - 1].y);
    const int x2 = pixel(line.points[i].x), y2 = pixel(line.points[i].y);
    if (line.dotted) {
      // Each corner was the previous segment's last pixel.
      if (i > 1) --phase;
      screen::drawDottedLine(x1, y1, x2, y2, colour, phase);
    } else {
      screen::drawLine(x1, y1, x2, y2, colour, screen::Shape::Line, false);
    }
  }
  // The end of a dotted line is always drawn, so that it shows where the series ends.
  if (line.dotted && !line.points.empty()) {
    const int x = pixel(line.points.back().x), y = pixel(line.points.back().y);
    screen::drawLine(x, y, x, y, colour, screen::Shape::Line, false);
  }
}

void drawChart() {
  const ChartLayout layout = scheduleChart();
  screen::drawLine(0, 0, screen::SCREEN_WIDTH - 1, screen::SCREEN_HEIGHT - 1, BACKGROUND_COLOUR,
                   screen::Shape::FilledBox, false);
  for (const ChartLine& line : layout.lines) drawChartLine(line);
  for (const ChartText& text : layout.texts) {
    screen::setForeground(inkColour(text.ink));
    screen::drawTextAt(screen::columnToX(text.column), screen::rowToY(text.row), text.text);
  }
}

void showChart() {
  PanelArea area = {.right = screen::SCREEN_WIDTH - 1, .bottom = screen::SCREEN_HEIGHT - 1};
  coverArea(area, NO_FRAME);
  drawChart();
  const EventCode event = awaitAnyKeyOrClick();
  uncoverArea(area);
  if (event == EVENT_CLOSE) exitProgram();
}
