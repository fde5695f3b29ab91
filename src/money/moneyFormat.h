#pragma once

// Amounts as the calculator shows and reads them.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Rounds to `decimals` places, halves away from zero, and groups the integer digits in threes
// with commas; trimZeros drops fraction zeros and never shows decimals the value lacks.
// Magnitudes of 1e16 and more, and non-zero ones below 1e-19, come back as the upper-cased
// number text ("1E+20"). Amounts whose scaled integer passes 1e16 still show every digit
// ("123,456,789,012,345.67"); only a scaled integer of 2^64 or more (possible with more than
// three decimals) falls back to the number text. NaN gives "NAN", infinities "INF" and "-INF".
// Decimals outside 0..18 are taken as the nearest bound.
std::string formatAmount(double value, int32_t decimals, bool trimZeros);
// The same text written into `text`, for callers that format thousands of amounts; answers its
// length. Without `grouped`, the integer digits stand without commas.
constexpr int AMOUNT_TEXT_SIZE = 64;
using AmountText = std::span<char, AMOUNT_TEXT_SIZE>;
int formatAmountInto(double value, int32_t decimals, bool trimZeros, AmountText text,
                     bool grouped = true);

// An amount with two decimals, grouped, as formatAmountInto writes it into `text`, and the whole
// cents it shows where they are exact: written with digits and a point, fewer than 16 of them.
// A month's interest is carried as shown; this spares reading every month's text back.
struct ShownCents {
  int length = 0;
  bool exact = false;
  int64_t cents = 0;  // signed as the text shows it
};
ShownCents formatCentsInto(double value, AmountText text);

// At most 16 significant digits, exactly as "%.16g" writes them.
std::string numberText(double value);
