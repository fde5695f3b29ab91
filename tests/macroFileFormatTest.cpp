#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screen/private/headless.h"
#include "support/macroRun.h"
#include "support/mainScreenScript.h"
#include "support/scratchDirectory.h"

// What each kind of byte of a macro file does when the macro plays into the form, read back
// from the loan amount and rate fields.

namespace {

struct Case {
  const char* name;
  std::string file;
  std::string loan;
  std::string rate;
  size_t sounds = 0;
};

// A key that ends the loan amount edit and that the form then ignores: the field is edited
// again from its start, so the digits after it land in front.
const std::vector<Case> CASES = {
    {"plain digits", "1234", "1,234", ""},
    {"; is Enter", "12;34", "12", "34"},
    {"\\ is Delete", "123\xffK\xffK\\", "13", ""},
    {"#d is a function key", "12#634", "3,412", ""},  // F1 to F5 open panels
    {"#9", "12#934", "3,412", ""},
    {"# with a non-digit", "12#x34", "3,412", ""},
    {"# takes a line break as its digit", "12#\r34", "3,412", ""},
    // F5's code is that of "?"; its panel closes on the x.
    {"#5 is F5, not a wait", "12#5x34", "3,412", ""},
    {"&0 is a key no screen knows", "12&034", "3,412", ""},
    {"&3 before any entry", "1&32", "12", ""},
    {"a single slash is typed", "1/2", "12", "", 1},
    {"two slashes end the file", "12//34;56", "12", ""},
    {"two slashes at the start", "//12;34", "", ""},
    {"slashes apart", "1/\n/2", "12", "", 2},
    {"line breaks are dropped", "1\r\n2\n3\r4;5\r\n", "1,234", "5"},
    {"control characters are typed",
     "1\t2\x1b"
     "3",
     "123", "", 2},
    {"letters are typed", "1a2", "12", "", 1},
    {"255 starts a key code: Down", "12\xffP34", "12", "34"},
    {"255 starts a key code: Left", "12\xffK3", "132", ""},
    // The 255 pairs with the first byte of the Enter that ";" gives; the 13 left over is typed.
    {"255 before a command character", "1\xff;2", "21", "", 1},
};

}  // namespace

TEST(MacroFileFormat, EachByteOfTheFilePlaysAsItsKey) {
  for (const Case& c : CASES) {
    SCOPED_TRACE(c.name);
    ScratchDirectory scratchDirectory;
    macroRun::run(c.file);
    EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN), c.loan);
    EXPECT_EQ(mainScript::fieldText(FOCUS_RATE), c.rate);
    EXPECT_EQ(headless::headlessState.soundsPlayed.size(), c.sounds);
  }
}

TEST(MacroFileFormat, CaretIsEscAndEndsTheProgram) {
  ScratchDirectory scratchDirectory;
  macroRun::run("1^2", [] { headless::type("3\t"); });
  EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN), "1");
  EXPECT_FALSE(headless::scriptFinished());
  EXPECT_FALSE(scratch::readFile("quilloOptions.txt").empty());  // the exit path ran
}
