#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/mainScreen.h"
#include "e2e/e2eHarness.h"
#include "support/mainScreenScript.h"
#include "support/scheduleLine.h"
#include "support/screenReader.h"

// A whole calculation in the real window, typed and clicked as a user would.
//
// Set QUILLO_SCREENSHOT to a file name to keep a PNG of the main screen with a running
// schedule (docs/screenshot.png is made this way).

namespace {

using CalculatorE2e = e2e::AtForm;

const std::string PROMPT = "Press \x19 to step by month.";

bool scheduleRowsAre(const e2e::Screen& screen, size_t count) {
  return mainScript::scheduleRows(screen.pixels()).size() == count;
}

bool clickControl(e2e::Quillo& quillo, int k) {
  return e2e::click(quillo, mainScript::controlX(k), mainScript::controlY(k));
}

// The rate label brings back "Continue" while a schedule runs.
bool openRateAgain(e2e::Quillo& quillo, e2e::Screen& screen) {
  return clickControl(quillo, 2) &&
         e2e::waitForScreen(
             quillo,
             [](const e2e::Screen& s) {
               return mainScript::controlInk(CONTROL_CONTINUE, s.pixels()) == 2;
             },
             "Continue back", screen);
}

// Waits until the field shows `text`.
bool fieldShows(e2e::Quillo& quillo, Focus field, const std::string& text, e2e::Screen& screen) {
  return e2e::waitForScreen(
      quillo,
      [&](const e2e::Screen& s) { return mainScript::fieldText(field, s.pixels()) == text; },
      "the field showing \"" + text + "\"", screen);
}

TEST_F(CalculatorE2e, APaymentBelowTheInterestThenAnEmptyOneStepsAndChangesOfRate) {
  ASSERT_TRUE(e2e::typeInputs(quillo, "250000", "6", "1000"));
  ASSERT_TRUE(e2e::pressKeys(quillo, "Return Return"));
  const std::string message = "Payment must be >= interest due ($1,250.00)";
  ASSERT_TRUE(e2e::waitForText(quillo, message, screen));
  EXPECT_EQ(screenReader::textAt(6, 35, static_cast<int>(message.size()), screen.pixels()),
            message);
  EXPECT_EQ(screenReader::readCell(6, 35, screen.pixels()).ink, 12);
  EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN, screen.pixels()), "250,000");

  // The payment field has the focus: emptied and confirmed, it takes the interest due.
  ASSERT_TRUE(e2e::pressKeys(quillo, "Delete Delete Delete Delete Delete Delete Delete Delete"));
  ASSERT_TRUE(e2e::pressKeys(quillo, "Return Return"));
  ASSERT_TRUE(e2e::waitForText(quillo, PROMPT, screen));
  EXPECT_EQ(mainScript::fieldText(FOCUS_PAYMENT, screen.pixels()), "1,250.00");
  EXPECT_EQ(screenReader::textAt(6, 35, 10, screen.pixels()), std::string(10, ' '));

  ASSERT_TRUE(e2e::pressKeys(quillo, "Next"));
  ASSERT_TRUE(e2e::waitForScreen(
      quillo, [](const e2e::Screen& s) { return scheduleRowsAre(s, 12); }, "twelve lines", screen));
  std::vector<std::string> rows = mainScript::scheduleRows(screen.pixels());
  EXPECT_EQ(rows[0], scheduleLine(1, "1,250.00", "0.00", "250,000.00", "1,250.00"));
  EXPECT_EQ(rows[11], scheduleLine(12, "1,250.00", "0.00", "250,000.00", "15,000.00"));

  // The new rate goes on from the balance reached.
  ASSERT_TRUE(openRateAgain(quillo, screen));
  ASSERT_TRUE(e2e::pressKeys(quillo, "Delete"));
  ASSERT_TRUE(e2e::typeText(quillo, "3"));
  ASSERT_TRUE(e2e::pressKeys(quillo, "Return Return Return Down"));
  const std::string month13 = scheduleLine(13, "625.00", "625.00", "249,375.00", "15,625.00");
  ASSERT_TRUE(e2e::waitForText(quillo, month13, screen));
  EXPECT_EQ(screenReader::rowText(27, screen.pixels()), month13);
  EXPECT_EQ(mainScript::fieldText(FOCUS_RATE, screen.pixels()), "3");

  // "New calculation" keeps the inputs. The loan field is edited at once, and its blinking
  // cursor reaches into the cells below it: the form is read while the cursor is off.
  ASSERT_TRUE(clickControl(quillo, CONTROL_NEW_CALCULATION));
  ASSERT_TRUE(e2e::waitForScreen(
      quillo,
      [](const e2e::Screen& s) {
        return screenReader::rowText(9, s.pixels()).empty() &&
               mainScript::fieldText(FOCUS_LOAN, s.pixels()) == "250,000" &&
               mainScript::fieldText(FOCUS_RATE, s.pixels()) == "3" &&
               mainScript::fieldText(FOCUS_PAYMENT, s.pixels()) == "1,250.00";
      },
      "a fresh form with the inputs kept", screen));
  EXPECT_TRUE(mainScript::scheduleRows(screen.pixels()).empty());
  EXPECT_EQ(mainScript::controlInk(CONTROL_CONTINUE, screen.pixels()), 2);

  endWith("Escape");
  EXPECT_EQ(e2e::readWorkFile(quillo, "quilloOptions.txt"), e2e::DEFAULT_OPTIONS);
}

// Keys the field does not handle end the edit and the amount is taken, without a warning (a
// refused key would sound the built-in chime).
TEST_F(CalculatorE2e, FunctionAndAltKeysTakeTheAmountSilentlyAndCtrlDeleteRemovesNothing) {
  ASSERT_TRUE(e2e::typeText(quillo, "250000"));
  ASSERT_TRUE(e2e::pressKeys(quillo, "F6"));  // F1 to F5 open panels
  ASSERT_TRUE(fieldShows(quillo, FOCUS_LOAN, "250,000", screen));

  // The field is edited again from its first character.
  ASSERT_TRUE(e2e::pressKeys(quillo, "Delete Delete Delete Delete Delete Delete Delete"));
  ASSERT_TRUE(fieldShows(quillo, FOCUS_LOAN, "", screen));
  ASSERT_TRUE(e2e::typeText(quillo, "250000"));
  ASSERT_TRUE(fieldShows(quillo, FOCUS_LOAN, "250000", screen));
  ASSERT_TRUE(e2e::pressKeys(quillo, "alt+a"));
  ASSERT_TRUE(fieldShows(quillo, FOCUS_LOAN, "250,000", screen));

  ASSERT_TRUE(e2e::pressKeys(quillo, "ctrl+Delete"));
  ASSERT_TRUE(e2e::typeText(quillo, "1"));
  ASSERT_TRUE(fieldShows(quillo, FOCUS_LOAN, "1250,000", screen));
  EXPECT_FALSE(e2e::soundWasPlayed(quillo));
  endWith("Escape");
}

// The payments from an exact rational model of the month rule (scripts/paymentModel.py).
TEST_F(CalculatorE2e, F2SolvesThePaymentForATermAndKeepsItsEndThroughARateChange) {
  ASSERT_TRUE(e2e::typeInputs(quillo, "250000", "6.5", ""));
  ASSERT_TRUE(e2e::pressKeys(quillo, "F2"));
  ASSERT_TRUE(e2e::waitForText(quillo, "Payment for a term", screen));
  ASSERT_TRUE(e2e::typeText(quillo, "30"));
  ASSERT_TRUE(e2e::pressKeys(quillo, "Return Return"));
  ASSERT_TRUE(fieldShows(quillo, FOCUS_PAYMENT, "1,580.18", screen));
  int row = 0, column = 0;
  EXPECT_FALSE(screenReader::findText("Payment for a term", row, column, screen.pixels()));
  ASSERT_TRUE(e2e::pressKeys(quillo, "Return ctrl+Next"));
  ASSERT_TRUE(e2e::waitForText(quillo, "(30 years and 0 months)", screen));

  // Again from the start; in month 61 the rate goes up and F2 offers the 300 months left.
  ASSERT_TRUE(clickControl(quillo, CONTROL_NEW_CALCULATION));
  ASSERT_TRUE(e2e::waitForScreen(
      quillo, [](const e2e::Screen& s) { return scheduleRowsAre(s, 0); }, "a new form", screen));
  ASSERT_TRUE(e2e::pressKeys(quillo, "Return Return Return Return Next Next Next Next Next"));
  ASSERT_TRUE(e2e::waitForScheduleMonth(quillo, 60, screen));
  ASSERT_TRUE(openRateAgain(quillo, screen));
  ASSERT_TRUE(e2e::pressKeys(quillo, "Delete Delete Delete"));
  ASSERT_TRUE(e2e::typeText(quillo, "7.25"));
  ASSERT_TRUE(e2e::pressKeys(quillo, "F2"));
  ASSERT_TRUE(e2e::waitForText(quillo, "Payment for a term", screen));
  // 25 years offered (the drawn cursor stands on the first digit), and 0 months.
  EXPECT_EQ(screenReader::textAt(6, 54, 3, screen.pixels()), "5  ");
  ASSERT_TRUE(e2e::pressKeys(quillo, "Return Return"));
  ASSERT_TRUE(fieldShows(quillo, FOCUS_PAYMENT, "1,691.57", screen));
  ASSERT_TRUE(e2e::pressKeys(quillo, "Return ctrl+Next"));
  ASSERT_TRUE(e2e::waitForText(quillo, "(30 years and 0 months)", screen));
  endWith("Escape");
}

TEST_F(CalculatorE2e, TheCloseButtonUnderARunningScheduleSavesTheOptions) {
  ASSERT_TRUE(e2e::typeInputs(quillo, "250000", "6", "1500"));
  ASSERT_TRUE(e2e::pressKeys(quillo, "Return Return Next Next"));
  ASSERT_TRUE(e2e::waitForScheduleMonth(quillo, 24, screen));
  if (const char* path = std::getenv("QUILLO_SCREENSHOT")) {
    EXPECT_TRUE(e2e::savePng(screen, path)) << path;
  }

  endWith(e2e::CLOSE_BUTTON);
  EXPECT_EQ(e2e::readWorkFile(quillo, "quilloOptions.txt"), e2e::DEFAULT_OPTIONS);
}

}  // namespace
