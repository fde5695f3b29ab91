#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "money/amountText.h"
#include "money/moneyFormat.h"

namespace {

TEST(MoneyFormat, FormatsAmounts) {
  struct Case {
    double value;
    int32_t decimals;
    bool trimZeros;
    const char* shown;
  };
  const Case cases[] = {
      {1234567.891, 2, false, "1,234,567.89"},
      {250000, 2, false, "250,000.00"},
      {250000, 2, true, "250,000"},
      {1500.5, 2, true, "1,500.5"},
      {1234.501, 2, true, "1,234.5"},
      {999.999, 2, true, "1,000"},
      {0.05, 2, false, "0.05"},
      {0.125, 2, false, "0.13"},
      {1.005, 2, false, "1.00"},
      {1.115, 2, false, "1.11"},
      {2.675, 2, false, "2.67"},
      {-1234.5, 2, false, "-1,234.50"},
      {-0.005, 2, false, "-0.01"},
      {-0.004, 2, false, "0.00"},
      {0.00001, 2, false, "0.00"},
      {0.00001, 2, true, "0"},
      {12345.678, 0, false, "12,346"},
      {0, 2, false, "0.00"},
      {-0.0, 2, true, "0"},
      {1e20, 2, false, "1E+20"},
      // Beyond 16 significant digits every digit of the rounded amount is still shown.
      {123456789012345.67, 2, false, "123,456,789,012,345.67"},
      {123456789012345.67, 2, true, "123,456,789,012,345.7"},
      {9999999999999998, 2, false, "9,999,999,999,999,998.00"},
      {5e15 + 1, 2, false, "5,000,000,000,000,001.00"},    // a whole number of 53 bits
      {3e15 + 0.5, 2, false, "3,000,000,000,000,000.50"},  // halves, no smaller part
      {-1e16, 2, false, "-1E+16"},
      {-1e-25, 2, false, "-1E-25"},
      {2.5e-20, 2, false, "2.5E-20"},
      {0.000015, 6, true, "0.000015"},
      {0.000015, 8, false, "0.00001500"},
      {9e15, 4, false, "9000000000000000"},  // scaled past 2^64: the number text
      {1e14, 6, false, "100000000000000"},   // the same from below 1e15
      {1234.5, -3, false, "1,235"},
      {std::numeric_limits<double>::quiet_NaN(), 2, false, "NAN"},
      {-std::numeric_limits<double>::quiet_NaN(), 2, false, "NAN"},
      {HUGE_VAL, 2, false, "INF"},
      {-HUGE_VAL, 2, true, "-INF"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(formatAmount(c.value, c.decimals, c.trimZeros), c.shown)
        << c.value << " " << c.decimals << " " << c.trimZeros;
    char text[AMOUNT_TEXT_SIZE];
    const int plainLength = formatAmountInto(c.value, c.decimals, c.trimZeros, text, false);
    EXPECT_EQ(std::string_view(text, plainLength), stripCommas(c.shown)) << c.value;
    if (c.decimals != 2 || c.trimZeros) continue;
    // The cents are known where the text is digits and a point, 15 digits at most.
    const ShownCents cents = formatCentsInto(c.value, text);
    EXPECT_EQ(std::string_view(text, cents.length), c.shown) << c.value;
    const std::string shown = c.shown;
    const std::string digits = stripCommas(std::string(shown).erase(shown.size() - 3, 1));
    const bool exact =
        shown.find_first_of("EN") == std::string::npos && digits.size() - (digits[0] == '-') <= 15;
    EXPECT_EQ(cents.exact, exact) << c.shown;
    if (exact) {
      EXPECT_EQ(cents.cents, std::stoll(digits)) << c.shown;
    }
  }
}

TEST(MoneyFormat, StripsCommas) {
  EXPECT_EQ(stripCommas(",1,,2,"), "12");
  EXPECT_EQ(stripCommas("250000.5"), "250000.5");
}

TEST(MoneyFormat, ReadsLeadingNumber) {
  const std::pair<const char*, double> cases[] = {
      {"", 0},
      {".", 0},
      {",", 0},
      {"-", 0},
      {"e5", 0},
      {"   12.5", 12.5},
      {"\t3x", 3},
      {"1,234", 1},
      {"6.5.1", 6.5},
      {"12 34", 12},
      {"+7", 7},
      {"-.5", -0.5},
      {"5.", 5},
      {"1e", 1},
      {"2E+", 2},
      {"1.5D3", 1500},
      {"-2.5d-1", -0.25},
      {"3e2x", 300},
      {"0.1", 0.1},
      {"1e-310", 1e-310},
      {"0.1000000000000000055511151231257827", 0.1},
      {"1e400", HUGE_VAL},
      {"-1D400", -HUGE_VAL},
      {"1e99999999999999999999", HUGE_VAL},
      {"1e-400", 0},
      {"0.0000000001e-99999999999999999999", 0},
      {"0e99999", 0},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(numberValue(text), value) << text;
}

TEST(MoneyFormat, NumberTextMatchesPrintf) {
  std::vector<double> values = {
      0,     250000, 1234.5,  0.1,    0.00001, 1e16, 1e15, 0.0001, 9.9999999999999986e-05,
      1e300, 5e-324, 1.0 / 3, 2.0 / 3};
  std::mt19937_64 random(42);
  for (int i = 0; i < 20000; ++i) {
    double x;
    uint64_t bits = random();
    std::memcpy(&x, &bits, sizeof x);
    if (std::isfinite(x)) values.push_back(x);
    values.push_back(std::ldexp(static_cast<double>(bits >> 11), -40));  // amount-sized values
  }
  char expected[64];
  for (double x : values) {
    std::snprintf(expected, sizeof expected, "%.16g", x);
    ASSERT_EQ(numberText(x), expected);
  }
  const std::pair<double, const char*> examples[] = {
      {250000, "250000"}, {1234.5, "1234.5"}, {0.1, "0.1"}, {0.00001, "1e-05"}, {1e16, "1e+16"}};
  for (const auto& [value, text] : examples) EXPECT_EQ(numberText(value), text);
}

// What is shown reads back as the value rounded half away from zero to the cent, and with no
// decimal up to three as well; tiny amounts show as zero.
TEST(MoneyFormat, ShownCentsReadBack) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> exponent(-19, 13);
  std::uniform_int_distribution<int64_t> halfCents(0, 2'000'000'000);
  constexpr long double POWERS[] = {1, 10, 100, 1000};
  for (int i = 0; i < 200000; ++i) {
    double x = i % 2 ? std::pow(10.0, exponent(random)) : (halfCents(random) * 10 + 5) / 1000.0;
    if (i % 3 == 0) x = -x;
    const int32_t decimals = i % 5 == 4 ? i % 4 : 2;
    const long double power = POWERS[decimals];
    const long double whole = std::roundl(std::fabs(x) * power);
    const double expected = std::copysign(static_cast<double>(whole / power), x);
    ASSERT_EQ(numberValue(stripCommas(formatAmount(x, decimals, false))), expected)
        << std::hexfloat << x << " " << decimals;
    if (decimals != 2) continue;
    char text[AMOUNT_TEXT_SIZE];
    const ShownCents shown = formatCentsInto(x, text);
    ASSERT_TRUE(shown.exact) << x;
    ASSERT_EQ(static_cast<double>(shown.cents) / 100.0, expected) << std::hexfloat << x;
  }
}

}  // namespace
