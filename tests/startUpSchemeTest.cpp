#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "app/program.h"
#include "screen/private/fileTable.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/fileFaults.h"
#include "support/scratchDirectory.h"
#include "support/screenReader.h"

namespace {

int32_t pack(int32_t red, int32_t green, int32_t blue) {
  return red + 256 * green + 65536 * blue;
}

const int32_t CREAM = pack(63, 63, 55), BLACK = 0, DARK_BLUE = pack(0, 0, 39);
const int32_t NEAR_BLACK_BLUE = pack(0, 0, 16), WHITE = pack(63, 63, 63), YELLOW = pack(63, 63, 11);

// One run of the program, ended by Escape.
void runOnce() {
  headless::reset();
  headless::key("\x1b");
  runProgram();
}

// The colours the title "QUILLO 2.1" is shown in: its ink and the paper around it.
void expectTitleColours(int32_t ink, int32_t paper) {
  screenReader::Cell cell = screenReader::readCell(1, 35);
  EXPECT_EQ(cell.character, 'Q');
  EXPECT_EQ(screen::getPaletteEntry(cell.ink), ink);
  EXPECT_EQ(screen::getPaletteEntry(cell.paper), paper);
}

}  // namespace

TEST(StartUpScheme, AFirstRunIsDarkOnLightAndLeavesOnlyTheOptionsFile) {
  ScratchDirectory dir;
  runOnce();
  expectTitleColours(DARK_BLUE, CREAM);
  EXPECT_EQ(screen::getPaletteEntry(15), BLACK);
  EXPECT_EQ(scratch::fileNames(), std::vector<std::string>{"quilloOptions.txt"});
  EXPECT_EQ(scratch::readFile("quilloOptions.txt"), "\"ding.wav\"\r\n2\r\n");
}

TEST(StartUpScheme, AnOptionsFileInAnyCaseChoosesLightOnDarkAndIsRewrittenInPlace) {
  for (const char* name : {"QuilloOptions.txt", "quilloOptions.txt", "QUILLOOPTIONS.TXT"}) {
    SCOPED_TRACE(name);
    ScratchDirectory dir;
    scratch::writeFile(name, "\"bell.wav\"\n1\n");
    runOnce();
    expectTitleColours(YELLOW, NEAR_BLACK_BLUE);
    EXPECT_EQ(screen::getPaletteEntry(15), WHITE);
    EXPECT_EQ(scratch::fileNames(), std::vector<std::string>{name});
    EXPECT_EQ(scratch::readFile(name), "\"bell.wav\"\r\n1\r\n");
  }
}

TEST(StartUpScheme, TheChosenSchemesPaletteFileColoursTheScreen) {
  ScratchDirectory dir;
  std::string red;
  for (int i = 0; i < 16; ++i) red += "63,0,0\r\n";
  scratch::writeFile("quilloOptions.txt", "\"ding.wav\"\r\n1\r\n");
  scratch::writeFile("lightOnDarkPalette.txt", red);
  scratch::writeFile("darkOnLightPalette.txt", "0,0,0\r\n");
  runOnce();
  for (int i = 0; i < 16; ++i) EXPECT_EQ(screen::getPaletteEntry(i), pack(63, 0, 0)) << i;
  EXPECT_EQ(scratch::readFile("lightOnDarkPalette.txt"), red) << "palette files are only read";
}

// Tests run as root, where permission bits do not stop a write, so an unwritable directory is
// played out two ways: every write failing, and a working directory that no longer exists.
TEST(StartUpScheme, WhenNothingCanBeWrittenTheRunStillEndsNormally) {
  {
    ScratchDirectory dir;
    scratch::writeFile("QuilloOptions.txt", "\"bell.wav\"\r\n1\r\n");
    FileFaultScope faults({.writeBudget = 0});
    runOnce();
    expectTitleColours(YELLOW, NEAR_BLACK_BLUE);
    EXPECT_EQ(scratch::fileNames(), std::vector<std::string>{"QuilloOptions.txt"});
    EXPECT_EQ(scratch::readFile("QuilloOptions.txt"), "\"bell.wav\"\r\n1\r\n");
  }
  {
    ScratchDirectory dir;
    std::error_code error;
    std::filesystem::remove(dir.path, error);
    ASSERT_FALSE(error);
    runOnce();
    EXPECT_TRUE(headless::scriptFinished());
    expectTitleColours(DARK_BLUE, CREAM);
    EXPECT_FALSE(std::filesystem::exists(dir.path, error));
  }
}

// Scratch files that saves killed half way left behind are removed at start; anything that is
// not plainly one of this user's own, or may be another running program's save, stays, and so
// does a user's own file that only looks like one (a backup named quilloOptions.txt.backup.tmp~).
TEST(StartUpScheme, ScratchFilesOfKilledSavesAreRemovedAtStart) {
  constexpr uid_t NOBODY = 65534;
  enum Kind { File, OtherUsersFile, Link, Directory };
  struct Case {
    const char* name;
    int secondsOld;
    Kind kind;
    bool removed;
  };
  const Case cases[] = {
      {"quilloOptions.txt.quillo-a1B2c3.tmp~", 3600, File, true},
      {"lightOnDarkPalette.txt.quillo-Zz09Aa.tmp~", 3600, File, true},
      {"darkOnLightPalette.txt.quillo-000000.tmp~", 12, File, true},
      {"quilloOptions.txt.quillo-q9W8e7.tmp~", 8, File, false},
      {"quilloOptions.txt.quillo-fresh0.tmp~", 0, File, false},
      {"quilloOptions.txt.quillo-abcde.tmp~", 3600, File, false},
      {"quilloOptions.txt.quillo-abc-ef.tmp~", 3600, File, false},
      {"quilloOptions.txt.quillo-abcdefg.tmp~", 3600, File, false},
      {"quilloOptions.txt.quillo-abcdef.tmp", 3600, File, false},
      {"quilloOptions.txt.quilloXabcdef.tmp~", 3600, File, false},
      {"quilloOptions.txt.backup.tmp~", 3600, File, false},
      {"quilloOptions.txt.a1B2c3.tmp~", 3600, File, false},
      {"QuilloOptions.txt.quillo-abcdef.tmp~", 3600, File, false},
      {"notes.txt.quillo-abcdef.tmp~", 3600, File, false},
      {"xquilloOptions.txt.quillo-abcdef.tmp~", 3600, File, false},
      {"quilloOptions.txt.quillo-other1.tmp~", 3600, OtherUsersFile, geteuid() != 0},
      {"quilloOptions.txt.quillo-linkab.tmp~", 3600, Link, false},
      {"quilloOptions.txt.quillo-dirabc.tmp~", 3600, Directory, false},
  };
  ScratchDirectory dir;
  scratch::writeFile("victim.txt", "kept");
  const timespec anHourAgo[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, "victim.txt", anHourAgo, 0), 0);
  std::vector<std::string> kept = {"quilloOptions.txt", "victim.txt"};
  for (const Case& c : cases) {
    if (c.kind == Link) std::filesystem::create_symlink("victim.txt", c.name);
    if (c.kind == Directory) std::filesystem::create_directory(c.name);
    if (c.kind == File || c.kind == OtherUsersFile) scratch::writeFile(c.name, "half");
    if (c.kind == OtherUsersFile && geteuid() == 0) {
      ASSERT_EQ(lchown(c.name, NOBODY, NOBODY), 0);
    }
    const timespec old = {time(nullptr) - c.secondsOld, 0};
    const timespec times[2] = {old, old};
    ASSERT_EQ(utimensat(AT_FDCWD, c.name, times, AT_SYMLINK_NOFOLLOW), 0) << c.name;
    if (!c.removed) kept.push_back(c.name);
  }
  std::sort(kept.begin(), kept.end());
  runOnce();
  EXPECT_EQ(scratch::fileNames(), kept);
  EXPECT_EQ(scratch::readFile("victim.txt"), "kept");
}
