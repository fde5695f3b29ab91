#include "app/program.h"

#include "app/calculatorState.h"
#include "app/mainScreen.h"
#include "app/optionsFile.h"
#include "app/programState.h"
#include "colours/colourScheme.h"
#include "controls/buttonRegistry.h"
#include "screen/screen.h"

namespace {

// The grid whose 8x8 cells the small glyphs are taken from, and the one the program runs in.
constexpr int GRID_COLUMNS = 80;
constexpr int SMALL_GLYPH_ROWS = 60;
constexpr int SCREEN_ROWS = 30;
constexpr int SCROLL_IMAGE_WIDTH = 640;
constexpr int SCROLL_IMAGE_HEIGHT = 192;

}  // namespace

void openProgramScreen() {
  resetProgramState();
  screen::openScreen();
  screen::setTextGrid(GRID_COLUMNS, SMALL_GLYPH_ROWS);
  captureSmallGlyphs();
  screen::setTextGrid(GRID_COLUMNS, SCREEN_ROWS);
  // Made once: every scroll of the schedule reuses it.
  calc.scrollImage = screen::createImage(SCROLL_IMAGE_WIDTH, SCROLL_IMAGE_HEIGHT);
}

void runProgram() {
  openProgramScreen();
  colourSchemeState.paletteFileName[SCHEME_LIGHT_ON_DARK] = "lightOnDarkPalette.txt";
  colourSchemeState.paletteFileName[SCHEME_DARK_ON_LIGHT] = "darkOnLightPalette.txt";
  readOptions();
  loadSchemePalette();
  startCalculation();
  runEventLoop();
}
