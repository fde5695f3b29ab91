#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "colours/builtInPalettes.h"
#include "colours/colourScheme.h"
#include "controls/inputLoop.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/colourDialogSupport.h"
#include "support/scratchDirectory.h"

using namespace colourDialogs;

namespace {

std::vector<std::string> builtInLines(int scheme) {
  std::vector<std::string> lines;
  for (const auto& levels : builtInPalettes[scheme]) {
    lines.push_back(paletteLine(pack(levels[0], levels[1], levels[2])));
  }
  return lines;
}

}  // namespace

TEST(ColourEditorSave, TheSchemesPaletteFileIsWrittenHoweverTheEditorCloses) {
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

TEST(ColourEditorSave, CancelWritesThePaletteThatWasShownBefore) {
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
