#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/macroRun.h"
#include "support/mainScreenScript.h"
#include "support/scratchDirectory.h"
#include "support/screenReader.h"

// A macro that stops at "?" for the user: answering with Enter, the entries kept for recall,
// ending the macro with Esc or the close button, and clicks that end the wait.

namespace {

const std::string TERMINATED = "Macro processing terminated - ";

void clickOn(int column, int row) {
  headless::click((column - 1) * 8 + 4, (row - 1) * 16 + 8);
}

struct Case {
  const char* name;
  std::string file;
  std::function<void()> user;
  std::string loan, rate, payment;
  bool terminated = false;
};

const std::vector<Case> CASES = {
    {"Enter resumes the macro in the same field", "1?5", [] { headless::type("2\r"); }, "125", "",
     ""},
    {"keys that would end the edit are swallowed", "1?5",
     [] {
       headless::type("\t");
       headless::extendedKey(screen::KEY_DOWN);
       headless::type("2\r");
     },
     "125", "", ""},
    {"each field takes an entry", "?;?;?;", [] { headless::type("9\r8\r7\r"); }, "9", "8", "7.00"},
    {"a recall before its entry does nothing, after it appends it", "&3?;&3?;?&3;",
     [] { headless::type("1\r2\r3\r"); }, "1", "2", "33.00"},
    {"a recall appends to what the field holds", "?;4&1;", [] { headless::type("56\r"); }, "56",
     "456", ""},
    {"the tenth entry resumes without being kept", "??????????;&9;",
     [] { headless::type("1\r1\r1\r1\r1\r1\r1\r1\r1\r1\r"); }, "1,111,111,111", "111111111", ""},
    {"Esc ends the macro and the field stays open", "1?5;6",
     [] {
       headless::type(
           "\x1b"
           "2\t");
     },
     "12", "", "", true},
    {"the close button ends the macro and the field stays open", "1?5;6",
     [] {
       headless::extendedKey(screen::KEY_CLOSE);
       headless::type("2\t");
     },
     "12", "", "", true},
    // The press ends the edit; the field is edited again from its start, where the macro goes
    // on, and the release then clicks the rate label.
    {"a click outside the field ends the wait", "1?2",
     [] {
       clickOn(8, 5);
       headless::type("3");
     },
     "21", "3", ""},
    // "?" on "Continue": the form reads the user's keys until a field is edited again.
    {"a wait outside a field lasts until the next field", "1;;;?7",
     [] {
       headless::extendedKey(screen::KEY_UP);
       clickOn(8, 5);
     },
     "1", "7", ""},
};

}  // namespace

TEST(MacroWait, TheUserAnswersAWaitingMacro) {
  for (const Case& c : CASES) {
    SCOPED_TRACE(c.name);
    ScratchDirectory scratchDirectory;
    macroRun::run(c.file, c.user);
    EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN), c.loan);
    EXPECT_EQ(mainScript::fieldText(FOCUS_RATE), c.rate);
    EXPECT_EQ(mainScript::fieldText(FOCUS_PAYMENT), c.payment);
    if (c.terminated) {
      EXPECT_EQ(screenReader::textAt(1, 1, static_cast<int>(TERMINATED.size())), TERMINATED);
      EXPECT_EQ(screenReader::readCell(1, 1).ink, 11);
    } else {
      int row = 0, column = 0;
      EXPECT_FALSE(screenReader::findText("Macro", row, column));
    }
  }
}

TEST(MacroWait, EachLoadCountsTheEntriesAfresh) {
  ScratchDirectory scratchDirectory;
  scratch::writeFile("8.mac", "&1;");
  // The first macro keeps 5, then the user starts the second one in the rate field.
  macroRun::run("?;", [] {
    headless::type("5\r");
    macroRun::startMacro("8");
  });
  EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN), "5");
  EXPECT_EQ(mainScript::fieldText(FOCUS_RATE), "");
}

TEST(MacroWait, RecallsFillAFieldNoFurtherThanItsWidth) {
  struct Case {
    const char* name;
    int recalls;
  };
  for (const Case& c : {Case{"four recalls", 4}, Case{"a million recalls", 1'000'000}}) {
    SCOPED_TRACE(c.name);
    ScratchDirectory scratchDirectory;
    std::string file = "?;";
    for (int i = 0; i < c.recalls; ++i) file += "&1";
    macroRun::run(file + ";", [] { headless::type("12345678\r"); });
    EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN), "12,345,678");
    EXPECT_EQ(mainScript::fieldText(FOCUS_RATE), "1234567812345678");
    EXPECT_EQ(screenReader::rowText(5).size(), 34u);  // nothing after the field
    EXPECT_EQ(screenReader::rowText(6), " Monthly Payment:");
  }
}
