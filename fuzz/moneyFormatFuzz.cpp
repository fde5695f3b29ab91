// Feeds any double, any count of decimals and any text to the amount formatter and the number
// reader. Formatting never fails and stays short. An amount with a plain form reads back, once
// its commas are gone, as exactly the double nearest to the amount rounded to the cent, halves
// away from zero, worked out here on its own in extended precision; trimming the zeros never
// changes that value. Larger amounts read back within the sixteen digits they are shown with.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "money/amountText.h"
#include "money/moneyFormat.h"

namespace {

constexpr size_t LONGEST_AMOUNT = 64;

void fail(const char* what, double value, const std::string& shown) {
  std::fprintf(stderr, "moneyFormatFuzz: %s: %.17g shown as \"%s\"\n", what, value, shown.c_str());
  std::abort();
}

// Digits in groups of three joined by commas, a point and two digits, an optional minus sign.
bool hasCentShape(const std::string& text) {
  size_t i = text.size() > 0 && text[0] == '-' ? 1 : 0;
  const size_t point = text.find('.');
  if (point == std::string::npos || text.size() != point + 3) return false;
  const size_t integerLength = point - i;
  if (integerLength % 4 == 0) return false;  // a comma would lead
  for (size_t k = 0; i < point; ++i, ++k) {
    const bool commaPlace = (integerLength - k) % 4 == 0;
    if (commaPlace ? text[i] != ',' : (text[i] < '0' || text[i] > '9')) return false;
  }
  return text[point + 1] >= '0' && text[point + 1] <= '9' && text[point + 2] >= '0' &&
         text[point + 2] <= '9';
}

// Whether `read` is the double nearest to cents / 100. Doubles below 2^53 times 100 fit the
// extended significand, so each distance is exact; no cent value lies halfway between doubles.
bool nearestToCents(double read, long double cents) {
  const long double distance = std::fabs(static_cast<long double>(read) * 100 - cents);
  const double below = std::nextafter(read, -HUGE_VAL);
  const double above = std::nextafter(read, HUGE_VAL);
  return distance <= std::fabs(static_cast<long double>(below) * 100 - cents) &&
         distance <= std::fabs(static_cast<long double>(above) * 100 - cents);
}

void checkCents(double value) {
  const std::string shown = formatAmount(value, 2, false);
  if (!hasCentShape(shown)) fail("not a cent amount", value, shown);
  const long double m = std::fabs(static_cast<long double>(value));
  const long double cents = std::floor(m * 100 + 0.5L);
  if (cents == 0 && shown[0] == '-') fail("a minus sign on zero", value, shown);
  if (cents != 0 && (shown[0] == '-') != (value < 0)) fail("the sign lost", value, shown);
  const double read = numberValue(stripCommas(shown));
  if (!nearestToCents(std::fabs(read), cents)) fail("not rounded to the cent", value, shown);

  // Trimming shows at most the decimals the value has, and never another value.
  const std::string trimmed = formatAmount(value, 2, true);
  if (numberValue(stripCommas(trimmed)) != read) fail("trimmed to another value", value, trimmed);
  if (trimmed.find('.') != std::string::npos && trimmed.back() == '0') {
    fail("a zero left at the end", value, trimmed);
  }
}

// The C library's reading of the text, kept to what the program accepts: a "D" exponent is an
// "E", and hexadecimal numbers, infinities, NaNs and line-end blanks do not read.
double libraryReading(std::string_view text) {
  std::string plain(text);
  for (char& c : plain) {
    if (c == 'D' || c == 'd') c = 'e';
    if (std::strchr("xXpPiInN\n\r\v\f", c) != nullptr && c != '\0') c = '#';
  }
  return std::strtod(plain.c_str(), nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  double value = 0;
  int32_t decimals = 2;
  if (size >= sizeof value) std::memcpy(&value, data, sizeof value);
  if (size >= sizeof value + sizeof decimals) {
    std::memcpy(&decimals, data + sizeof value, sizeof decimals);
  }
  const size_t textStart = std::min(size, sizeof value + sizeof decimals);
  const std::string_view text(reinterpret_cast<const char*>(data + textStart), size - textStart);

  for (bool trimZeros : {false, true}) {
    const std::string shown = formatAmount(value, decimals, trimZeros);
    if (shown.empty() || shown.size() > LONGEST_AMOUNT) fail("too long or empty", value, shown);
  }

  const double m = std::fabs(value);
  if (std::isfinite(value) && m < 1e14 && (m == 0 || m >= 1e-18)) {
    checkCents(value);
  } else if (std::isfinite(value) && m != 0) {
    const std::string shown = formatAmount(value, 2, false);
    const double read = numberValue(stripCommas(shown));
    // Sixteen digits of the largest doubles round up past the largest double.
    const bool roundsPastLargest = m > 1.797693134862315e308 && read == value * HUGE_VAL;
    const long double error = m < 1e-18 ? std::fabs(read - value) : std::fabs(read - value) / m;
    if (!roundsPastLargest && !(error <= (m < 1e-18 ? 0.005 : 1e-15))) {
      fail("read back too far off", value, shown);
    }
  }

  // Any text reads as some number, and only its start counts: a letter cannot carry a number on.
  const double read = numberValue(text);
  if (std::isnan(read)) fail("a text read as NaN", read, std::string(text));
  const double readWithTail = numberValue(std::string(text) + "x1");
  if (std::memcmp(&read, &readWithTail, sizeof read) != 0) {
    fail("a letter after the text changed its value", read, std::string(text));
  }
  const double expected = libraryReading(text);
  if (std::memcmp(&read, &expected, sizeof read) != 0) {
    fail("read otherwise than the C library reads it", read, std::string(text));
  }
  return 0;
}
