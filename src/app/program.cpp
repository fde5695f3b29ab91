#include "app/program.h"

#include "app/calculatorState.h"
#include "app/mainScreen.h"
#include "app/optionsFile.h"
#include "app/programState.h"
#include "colours/colourScheme.h"
#include "controls/buttonRegistry.h"
#include "screen/screen.h"

namespace {

struct Size {
  int across, down;
};

// The grid whose 8x8 cells the small glyphs are taken from, and the one the program runs in.
constexpr Size SMALL_GLYPH_GRID = {80, 60};
constexpr Size SCREEN_GRID = {80, 30};
// The band of twelve schedule lines.
constexpr Size SCROLL_IMAGE = {640, 192};

// A save killed half way (a power cut, SIGKILL) leaves its scratch file beside the real one.
void removeStaleScratchFiles() {
  screen::removeStaleScratchFiles(optionsFileToWrite());
  for (int scheme : {SCHEME_LIGHT_ON_DARK, SCHEME_DARK_ON_LIGHT}) {
    screen::removeStaleScratchFiles(colourSchemeState.paletteFileName[scheme]);
  }
}

}  // namespace

void openProgramScreen() {
  resetProgramState();
  screen::openScreen();
  screen::setTextGrid(SMALL_GLYPH_GRID.across, SMALL_GLYPH_GRID.down);
  captureSmallGlyphs();
  screen::setTextGrid(SCREEN_GRID.across, SCREEN_GRID.down);
  // Made once: every scroll of the schedule reuses it.
  calc.scrollImage = screen::createImage(SCROLL_IMAGE.across, SCROLL_IMAGE.down);
}

void runProgram() {
  openProgramScreen();
  screen::setSessionEndAction(exitProgram);
  colourSchemeState.paletteFileName[SCHEME_LIGHT_ON_DARK] = "lightOnDarkPalette.txt";
  colourSchemeState.paletteFileName[SCHEME_DARK_ON_LIGHT] = "darkOnLightPalette.txt";
  readOptions();
  removeStaleScratchFiles();
  loadSchemePalette();
  startCalculation();
  runEventLoop();
}
