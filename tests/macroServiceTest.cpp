#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/program.h"
#include "controls/inputLoop.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/macroRun.h"
#include "support/mainScreenScript.h"
#include "support/scratchDirectory.h"
#include "support/screenReader.h"

// A long macro reads no input, yet the window goes on being served while it plays: changes are
// shown, and keys that arrive meanwhile wait in the queue for the readers after the macro.

namespace {

constexpr int STEPS = 700;

std::string downKeys(int count) {
  std::string keys;
  for (int i = 0; i < count; ++i) keys += "\xffP";
  return keys;
}

struct PlaybackWatch {
  long pumpsWhilePlaying = 0;
  long presentsBefore = -1;
  long presentsWhilePlaying = 0;
};

// Counts what happens to the window while the macro plays.
void watchPlayback(PlaybackWatch& watch) {
  headless::headlessState.onPump = [&watch] {
    const headless::HeadlessState& h = headless::headlessState;
    if (!inputLoop.macroPlaying || inputLoop.macroWaiting) return;
    ++watch.pumpsWhilePlaying;
    if (watch.presentsBefore < 0) watch.presentsBefore = h.presents;
    watch.presentsWhilePlaying = h.presents - watch.presentsBefore;
  };
}

std::vector<uint8_t> surfaceCopy() {
  const uint8_t* pixels = screen::surfacePixels();
  return {pixels, pixels + screen::SCREEN_WIDTH * screen::SCREEN_HEIGHT};
}

}  // namespace

TEST(MacroService, ALongMacroPlaysAsTheSameKeysTypedAndKeepsTheWindowServed) {
  const std::string form = "1000000;12;10000;;";

  ScratchDirectory typedDirectory;
  headless::reset();
  headless::type("1000000\r12\r10000\r\r");
  for (int i = 0; i < STEPS; ++i) headless::extendedKey(screen::KEY_DOWN);
  runProgram();
  const std::vector<uint8_t> typed = surfaceCopy();
  const std::vector<std::string> typedRows = mainScript::scheduleRows();
  ASSERT_FALSE(typedRows.empty());
  EXPECT_EQ(typedRows.back().substr(0, 3), std::to_string(STEPS));

  ScratchDirectory playedDirectory;
  PlaybackWatch watch;
  headless::reset();
  scratch::writeFile("7.mac", form + downKeys(STEPS));
  macroRun::startMacro("7");
  // Pressed while the macro plays: it must wait until the macro is done, not cut it short.
  headless::key("\x1b");
  watchPlayback(watch);
  runProgram();
  headless::headlessState.onPump = nullptr;

  EXPECT_EQ(mainScript::scheduleRows(), typedRows);
  EXPECT_TRUE(surfaceCopy() == typed) << "the played run's screen differs from the typed one's";
  EXPECT_GE(watch.pumpsWhilePlaying, STEPS / 256);
  EXPECT_GT(watch.presentsWhilePlaying, 0) << "nothing was shown while the macro played";
  EXPECT_EQ(headless::headlessState.closeReports, 0) << "Escape, not the script's end, ended it";
}

// A macro far too long to wait for (two million Delete keys) is ended by the window's close
// button while it plays, as a waiting one is; a second press ends the program.
TEST(MacroService, TheCloseButtonEndsAMacroWhilePlaying) {
  ScratchDirectory directory;
  macroRun::run(std::string(2'000'000, '\\'), [] { headless::extendedKey(screen::KEY_CLOSE); });
  int row = 0, column = 0;
  EXPECT_TRUE(screenReader::findText("Macro processing terminated - ", row, column));
  EXPECT_EQ(row, 1);
  EXPECT_FALSE(inputLoop.macroPlaying);
  EXPECT_LT(inputLoop.macroReadPos, static_cast<int>(inputLoop.macroBuffer.size()));
}
