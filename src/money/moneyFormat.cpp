#include "money/moneyFormat.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>

namespace {

constexpr int32_t MAX_DECIMALS = 18;
constexpr int NUMBER_TEXT_SIZE = 32;  // "-1.234567890123456e-308" with room to spare
// Whole cents below it have at most 15 digits, all of which a double holds.
constexpr uint64_t MAX_EXACT_CENTS = 1'000'000'000'000'000;

// Exact: every power up to 10^18 fits the 64-bit significand.
constexpr long double POWERS_OF_TEN[MAX_DECIMALS + 1] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L, 1e9L,
    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L};

// to_chars with a precision writes exactly what printf's %.16g writes, at a fraction of the cost.
int writeNumberText(double value, char* text) {
  return static_cast<int>(
      std::to_chars(text, text + NUMBER_TEXT_SIZE, value, std::chars_format::general, 16).ptr -
      text);
}

int unformatted(bool negative, const char* text, int length, char* result) {
  int resultLength = 0;
  if (negative) result[resultLength++] = '-';
  for (int i = 0; i < length; ++i) {
    const char c = text[i];
    result[resultLength++] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return resultLength;
}

int copied(std::string_view text, char* result) {
  return static_cast<int>(text.copy(result, text.size()));
}

// Up to two decimals are rounded in whole numbers (below), where the value is below 1e16.
bool roundsInWholeNumbers(double m, int32_t d) {
  return d <= 2 && m < 1e16;
}

// floor(10^d * m + 0.5), computed exactly from the double's bits: its 53-bit significand times
// 100 takes at most 60 bits, so the extended-precision product and sum would be exact as well
// and give the same integer, but without the x87 rounding-mode switches that cost more than all
// the rest of an amount.
uint64_t halfUpInWholeNumbers(double m, int32_t d) {
  constexpr uint64_t WHOLE_POWERS[] = {1, 10, 100};
  constexpr int SIGNIFICAND_BITS = 52, EXPONENT_BIAS = 1075;  // m = significand * 2^(e - 1075)
  constexpr uint64_t HIDDEN_BIT = uint64_t{1} << SIGNIFICAND_BITS;
  const uint64_t bits = std::bit_cast<uint64_t>(m);
  const int exponent = static_cast<int>(bits >> SIGNIFICAND_BITS);  // m is not negative
  const uint64_t significand = (bits & (HIDDEN_BIT - 1)) + HIDDEN_BIT;
  const uint64_t product = significand * WHOLE_POWERS[d];
  const int shift = EXPONENT_BIAS - exponent;
  if (shift <= 0) return product << -shift;  // below 10^18
  // 10^d * m below 2^60 / 2^64, as for zero and the subnormals
  if (shift >= 64) return 0;
  return (product + (uint64_t{1} << (shift - 1))) >> shift;
}

// What writeAmount wrote: its length, and where the text is digits and a point rather than a
// number text, the integer its digits make. Inlined into both callers: returned through memory,
// the three cost every formatted amount a few percent.
struct Written {
  int length = 0;
  bool digits = false;
  uint64_t scaled = 0;
};

[[gnu::always_inline]] inline Written writeAmount(double value, int32_t decimals, bool trimZeros,
                                                  bool grouped, AmountText r) {
  if (std::isnan(value)) return {copied("NAN", r.data())};
  const bool negative = value < 0;
  const double m = std::fabs(value);
  if (std::isinf(m)) return {copied(negative ? "-INF" : "INF", r.data())};

  const int32_t places = std::clamp(decimals, 0, MAX_DECIMALS);
  int32_t d = places;
  char t[NUMBER_TEXT_SIZE];
  int tLength = 0;
  // Between 1e-3 and 1e15 the number text is always plain; outside it, or when trimming needs
  // the count of decimals the value has, the text itself decides.
  if (trimZeros || !(m == 0 || (m >= 1e-3 && m < 1e15))) {
    tLength = writeNumberText(m, t);
    char* tEnd = t + tLength;
    char* e = std::find(t, tEnd, 'e');
    int fractionLength = 0;
    if (e != tEnd) {
      int exponent = 0;
      std::from_chars(e[1] == '+' ? e + 2 : e + 1, tEnd, exponent);
      if (exponent >= 0 || exponent <= -20) return {unformatted(negative, t, tLength, r.data())};
      // 1.5e-05 written plainly is .000015
      const int mantissaDigits = static_cast<int>(e - t) - (std::find(t, e, '.') != e ? 1 : 0);
      fractionLength = -exponent - 1 + mantissaDigits;
    } else {
      const char* point = std::find(t, tEnd, '.');
      fractionLength = point == tEnd ? 0 : static_cast<int>(tEnd - point - 1);
    }
    if (trimZeros) d = std::min(places, fractionLength);
  }

  uint64_t n;  // set on both paths
  if (roundsInWholeNumbers(m, d)) {
    n = halfUpInWholeNumbers(m, d);
  } else {
    // Product and sum stay in extended precision up to the floor: that decides whether 1.115
    // shows as 1.11 (its double lies just below) rather than 1.12.
    const long double scaled = std::floor(POWERS_OF_TEN[d] * static_cast<long double>(m) + 0.5L);
    if (scaled >= 0x1p64L) {
      if (tLength == 0) tLength = writeNumberText(m, t);
      return {unformatted(negative, t, tLength, r.data())};
    }
    n = static_cast<uint64_t>(scaled);
  }

  char u[24];
  const int k = static_cast<int>(std::to_chars(u, u + sizeof u, n).ptr - u);
  const int integerLength = k > d ? k - d : 1;

  int length = 0;
  if (negative && n != 0) r[length++] = '-';  // never "-0.00"
  if (k > d) {
    for (int i = 0; i < integerLength; ++i) {
      if (grouped && i > 0 && (integerLength - i) % 3 == 0) r[length++] = ',';
      r[length++] = u[i];
    }
  } else {
    r[length++] = '0';
  }
  if (d > 0) {
    r[length++] = '.';
    for (int i = k; i < d; ++i) r[length++] = '0';
    for (int i = std::max(0, k - d); i < k; ++i) r[length++] = u[i];
    if (trimZeros) {
      while (r[length - 1] == '0') --length;
      if (r[length - 1] == '.') --length;
    }
  }
  return {length, true, n};
}

}  // namespace

std::string numberText(double value) {
  char text[NUMBER_TEXT_SIZE];
  return std::string(text, writeNumberText(value, text));
}

std::string formatAmount(double value, int32_t decimals, bool trimZeros) {
  char text[AMOUNT_TEXT_SIZE];
  return std::string(text, static_cast<size_t>(formatAmountInto(value, decimals, trimZeros, text)));
}

int formatAmountInto(double value, int32_t decimals, bool trimZeros, AmountText text,
                     bool grouped) {
  return writeAmount(value, decimals, trimZeros, grouped, text).length;
}

ShownCents formatCentsInto(double value, AmountText text) {
  const Written written = writeAmount(value, 2, false, true, text);
  ShownCents shown{written.length};
  shown.exact = written.digits && written.scaled < MAX_EXACT_CENTS;
  if (shown.exact) {
    shown.cents = static_cast<int64_t>(written.scaled);
    if (value < 0) shown.cents = -shown.cents;
  }
  return shown;
}
