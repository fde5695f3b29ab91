#include "money/scheduleText.h"

#include <algorithm>
#include <charconv>

#include "money/moneyFormat.h"

namespace {

constexpr int LAST_COLUMN = 80;
// The last column of each amount of a schedule line: interest, principal, remainder, total.
enum AmountEnd : int { INTEREST_END = 19, PRINCIPAL_END = 37, REMAINDER_END = 59, TOTAL_END = 79 };
constexpr size_t MONTH_SIZE = 16;
constexpr size_t AMOUNT_SIZE = AMOUNT_TEXT_SIZE;
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

}  // namespace

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
  // Written in place: a long schedule writes thousands of rows.
  const size_t start = out.size();
  out.resize(start + ROW_SIZE_BEYOND_TEXTS + row.rate.size() + row.payment.size() +
             row.interest.size());
  char* const line = out.data() + start;
  char* end = std::to_chars(line, line + MONTH_SIZE, row.month).ptr;
  const auto field = [&](std::string_view text) {
    *end++ = separator;
    end = copyPlain(end, text);
  };
  field(row.rate);
  field(row.payment);
  field(row.interest);
  char amountText[AMOUNT_TEXT_SIZE];
  for (double amount : {row.principal, row.balance, row.totalInterest}) {
    const int length = formatAmountInto(amount, 2, false, amountText);
    field(std::string_view(amountText, static_cast<size_t>(length)));
  }
  *end++ = '\n';
  out.resize(static_cast<size_t>(end - out.data()));
}
