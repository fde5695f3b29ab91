#include <gtest/gtest.h>

#include "app/program.h"
#include "controls/buttonRegistry.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/mainScreenScript.h"
#include "support/screenReader.h"

namespace {

int occupiedSlots() {
  int used = 0;
  for (int slot = 1; slot <= MAX_BUTTONS; ++slot) used += !buttonRegistry.label[slot].empty();
  return used;
}

}  // namespace

// Confirming again after a schedule finished starts a new one; doing that many times over must
// neither fill the button registry nor stop the step controls from being drawn.
TEST(ScheduleRestart, RestartingAFinishedScheduleKeepsTheRegistrySteady) {
  for (int restarts : {1, 2, 100}) {
    SCOPED_TRACE(restarts);
    headless::reset();
    mainScript::enterInputs("1000", "12", "500");
    headless::key("\r");
    for (int i = 0; i < restarts; ++i) {
      headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
      headless::key("\r");
    }
    runProgram();
    // The ten controls of the form plus the inert ones of the last finished schedule at most.
    EXPECT_LE(occupiedSlots(), 10 + 8);
    EXPECT_EQ(screenReader::rowText(10).substr(0, 14), "Press PageDown");
    int row = 0, column = 0;
    EXPECT_FALSE(screenReader::findText("Too many active Buttons", row, column));
  }
}
