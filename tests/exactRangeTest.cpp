#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "app/program.h"
#include "cli/scheduleCommand.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/mainScreenScript.h"
#include "support/screenReader.h"

// The largest loan, payment and monthly interest that every schedule keeps exact to the cent
// (measured by scripts/measureExactRange.py), and a cent beyond: at the bound every format and
// the window show plain amounts; beyond it the command line refuses with status 2 and the window
// with a message where the payment message stands.

namespace {

constexpr int F3 = 61;

struct Case {
  const char* name;
  std::string loan, rate, payment;
  std::string refusal;  // empty: accepted
  // Accepted: "Months", "Total paid", "Total interest" and "Last payment" of the summary, from
  // exact fractions of the decimals typed, each month's interest rounded to the nearest cent.
  std::string figures = {};
};

const std::vector<Case> CASES = {
    // 999,999,999.99 x 0.12 / 1200 is 99,999.999999: the most interest, a cent of principal a
    // month for 1000 years.
    {"the largest loan at the most interest", "999,999,999.99", "0.12", "100000.01", "",
     "Months: 12000 (1000 years and 0 months)  and you still haven't paid it off!!!\n"
     "Total paid: 1200000120.00\nTotal interest: 1199999887.99\nLast payment: 100000.01\n"},
    {"the largest payment", "999999999.99", "0.12", "9999999999999.99", "",
     "Months: 1 (0 years and 1 months)\nTotal paid: 1000099999.99\nTotal interest: 100000.00\n"
     "Last payment: 1000099999.99\n"},
    {"a cent more loan", "1000000000", "0", "1000000000", "Loan must be <= $999,999,999.99"},
    {"sixteen digits", "9999999999999999", "25", "", "Loan must be <= $999,999,999.99"},
    {"a cent more payment", "1000", "6", "10000000000000",
     "Payment must be <= $9,999,999,999,999.99"},
    // 0.83 more interest a month.
    {"a little more interest", "999999999.99", "0.120001", "",
     "Interest must be <= $100,000.00 a month"},
    {"the interest of a huge rate", "5000", "9999999999999999", "",
     "Interest must be <= $100,000.00 a month"},
};

bool hasExponent(const std::string& text) {
  static const std::regex EXPONENT("[0-9][eE][-+]?[0-9]");
  return std::regex_search(text, EXPONENT);
}

std::string figuresOf(const std::string& summary) {
  return summary.substr(summary.find("Months: "));
}

}  // namespace

TEST(ExactRange, TheCommandLineWritesPlainAmountsAtTheBoundAndRefusesBeyondIt) {
  for (const Case& c : CASES) {
    for (const std::string format : {"csv", "text", "summary", "svg"}) {
      SCOPED_TRACE(std::string(c.name) + ", " + format);
      std::vector<const char*> argv = {"quillo",       "schedule",        c.loan.c_str(),
                                       c.rate.c_str(), c.payment.c_str(), "--format",
                                       format.c_str()};
      std::string out, err;
      const int status = scheduleCommand(static_cast<int>(argv.size()), argv.data(), out, err);
      if (!c.refusal.empty()) {
        EXPECT_EQ(status, 2);
        EXPECT_EQ(out, "");
        EXPECT_EQ(err.substr(0, err.find('\n')), "quillo schedule: " + c.refusal);
        continue;
      }
      EXPECT_EQ(status, 0) << err;
      EXPECT_FALSE(hasExponent(out)) << out.substr(0, 2000);
      if (format == "summary") {
        EXPECT_EQ(figuresOf(out), c.figures);
      }
    }
  }
}

TEST(ExactRange, TheWindowShowsPlainAmountsAtTheBoundAndRefusesBeyondIt) {
  for (const Case& c : CASES) {
    SCOPED_TRACE(c.name);
    headless::reset();
    mainScript::enterInputs(c.loan, c.rate, c.payment);
    headless::key("\r");
    headless::snapshot();
    if (c.refusal.empty()) {
      headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
      headless::snapshot();
      headless::extendedKey(F3);
      headless::snapshot();
      headless::key("\x1b");
      headless::key("\x03");  // Ctrl+C: the whole schedule
    }
    runProgram();
    const std::string row6 = screenReader::rowText(6, mainScript::snapshot(0));
    const std::string message = row6.size() > 34 ? row6.substr(34) : "";
    if (!c.refusal.empty()) {
      EXPECT_EQ(message, c.refusal);
      EXPECT_EQ(screenReader::rowText(9, mainScript::snapshot(0)), "") << "a schedule started";
      continue;
    }
    EXPECT_EQ(message, "");
    for (size_t shot : {1u, 2u}) {
      for (int row = 1; row <= 30; ++row) {
        const std::string text = screenReader::rowText(row, mainScript::snapshot(shot));
        EXPECT_FALSE(hasExponent(text)) << "snapshot " << shot << ", row " << row << ": " << text;
      }
    }
    // Every month was copied, up to the last.
    const std::string& copied = headless::headlessState.clipboard;
    const std::string months = c.figures.substr(8, c.figures.find(' ', 8) - 8);
    EXPECT_NE(copied.find("\n" + months + "\t"), std::string::npos) << months;
    EXPECT_FALSE(hasExponent(copied));
  }
}
