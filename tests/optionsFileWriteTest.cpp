#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/optionsFile.h"
#include "colours/colourScheme.h"
#include "screen/private/fileTable.h"
#include "screen/private/headless.h"
#include "support/fileFaults.h"
#include "support/scratchDirectory.h"

namespace {

struct WriteCase {
  const char* what;
  std::string soundFileName;
  int32_t colourScheme;
  std::string bytes;
};

const std::vector<WriteCase> WRITE_CASES = {
    {"defaults", "ding.wav", 2, "\"ding.wav\"\r\n2\r\n"},
    {"light on dark", "bell.wav", 1, "\"bell.wav\"\r\n1\r\n"},
    {"empty name", "", 1, "\"\"\r\n1\r\n"},
    {"commas and blanks", "a, b .wav  ", 2, "\"a, b .wav  \"\r\n2\r\n"},
    {"line end inside the name", "two\r\nlines", 1, "\"two\r\nlines\"\r\n1\r\n"},
};

void setSettings(const std::string& soundFileName, int32_t scheme) {
  options.soundFileName = soundFileName;
  colourSchemeState.colourScheme = scheme;
}

}  // namespace

TEST(OptionsFileWrite, WritesTwoLinesThatReadBackTheSame) {
  for (const WriteCase& c : WRITE_CASES) {
    SCOPED_TRACE(c.what);
    ScratchDirectory dir;
    headless::reset();
    setSettings(c.soundFileName, c.colourScheme);
    writeOptions();
    EXPECT_EQ(scratch::fileNames(), std::vector<std::string>{"quilloOptions.txt"});
    EXPECT_EQ(scratch::readFile("quilloOptions.txt"), c.bytes);

    setSettings("stale.wav", 0);
    readOptions();
    EXPECT_EQ(options.soundFileName, c.soundFileName);
    EXPECT_EQ(colourSchemeState.colourScheme, c.colourScheme);
  }
}

TEST(OptionsFileWrite, ReplacesTheOldContent) {
  ScratchDirectory dir;
  headless::reset();
  scratch::writeFile("quilloOptions.txt", "\"a much longer old name.wav\"\r\n2\r\nmore\r\n");
  setSettings("x", 1);
  writeOptions();
  EXPECT_EQ(scratch::readFile("quilloOptions.txt"), "\"x\"\r\n1\r\n");
}

// A full disk, played out by letting only so many bytes through: the old file must survive
// whole and no scratch file may be left behind.
TEST(OptionsFileWrite, AFailedWriteKeepsTheOldFile) {
  const std::string old = "\"bell.wav\"\r\n1\r\n";
  for (long budget : {0L, 1L, 5L, 12L, 21L}) {  // the new file is 22 bytes
    SCOPED_TRACE(budget);
    ScratchDirectory dir;
    headless::reset();
    scratch::writeFile("quilloOptions.txt", old);
    setSettings("a-new-sound.wav", 2);
    FileFaultScope faults({.writeBudget = budget});
    writeOptions();
    EXPECT_EQ(scratch::readFile("quilloOptions.txt"), old);
    EXPECT_EQ(scratch::fileNames(), std::vector<std::string>{"quilloOptions.txt"});
  }
}

TEST(OptionsFileWrite, AFailedWriteWithNoOldFileLeavesNothing) {
  ScratchDirectory dir;
  headless::reset();
  setSettings("ding.wav", 2);
  FileFaultScope faults({.writeBudget = 3});
  writeOptions();
  EXPECT_TRUE(scratch::fileNames().empty());
}
