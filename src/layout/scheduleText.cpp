#include "layout/scheduleText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "money/amountText.h"
#include "money/moneyFormat.h"

namespace {

constexpr int LAST_COLUMN = 80;
// The last column of each amount of a schedule line: interest, principal, remainder, total.
enum AmountEnd : int { INTEREST_END = 19, PRINCIPAL_END = 37, REMAINDER_END = 59, TOTAL_END = 79 };
constexpr size_t MONTH_SIZE = 16;
constexpr size_t AMOUNT_SIZE = AMOUNT_TEXT_SIZE;
// Written out in full, an amount below it fits AMOUNT_SIZE.
constexpr double PLAIN_LIMIT = 1e60;
// A table row holds its month, six separators, three amounts and a line end besides the texts
// it is given.
constexpr size_t ROW_SIZE_BEYOND_TEXTS = MONTH_SIZE + 6 + 3 * AMOUNT_SIZE + 1;

// Writes the text so that it ends at column `end` where it fits, never touching the text before
// it (which ends before column `next`); answers the column after it.
int placeEndingAt(std::string& line, std::string_view text, int end, int next) {
  const int start =
      std::min(std::max(end + 1 - static_cast<int>(text.size()), next + 1), LAST_COLUMN + 1);
  const size_t room = static_cast<size_t>(LAST_COLUMN + 1 - start);
  const size_t length = std::min(text.size(), room);
  if (text.size() <= room) {
    line.replace(static_cast<size_t>(start - 1), length, text);
  } else {
    line.replace(static_cast<size_t>(start - 1), length, length, '*');
  }
  return start + static_cast<int>(length);
}

// Copies the amount without its commas; answers the end of the copy. `line` has room for it.
char* copyPlain(char* line, std::string_view shown) {
  for (char c : shown) {
    if (c != ',') *line++ = c;
  }
  return line;
}

// An amount with two decimals shows its point third from the end, unlike the exponent form
// ("1E+16", "1.5E+20") and INF or NAN.
bool showsDecimals(std::string_view shown) {
  return shown.size() >= 4 && shown[shown.size() - 3] == '.';
}

// The amount shown as `shown` without commas, or, where it shows an exponent, its value
// written out in full; answers the end. Amounts stay far below 10^60, so `line` has room.
char* writePlain(char* line, std::string_view shown, double value) {
  if (showsDecimals(shown)) return copyPlain(line, shown);
  if (!std::isfinite(value) || std::fabs(value) >= PLAIN_LIMIT) return copyPlain(line, shown);
  return std::to_chars(line, line + AMOUNT_SIZE, value, std::chars_format::fixed, 2).ptr;
}

// Where each column's name starts; the Interest and Principal columns together make up the
// payment, which the line above them names.
struct HeaderColumn {
  std::string_view name;
  int column;
};
constexpr HeaderColumn HEADER[] = {
    {"Month", 1}, {"Interest", 12}, {"Principal", 29}, {"Remainder", 51}, {"Total Interest", 66}};
constexpr int PAYMENT_LINE_COLUMN = 12;
constexpr int LINE_BEFORE_PAYMENT = 9, LINE_AFTER_PAYMENT = 10;

void repeat(std::string& out, std::string_view piece, int times) {
  for (int i = 0; i < times; ++i) out += piece;
}

}  // namespace

std::string scheduleHeaderText(std::string_view horizontal) {
  std::string text(PAYMENT_LINE_COLUMN - 1, ' ');
  repeat(text, horizontal, LINE_BEFORE_PAYMENT);
  text += "Payment";
  repeat(text, horizontal, LINE_AFTER_PAYMENT);
  text += '\n';
  std::string names;
  for (const HeaderColumn& h : HEADER) {
    names.resize(static_cast<size_t>(h.column - 1), ' ');
    names += h.name;
  }
  return text + names + '\n';
}

std::string scheduleLineText(int32_t month, std::string_view interest, double principal,
                             double balance, double totalInterest) {
  std::string line(LAST_COLUMN, ' ');
  char digits[16];
  const char* monthEnd = std::to_chars(digits, digits + sizeof digits, month).ptr;
  line.replace(0, static_cast<size_t>(monthEnd - digits), digits, monthEnd - digits);
  int next = static_cast<int>(monthEnd - digits) + 1;
  next = placeEndingAt(line, interest, INTEREST_END, next);
  next = placeEndingAt(line, formatAmount(principal, 2, false), PRINCIPAL_END, next);
  next = placeEndingAt(line, formatAmount(balance, 2, false), REMAINDER_END, next);
  placeEndingAt(line, formatAmount(totalInterest, 2, false), TOTAL_END, next);
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

void appendTableHeader(std::string& out, char separator) {
  for (std::string_view name :
       {"Month", "Rate", "Payment", "Interest", "Principal", "Remainder", "Total interest"}) {
    if (name != "Month") out += separator;
    out += name;
  }
  out += '\n';
}

void appendTableRow(std::string& out, char separator, const TableRow& row) {
  // A text shown with an exponent is written out in full, in at most AMOUNT_SIZE characters.
  const auto room = [](std::string_view shown) {
    return showsDecimals(shown) ? shown.size() : AMOUNT_SIZE;
  };
  const size_t most = ROW_SIZE_BEYOND_TEXTS + row.rate.size() + room(row.paid) + room(row.interest);
  // Written on the stack and appended whole: a long schedule writes thousands of rows.
  char onStack[ROW_SIZE_BEYOND_TEXTS + MONTH_SIZE + 2 * AMOUNT_SIZE];
  std::string longer(most > sizeof onStack ? most : 0, '\0');
  char* const line = longer.empty() ? onStack : longer.data();
  char* end = std::to_chars(line, line + MONTH_SIZE, row.month).ptr;
  *end++ = separator;
  end = copyPlain(end, row.rate);
  const auto amount = [&](double value) {
    *end++ = separator;
    // Written without commas straight into the row, each amount with AMOUNT_SIZE of room; one
    // shown with an exponent is written over with its value in full (INF, NAN and the largest
    // stay as they are).
    const std::string_view shown(end, static_cast<size_t>(formatAmountInto(
                                          value, 2, false, AmountText(end, AMOUNT_SIZE), false)));
    end = showsDecimals(shown) ? end + shown.size() : writePlain(end, shown, value);
  };
  for (std::string_view shown : {row.paid, row.interest}) {
    *end++ = separator;
    // Read back only where the text shows an exponent: this runs for every month.
    end = writePlain(end, shown, showsDecimals(shown) ? 0 : numberValue(stripCommas(shown)));
  }
  for (double value : {row.principal, row.balance, row.totalInterest}) amount(value);
  *end++ = '\n';
  out.append(line, static_cast<size_t>(end - line));
}

std::string plainAmount(double value) {
  char amountText[AMOUNT_TEXT_SIZE];
  const int length = formatAmountInto(value, 2, false, amountText);
  char line[AMOUNT_SIZE];
  const char* end =
      writePlain(line, std::string_view(amountText, static_cast<size_t>(length)), value);
  return std::string(line, static_cast<size_t>(end - line));
}
