#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "colours/optionsDialog.h"
#include "controls/inputLoop.h"
#include "screen/private/headless.h"
#include "screen/private/surfaceState.h"
#include "screen/screen.h"
#include "support/colourDialogSupport.h"
#include "support/scratchDirectory.h"
#include "support/screenReader.h"
#include "support/smallTextReader.h"

using namespace colourDialogs;

namespace {

int liveImages() {
  int count = 0;
  for (const auto& block : screen::imageStore.blocks) count += block.width > 0;
  return count;
}

// What is shown in front of a scheme label at this pixel row: "on", "off" or "-".
std::string markAt(int labelY) {
  const int inside = screen::pixelAt(60, labelY + 7), corner = screen::pixelAt(56, labelY + 3);
  if (inside == 2) return "on";
  return corner == 2 && inside == 0 ? "off" : "-";
}

}  // namespace

TEST(OptionsPanelLayout, ThePanelHangsFromTheOptionsControl) {
  ScratchDirectory dir;
  struct Case {
    int scheme;
    const char* lightMark;
    const char* darkMark;
  };
  for (const Case& c : {Case{1, "on", "off"}, Case{2, "off", "on"}}) {
    SCOPED_TRACE(c.scheme);
    ButtonId options = openScreenWithOptions(c.scheme);
    const std::vector<uint8_t> before = surfaceCopy();
    openOptionsPanel(options);

    struct Pixel {
      int x, y, colour;
    };
    // The outline in colour 8, open under the button between its inner edges; cleared inside.
    for (const Pixel& p :
         {Pixel{0, 37, 8}, Pixel{16, 37, 8}, Pixel{17, 37, 0}, Pixel{87, 37, 0}, Pixel{88, 37, 8},
          Pixel{427, 37, 8}, Pixel{0, 100, 8}, Pixel{427, 100, 8}, Pixel{0, 156, 8},
          Pixel{427, 156, 8}, Pixel{1, 38, 0}, Pixel{426, 155, 0}, Pixel{300, 100, 0}}) {
      EXPECT_EQ(screen::pixelAt(p.x, p.y), p.colour) << p.x << "," << p.y;
    }
    // Nothing outside it changes.
    for (const Pixel& p : {Pixel{428, 37, 0}, Pixel{428, 100, 0}, Pixel{100, 157, 0},
                           Pixel{428, 157, 0}, Pixel{200, 36, 0}}) {
      EXPECT_EQ(screen::pixelAt(p.x, p.y), before[p.y * 640 + p.x]) << p.x << "," << p.y;
    }

    struct Label {
      int row, column;
      const char* text;
    };
    for (const Label& l : {Label{4, 4, "Color palette:"}, Label{5, 10, "Light on Dark"},
                           Label{6, 10, "Dark on Light"}, Label{8, 4, "Change a color"}}) {
      EXPECT_EQ(screenReader::textAt(l.row, l.column, static_cast<int>(strlen(l.text))), l.text);
      EXPECT_EQ(screenReader::readCell(l.row, l.column).ink, 2) << l.text;
    }
    EXPECT_EQ(smallTextReader::smallTextAt(224, 128, 2, 2), "OK");
    EXPECT_EQ(screenReader::readCell(2, 4).ink, 13) << "the Options control stays highlighted";
    EXPECT_EQ(markAt(64), c.lightMark);
    EXPECT_EQ(markAt(80), c.darkMark);
    closeOptionsPanel();
  }
}

TEST(OptionsPanelLayout, ClosingPutsTheScreenAndTheRegistryBack) {
  ScratchDirectory dir;
  struct Case {
    const char* how;
    void (*script)();
    int lastEvent;
  };
  const Case cases[] = {
      {"OK", [] { click(PANEL_OK); }, 65372},
      {"close button", [] { headless::extendedKey(screen::KEY_CLOSE); }, 65387},
      {"press below",
       [] {
         click({100, 158});
       },
       65371},
      {"press far away",
       [] {
         click({500, 400});
       },
       65371},
      {"editor, then OK",
       [] {
         click(CHANGE_A_COLOR);
         click(EDITOR_OK);
         click(PANEL_OK);
       },
       65372},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    ButtonId options = openScreenWithOptions(1);
    const std::vector<uint8_t> before = surfaceCopy();
    const int buttons = registeredButtons(), images = liveImages();
    c.script();
    runOptionsDialog(options);
    EXPECT_EQ(inputLoop.lastEvent, c.lastEvent);
    unhighlightButton(options);
    EXPECT_TRUE(surfaceCopy() == before) << "the screen under the panel is back";
    EXPECT_EQ(registeredButtons(), buttons);
    EXPECT_EQ(liveImages(), images);
  }
}

TEST(OptionsPanelLayout, ManyOpeningsLeaveNothingBehind) {
  ScratchDirectory dir;
  ButtonId options = openScreenWithOptions(2);
  const std::vector<uint8_t> before = surfaceCopy();
  const int buttons = registeredButtons(), images = liveImages();
  constexpr int OPENINGS = 60;
  for (int i = 0; i < OPENINGS; ++i) {
    click(OPTIONS);
    switch (i % 4) {
      case 0:
        click(PANEL_OK);
        break;
      case 1:
        click({600, 300});
        break;
      case 2:
        click(CHANGE_A_COLOR);
        click(CANCEL);
        click(PANEL_OK);
        break;
      default:
        click(CHANGE_A_COLOR);
        click({600, 470});  // outside the editor and the panel: both close
        break;
    }
  }
  int opened = 0;
  while (chooseOptions(options)) ++opened;
  EXPECT_EQ(opened, OPENINGS);
  EXPECT_TRUE(surfaceCopy() == before);
  EXPECT_EQ(registeredButtons(), buttons);
  EXPECT_EQ(liveImages(), images);
}
