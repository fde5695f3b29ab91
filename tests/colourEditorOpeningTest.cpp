#include <gtest/gtest.h>

#include <string>

#include "colours/colourEditor.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/colourDialogSupport.h"
#include "support/scratchDirectory.h"
#include "support/screenReader.h"
#include "support/smallTextReader.h"

using namespace colourDialogs;

namespace {

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

}  // namespace

TEST(ColourEditorOpening, TheFirstOpeningShowsTitlesAndRed) {
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

TEST(ColourEditorOpening, ALevelBelowTenKeepsTheDisplayWidth) {
  struct Case {
    int32_t packed;
    const char* shown;
  };
  for (const Case& c :
       {Case{pack(5, 10, 0), " 5     10      0"}, Case{pack(0, 9, 63), " 0      9     63"},
        Case{pack(63, 63, 63), "63     63     63"}}) {
    openScreenWithOptions(1);
    screen::setPaletteEntry(14, c.packed);
    openEditor();
    EXPECT_EQ(screenReader::textAt(LEVELS_ROW, LEVELS_COLUMN, 16), c.shown);
    closeColourEditor();
  }
}

TEST(ColourEditorOpening, ReopeningStartsOnTheLastRoleAndComponent) {
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
