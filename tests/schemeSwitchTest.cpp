#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "colours/builtInPalettes.h"
#include "colours/colourScheme.h"
#include "colours/optionsDialog.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/colourDialogSupport.h"
#include "support/scratchDirectory.h"

using namespace colourDialogs;

namespace {

// The palette entries 0 to 15 that differ from the scheme's built-in palette.
std::vector<int> entriesOffBuiltIn(int scheme) {
  std::vector<int> off;
  for (int entry = 0; entry < 16; ++entry) {
    const int32_t* levels = builtInPalettes[scheme][entry];
    if (screen::getPaletteEntry(entry) != pack(levels[0], levels[1], levels[2])) {
      off.push_back(entry);
    }
  }
  return off;
}

// "on" or "off" for the marks in front of "Light on Dark" and "Dark on Light".
std::string marks() {
  std::string shown;
  for (int y : {64, 80}) {
    if (!shown.empty()) shown += ' ';
    shown += screen::pixelAt(60, y + 7) == 2 ? "on" : "off";
  }
  return shown;
}

}  // namespace

TEST(SchemeSwitch, OnlyTheReleasePositionCounts) {
  ScratchDirectory dir;
  struct Case {
    const char* what;
    int from;
    Point press, release;
    int to;
  };
  const Case cases[] = {
      {"click the other scheme", 1, DARK_ON_LIGHT, DARK_ON_LIGHT, 2},
      {"and the other way", 2, LIGHT_ON_DARK, LIGHT_ON_DARK, 1},
      {"press on one, release on the other", 1, LIGHT_ON_DARK, DARK_ON_LIGHT, 2},
      {"press on the other, release on the chosen one", 1, DARK_ON_LIGHT, LIGHT_ON_DARK, 1},
      {"click the chosen one", 2, DARK_ON_LIGHT, DARK_ON_LIGHT, 2},
      {"release on the option mark", 1, {58, 88}, {58, 88}, 2},
      {"release beside the panel's buttons", 1, DARK_ON_LIGHT, {300, 88}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ButtonId options = openScreenWithOptions(c.from);
    openOptionsPanel(options);
    EXPECT_FALSE(panelEvents(drag(c.press, c.release))) << "the panel stays open";
    EXPECT_EQ(colourSchemeState.colourScheme, c.to);
    EXPECT_EQ(entriesOffBuiltIn(c.to), std::vector<int>{}) << "the whole screen recolours";
    EXPECT_EQ(marks(), c.to == 1 ? "on off" : "off on");
    EXPECT_EQ(scratch::fileNames(), std::vector<std::string>{}) << "a switch writes no file";
    closeOptionsPanel();
  }
}

TEST(SchemeSwitch, BackAndForthShowsEachSchemesPaletteAndWritesNothing) {
  ScratchDirectory dir;
  ButtonId options = openScreenWithOptions(1);
  openOptionsPanel(options);
  for (int round = 0; round < 3; ++round) {
    for (const auto& [at, scheme] : {std::pair{DARK_ON_LIGHT, 2}, std::pair{LIGHT_ON_DARK, 1}}) {
      click(at);
      EXPECT_FALSE(panelEvents(2));
      EXPECT_EQ(colourSchemeState.colourScheme, scheme);
      EXPECT_EQ(entriesOffBuiltIn(scheme), std::vector<int>{});
    }
  }
  closeOptionsPanel();
  EXPECT_EQ(scratch::fileNames(), std::vector<std::string>{});
}

TEST(SchemeSwitch, TheNewSchemesFileIsReadAndTheChosenOneIsNotReloaded) {
  ScratchDirectory dir;
  std::string grey;
  for (int i = 0; i < 16; ++i) grey += "20,21,22\r\n";
  scratch::writeFile("darkOnLightPalette.txt", grey);
  ButtonId options = openScreenWithOptions(1);
  openOptionsPanel(options);
  click(DARK_ON_LIGHT);
  EXPECT_FALSE(panelEvents(2));
  for (int entry = 0; entry < 16; ++entry) {
    EXPECT_EQ(screen::getPaletteEntry(entry), pack(20, 21, 22)) << entry;
  }
  // A second click on the chosen scheme would reload the file over this entry.
  screen::setPaletteEntry(5, pack(1, 2, 3));
  click(DARK_ON_LIGHT);
  EXPECT_FALSE(panelEvents(2));
  EXPECT_EQ(screen::getPaletteEntry(5), pack(1, 2, 3));
  closeOptionsPanel();
  EXPECT_EQ(scratch::readFile("darkOnLightPalette.txt"), grey);
}
