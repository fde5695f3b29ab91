#pragma once

// Amounts and rates as they are typed: the characters they may hold, and the number a text
// reads as.

#include <string>
#include <string_view>

// What the amount fields and the schedule command take: digits, a point and commas (250,000);
// a rate takes no commas.
constexpr std::string_view AMOUNT_CHARACTERS = "0123456789.,";
constexpr std::string_view RATE_CHARACTERS = "0123456789.";

// The longest leading decimal number after leading spaces and tabs, with an optional sign and
// an "E" or "D" exponent ("1,234" reads as 1); 0 if there is none. Beyond what a double holds
// it is infinite, below it 0.
double numberValue(std::string_view text);

std::string stripCommas(std::string_view text);

// An amount as a field reads it: numberValue of the text without its commas, more than two
// decimals rounded to the cent, half up on the digits as typed (100.015 reads as 100.02). A
// text that can show a huge amount as 1E+16 can be edited into an exponent no double holds;
// such a text gives no amount, like one without a number.
double amountValue(std::string_view text);
