#pragma once

// The chosen colour scheme, the palette files behind the schemes and the palette last loaded or
// saved. Everything is drawn in colour numbers 0 to 15, so the scheme's palette alone decides
// what the user sees.

#include <cstdint>
#include <string>

#include "colours/builtInPalettes.h"
#include "screen/screen.h"

struct ColourSchemeState {
  // SCHEME_LIGHT_ON_DARK or SCHEME_DARK_ON_LIGHT.
  int32_t colourScheme = SCHEME_DARK_ON_LIGHT;
  // Indexed by scheme; entry 0 is unused. Set once at start-up.
  std::string paletteFileName[3];
  // Packed colours, mirroring the screen palette.
  int32_t screenPalette[screen::PALETTE_SIZE] = {};
};

extern ColourSchemeState colourSchemeState;

// Fills screenPalette from the chosen scheme's file, or from its built-in palette when the file
// cannot be opened, and shows it.
void loadSchemePalette();
// Writes the palette on the screen to the chosen scheme's file. Failures are silent; the old
// file then stays as it was.
void saveSchemePalette();
