#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "colours/colourScheme.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/posixFiles.h"
#include "support/scratchDirectory.h"

namespace {

using Palette = std::array<int32_t, SCHEME_COLOURS>;

int32_t pack(int32_t red, int32_t green, int32_t blue) {
  return red + 256 * green + 65536 * blue;
}

Palette builtIn(int scheme) {
  Palette palette{};
  for (int i = 0; i < SCHEME_COLOURS; ++i) {
    const int32_t* levels = builtInPalettes[scheme][i];
    palette[i] = pack(levels[0], levels[1], levels[2]);
  }
  return palette;
}

Palette allOf(int32_t packed) {
  Palette palette;
  palette.fill(packed);
  return palette;
}

// The first colours as given, every other colour `rest`.
Palette entries(std::initializer_list<int32_t> first, int32_t rest = 0) {
  Palette palette = allOf(rest);
  std::copy(first.begin(), first.end(), palette.begin());
  return palette;
}

Palette onlyFirst(int32_t packed) {
  return entries({packed});
}

// The 16 lines of 0,1,2 / 3,4,5 / ... as the writer would form them, with another separator
// and line end.
std::string countingFile(const std::string& separator, const std::string& lineEnd) {
  std::string text;
  for (int entry = 0; entry < SCHEME_COLOURS; ++entry) {
    for (int component = 0; component < 3; ++component) {
      text += std::to_string(entry * 3 + component);
      text += component < 2 ? separator : lineEnd;
    }
  }
  return text;
}

Palette counting() {
  Palette palette{};
  for (int entry = 0; entry < SCHEME_COLOURS; ++entry) {
    palette[entry] = pack(entry * 3, entry * 3 + 1, entry * 3 + 2);
  }
  return palette;
}

std::string repeated(const std::string& line, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += line;
  return text;
}

Palette screenColours() {
  Palette palette{};
  for (int i = 0; i < SCHEME_COLOURS; ++i) palette[i] = screen::getPaletteEntry(i);
  return palette;
}

struct ReadCase {
  const char* what;
  std::string content;
  Palette shown;
};

std::vector<ReadCase> readCases() {
  return {
      {"writer's form", countingFile(",", "\r\n"), counting()},
      {"one item per line", countingFile("\r\n", "\r\n"), counting()},
      {"comma and space", countingFile(", ", ", "), counting()},
      {"spaces only", countingFile(" ", "  "), counting()},
      {"tabs and line feeds", countingFile("\t,\t", "\n"), counting()},
      {"carriage returns only", countingFile(",", "\r"), counting()},
      {"every colour red", repeated("63,0,0\r\n", 16), allOf(pack(63, 0, 0))},
      {"one line only", "10,20,30\r\n", onlyFirst(pack(10, 20, 30))},
      {"two items only", "10,20", onlyFirst(pack(10, 20, 0))},
      {"empty file", "", allOf(0)},
      {"empty items", ",,5,\r\n", onlyFirst(pack(0, 0, 5))},
      {"letters read as 0", "a,b,c\r\n", onlyFirst(0)},
      {"leading number of a word", "12abc,5x,6 7\r\n", entries({pack(12, 5, 6), pack(7, 0, 0)})},
      {"halves round to even", "1.5,2.5,3.5\r\n", onlyFirst(pack(2, 2, 4))},
      {"exponents", "1e1,2D1,0.5E2\r\n", onlyFirst(pack(10, 20, 50))},
      {"levels above 63 show full", "64,255,100000\r\n", onlyFirst(pack(63, 63, 63))},
      {"huge levels show full", "99999999999999,1e300,63\r\n", onlyFirst(pack(63, 63, 63))},
      {"negative levels show as 0", "-1,-63,-99999999999\r\n" + repeated("-5,10,-20\r\n", 15),
       entries({0}, pack(0, 10, 0))},
      {"plus signs", "+1,+2,+3\r\n", onlyFirst(pack(1, 2, 3))},
      {"items past 48 ignored", repeated("1,2,3\r\n", 16) + "63,63,63\r\n", allOf(pack(1, 2, 3))},
      {"binary garbage", std::string("\0\xff\x80,\x01\x05\r\n", 8), allOf(0)},
      {"a huge run of digits", std::string(5'000'000, '9'), allOf(pack(63, 63, 63))},
      {"a huge run of letters", "7," + std::string(5'000'000, 'z'), onlyFirst(pack(7, 0, 0))},
  };
}

}  // namespace

TEST(PaletteFileRead, TheFileOfTheChosenSchemeIsShownAsRead) {
  for (int scheme : {SCHEME_LIGHT_ON_DARK, SCHEME_DARK_ON_LIGHT}) {
    for (const ReadCase& c : readCases()) {
      SCOPED_TRACE(std::string(c.what) + ", scheme " + std::to_string(scheme));
      ScratchDirectory dir;
      headless::reset();
      colourSchemeState = {};
      colourSchemeState.paletteFileName[1] = "lightOnDarkPalette.txt";
      colourSchemeState.paletteFileName[2] = "darkOnLightPalette.txt";
      colourSchemeState.colourScheme = scheme;
      scratch::writeFile(colourSchemeState.paletteFileName[scheme], c.content);
      screen::setPaletteEntry(16, pack(1, 1, 1));
      loadSchemePalette();
      EXPECT_EQ(screenColours(), c.shown);
      EXPECT_EQ(screen::getPaletteEntry(16), 0) << "entries past 15 are cleared";
    }
  }
}

// Without its own file a scheme shows its built-in palette; the other scheme's file is not
// looked at, and loading never writes anything. A FIFO under the file's name is no file: it is
// not waited on.
TEST(PaletteFileRead, WithoutItsFileASchemeShowsItsBuiltInPalette) {
  struct Case {
    int scheme;
    std::vector<std::string> filesPresent;
    const char* fifo = nullptr;
  };
  for (const Case& c : {Case{1, {}}, Case{2, {}}, Case{1, {"darkOnLightPalette.txt"}},
                        Case{2, {"lightOnDarkPalette.txt"}},
                        Case{1, {"lightOnDarkPalette.txt"}, "lightOnDarkPalette.txt"},
                        Case{2, {"darkOnLightPalette.txt"}, "darkOnLightPalette.txt"}}) {
    SCOPED_TRACE(c.scheme);
    ScratchDirectory dir;
    headless::reset();
    for (const std::string& name : c.filesPresent) {
      if (c.fifo && name == c.fifo) {
        ASSERT_EQ(mkfifo(c.fifo, 0644), 0);
      } else {
        scratch::writeFile(name, "63,0,0\r\n");
      }
    }
    colourSchemeState = {};
    colourSchemeState.paletteFileName[1] = "lightOnDarkPalette.txt";
    colourSchemeState.paletteFileName[2] = "darkOnLightPalette.txt";
    colourSchemeState.colourScheme = c.scheme;
    loadSchemePalette();
    EXPECT_EQ(screenColours(), builtIn(c.scheme));
    EXPECT_EQ(scratch::fileNames(), c.filesPresent);
  }
}

TEST(PaletteFileRead, SwitchingBackAndForthShowsEachBuiltInPaletteAndWritesNothing) {
  ScratchDirectory dir;
  headless::reset();
  colourSchemeState = {};
  colourSchemeState.paletteFileName[1] = "lightOnDarkPalette.txt";
  colourSchemeState.paletteFileName[2] = "darkOnLightPalette.txt";
  for (int scheme : {1, 2, 1, 2}) {
    colourSchemeState.colourScheme = scheme;
    loadSchemePalette();
    EXPECT_EQ(screenColours(), builtIn(scheme));
  }
  EXPECT_TRUE(scratch::fileNames().empty());
}

TEST(PaletteFileRead, BuiltInPalettesShowTheirFixedLevels) {
  const int LEVELS[3][SCHEME_COLOURS][3] = {
      {},
      {{0, 0, 16},
       {0, 0, 42},
       {0, 38, 0},
       {0, 42, 42},
       {42, 0, 0},
       {42, 0, 42},
       {42, 21, 0},
       {40, 40, 40},
       {37, 37, 37},
       {21, 21, 63},
       {21, 63, 21},
       {21, 63, 63},
       {63, 28, 21},
       {63, 48, 11},
       {63, 63, 11},
       {63, 63, 63}},
      {{63, 63, 55},
       {0, 0, 42},
       {0, 28, 44},
       {0, 42, 42},
       {42, 0, 0},
       {42, 0, 42},
       {42, 21, 0},
       {32, 32, 32},
       {17, 16, 41},
       {45, 45, 45},
       {27, 27, 27},
       {20, 20, 14},
       {63, 0, 0},
       {0, 0, 44},
       {0, 0, 39},
       {0, 0, 0}},
  };
  for (int scheme : {1, 2}) {
    ScratchDirectory dir;
    headless::reset();
    colourSchemeState = {};
    colourSchemeState.colourScheme = scheme;
    loadSchemePalette();
    for (int i = 0; i < SCHEME_COLOURS; ++i) {
      const int* l = LEVELS[scheme][i];
      EXPECT_EQ(screen::getPaletteEntry(i), pack(l[0], l[1], l[2]))
          << "scheme " << scheme << " colour " << i;
    }
  }
}
