#include "app/chartWindow.h"

#include <cmath>
#include <string_view>

#include "app/mainScreen.h"
#include "controls/inputLoop.h"
#include "controls/roleColours.h"
#include "layout/chartLayout.h"
#include "layout/scheduleHistory.h"
#include "money/loanPlan.h"
#include "screen/screen.h"

namespace {

// Every character leaves the chart, so none is refused with the warning sound.
constexpr std::string_view ANY_CHARACTER = "(\x01-\xff)";

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

ChartLayout scheduleChart() {
  const CalculatorState& c = calc;
  const ScheduleHistory& h = c.history;
  if (!h.started) return messageChart("Enter a loan, a rate and a payment first");
  if (!c.inputsConfirmed) return messageChart("Confirm the changed inputs first");
  ChartRequest request;
  request.loanAmount = c.loanAmount;
  request.rateText = c.rateText;
  request.payment = c.repayment.payment;
  request.computed = c.repayment.monthCount;
  request.months.reserve(MONTH_LIMIT);
  for (size_t i = 0; i < h.months.size(); ++i) {
    const HistoryMonth& m = h.months[i];
    const bool newTerms =
        i > 0 && (m.rate != h.months[i - 1].rate || m.payment != h.months[i - 1].payment);
    request.months.push_back({m.month, m.balance, m.totalInterest, newTerms});
  }
  // The rest is projected from where the schedule stands, at its rate and payment.
  const LoanPlan rest;
  PlanWalk walk;
  startWalkAt(walk, rest, c.repayment, c.rateText);
  if (!h.months.empty()) {
    const HistoryMonth& last = h.months.back();
    walk.newTerms = h.rates[static_cast<size_t>(last.rate)] != c.rateText ||
                    last.payment != c.repayment.payment;
  }
  walkRest(walk, [&](const PlanMonth& m) {
    request.months.push_back({m.month, m.balance, m.totalInterest, m.newTerms});
  });
  request.repaid = !stillOwing(walk.repayment);
  return layoutChart(request);
}

// A key, a click (on its release, so the main screen never sees the release) or the close
// button.
EventCode awaitLeaving() {
  for (;;) {
    const EventCode event = nextInputEvent(inputLoop.pointerY, inputLoop.pointerX,
                                           GRAPHICS_SCREEN_MODE, ANY_CHARACTER, false);
    if (event != EVENT_LEFT_PRESS && event != EVENT_RIGHT_PRESS && event != EVENT_WHEEL_UP &&
        event != EVENT_WHEEL_DOWN) {
      return event;
    }
  }
}

}  // namespace

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
  screen::Image saved = screen::createImage(screen::SCREEN_WIDTH, screen::SCREEN_HEIGHT);
  screen::captureRect(0, 0, screen::SCREEN_WIDTH - 1, screen::SCREEN_HEIGHT - 1, saved, false);
  drawChart();
  inputLoop.lastEvent = awaitLeaving();
  screen::pasteImage(0, 0, saved);
  screen::destroyImage(saved);
  if (inputLoop.lastEvent == EVENT_CLOSE) exitProgram();
}
