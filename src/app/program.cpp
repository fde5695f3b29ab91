#include "app/program.h"

#include <string_view>

#include "app/calculatorState.h"
#include "app/optionsFile.h"
#include "colours/colourScheme.h"
#include "controls/buttonRegistry.h"
#include "screen/screen.h"

namespace {

constexpr std::string_view TITLES[] = {"QUILLO 2.1", "Quillo Calculator",
                                       "with variable rate/payment feature"};
constexpr int TITLE_COLOUR = 14;
constexpr int TEXT_COLOUR = 15;

void printTitles() {
  screen::clearScreen();
  screen::setForeground(TITLE_COLOUR);
  for (int i = 0; i < 3; ++i) {
    screen::moveCursor(i + 1, 40 - static_cast<int>(TITLES[i].size()) / 2);
    screen::printText(TITLES[i], true);
  }
  screen::setForeground(TEXT_COLOUR);
}

}  // namespace

void runProgram() {
  colourSchemeState.paletteFileName[SCHEME_LIGHT_ON_DARK] = "lightOnDarkPalette.txt";
  colourSchemeState.paletteFileName[SCHEME_DARK_ON_LIGHT] = "darkOnLightPalette.txt";
  screen::openScreen();
  screen::setTextGrid(80, 60);
  captureSmallGlyphs();
  screen::setTextGrid(80, 30);
  calc.scrollImage = screen::createImage(640, 192);
  readOptions();
  loadSchemePalette();
  printTitles();
  for (;;) {
    std::string key = screen::pollKey();
    if (key == "\x1b" || key == std::string{screen::EXTENDED, screen::KEY_CLOSE}) break;
    if (key.empty()) screen::sleepMs(10);
  }
  writeOptions();
  screen::destroyImage(calc.scrollImage);
}
