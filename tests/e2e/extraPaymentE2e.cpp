#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "e2e/childProcess.h"
#include "e2e/e2eHarness.h"
#include "e2e/xvfbDisplay.h"
#include "support/screenReader.h"

// "What does an extra 10,000 in month 24 save me?" in the real window: F2 for 30 years, F4 for
// the extra, F5 for what it saves, and the copy of the schedule against the command line's CSV.
// The figures are the exact model's (scripts/paymentModel.py, `plan`).

namespace {

// The clipboard's text once it holds the totals line, its tabs as the CSV's commas.
std::string copiedSchedule() {
  std::string error;
  const std::string display = xvfbDisplay::ensureDisplay(error);
  EXPECT_FALSE(display.empty()) << error;
  std::string copied;
  for (int attempt = 0; attempt < 20 && copied.find("months)") == std::string::npos; ++attempt) {
    childProcess::run({"xclip", "-o", "-selection", "clipboard"}, {"DISPLAY=" + display}, 5000,
                      copied);
  }
  std::replace(copied.begin(), copied.end(), '\t', ',');
  return copied;
}

}  // namespace

using ExtraPaymentE2e = e2e::AtForm;

TEST_F(ExtraPaymentE2e, AnExtraInMonth24EndsTheLoanEarlierAndF5ShowsWhatItSaves) {
  ASSERT_TRUE(e2e::typeInputs(quillo, "250000", "6.5", ""));
  ASSERT_TRUE(e2e::pressKeys(quillo, "F2"));
  ASSERT_TRUE(e2e::waitForText(quillo, "Payment for a term", screen));
  ASSERT_TRUE(e2e::typeText(quillo, "30"));
  ASSERT_TRUE(e2e::pressKeys(quillo, "Return Return Return"));
  ASSERT_TRUE(e2e::waitForText(quillo, "Press \x19 to step by month.", screen));

  ASSERT_TRUE(e2e::pressKeys(quillo, "F4"));
  ASSERT_TRUE(e2e::waitForText(quillo, "Extra payment", screen));
  ASSERT_TRUE(e2e::typeText(quillo, "24\t10,000\r"));
  ASSERT_TRUE(e2e::waitForScreen(
      quillo,
      [](const e2e::Screen& s) {
        int row = 0, column = 0;
        return !screenReader::findText("Extra payment", row, column, s.pixels());
      },
      "the panel closed", screen));
  ASSERT_TRUE(e2e::pressKeys(quillo, "ctrl+Next"));
  ASSERT_TRUE(e2e::waitForText(quillo, "(27 years and 1 months)", screen));

  ASSERT_TRUE(e2e::pressKeys(quillo, "F5"));
  ASSERT_TRUE(e2e::waitForText(quillo, "Saved: 35 months, 45883.87 interest", screen));
  ASSERT_TRUE(e2e::waitForText(quillo, "Months: 325 (27 years and 1 months)", screen));
  ASSERT_TRUE(e2e::pressKeys(quillo, "Escape"));
  ASSERT_TRUE(e2e::waitForScreen(
      quillo,
      [](const e2e::Screen& s) {
        int row = 0, column = 0;
        return !screenReader::findText("Saved:", row, column, s.pixels());
      },
      "the totals closed", screen));

  ASSERT_TRUE(e2e::pressKeys(quillo, "ctrl+c"));
  const std::string copied = copiedSchedule();
  std::string csv;
  ASSERT_TRUE(childProcess::run(
      {QUILLO_BINARY, "schedule", "250000", "6.5", "--term", "30y", "--extra", "24:10000"}, {},
      10000, csv));
  // The same months, line for line; only the separators differ.
  const auto trimmedEnd = [](std::string text) {
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
  };
  EXPECT_EQ(trimmedEnd(copied), trimmedEnd(csv));

  endWith("Escape");
}
