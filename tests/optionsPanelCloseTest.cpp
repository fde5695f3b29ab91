#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "colours/colourScheme.h"
#include "controls/inputLoop.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/colourDialogSupport.h"
#include "support/scratchDirectory.h"

using namespace colourDialogs;

// The panel stays open exactly when "Dark on Light", clicked after the press, still switches.
TEST(OptionsPanelClose, APressOutsideThePanelClosesItAndDoesNothingElse) {
  ScratchDirectory dir;
  struct Case {
    int x, y;
    bool closes;
  };
  for (const Case& c :
       {Case{100, 157, false}, Case{428, 100, false}, Case{428, 157, false}, Case{0, 37, false},
        Case{427, 156, false}, Case{100, 158, true}, Case{429, 100, true}, Case{429, 158, true},
        Case{200, 36, true}, Case{50, 24, true}, Case{500, 400, true}}) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    ButtonId options = openScreenWithOptions(SCHEME_LIGHT_ON_DARK);
    click(OPTIONS);
    click({c.x, c.y});
    click(DARK_ON_LIGHT);
    ASSERT_TRUE(chooseOptions(options));
    EXPECT_EQ(inputLoop.lastEvent, c.closes ? EVENT_LEFT_PRESS : EVENT_CLOSE);
    EXPECT_EQ(colourSchemeState.colourScheme,
              c.closes ? SCHEME_LIGHT_ON_DARK : SCHEME_DARK_ON_LIGHT);
  }
}

TEST(OptionsPanelClose, KeysWheelAndRightButtonDoNothing) {
  ScratchDirectory dir;
  struct Case {
    const char* what;
    void (*script)();
    int sounds;
  };
  const Case cases[] = {
      {"Escape", [] { headless::key("\x1b"); }, 0},
      {"Enter", [] { headless::key("\r"); }, 0},
      {"Tab", [] { headless::key("\t"); }, 0},
      {"cursor keys",
       [] {
         for (int code : {screen::KEY_UP, screen::KEY_DOWN, screen::KEY_LEFT, screen::KEY_RIGHT}) {
           headless::extendedKey(code);
         }
       },
       0},
      {"wheel", [] { headless::mouse(100, 100, 0, 3); }, 0},
      {"right button",
       [] {
         headless::mouse(600, 400, 2);
         headless::mouse(600, 400, 0);
       },
       0},
      {"printable key", [] { headless::type("x"); }, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ButtonId options = openScreenWithOptions(SCHEME_LIGHT_ON_DARK);
    click(OPTIONS);
    c.script();
    click(DARK_ON_LIGHT);
    ASSERT_TRUE(chooseOptions(options));
    EXPECT_EQ(inputLoop.lastEvent, EVENT_CLOSE) << "still open until the close button";
    EXPECT_EQ(colourSchemeState.colourScheme, SCHEME_DARK_ON_LIGHT);
    EXPECT_EQ(headless::headlessState.soundsPlayed,
              std::vector<std::string>(c.sounds, "illegalChar.wav"));
  }
}

TEST(OptionsPanelClose, AfterAPressOutsideTheNextOpeningWorksAsUsual) {
  ScratchDirectory dir;
  ButtonId options = openScreenWithOptions(SCHEME_LIGHT_ON_DARK);
  click(OPTIONS);
  click({300, 300});
  click(OPTIONS);
  click(DARK_ON_LIGHT);
  click(PANEL_OK);
  ASSERT_TRUE(chooseOptions(options));
  EXPECT_EQ(inputLoop.lastEvent, EVENT_LEFT_PRESS);
  ASSERT_TRUE(chooseOptions(options));
  EXPECT_EQ(inputLoop.lastEvent, EVENT_LEFT_RELEASE) << "closed by OK";
  EXPECT_EQ(colourSchemeState.colourScheme, SCHEME_DARK_ON_LIGHT);
}

TEST(OptionsPanelClose, TheCloseButtonInsideTheEditorClosesEverythingAndSaves) {
  ScratchDirectory dir;
  ButtonId options = openScreenWithOptions(SCHEME_LIGHT_ON_DARK);
  const std::vector<uint8_t> before = surfaceCopy();
  click(OPTIONS);
  click(CHANGE_A_COLOR);
  headless::extendedKey(screen::KEY_DOWN);
  headless::extendedKey(screen::KEY_CLOSE);
  click(DARK_ON_LIGHT);  // never reached: the panel has closed
  ASSERT_TRUE(chooseOptions(options));
  EXPECT_EQ(inputLoop.lastEvent, EVENT_CLOSE);
  EXPECT_EQ(colourSchemeState.colourScheme, SCHEME_LIGHT_ON_DARK);
  EXPECT_TRUE(surfaceCopy() == before);
  const std::vector<std::string> lines = paletteLines("lightOnDarkPalette.txt");
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[14], "62,63,11");
  EXPECT_EQ(scratch::fileNames(), std::vector<std::string>{"lightOnDarkPalette.txt"});
}
