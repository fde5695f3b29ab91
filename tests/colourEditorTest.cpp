#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "colours/builtInPalettes.h"
#include "colours/colourEditor.h"
#include "colours/colourScheme.h"
#include "controls/inputLoop.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/colourDialogSupport.h"
#include "support/keyLetters.h"
#include "support/scratchDirectory.h"
#include "support/screenReader.h"
#include "support/smallTextReader.h"

using namespace colourDialogs;

namespace {

constexpr Point BESIDE_UP{UP.x + 3, UP.y + 2};

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

// A press on the arrow held for that long, and the release; the two events it makes.
int hold(Point at, double milliseconds) {
  headless::mouse(at.x, at.y, 1);
  headless::wait(milliseconds);
  headless::mouse(at.x, at.y, 0);
  headless::wait(0);  // so that the release is reported before the script runs dry
  return 2;
}

// A press on the up arrow that ends some other way, then one Up key: the events made.
int holdEndingWith(void (*end)(), int events) {
  headless::mouse(UP.x, UP.y, 1);
  end();
  headless::wait(0);  // so that the release is reported before the script runs dry
  headless::extendedKey(screen::KEY_UP);
  return events + 1;
}

// The component button drawn highlighted: "R", "G" or "B"; "?" unless exactly one is.
std::string highlightedComponent() {
  std::string found;
  for (const auto& [x, name] : {std::pair{396, "R"}, std::pair{452, "G"}, std::pair{508, "B"}}) {
    if (smallTextReader::smallTextAt(x, 368, 1, 13) == name) found += name;
  }
  return found.size() == 1 ? found : "?";
}

// The role whose option mark is filled, 0 unless exactly one is.
int markedRole() {
  int marked = 0;
  for (int role = 1; role <= 8; ++role) {
    const int y = 208 + 16 * role;
    if (screen::pixelAt(348, y + 7) != 0) {
      if (marked != 0) return 0;
      marked = role;
    }
  }
  return marked;
}

// Changes three roles: Titles' red down 3, Expressions' red down 2, the background's red up 1.
void changeThreeRoles() {
  for (int i = 0; i < 3; ++i) headless::extendedKey(screen::KEY_DOWN);
  click(rolePoint(2));
  for (int i = 0; i < 2; ++i) headless::extendedKey(screen::KEY_DOWN);
  click(rolePoint(8));
  headless::extendedKey(screen::KEY_UP);
}

std::vector<std::string> builtInLines(int scheme) {
  std::vector<std::string> lines;
  for (const auto& levels : builtInPalettes[scheme]) {
    lines.push_back(paletteLine(pack(levels[0], levels[1], levels[2])));
  }
  return lines;
}

}  // namespace

// What the keys, the wheel, a click or a held arrow leave in the chosen role's palette entry
// and the levels shown, every other entry as it was.
TEST(ColourEditor, KeysTheWheelAndTheArrowsStepTheChosenLevelWithinZeroTo63) {
  struct Case {
    const char* what;  // with no action: the keys, as script() reads them
    int scheme;
    int32_t titles;   // Titles' colour before the editor opens; -1: the scheme's
    int (*action)();  // answers the events it scripted; null: the keys
    int colour;       // the palette entry the chosen role stands for
    int32_t entry;
    const char* shown;
    double heldMs = -1;  // how long the editor must take over the events; -1: not looked at
  };
  const Case cases[] = {
      {"", 1, -1, nullptr, 14, pack(63, 63, 11), "63     63     11"},
      {"u", 1, -1, nullptr, 14, pack(63, 63, 11), "63     63     11"},  // at 63 nothing changes
      {"ddd", 1, -1, nullptr, 14, pack(60, 63, 11), "60     63     11"},
      {"dddu", 1, -1, nullptr, 14, pack(61, 63, 11), "61     63     11"},
      {"DDU", 1, -1, nullptr, 14, pack(62, 63, 11), "62     63     11"},
      {"ttu", 1, -1, nullptr, 14, pack(63, 63, 12), "63     63     12"},
      {"ttdddddddddddddd", 1, -1, nullptr, 14, pack(63, 63, 0), "63     63      0"},  // and at 0
      {"2uuuuu", 2, -1, nullptr, 15, pack(5, 0, 0), " 5      0      0"},
      {"2d", 2, -1, nullptr, 15, pack(0, 0, 0), " 0      0      0"},
      {"7>u", 1, -1, nullptr, 7, pack(40, 41, 40), "40     41     40"},
      {"3tUe", 2, -1, nullptr, 2, pack(0, 29, 44), " 0     29     44"},     // Enter does nothing
      {"5xpT<u", 1, -1, nullptr, 8, pack(38, 37, 37), "38     37     37"},  // nor Escape or a letter
      // The background role edits colour 0.
      {"8tuu", 1, -1, nullptr, 0, pack(0, 2, 16), " 0      2     16"},
      // A level below ten keeps the display's width.
      {"", 1, pack(5, 10, 0), nullptr, 14, pack(5, 10, 0), " 5     10      0"},
      {"", 1, pack(0, 9, 63), nullptr, 14, pack(0, 9, 63), " 0      9     63"},
      {"", 1, pack(63, 63, 63), nullptr, 14, pack(63, 63, 63), "63     63     63"},
      // A held arrow steps at once, then every 200 ms for as long as it is held.
      {"a click", 1, pack(0, 63, 11), [] { return hold(UP, 0); }, 14, pack(1, 63, 11),
       " 1     63     11", 0},
      {"just under one repeat", 1, pack(0, 63, 11), [] { return hold(UP, 200); }, 14,
       pack(1, 63, 11), " 1     63     11", 200},
      {"one second", 1, pack(0, 63, 11), [] { return hold(UP, 1000); }, 14, pack(5, 63, 11),
       " 5     63     11", 1000},
      {"a little longer", 1, pack(0, 63, 11), [] { return hold(UP, 1001); }, 14, pack(6, 63, 11),
       " 6     63     11", 1001},
      {"down", 1, pack(40, 63, 11), [] { return hold(DOWN, 1000); }, 14, pack(35, 63, 11),
       "35     63     11", 1000},
      {"up to the top", 1, pack(60, 63, 11), [] { return hold(UP, 1000); }, 14, pack(63, 63, 11),
       "63     63     11", 1000},
      {"already at the top", 1, pack(63, 63, 11), [] { return hold(UP, 5000); }, 14,
       pack(63, 63, 11), "63     63     11", 5000},
      {"down to the bottom", 1, pack(2, 63, 11), [] { return hold(DOWN, 3000); }, 14,
       pack(0, 63, 11), " 0     63     11", 3000},
      // The hold ends on the release wherever the pointer is; each poll of the held arrow takes
      // one scripted step, 200 ms apart while the level moves. An Up key follows.
      {"wandering off the arrow inside the box", 1, pack(0, 63, 11),
       [] {
         return holdEndingWith(
             [] {
               headless::mouse(500, 250, 1);
               headless::wait(400);
               headless::mouse(500, 250, 0);
             },
             2);
       },
       14, pack(4, 63, 11), " 4     63     11"},
      {"released outside the box, which stays open", 1, pack(0, 63, 11),
       [] {
         return holdEndingWith(
             [] {
               headless::mouse(20, 460, 1);
               headless::wait(400);
               headless::mouse(20, 460, 0);
             },
             2);
       },
       14, pack(4, 63, 11), " 4     63     11"},
      {"leaving the window ends it at once", 1, pack(0, 63, 11),
       [] {
         return holdEndingWith(
             [] {
               headless::wait(400);
               headless::mouseOutside();
               headless::wait(2000);
               headless::mouse(UP.x, UP.y, 0);
             },
             2);
       },
       14, pack(3, 63, 11), " 3     63     11"},
      {"coming back still held starts it again", 1, pack(0, 63, 11),
       [] {
         return holdEndingWith(
             [] {
               headless::wait(400);
               headless::mouseOutside();
               headless::wait(2000);
               headless::mouse(BESIDE_UP.x, BESIDE_UP.y, 1);
               headless::wait(400);
               headless::mouse(BESIDE_UP.x, BESIDE_UP.y, 0);
             },
             3);
       },
       14, pack(5, 63, 11), " 5     63     11"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    openScreenWithOptions(c.scheme);
    if (c.titles >= 0) screen::setPaletteEntry(14, c.titles);
    openEditor();
    std::vector<int32_t> before;
    for (int entry = 0; entry < 16; ++entry) before.push_back(screen::getPaletteEntry(entry));
    const int events = c.action ? c.action() : script(c.what);
    const double start = headless::headlessState.clockMs;
    EXPECT_FALSE(editorEvents(events)) << "still open";
    for (int entry = 0; entry < 16; ++entry) {
      EXPECT_EQ(screen::getPaletteEntry(entry), entry == c.colour ? c.entry : before[entry])
          << entry;
    }
    EXPECT_EQ(screenReader::textAt(LEVELS_ROW, LEVELS_COLUMN, 16), c.shown);
    // The box itself is cleared in colour 0, so it follows the background.
    EXPECT_EQ(screen::pixelAt(330, 300), 0);
    if (c.heldMs >= 0) {
      // The hold lasts as long as the button is down, also once the level has stopped moving.
      EXPECT_GE(headless::headlessState.clockMs - start, c.heldMs);
      EXPECT_LT(headless::headlessState.clockMs - start, c.heldMs + 250);
    }
    closeColourEditor();
  }
}

TEST(ColourEditor, TheFirstOpeningShowsTitlesAndRed) {
  struct Case {
    int scheme;
    const char* levels;
  };
  for (const Case& c : {Case{1, "63     63     11"}, Case{2, " 0      0     39"}}) {
    SCOPED_TRACE(c.scheme);
    openScreenWithOptions(c.scheme);
    openEditor();

    EXPECT_EQ(screenReader::textAt(14, 51, 14), "Change a Color");
    EXPECT_EQ(screenReader::readCell(14, 51).ink, 14);
    for (const auto& [x, y] : {std::pair{320, 200}, std::pair{599, 200}, std::pair{320, 455},
                               std::pair{599, 455}, std::pair{450, 455}}) {
      EXPECT_EQ(screen::pixelAt(x, y), 14) << "frame at " << x << "," << y;
    }
    EXPECT_EQ(screen::pixelAt(321, 201), 0);
    EXPECT_EQ(screen::pixelAt(598, 454), 0);

    struct Role {
      const char* name;
      int ink;
    };
    const Role roles[] = {{"Titles", 14},
                          {"Expressions", 15},
                          {"Button (not selected)", 2},
                          {"Button (selected)", 13},
                          {"Dropdowns", 8},
                          {"Error messages", 12},
                          {"Replacable text", 7},
                          {"(backGround)", 15}};
    for (int i = 0; i < 8; ++i) {
      const std::string name = roles[i].name;
      EXPECT_EQ(screenReader::textAt(15 + i, 46, static_cast<int>(name.size())), name);
      EXPECT_EQ(screenReader::readCell(15 + i, 46).ink, roles[i].ink) << name;
    }
    EXPECT_EQ(markedRole(), 1);
    EXPECT_EQ(screen::pixelAt(344, 243), 15) << "a hollow mark in the role's colour";
    EXPECT_EQ(highlightedComponent(), "R");

    EXPECT_EQ(screenReader::textAt(LEVELS_ROW, LEVELS_COLUMN, 16), c.levels);
    EXPECT_EQ(screenReader::readCell(LEVELS_ROW, LEVELS_COLUMN + 1).ink, 15);
    EXPECT_EQ(smallTextReader::smallTextAt(344, 384, 1, 2), "\x18");
    EXPECT_EQ(smallTextReader::smallTextAt(568, 384, 1, 2), "\x19");
    EXPECT_EQ(smallTextReader::smallTextAt(368, 428, 2, 2), "OK");
    EXPECT_EQ(smallTextReader::smallTextAt(512, 428, 6, 2), "Cancel");
    closeColourEditor();
  }
}

TEST(ColourEditor, ReopeningStartsOnTheLastRoleAndComponent) {
  ScratchDirectory dir;
  struct Case {
    const char* what;
    void (*choose)();
    Point close;
    int role;
    const char* component;
    const char* levels;
  };
  const Case cases[] = {
      {"nothing chosen", [] {}, EDITOR_OK, 1, "R", "63     63     11"},
      {"role 4 and green, OK",
       [] {
         click(rolePoint(4));
         headless::key("\t");
       },
       EDITOR_OK, 4, "G", "63     48     11"},
      {"background and blue, Cancel",
       [] {
         click(rolePoint(8));
         click(BLUE);
       },
       CANCEL, 8, "B", " 0      0     16"},
      {"a press outside",
       [] {
         click(rolePoint(6));
         headless::extendedKey(screen::KEY_RIGHT);
       },
       {100, 100},
       6,
       "G",
       "63     28     21"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    openScreenWithOptions(1);
    c.choose();
    click(c.close);
    const auto roles = editedRoles();
    runColourEditor(roles, 8, 320, 200, 2, 13, 14, 16);
    openEditor();
    EXPECT_EQ(markedRole(), c.role);
    EXPECT_EQ(highlightedComponent(), c.component);
    EXPECT_EQ(screenReader::textAt(LEVELS_ROW, LEVELS_COLUMN, 16), c.levels);
    closeColourEditor();
  }
}

TEST(ColourEditor, TabAndShiftTabStopAtBlueAndRed) {
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

TEST(ColourEditor, TheComponentButtonsChooseOnTheRelease) {
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

TEST(ColourEditor, AStepRedrawsNothingButTheLevels) {
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

TEST(ColourEditor, OnlyCancelPutsTheOldLevelsBack) {
  struct Case {
    const char* how;
    void (*close)();
    int lastEvent;
    bool kept;
  };
  const Case cases[] = {
      {"OK", [] { click(EDITOR_OK); }, 0, true},
      {"Cancel", [] { click(CANCEL); }, 0, false},
      {"a press left of the box",
       [] {
         click({319, 300});
       },
       EVENT_LEFT_PRESS, true},
      {"a press below the box",
       [] {
         click({450, 457});
       },
       EVENT_LEFT_PRESS, true},
      {"the close button", [] { headless::extendedKey(screen::KEY_CLOSE); }, EVENT_CLOSE, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    openScreenWithOptions(1);
    const std::vector<uint8_t> before = surfaceCopy();
    const int buttons = registeredButtons();
    changeThreeRoles();
    c.close();
    const auto roles = editedRoles();
    runColourEditor(roles, 8, 320, 200, 2, 13, 14, 16);

    EXPECT_EQ(inputLoop.lastEvent, c.lastEvent);
    EXPECT_TRUE(surfaceCopy() == before) << "the screen under the box is back";
    EXPECT_EQ(registeredButtons(), buttons);
    const int32_t titles = c.kept ? pack(60, 63, 11) : pack(63, 63, 11);
    const int32_t text = c.kept ? pack(61, 63, 63) : pack(63, 63, 63);
    const int32_t background = c.kept ? pack(1, 0, 16) : pack(0, 0, 16);
    EXPECT_EQ(screen::getPaletteEntry(14), titles);
    EXPECT_EQ(screen::getPaletteEntry(15), text);
    EXPECT_EQ(screen::getPaletteEntry(0), background);
    for (int entry : {1, 2, 3, 7, 8, 11, 12, 13}) {
      const int32_t* levels = builtInPalettes[1][entry];
      EXPECT_EQ(screen::getPaletteEntry(entry), pack(levels[0], levels[1], levels[2])) << entry;
    }
  }
}

TEST(ColourEditor, PressesOnTheBoxBoundsAreInside) {
  for (const Point& at :
       {Point{320, 300}, Point{600, 300}, Point{450, 200}, Point{450, 456}, Point{600, 456}}) {
    SCOPED_TRACE(testing::Message() << at.x << "," << at.y);
    openScreenWithOptions(1);
    openEditor();
    click(at);
    EXPECT_FALSE(editorEvents(2));
    closeColourEditor();
  }
}

TEST(ColourEditor, TheSchemesPaletteFileIsWrittenHoweverTheEditorCloses) {
  struct Case {
    const char* how;
    int scheme;
    void (*close)();
    const char* titlesLine;  // colour 14, the file's fifteenth line
    int lastEvent;           // what the panel closed with
  };
  const Case cases[] = {
      {"OK", 1, [] { click(EDITOR_OK); }, "60,63,11", EVENT_LEFT_RELEASE},
      {"Cancel", 1, [] { click(CANCEL); }, "63,63,11", EVENT_LEFT_RELEASE},
      {"a press outside the editor and the panel", 1,
       [] {
         click({600, 470});
       },
       "60,63,11", EVENT_LEFT_PRESS},
      {"a press outside the editor on the panel", 1,
       [] {
         click({300, 100});
       },
       "60,63,11", EVENT_LEFT_RELEASE},
      {"the close button", 1, [] { headless::extendedKey(screen::KEY_CLOSE); }, "60,63,11",
       EVENT_CLOSE},
      {"OK in the other scheme", 2, [] { click(EDITOR_OK); }, "0,0,39", EVENT_LEFT_RELEASE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    ScratchDirectory dir;
    ButtonId options = openScreenWithOptions(c.scheme);
    click(OPTIONS);
    click(CHANGE_A_COLOR);
    for (int i = 0; i < 3; ++i) headless::extendedKey(screen::KEY_DOWN);
    c.close();
    click(PANEL_OK);  // only reached while the panel is still open
    ASSERT_TRUE(chooseOptions(options));
    EXPECT_EQ(inputLoop.lastEvent, c.lastEvent);

    const std::string name = c.scheme == 1 ? "lightOnDarkPalette.txt" : "darkOnLightPalette.txt";
    EXPECT_EQ(scratch::fileNames(), std::vector<std::string>{name}) << "no other file is written";
    std::vector<std::string> expected = builtInLines(c.scheme);
    expected[14] = c.titlesLine;
    EXPECT_EQ(paletteLines(name), expected);
  }
}

TEST(ColourEditor, CancelWritesThePaletteThatWasShownBefore) {
  ScratchDirectory dir;
  // A short file: the reader fills the missing levels with zeros.
  scratch::writeFile("lightOnDarkPalette.txt", "10,20,30\n");
  ButtonId options = openScreenWithOptions(1);
  click(OPTIONS);
  click(CHANGE_A_COLOR);
  click(rolePoint(8));
  headless::extendedKey(screen::KEY_UP);
  click(CANCEL);
  click(PANEL_OK);
  ASSERT_TRUE(chooseOptions(options));
  std::vector<std::string> expected(16, "0,0,0");
  expected[0] = "10,20,30";
  EXPECT_EQ(paletteLines("lightOnDarkPalette.txt"), expected);
}
