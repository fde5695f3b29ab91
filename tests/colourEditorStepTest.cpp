#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "colours/colourEditor.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/colourDialogSupport.h"
#include "support/keyLetters.h"
#include "support/screenReader.h"
#include "support/smallTextReader.h"

using namespace colourDialogs;

namespace {

// Keys for the editor: "u" Up, "d" Down, "U" wheel up, "D" wheel down, "t" Tab, "T" Shift+Tab,
// "<" Left, ">" Right, "1" to "8" a click on that role, "e" Enter, "x" Escape, "p" a printable
// key. Returns the number of events they make.
int script(const std::string& keys) {
  static constexpr keyLetters::KeyLetter LETTERS[] = {
      {'u', screen::KEY_UP},   {'d', screen::KEY_DOWN},
      {'t', 0, "\t"},          {'T', screen::KEY_SHIFT_TAB},
      {'<', screen::KEY_LEFT}, {'>', screen::KEY_RIGHT},
      {'e', 0, "\r"},          {'x', 0, "\x1b"}};
  int events = 0;
  for (char k : keys) {
    if (k == 'U' || k == 'D') {
      headless::mouse(450, 300, 0, k == 'U' ? 1 : -1);
    } else if (k == 'p') {
      headless::key("q");
      continue;  // refused with a sound, never an event
    } else if (!keyLetters::scriptLetter(k, LETTERS)) {
      click(rolePoint(k - '0'));  // a press and a release
      ++events;
    }
    ++events;
  }
  return events;
}

std::string highlightedComponent() {
  std::string found;
  for (const auto& [x, name] : {std::pair{396, "R"}, std::pair{452, "G"}, std::pair{508, "B"}}) {
    if (smallTextReader::smallTextAt(x, 368, 1, 13) == name) found += name;
  }
  return found.size() == 1 ? found : "?";
}

}  // namespace

TEST(ColourEditorStep, KeysAndTheWheelStepTheChosenLevelWithinZeroTo63) {
  struct Case {
    const char* keys;
    int scheme;
    int colour;  // the palette entry the chosen role stands for
    int32_t entry;
    const char* shown;
  };
  const Case cases[] = {
      {"", 1, 14, pack(63, 63, 11), "63     63     11"},
      {"u", 1, 14, pack(63, 63, 11), "63     63     11"},  // at 63 nothing changes
      {"ddd", 1, 14, pack(60, 63, 11), "60     63     11"},
      {"dddu", 1, 14, pack(61, 63, 11), "61     63     11"},
      {"DDU", 1, 14, pack(62, 63, 11), "62     63     11"},
      {"ttu", 1, 14, pack(63, 63, 12), "63     63     12"},
      {"ttdddddddddddddd", 1, 14, pack(63, 63, 0), "63     63      0"},  // and at 0 too
      {"2uuuuu", 2, 15, pack(5, 0, 0), " 5      0      0"},
      {"2d", 2, 15, pack(0, 0, 0), " 0      0      0"},
      {"7>u", 1, 7, pack(40, 41, 40), "40     41     40"},
      {"3tUe", 2, 2, pack(0, 29, 44), " 0     29     44"},     // Enter does nothing
      {"5xpT<u", 1, 8, pack(38, 37, 37), "38     37     37"},  // nor Escape or a letter
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    openScreenWithOptions(c.scheme);
    openEditor();
    const int32_t others = screen::getPaletteEntry(c.colour == 14 ? 15 : 14);
    EXPECT_FALSE(editorEvents(script(c.keys)));
    EXPECT_EQ(screen::getPaletteEntry(c.colour), c.entry);
    EXPECT_EQ(screen::getPaletteEntry(c.colour == 14 ? 15 : 14), others);
    EXPECT_EQ(screenReader::textAt(LEVELS_ROW, LEVELS_COLUMN, 16), c.shown);
    closeColourEditor();
  }
}

TEST(ColourEditorStep, TabAndShiftTabStopAtBlueAndRed) {
  struct Case {
    const char* keys;
    const char* component;
  };
  for (const Case& c : {Case{"", "R"}, Case{"t", "G"}, Case{"tt", "B"}, Case{"ttt", "B"},
                        Case{"tttt", "B"}, Case{"T", "R"}, Case{"tTT", "R"}, Case{"ttT", "G"},
                        Case{">>><", "G"}, Case{"<<", "R"}, Case{"t>", "B"}}) {
    SCOPED_TRACE(c.keys);
    openScreenWithOptions(2);
    openEditor();
    EXPECT_FALSE(editorEvents(script(c.keys)));
    EXPECT_EQ(highlightedComponent(), c.component);
    closeColourEditor();
  }
}

TEST(ColourEditorStep, TheComponentButtonsChooseOnTheRelease) {
  openScreenWithOptions(1);
  openEditor();
  headless::mouse(BLUE.x, BLUE.y, 1);
  EXPECT_FALSE(editorEvents(1));
  EXPECT_EQ(highlightedComponent(), "B") << "lit while pressed";
  headless::extendedKey(screen::KEY_DOWN);
  EXPECT_FALSE(editorEvents(1));
  EXPECT_EQ(screen::getPaletteEntry(14), pack(62, 63, 11)) << "red is still the one stepped";
  headless::mouse(BLUE.x, BLUE.y, 0);
  headless::extendedKey(screen::KEY_DOWN);
  EXPECT_FALSE(editorEvents(2));
  EXPECT_EQ(screen::getPaletteEntry(14), pack(62, 63, 10));
  EXPECT_EQ(highlightedComponent(), "B");
  closeColourEditor();
}

TEST(ColourEditorStep, TheBackgroundRoleEditsColourZero) {
  openScreenWithOptions(1);
  openEditor();
  EXPECT_EQ(screenReader::readCell(22, 46).ink, 15) << "\"(backGround)\" is drawn in colour 15";
  EXPECT_FALSE(editorEvents(script("8tuu")));
  EXPECT_EQ(screen::getPaletteEntry(0), pack(0, 2, 16));
  EXPECT_EQ(screen::getPaletteEntry(15), pack(63, 63, 63));
  EXPECT_EQ(screenReader::textAt(LEVELS_ROW, LEVELS_COLUMN, 16), " 0      2     16");
  // The box itself is cleared in colour 0, so it follows the background.
  EXPECT_EQ(screen::pixelAt(330, 300), 0);
  closeColourEditor();
}

TEST(ColourEditorStep, AStepRedrawsNothingButTheLevels) {
  openScreenWithOptions(1);
  openEditor();
  const std::vector<uint8_t> before = surfaceCopy();
  EXPECT_FALSE(editorEvents(script("dU")));
  const std::vector<uint8_t> after = surfaceCopy();
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      const bool inLevels =
          y / 16 + 1 == LEVELS_ROW && x / 8 + 1 >= LEVELS_COLUMN && x / 8 + 1 < LEVELS_COLUMN + 16;
      if (!inLevels) {
        ASSERT_EQ(after[y * 640 + x], before[y * 640 + x]) << x << "," << y;
      }
    }
  }
  closeColourEditor();
}
