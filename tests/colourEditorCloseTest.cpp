#include <gtest/gtest.h>

#include <vector>

#include "colours/builtInPalettes.h"
#include "colours/colourEditor.h"
#include "controls/inputLoop.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/colourDialogSupport.h"

using namespace colourDialogs;

namespace {

// Changes three roles: Titles' red down 3, Expressions' red down 2, the background's red up 1.
void changeThreeRoles() {
  for (int i = 0; i < 3; ++i) headless::extendedKey(screen::KEY_DOWN);
  click(rolePoint(2));
  for (int i = 0; i < 2; ++i) headless::extendedKey(screen::KEY_DOWN);
  click(rolePoint(8));
  headless::extendedKey(screen::KEY_UP);
}

}  // namespace

TEST(ColourEditorClose, OnlyCancelPutsTheOldLevelsBack) {
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

TEST(ColourEditorClose, PressesOnTheBoxBoundsAreInside) {
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
