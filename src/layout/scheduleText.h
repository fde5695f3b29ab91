#pragma once

// The schedule as text outside the screen's drawing: a month's line exactly as the screen shows
// it, and the table a spreadsheet reads (the copy and the schedule command).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The two header lines above the months: a line of `horizontal` (one character of it for each
// cell) over the Interest and Principal columns with "Payment" in it, then the columns' names.
std::string scheduleHeaderText(std::string_view horizontal);

// The line of one month: the month from column 1, the interest, principal, remainder and total
// interest ending in columns 19, 37, 59 and 79, trailing blanks left out. An amount too wide
// for its place moves right of the one before; what no longer fits the 80 columns shows as
// asterisks.
std::string scheduleLineText(int32_t month, std::string_view interest, double principal,
                             double balance, double totalInterest);

// One month of the table. The texts are as shown, commas and all; the table drops the commas.
struct TableRow {
  int32_t month = 0;
  std::string_view rate;  // as the user typed it
  // Interest and principal, what the month took, as shown: summed, the total paid.
  std::string_view paid;
  std::string_view interest;
  double principal = 0;
  double balance = 0;
  double totalInterest = 0;
};

// What a table row usually takes ("12000,12.5,1000.00,..." with room to spare), to reserve the
// text of many rows at once.
constexpr size_t LINE_SIZE_GUESS = 96;

void appendTableHeader(std::string& out, char separator);
// Amounts as plain numbers with two decimals and no thousands separators: "1234.56".
void appendTableRow(std::string& out, char separator, const TableRow& row);

// An amount as a spreadsheet reads it: two decimals, no separators and never an exponent, also
// where the screen shows one ("1E+16" is "10000000000000000.00").
std::string plainAmount(double value);
