#include <gtest/gtest.h>

#include "colours/colourEditor.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/colourDialogSupport.h"

using namespace colourDialogs;

namespace {

constexpr Point BESIDE_UP{UP.x + 3, UP.y + 2};

void hold(Point at, double milliseconds) {
  headless::mouse(at.x, at.y, 1);
  headless::wait(milliseconds);
  headless::mouse(at.x, at.y, 0);
  headless::wait(0);  // so that the release is reported before the script runs dry
}

}  // namespace

TEST(ColourEditorHold, AHeldArrowStepsAtOnceAndThenEvery200ms) {
  struct Case {
    const char* what;
    int32_t red;  // Titles' red level before the hold
    Point arrow;
    double heldMs;
    int32_t after;
  };
  const Case cases[] = {
      {"a click", 0, UP, 0, 1},
      {"just under one repeat", 0, UP, 200, 1},
      {"one second", 0, UP, 1000, 5},
      {"a little longer", 0, UP, 1001, 6},
      {"down", 40, DOWN, 1000, 35},
      {"up to the top", 60, UP, 1000, 63},
      {"already at the top", 63, UP, 5000, 63},
      {"down to the bottom", 2, DOWN, 3000, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    openScreenWithOptions(1);
    screen::setPaletteEntry(14, pack(c.red, 63, 11));
    openEditor();
    hold(c.arrow, c.heldMs);
    const double start = headless::headlessState.clockMs;
    EXPECT_FALSE(editorEvents(2)) << "the press, then the release";
    EXPECT_EQ(screen::getPaletteEntry(14), pack(c.after, 63, 11));
    // The hold lasts as long as the button is down, also once the level has stopped moving.
    EXPECT_GE(headless::headlessState.clockMs - start, c.heldMs);
    EXPECT_LT(headless::headlessState.clockMs - start, c.heldMs + 250);
    closeColourEditor();
  }
}

TEST(ColourEditorHold, TheHoldEndsOnTheReleaseWhereverThePointerIs) {
  struct Case {
    const char* what;
    void (*script)();
    int events;
    int32_t after;
  };
  // Each poll of the held arrow takes one scripted step, 200 ms apart while the level moves.
  const Case cases[] = {
      {"wandering off the arrow inside the box",
       [] {
         headless::mouse(UP.x, UP.y, 1);
         headless::mouse(500, 250, 1);
         headless::wait(400);
         headless::mouse(500, 250, 0);
       },
       2, 3},
      {"released outside the box, which stays open",
       [] {
         headless::mouse(UP.x, UP.y, 1);
         headless::mouse(20, 460, 1);
         headless::wait(400);
         headless::mouse(20, 460, 0);
       },
       2, 3},
      {"leaving the window ends it at once",
       [] {
         headless::mouse(UP.x, UP.y, 1);
         headless::wait(400);
         headless::mouseOutside();
         headless::wait(2000);
         headless::mouse(UP.x, UP.y, 0);
       },
       2, 2},
      {"coming back still held starts it again",
       [] {
         headless::mouse(UP.x, UP.y, 1);
         headless::wait(400);
         headless::mouseOutside();
         headless::wait(2000);
         headless::mouse(BESIDE_UP.x, BESIDE_UP.y, 1);
         headless::wait(400);
         headless::mouse(BESIDE_UP.x, BESIDE_UP.y, 0);
       },
       3, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    openScreenWithOptions(1);
    screen::setPaletteEntry(14, pack(0, 63, 11));
    openEditor();
    c.script();
    headless::wait(0);  // so that the release is reported before the script runs dry
    headless::extendedKey(screen::KEY_UP);
    EXPECT_FALSE(editorEvents(c.events + 1)) << "still open for a last key";
    EXPECT_EQ(screen::getPaletteEntry(14), pack(c.after + 1, 63, 11));
    closeColourEditor();
  }
}
