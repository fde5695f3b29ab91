#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/program.h"
#include "controls/inputLoop.h"
#include "screen/private/fileTable.h"
#include "screen/private/headless.h"
#include "support/fileFaults.h"
#include "support/macroRun.h"
#include "support/mainScreenScript.h"
#include "support/posixFiles.h"
#include "support/scratchDirectory.h"
#include "support/screenReader.h"

// Macro files no one would write on purpose: every byte value, files that end half way through
// a command, files of several megabytes, and files that cannot be read.

namespace {

struct Outcome {
  std::string loan;
  std::string rate;
  size_t sounds = 0;
};

// What a file of "1", the byte, "2" leaves in the form.
Outcome outcomeFor(int byte) {
  if (byte >= '0' && byte <= '9') return {std::string("1") + static_cast<char>(byte) + "2", "", 0};
  switch (byte) {
    case 0:     // no key at all
    case '\r':  // line breaks are dropped
    case '\n':
    case '\\':  // Delete at the end of the text
    case ',':   // typed, and gone once the amount is formatted
      return {"12", "", 0};
    case '.':
      return {"1.2", "", 0};
    case ';':
      return {"1", "2", 0};
    case '#':  // with the 2, keys that end the edit; the field is then edited from its start
    case '&':
    case 255:
    case '?':  // waits, and the close button ends the macro
    case '^':  // Esc ends the program
      return {"1", "", 0};
    default:  // typed, and refused by the field
      return {"12", "", 1};
  }
}

}  // namespace

TEST(MacroBadInput, EveryByteValueHasADefinedEffect) {
  for (int byte = 0; byte < 256; ++byte) {
    SCOPED_TRACE(byte);
    ScratchDirectory scratchDirectory;
    macroRun::run(std::string("1") + static_cast<char>(byte) + "2");
    const Outcome expected = outcomeFor(byte);
    EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN), expected.loan);
    EXPECT_EQ(mainScript::fieldText(FOCUS_RATE), expected.rate);
    EXPECT_EQ(headless::headlessState.soundsPlayed.size(), expected.sounds);
  }
}

// After the macro the user types 5 and Tab. A command cut off by the end of the file gives a key
// that ends the edit, as it would with a non-digit: the field is then edited from its start.
TEST(MacroBadInput, FilesThatEndEarlyOrHoldNothing) {
  struct Case {
    const char* name;
    std::string file;
    std::string loan;
  };
  const std::vector<Case> cases = {
      {"an empty file", "", "5"},
      {"only two slashes", "//", "5"},
      {"two slashes before everything", "//12;34", "5"},
      {"a file ending in a digit", "12", "125"},
      {"# as the last byte", "12#", "512"},
      {"& as the last byte", "12&", "512"},
      {"255 as the last byte", "12\xff", "512"},
      {"# before the last line break", "12#\r", "512"},
      {"# and a slash before two slashes", "12#//34", "512"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDirectory scratchDirectory;
    macroRun::run(c.file, [] { headless::type("5\t"); });
    EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN), c.loan);
    EXPECT_EQ(mainScript::fieldText(FOCUS_RATE), "");
    EXPECT_TRUE(headless::headlessState.soundsPlayed.empty());
  }
}

TEST(MacroBadInput, FilesOfSeveralMegabytesPlayToTheirEnd) {
  constexpr size_t KEYS = 2'000'000;
  std::string homeKeys;
  for (size_t i = 0; i < KEYS; ++i) homeKeys += "\xffG";
  struct Case {
    const char* name;
    std::string file;
    std::string loan;
    size_t bufferLength;
  };
  const std::vector<Case> cases = {
      {"two million Home keys", homeKeys + "12", "12", 2 * KEYS + 2},
      {"two million line breaks", std::string(2 * KEYS, '\n') + "12", "12", 2},
      {"megabytes after two slashes", "12//" + homeKeys, "12", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDirectory scratchDirectory;
    macroRun::run(c.file);
    EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN), c.loan);
    EXPECT_EQ(inputLoop.macroBuffer.size(), c.bufferLength);
  }
}

// A file larger than anyone could type is refused before any of it is read.
TEST(MacroBadInput, AFileThatCannotBeReadPlaysWhatWasRead) {
  struct Case {
    const char* name;
    long readable;  // bytes read before reading fails
    std::string loan;
    long long size = 6;  // the file holds 123456, then zeros up to this size
  };
  const std::vector<Case> cases = {
      {"nothing read", 0, "5"},
      {"three bytes read", 3, "1,235"},
      {"16 MB and one byte", -1, "5", (16 << 20) + 1},
      {"a gigabyte", -1, "5", 1LL << 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDirectory scratchDirectory;
    FileFaultScope faults({.readBudget = c.readable});
    macroRun::run(
        "123456", [] { headless::type("5\t"); }, c.size);
    EXPECT_EQ(screenReader::textAt(1, 1, 20), "Could not read 7.mac");
    EXPECT_EQ(screenReader::readCell(1, 1).ink, 11);
    EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN), c.loan);
  }
}

// A file whose every read fails, as a damaged disk gives.
TEST(MacroBadInput, AReadErrorOfTheSystemIsReported) {
  ScratchDirectory scratchDirectory;
  ASSERT_EQ(symlink("/proc/self/mem", "4.mac"), 0);
  headless::reset();
  macroRun::startMacro("4");
  headless::type("5\t");
  runProgram();
  EXPECT_EQ(screenReader::textAt(1, 1, 20), "Could not read 4.mac");
  EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN), "5");
}
