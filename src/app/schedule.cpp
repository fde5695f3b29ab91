#include "app/schedule.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "app/calculatorState.h"
#include "app/controlTable.h"
#include "app/mainScreen.h"
#include "controls/buttonRegistry.h"
#include "controls/roleColours.h"
#include "layout/scheduleText.h"
#include "money/loanPlan.h"
#include "money/moneyFormat.h"
#include "money/repayment.h"
#include "screen/screen.h"

namespace {

constexpr int FIRST_LINE_ROW = 16;
constexpr int LAST_LINE_ROW = 27;
constexpr int BAND_ROWS = LAST_LINE_ROW - FIRST_LINE_ROW + 1;

constexpr char HORIZONTAL_LINE = '\xc4';
// What a finished schedule leaves on the screen without a function: all but "New calculation"
// and "Exit".
constexpr int INERT_AT_FINISH[] = {FOCUS_LOAN,          FOCUS_RATE,         FOCUS_PAYMENT,
                                   CONTROL_CONTINUE,    CONTROL_STEP_MONTH, CONTROL_STEP_YEAR,
                                   CONTROL_STEP_TO_END, CONTROL_OPTIONS};

// What one schedule line shows, kept so that a line can be drawn after later months were
// computed.
struct MonthLine {
  int32_t month;
  double interest;  // unrounded; shown as formatted
  double principal;
  double balance;
  double totalInterest;
};

MonthLine computeMonth() {
  PlanMonth month;
  walkMonth(calc.walk, month);
  const Repayment& r = calc.walk.repayment;
  recordMonth(calc.history, r, calc.walk.rateText);
  return {r.monthCount, r.monthInterest, r.monthPrincipal, r.balance, r.totalInterest};
}

void blankRow(int row) {
  screen::drawLine(0, screen::rowToY(row), screen::SCREEN_WIDTH - 1, screen::rowToY(row + 1) - 1, 0,
                   screen::Shape::FilledBox, false);
}

// The whole row is written, so nothing of an earlier schedule's line shows between the values.
void drawMonthLine(int row, const MonthLine& line) {
  blankRow(row);
  screen::setForeground(EXPRESSIONS_COLOUR);
  screen::moveCursor(row, 1);
  screen::printText(scheduleLineText(line.month, formatAmount(line.interest, 2, false),
                                     line.principal, line.balance, line.totalInterest),
                    true);
}

// Draws the last of `count` lines just computed (line i in recent[(i - 1) % BAND_ROWS]) exactly
// as stepping them one by one would have left the band. All the scrolls happen at once, and
// lines that would have scrolled out of the band are never drawn.
void placeLines(const std::array<MonthLine, BAND_ROWS>& recent, int32_t count) {
  if (count == 0) return;
  const int firstRow = calc.scheduleRow;
  const int32_t scrolls = std::max<int32_t>(0, firstRow + count - (LAST_LINE_ROW + 1));
  const int32_t keptRows = firstRow - FIRST_LINE_ROW - scrolls;
  if (scrolls > 0 && keptRows > 0) {
    // The paste covers the whole band; the rows below the kept ones get new lines next.
    const int from = FIRST_LINE_ROW + static_cast<int>(scrolls);
    screen::captureRect(0, screen::rowToY(from), screen::SCREEN_WIDTH - 1,
                        screen::rowToY(firstRow) - 1, calc.scrollImage, false);
    screen::pasteImage(0, screen::rowToY(FIRST_LINE_ROW), calc.scrollImage);
  }
  for (int32_t i = std::max<int32_t>(1, count - (BAND_ROWS - 1)); i <= count; ++i) {
    drawMonthLine(static_cast<int>(firstRow + i - 1 - scrolls), recent[(i - 1) % BAND_ROWS]);
  }
  calc.scheduleRow = static_cast<int>(std::min<int32_t>(firstRow + count, LAST_LINE_ROW + 1));
}

// "Press <control> to ...": each step control with the words after it, and a line before it.
struct PromptLine {
  std::string_view before;  // printed on the line above "Press"; empty: none
  Control control;
  int row, column;  // where the words after the control start
  std::string_view after;
};

constexpr PromptLine PROMPT[] = {
    {"", CONTROL_STEP_MONTH, 9, 9, "to step by month."},
    {"", CONTROL_STEP_YEAR, 10, 16, "to step by year."},
    {"You can change rate and/or payment while stepping.", CONTROL_STEP_TO_END, 12, 21,
     "to continue until loan repaid."},
};

void printPrompt() {
  screen::setForeground(EXPRESSIONS_COLOUR);
  screen::moveCursor(9, 1);
  for (const PromptLine& line : PROMPT) {
    if (!line.before.empty()) screen::printText(line.before, true);
    screen::printText("Press", true);
    createControl(line.control);
    screen::setForeground(EXPRESSIONS_COLOUR);
    screen::moveCursor(line.row, line.column);
    screen::printText(line.after, true);
  }
}

void printHeader() {
  screen::setForeground(TITLES_COLOUR);
  const std::string header = scheduleHeaderText(std::string_view(&HORIZONTAL_LINE, 1));
  for (size_t start = 0; start < header.size();) {
    const size_t end = header.find('\n', start);
    screen::printText(std::string_view(header).substr(start, end - start), true);
    start = end + 1;
  }
}

}  // namespace

void startSchedule(int32_t term) {
  printPrompt();
  // A new plan from the loan amount and the inputs confirmed, with the extras planned so far.
  // A term F2 solved the payment for is the plan's when it still gives that payment: a change
  // that keeps the end date keeps the term's end, as the command line's `--term` does.
  CalculatorState& c = calc;
  c.plan.loan = c.loanAmount;
  c.plan.annualRate = c.annualRate;
  c.plan.rateText = c.rateText;
  c.plan.payment = c.payment;
  c.plan.term = term;
  c.plan.changes.clear();
  if (!startWalk(c.walk, c.plan) || c.walk.repayment.payment != c.payment) {
    c.plan.term = 0;
    startWalk(c.walk, c.plan);
  }
  startHistory(calc.history);
  screen::printText("", true);
  printHeader();
  calc.scheduleRow = FIRST_LINE_ROW;
  calc.stepping = true;
  calc.focus = FOCUS_CONTINUE;
}

bool canStep() {
  return canWalk(calc.walk);
}

void stepMonth() {
  if (calc.scheduleRow > LAST_LINE_ROW) {
    scrollScheduleUp(FIRST_LINE_ROW, LAST_LINE_ROW);
    calc.scheduleRow = LAST_LINE_ROW;
  }
  drawMonthLine(calc.scheduleRow, computeMonth());
  ++calc.scheduleRow;
}

void stepDown() {
  if (canStep()) {
    stepMonth();
  } else {
    finishSchedule();
  }
}

void stepYear() {
  for (int i = 0; i < MONTHS_PER_YEAR; ++i) {
    if (!canStep()) {
      finishSchedule();
      return;
    }
    stepMonth();
  }
}

void stepToEnd() {
  const Repayment& r = calc.walk.repayment;
  if (!(r.balance > 0 && r.monthCount < MONTH_LIMIT)) return;
  std::array<MonthLine, BAND_ROWS> recent;
  int32_t count = 0;
  while (canStep()) {
    recent[count % BAND_ROWS] = computeMonth();
    ++count;
  }
  placeLines(recent, count);
  finishSchedule();
}

void finishSchedule() {
  if (!calc.stepping) return;
  --calc.scheduleRow;
  while (calc.scheduleRow > LAST_LINE_ROW - 1) {
    scrollScheduleUp(FIRST_LINE_ROW, calc.scheduleRow);
    --calc.scheduleRow;
  }
  const int row = calc.scheduleRow + 1;
  blankRow(row);
  screen::setForeground(EXPRESSIONS_COLOUR);
  screen::moveCursor(row, 1);
  const std::string totals = totalsLine(calc.walk.repayment);
  // The line ends only after the reminder; a repaid loan leaves the cursor after the blank.
  screen::printText(totals, stillOwing(calc.walk.repayment));
  recordTotals(calc.history, totals);

  for (int k : INERT_AT_FINISH) {
    if (calc.controlIds[k] == 0) continue;
    calc.inertControls.push_back(calc.controlIds[k]);
    calc.controlIds[k] = 0;
  }
  calc.stepping = false;
}

void scrollScheduleUp(int top, int bottom) {
  screen::captureRect(0, screen::rowToY(top + 1), screen::SCREEN_WIDTH - 1,
                      screen::rowToY(bottom + 1) - 1, calc.scrollImage, false);
  screen::pasteImage(0, screen::rowToY(top), calc.scrollImage);
  blankRow(bottom);
}
