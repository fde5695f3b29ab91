#pragma once

// The loan at a glance: the remaining balance and the interest paid so far, month by month over
// the whole life of the loan, laid out on the 640x480 surface's coordinates and its 80x30 text
// grid from a walked plan. The window draws it with its lines and text; the schedule command
// writes it as SVG.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What a part of the chart is drawn in; each drawing maps these to colours of its own, in a
// table indexed by the ink.
enum class ChartInk { Title, Text, Axis, Balance, Interest, Change, Now };
constexpr int CHART_INKS = 7;

// The text grid's cells the chart's texts stand in, in pixels.
constexpr int CHART_CELL_WIDTH = 8;
constexpr int CHART_CELL_HEIGHT = 16;

struct ChartMonth {
  int32_t month = 0;
  double balance = 0;  // after the month
  double totalInterest = 0;
  bool newTerms = false;  // the first month at a new rate or payment
};

// A walked plan as the chart shows it: every month, those stepped so far and then those
// projected from where the schedule stands.
struct ChartRequest {
  double loanAmount = 0;
  std::string_view rateText;  // the rate in force now, as typed
  double payment = 0;         // the payment in force now
  std::vector<ChartMonth> months;
  int32_t computed = 0;  // months stepped so far; the rest are projected
  bool repaid = false;   // after the last month
};

struct ChartPoint {
  double x = 0;
  double y = 0;
};

// A polyline; a dotted one is the projected part of a series.
struct ChartLine {
  ChartInk ink = ChartInk::Axis;
  bool dotted = false;
  std::vector<ChartPoint> points;
};

// Text in the grid's cells, so that it stands where the window's text would.
struct ChartText {
  ChartInk ink = ChartInk::Text;
  int row = 1;
  int column = 1;
  std::string text;
};

struct ChartLayout {
  // Later lines are drawn over earlier ones: the balance comes last.
  std::vector<ChartLine> lines;
  std::vector<ChartText> texts;
};

constexpr int CHART_MESSAGE_ROW = 15;

// The chart of the request. A long loan keeps every k-th month of each series (and always its first
// and last), at most CHART_MOST_POINTS of them.
constexpr int32_t CHART_MOST_POINTS = 1200;
ChartLayout layoutChart(const ChartRequest& request);
// A chart that shows only a message in the middle of the surface.
ChartLayout messageChart(std::string_view message);
