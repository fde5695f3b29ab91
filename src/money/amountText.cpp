// Text turned into a number: the longest leading decimal number, as typed amounts and file items
// are read, and an amount as a field holds it.

#include "money/amountText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// from_chars leaves the value untouched when it is out of range, so the decimal order of
// magnitude of the text decides between overflow (infinity) and underflow (zero).
double outOfRangeValue(std::string_view mantissa, std::string_view exponent) {
  const size_t point = std::min(mantissa.find('.'), mantissa.size());
  const size_t first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos) return 0.0;
  long long order = first < point ? static_cast<long long>(point - first) - 1
                                  : -static_cast<long long>(first - point);
  long long power = 0;
  for (char c : exponent) {
    if (isDigit(c) && power < 1'000'000'000) power = power * 10 + (c - '0');
  }
  if (!exponent.empty() && exponent[0] == '-') power = -power;
  return order + power >= 0 ? HUGE_VAL : 0.0;
}

}  // namespace

double numberValue(std::string_view text) {
  const size_t size = text.size();
  size_t i = 0;
  while (i < size && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < size && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  const size_t start = i;
  size_t digits = 0;
  for (; i < size && isDigit(text[i]); ++i) ++digits;
  if (i < size && text[i] == '.') {
    for (++i; i < size && isDigit(text[i]); ++i) ++digits;
  }
  if (digits == 0) return 0.0;
  const size_t mantissaEnd = i;

  // An exponent letter counts only when digits follow it: "1e" is 1.
  size_t end = mantissaEnd;
  if (i < size && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    size_t j = i + 1;
    if (j < size && (text[j] == '+' || text[j] == '-')) ++j;
    const size_t exponentDigits = j;
    while (j < size && isDigit(text[j])) ++j;
    if (j > exponentDigits) end = j;
  }

  std::string_view number = text.substr(start, end - start);
  std::string withE;
  if (end > mantissaEnd && (text[mantissaEnd] == 'D' || text[mantissaEnd] == 'd')) {
    withE.assign(number);
    withE[mantissaEnd - start] = 'e';
    number = withE;
  }

  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    const std::string_view exponent =
        end > mantissaEnd ? text.substr(mantissaEnd + 1, end - mantissaEnd - 1) : "";
    value = outOfRangeValue(text.substr(start, mantissaEnd - start), exponent);
  }
  return negative ? -value : value;
}

std::string stripCommas(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    if (c != ',') result += c;
  }
  return result;
}

double amountValue(std::string_view text) {
  const double value = numberValue(stripCommas(text));
  return std::isfinite(value) ? value : 0;
}
