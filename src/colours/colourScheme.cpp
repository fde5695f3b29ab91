#include "colours/colourScheme.h"

#include <algorithm>

ColourSchemeState colourSchemeState;

namespace {

constexpr int32_t MAX_LEVEL = 63;

// Anything but a known scheme would index past the file names and built-in palettes.
int chosenScheme() {
  int32_t scheme = colourSchemeState.colourScheme;
  return scheme == SCHEME_LIGHT_ON_DARK ? scheme : SCHEME_DARK_ON_LIGHT;
}

// Levels are clamped so a stray number can neither spill into the next component of the packed
// colour nor make it negative, which the screen would take as "leave this entry alone".
int32_t readLevel(int fileNumber) {
  int32_t level = 0;
  screen::readItem(fileNumber, level);
  return std::clamp(level, int32_t{0}, MAX_LEVEL);
}

}  // namespace

void loadSchemePalette() {
  const int scheme = chosenScheme();
  int32_t(&palette)[screen::PALETTE_SIZE] = colourSchemeState.screenPalette;
  std::fill(std::begin(palette), std::end(palette), 0);
  const int fileNumber = screen::freeFileNumber();
  if (screen::openFile(colourSchemeState.paletteFileName[scheme], screen::FileMode::ReadText,
                       fileNumber) < 1) {
    for (int entry = 0; entry < SCHEME_COLOURS; ++entry) {
      const int32_t red = readLevel(fileNumber);
      const int32_t green = readLevel(fileNumber);
      const int32_t blue = readLevel(fileNumber);
      palette[entry] = screen::packColour(red, green, blue);
    }
    screen::closeFile(fileNumber);
  } else {
    for (int entry = 0; entry < SCHEME_COLOURS; ++entry) {
      const int32_t* levels = builtInPalettes[scheme][entry];
      palette[entry] = screen::packColour(levels[0], levels[1], levels[2]);
    }
  }
  screen::setPalette(palette);
}

void saveSchemePalette() {
  int32_t(&palette)[screen::PALETTE_SIZE] = colourSchemeState.screenPalette;
  screen::getPalette(palette);
  const int fileNumber = screen::freeFileNumber();
  if (screen::openFile(colourSchemeState.paletteFileName[chosenScheme()],
                       screen::FileMode::WriteText, fileNumber) > 0) {
    return;
  }
  for (int entry = 0; entry < SCHEME_COLOURS; ++entry) {
    screen::writeItem(fileNumber, palette[entry] & 0xff, screen::Separator::Comma);
    screen::writeItem(fileNumber, (palette[entry] >> 8) & 0xff, screen::Separator::Comma);
    screen::writeItem(fileNumber, (palette[entry] >> 16) & 0xff, screen::Separator::LineEnd);
  }
  screen::closeFile(fileNumber);
}
