#include "app/schedule.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <string_view>

#include "app/calculatorState.h"
#include "app/controlTable.h"
#include "app/moneyFormat.h"
#include "controls/buttonRegistry.h"
#include "screen/screen.h"

namespace {

constexpr int TEXT_COLOUR = 15;
constexpr int HEADER_COLOUR = 14;
constexpr int FIRST_LINE_ROW = 16;
constexpr int LAST_LINE_ROW = 27;
constexpr int BAND_ROWS = LAST_LINE_ROW - FIRST_LINE_ROW + 1;
constexpr int LAST_COLUMN = 80;
constexpr int32_t MONTH_LIMIT = 12000;
constexpr int MONTHS_PER_YEAR = 12;
constexpr double REPAID_BELOW = 0.004;
constexpr long double MONTHS_TIMES_PERCENT = 1200.0L;

constexpr int INTEREST_END = 19;
constexpr int PRINCIPAL_END = 37;
constexpr int REMAINDER_END = 59;
constexpr int TOTAL_END = 79;

constexpr char HORIZONTAL_LINE = '\xc4';
constexpr int INERT_AT_FINISH[] = {1, 2, 3, 4, 7, 8, 9, 10};

// What one schedule line shows, kept so that a line can be drawn after later months were
// computed.
struct MonthLine {
  int32_t month;
  double interest;  // unrounded; shown as formatted
  double principal;
  double balance;
  double totalInterest;
};

std::string_view decimal(int32_t n, char (&buffer)[16]) {
  return std::string_view(buffer, std::to_chars(buffer, buffer + sizeof buffer, n).ptr - buffer);
}

// numberValue(stripCommas(text)) without building a second string.
double shownValue(std::string_view text) {
  char digits[64];
  size_t length = 0;
  for (char c : text) {
    if (c != ',' && length < sizeof digits) digits[length++] = c;
  }
  return numberValue(std::string_view(digits, length));
}

MonthLine computeMonth() {
  CalculatorState& c = calc;
  ++c.monthCount;
  // Divide, multiply, add with a 64-bit significand, and round to double once: the cent the
  // interest shows depends on it.
  const long double interest =
      static_cast<long double>(c.annualRate) / MONTHS_TIMES_PERCENT * c.balance + c.roundingCarry;
  c.monthInterest = static_cast<double>(interest);
  // The interest is summed and carried as shown, so the shown text decides the cents.
  const double shown = shownValue(formatAmount(c.monthInterest, 2, false));
  c.roundingCarry = c.monthInterest - shown;
  c.totalInterest += shown;
  c.monthPrincipal = c.payment - shown;
  if (c.monthPrincipal > c.balance) c.monthPrincipal = c.balance;
  c.balance -= c.monthPrincipal;
  return {c.monthCount, c.monthInterest, c.monthPrincipal, c.balance, c.totalInterest};
}

void blankRow(int row) {
  screen::drawLine(0, rowToY(row), screen::SCREEN_WIDTH - 1, rowToY(row + 1) - 1, 0,
                   screen::Shape::FilledBox, false);
}

// Ends the text at column `end` where it fits. Huge amounts never overwrite or touch the text
// before them on the line: they move right instead, and one that would then run past the last
// column shows as asterisks, as neither a cut number nor a spill into the next row reads right.
void printEndingAt(std::string_view text, int end, bool lineBreak) {
  static constexpr std::string_view TOO_WIDE(
      "********************************************************************************");
  int row = 0, column = 0;
  screen::cursorPosition(row, column);
  const int start =
      std::min(std::max(end + 1 - static_cast<int>(text.size()), column + 1), LAST_COLUMN + 1);
  const size_t room = static_cast<size_t>(LAST_COLUMN + 1 - start);
  screen::moveCursor(0, start);
  screen::printText(text.size() <= room ? text : TOO_WIDE.substr(0, room), lineBreak);
}

// The whole row is written, so nothing of an earlier schedule's line shows between the values.
void drawMonthLine(int row, const MonthLine& line) {
  blankRow(row);
  screen::setForeground(TEXT_COLOUR);
  screen::moveCursor(row, 1);
  char month[16];
  screen::printText(decimal(line.month, month), false);
  printEndingAt(formatAmount(line.interest, 2, false), INTEREST_END, false);
  printEndingAt(formatAmount(line.principal, 2, false), PRINCIPAL_END, false);
  printEndingAt(formatAmount(line.balance, 2, false), REMAINDER_END, false);
  printEndingAt(formatAmount(line.totalInterest, 2, false), TOTAL_END, true);
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
    screen::captureRect(0, rowToY(from), screen::SCREEN_WIDTH - 1, rowToY(firstRow) - 1,
                        calc.scrollImage, false);
    screen::pasteImage(0, rowToY(FIRST_LINE_ROW), calc.scrollImage);
  }
  for (int32_t i = std::max<int32_t>(1, count - (BAND_ROWS - 1)); i <= count; ++i) {
    drawMonthLine(static_cast<int>(firstRow + i - 1 - scrolls), recent[(i - 1) % BAND_ROWS]);
  }
  calc.scheduleRow = static_cast<int>(std::min<int32_t>(firstRow + count, LAST_LINE_ROW + 1));
}

void printPrompt() {
  screen::setForeground(TEXT_COLOUR);
  screen::moveCursor(9, 1);
  screen::printText("Press", true);
  createControl(7);
  screen::setForeground(TEXT_COLOUR);
  screen::moveCursor(9, 9);
  screen::printText("to step by month.", true);
  screen::printText("Press", true);
  createControl(8);
  screen::setForeground(TEXT_COLOUR);
  screen::moveCursor(10, 16);
  screen::printText("to step by year.", true);
  screen::printText("You can change rate and/or payment while stepping.", true);
  screen::printText("Press", true);
  createControl(9);
  screen::setForeground(TEXT_COLOUR);
  screen::moveCursor(12, 21);
  screen::printText("to continue until loan repaid.", true);
}

void printHeader() {
  screen::setForeground(HEADER_COLOUR);
  screen::printTab(12);
  screen::printText(std::string(9, HORIZONTAL_LINE), false);
  screen::printText("Payment", false);
  screen::printText(std::string(10, HORIZONTAL_LINE), true);
  screen::printText("Month", false);
  screen::printTab(12);
  screen::printText("Interest", false);
  screen::printTab(29);
  screen::printText("Principal", false);
  screen::printTab(51);
  screen::printText("Remainder", false);
  screen::printTab(66);
  screen::printText("Total Interest", true);
}

}  // namespace

void startSchedule() {
  printPrompt();
  calc.monthCount = 0;
  calc.totalInterest = 0;
  screen::printText("", true);
  printHeader();
  calc.scheduleRow = FIRST_LINE_ROW;
  calc.stepping = true;
  calc.focus = 4;
  calc.roundingCarry = 0;
}

bool canStep() {
  return calc.balance > REPAID_BELOW && calc.monthCount < MONTH_LIMIT;
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
  if (!(calc.balance > 0 && calc.monthCount < MONTH_LIMIT)) return;
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
  screen::setForeground(TEXT_COLOUR);
  screen::moveCursor(row, 1);
  char years[16], months[16];
  screen::printText("(", false);
  screen::printText(decimal(calc.monthCount / MONTHS_PER_YEAR, years), false);
  screen::printText(" years and", false);
  screen::printText(" ", false);
  screen::printText(decimal(calc.monthCount % MONTHS_PER_YEAR, months), false);
  screen::printText(" months) ", false);
  if (calc.balance > REPAID_BELOW) {
    screen::printText(" and you still haven't paid it off!!!", true);
  }

  for (int k : INERT_AT_FINISH) {
    if (calc.controlIds[k] == 0) continue;
    calc.inertControls.push_back(calc.controlIds[k]);
    calc.controlIds[k] = 0;
  }
  calc.stepping = false;
}

void scrollScheduleUp(int top, int bottom) {
  screen::captureRect(0, rowToY(top + 1), screen::SCREEN_WIDTH - 1, rowToY(bottom + 1) - 1,
                      calc.scrollImage, false);
  screen::pasteImage(0, rowToY(top), calc.scrollImage);
  blankRow(bottom);
}
