#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/program.h"
#include "colours/builtInPalettes.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/colourDialogSupport.h"
#include "support/mainScreenScript.h"
#include "support/scratchDirectory.h"
#include "support/screenReader.h"

using namespace colourDialogs;

namespace {

constexpr const char* LIGHT_ON_DARK_OPTIONS = "\"ding.wav\"\r\n1\r\n";
constexpr const char* DARK_ON_LIGHT_OPTIONS = "\"ding.wav\"\r\n2\r\n";

void run(const std::function<void()>& script) {
  headless::reset();
  script();
  runProgram();
}

bool showsBuiltInPalette(int scheme) {
  for (int entry = 0; entry < 16; ++entry) {
    const int32_t* levels = builtInPalettes[scheme][entry];
    if (screen::getPaletteEntry(entry) != pack(levels[0], levels[1], levels[2])) return false;
  }
  return true;
}

}  // namespace

TEST(OptionsInProgram, TheSchemeSwitchesAtOnceAndIsSavedWhenTheProgramEnds) {
  ScratchDirectory dir;
  scratch::writeFile("quilloOptions.txt", LIGHT_ON_DARK_OPTIONS);
  run([] {
    headless::snapshot();
    click(OPTIONS);
    headless::snapshot();
    click(DARK_ON_LIGHT);
    click(PANEL_OK);
    headless::snapshot();
  });
  const uint8_t* before = mainScript::snapshot(0);
  const uint8_t* open = mainScript::snapshot(1);
  const uint8_t* after = mainScript::snapshot(2);
  EXPECT_EQ(screenReader::textAt(4, 4, 14, open), "Color palette:");
  EXPECT_EQ(screenReader::textAt(5, 10, 13, open), "Light on Dark");
  EXPECT_EQ(mainScript::controlInk(10, open), 13) << "Options stays lit while the panel is open";
  EXPECT_EQ(screenReader::screenText(after), screenReader::screenText(before));
  EXPECT_EQ(mainScript::controlInk(10, after), 8);
  EXPECT_TRUE(showsBuiltInPalette(2));
  EXPECT_EQ(scratch::readFile("quilloOptions.txt"), DARK_ON_LIGHT_OPTIONS);
  EXPECT_EQ(scratch::fileNames(), std::vector<std::string>{"quilloOptions.txt"});
}

TEST(OptionsInProgram, TheCloseButtonEndsTheProgramFromEitherDialog) {
  struct Case {
    const char* where;
    std::function<void()> script;
    std::vector<std::string> files;
    const char* titlesLine;  // line 15 of the palette file, if one is written
  };
  const std::vector<Case> cases = {
      {"the panel", [] { click(OPTIONS); }, {"quilloOptions.txt"}, nullptr},
      {"the editor",
       [] {
         click(OPTIONS);
         click(CHANGE_A_COLOR);
         for (int i = 0; i < 3; ++i) headless::extendedKey(screen::KEY_DOWN);
       },
       {"lightOnDarkPalette.txt", "quilloOptions.txt"},
       "60,63,11"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.where);
    ScratchDirectory dir;
    scratch::writeFile("quilloOptions.txt", LIGHT_ON_DARK_OPTIONS);
    run([&] {
      c.script();
      headless::extendedKey(screen::KEY_CLOSE);
      // Never reached: the program has ended.
      click(OPTIONS);
      click(DARK_ON_LIGHT);
    });
    EXPECT_FALSE(headless::scriptFinished());
    EXPECT_EQ(scratch::fileNames(), c.files);
    EXPECT_EQ(scratch::readFile("quilloOptions.txt"), LIGHT_ON_DARK_OPTIONS);
    if (c.titlesLine) {
      EXPECT_EQ(paletteLines("lightOnDarkPalette.txt").at(14), c.titlesLine);
    }
  }
}

TEST(OptionsInProgram, OpeningThePanelManyTimesLeavesTheRegistryAsItWas) {
  ScratchDirectory dir;
  run([] {});
  const int fresh = registeredButtons();
  run([] {
    for (int i = 0; i < 40; ++i) {
      click(OPTIONS);
      if (i % 2 == 0) {
        click(PANEL_OK);
      } else {
        click(CHANGE_A_COLOR);
        click(CANCEL);
        click({500, 300});  // outside the panel
      }
    }
  });
  EXPECT_EQ(registeredButtons(), fresh);
  EXPECT_TRUE(showsBuiltInPalette(2));
  EXPECT_EQ(paletteLines("darkOnLightPalette.txt").size(), 16u);
}
