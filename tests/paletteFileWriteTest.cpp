#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "colours/colourScheme.h"
#include "screen/private/fileTable.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/fileFaults.h"
#include "support/scratchDirectory.h"

namespace {

int32_t pack(int32_t red, int32_t green, int32_t blue) {
  return red + 256 * green + 65536 * blue;
}

void chooseScheme(int scheme) {
  colourSchemeState = {};
  colourSchemeState.paletteFileName[1] = "lightOnDarkPalette.txt";
  colourSchemeState.paletteFileName[2] = "darkOnLightPalette.txt";
  colourSchemeState.colourScheme = scheme;
}

using Levels = std::array<std::array<int32_t, 3>, SCHEME_COLOURS>;

Levels builtInLevels(int scheme) {
  Levels levels;
  for (int i = 0; i < SCHEME_COLOURS; ++i) {
    for (int c = 0; c < 3; ++c) levels[i][c] = builtInPalettes[scheme][i][c];
  }
  return levels;
}

// The lines the writer forms.
std::string fileText(const Levels& levels) {
  std::string text;
  for (const auto& l : levels) {
    text += std::to_string(l[0]) + "," + std::to_string(l[1]) + "," + std::to_string(l[2]) + "\r\n";
  }
  return text;
}

}  // namespace

// What the colour editor leaves behind: its edits on the screen, then a save. The file holds
// every colour the screen shows, roles or not, and only the chosen scheme's file is written.
TEST(PaletteFileWrite, WritesTheScreenPaletteToTheChosenSchemesFile) {
  struct Case {
    int scheme;
    const char* written;
  };
  for (const Case& c : {Case{1, "lightOnDarkPalette.txt"}, Case{2, "darkOnLightPalette.txt"}}) {
    SCOPED_TRACE(c.written);
    ScratchDirectory dir;
    headless::reset();
    chooseScheme(c.scheme);
    loadSchemePalette();
    screen::setPaletteEntry(0, pack(1, 2, 3));
    screen::setPaletteEntry(11, pack(63, 0, 63));
    screen::setPaletteEntry(15, pack(10, 0, 0));
    screen::setPaletteEntry(20, pack(5, 5, 5));
    saveSchemePalette();

    Levels expected = builtInLevels(c.scheme);
    expected[0] = {1, 2, 3};
    expected[11] = {63, 0, 63};
    expected[15] = {10, 0, 0};
    EXPECT_EQ(scratch::fileNames(), std::vector<std::string>{c.written});
    EXPECT_EQ(scratch::readFile(c.written), fileText(expected));
  }
}

TEST(PaletteFileWrite, ASavedPaletteLoadsBackUnchanged) {
  ScratchDirectory dir;
  headless::reset();
  chooseScheme(2);
  for (int i = 0; i < SCHEME_COLOURS; ++i) {
    screen::setPaletteEntry(i, pack(i * 4, 63 - i * 4, (i * 7) % 64));
  }
  saveSchemePalette();
  chooseScheme(1);
  loadSchemePalette();
  chooseScheme(2);
  loadSchemePalette();
  for (int i = 0; i < SCHEME_COLOURS; ++i) {
    EXPECT_EQ(screen::getPaletteEntry(i), pack(i * 4, 63 - i * 4, (i * 7) % 64)) << i;
  }
}

TEST(PaletteFileWrite, ReplacesAnOldFileWhole) {
  ScratchDirectory dir;
  headless::reset();
  scratch::writeFile("darkOnLightPalette.txt", std::string(5000, '9'));
  chooseScheme(2);
  screen::setPalette({});
  saveSchemePalette();
  EXPECT_EQ(scratch::readFile("darkOnLightPalette.txt"), fileText(Levels{}));
}

// A disk that fills up part way: the old file stays whole, no scratch file is left, and the
// screen keeps the colours it showed.
TEST(PaletteFileWrite, AFailedWriteKeepsTheOldFileAndTheScreen) {
  const std::string old = std::string("63,0,0\r\n") + "1,2,3\r\n";
  for (long budget : {0L, 1L, 40L, 100L, 112L}) {  // the new file is 113 bytes
    SCOPED_TRACE(budget);
    ScratchDirectory dir;
    headless::reset();
    scratch::writeFile("lightOnDarkPalette.txt", old);
    chooseScheme(1);
    loadSchemePalette();
    screen::setPaletteEntry(5, pack(9, 9, 9));
    FileFaultScope faults({.writeBudget = budget});
    saveSchemePalette();
    EXPECT_EQ(scratch::readFile("lightOnDarkPalette.txt"), old);
    EXPECT_EQ(scratch::fileNames(), std::vector<std::string>{"lightOnDarkPalette.txt"});
    EXPECT_EQ(screen::getPaletteEntry(0), pack(63, 0, 0));
    EXPECT_EQ(screen::getPaletteEntry(5), pack(9, 9, 9));
  }
}
