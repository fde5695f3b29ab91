#pragma once

// Amounts as the calculator shows and reads them.

#include <cstdint>
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
// length.
constexpr int AMOUNT_TEXT_SIZE = 64;
int formatAmountInto(double value, int32_t decimals, bool trimZeros,
                     char (&text)[AMOUNT_TEXT_SIZE]);

std::string stripCommas(std::string_view text);

// The leading decimal number of the text ("1,234" reads as 1); 0 if there is none.
double numberValue(std::string_view text);

// An amount as a field reads it: numberValue of the text without its commas, more than two
// decimals rounded to the cent, half up on the digits as typed (100.015 reads as 100.02). A
// text that can show a huge amount as 1E+16 can be edited into an exponent no double holds;
// such a text gives no amount, like one without a number.
double amountValue(std::string_view text);

// The characters an amount field holds: as many as the command line takes in an amount or a
// rate.
constexpr int AMOUNT_FIELD_WIDTH = 16;

// At most 16 significant digits, exactly as "%.16g" writes them.
std::string numberText(double value);
