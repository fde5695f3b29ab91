#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/program.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/mainScreenScript.h"
#include "support/scheduleLine.h"
#include "support/screenReader.h"

namespace {

using mainScript::fieldText;
using mainScript::snapshot;

constexpr int CONTINUE = 4;
const std::string PROMPT = "Press \x19 to step by month.";

void confirmWithEnter() {
  headless::key("\r");
}

void confirmWithClick() {
  mainScript::clickControl(CONTINUE);
}

std::string messageAt(const uint8_t* pixels) {
  std::string text = screenReader::rowText(6, pixels);
  return text.size() > 34 ? text.substr(34) : "";
}

}  // namespace

TEST(ConfirmInputs, APaymentBelowTheInterestDueIsRefusedWithTheAmountRoundedUpToTheCent) {
  struct Case {
    std::string loan, rate, payment, due;
  };
  const std::vector<Case> cases = {
      {"250000", "6", "1000", "1,250.00"}, {"250000", "6", "1249.99", "1,250.00"},
      {"1000", "1", "0.5", "0.84"},    // 0.8333... goes up
      {"100", "6.06", "0.5", "0.51"},  // 0.505 shows as 0.51 already
      {"1000000", "12", "1", "10,000.00"},
  };
  for (const Case& c : cases) {
    for (const auto& confirm : {confirmWithEnter, confirmWithClick}) {
      SCOPED_TRACE(c.loan + " " + c.rate + " " + c.payment);
      headless::reset();
      mainScript::enterInputs(c.loan, c.rate, c.payment);
      confirm();
      headless::snapshot();
      runProgram();
      const uint8_t* shown = snapshot(0);
      const std::string message = "Payment must be >= interest due ($" + c.due + ")";
      EXPECT_EQ(messageAt(shown), message);
      EXPECT_EQ(screenReader::readCell(6, 35, shown).ink, 12);
      EXPECT_EQ(screenReader::readCell(6, 34 + static_cast<int>(message.size()), shown).ink, 12);
      EXPECT_EQ(screenReader::rowText(9, shown), "") << "no schedule";
    }
  }
}

// Beyond the amounts a schedule keeps exact to the cent: the message stands where the payment
// message does, and the field it names is typed over.
TEST(ConfirmInputs, AnAmountBeyondTheExactRangeIsRefusedAndItsFieldTypedOver) {
  struct Case {
    std::string loan, rate, payment, message;
    Focus field;
    std::string typedOver;  // the field's 16 cells after "3" and Tab
  };
  const std::vector<Case> cases = {
      {"1000000000", "6", "", "Loan must be <= $999,999,999.99", FOCUS_LOAN, "3,000,000,000"},
      {"2000000000", "6", "", "Loan must be <= $999,999,999.99", FOCUS_LOAN, "3,000,000,000"},
      {"1000", "6", "10000000000000", "Payment must be <= $9,999,999,999,999.99", FOCUS_PAYMENT,
       "30,000,000,000,0"},
      {"100000000", "1.21", "", "Interest must be <= $100,000.00 a month", FOCUS_RATE, "3.21"},
      {"100000000", "9.9", "", "Interest must be <= $100,000.00 a month", FOCUS_RATE, "3.9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.loan + " " + c.rate + " " + c.payment);
    headless::reset();
    mainScript::enterInputs(c.loan, c.rate, c.payment);
    confirmWithEnter();
    headless::snapshot();
    headless::type("3\t");
    headless::snapshot();
    runProgram();
    EXPECT_EQ(messageAt(snapshot(0)), c.message);
    EXPECT_EQ(screenReader::readCell(6, 35, snapshot(0)).ink, 12);
    EXPECT_EQ(screenReader::rowText(9, snapshot(0)), "") << "no schedule";
    EXPECT_EQ(fieldText(c.field, snapshot(1)), c.typedOver);
    // A payment wider than its field reaches into the message's place.
    EXPECT_EQ(messageAt(snapshot(1)).find("must be"), std::string::npos);
  }
}

TEST(ConfirmInputs, AfterTheMessageThePaymentIsTypedOverAndTheMessageGoesWhenTheEditEnds) {
  headless::reset();
  mainScript::enterInputs("250000", "6", "1000");
  confirmWithEnter();
  headless::type("2");
  headless::snapshot();
  headless::key("\t");
  headless::snapshot();
  confirmWithEnter();
  runProgram();
  EXPECT_NE(messageAt(snapshot(0)), "") << "the message stays while the payment is edited";
  EXPECT_EQ(messageAt(snapshot(1)), "");
  EXPECT_EQ(fieldText(FOCUS_PAYMENT, snapshot(1)), "2,000.00");
  EXPECT_EQ(screenReader::rowText(9), PROMPT);
}

TEST(ConfirmInputs, TheMessageGoesWhicheverEventEndsTheEdit) {
  const std::vector<std::function<void()>> endings = {
      [] { headless::extendedKey(screen::KEY_UP); },
      [] { headless::extendedKey(screen::KEY_PAGE_DOWN); },
      [] { headless::mouse(500, 400, 1); },
      [] { mainScript::clickControl(1); },
  };
  for (size_t i = 0; i < endings.size(); ++i) {
    SCOPED_TRACE(i);
    headless::reset();
    mainScript::enterInputs("250000", "6", "1000");
    confirmWithEnter();
    endings[i]();
    headless::snapshot();
    runProgram();
    EXPECT_EQ(messageAt(snapshot(0)), "");
    EXPECT_EQ(fieldText(FOCUS_PAYMENT), "1,000.00");
  }
}

TEST(ConfirmInputs, AnEmptyOrZeroPaymentBecomesTheInterestDueAndTheScheduleStarts) {
  struct Case {
    std::string loan, rate, payment, shown;
  };
  const std::vector<Case> cases = {
      {"250000", "6", "", "1,250.00"},
      {"250000", "6", "0", "1,250.00"},
      {"1000", "1", "", "0.84"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.loan + " " + c.rate + " '" + c.payment + "'");
    headless::reset();
    mainScript::enterInputs(c.loan, c.rate, c.payment);
    confirmWithEnter();
    headless::extendedKey(screen::KEY_DOWN);
    runProgram();
    EXPECT_EQ(fieldText(FOCUS_PAYMENT), c.shown);
    EXPECT_EQ(screenReader::readCell(6, 19).ink, 15);
    EXPECT_EQ(messageAt(nullptr), "");
    EXPECT_EQ(screenReader::rowText(9), PROMPT);
    EXPECT_EQ(mainScript::scheduleRows().size(), 1u);
  }
  // The payment that was put in is the one the schedule pays.
  headless::reset();
  mainScript::enterInputs("1000", "12", "");
  confirmWithEnter();
  headless::extendedKey(screen::KEY_DOWN);
  runProgram();
  EXPECT_EQ(screenReader::rowText(16), scheduleLine(1, "10.00", "0.00", "1,000.00", "10.00"));
}

TEST(ConfirmInputs, APaymentEqualToTheInterestIsAccepted) {
  headless::reset();
  mainScript::enterInputs("250000", "6", "1250");
  confirmWithEnter();
  headless::extendedKey(screen::KEY_DOWN);
  runProgram();
  EXPECT_EQ(messageAt(nullptr), "");
  EXPECT_EQ(screenReader::rowText(16),
            scheduleLine(1, "1,250.00", "0.00", "250,000.00", "1,250.00"));
}

TEST(ConfirmInputs, ARateAndPaymentOfZeroAreAccepted) {
  headless::reset();
  mainScript::enterInputs("1000", "0", "0");
  confirmWithEnter();
  headless::extendedKey(screen::KEY_DOWN);
  runProgram();
  EXPECT_EQ(fieldText(FOCUS_PAYMENT), "0.00");
  EXPECT_EQ(screenReader::rowText(16), scheduleLine(1, "0.00", "0.00", "1,000.00", "0.00"));
}

// Without a loan amount the focus goes back to it: the next typed digits land there.
TEST(ConfirmInputs, WithoutALoanAmountTheFocusGoesBackToItWithoutAMessage) {
  for (const std::string loan : {"", "0", ".", "0.00"}) {
    SCOPED_TRACE("'" + loan + "'");
    headless::reset();
    mainScript::enterInputs(loan, "6", "1000");
    confirmWithEnter();
    headless::snapshot();
    headless::extendedKey(screen::KEY_END);
    headless::type("5");
    runProgram();
    EXPECT_EQ(messageAt(snapshot(0)), "");
    EXPECT_EQ(screenReader::rowText(9, snapshot(0)), "");
    EXPECT_EQ(mainScript::controlInk(CONTINUE, snapshot(0)), 2);
    // A zero loan shows as 0, so the 5 typed after it makes 05.
    EXPECT_EQ(fieldText(FOCUS_LOAN), "5");
  }
}

TEST(ConfirmInputs, ConfirmingStartsTheScheduleAndRemovesContinue) {
  headless::reset();
  mainScript::enterInputs("1000", "12", "100");
  confirmWithClick();
  runProgram();
  EXPECT_EQ(screenReader::rowText(9), PROMPT);
  EXPECT_EQ(mainScript::controlInk(CONTINUE), -1);
  EXPECT_TRUE(mainScript::scheduleRows().empty());
}
