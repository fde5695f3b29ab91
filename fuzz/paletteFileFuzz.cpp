// Feeds arbitrary bytes to the palette file reader: the first byte picks the scheme, the rest is
// its file. Every colour shown must be made of levels 0 to 63, and a saved palette must load
// back exactly.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "colours/colourScheme.h"
#include "scratchDirectory.h"
#include "screen/screen.h"

namespace {

void writeInput(const std::string& name, const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (!file) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);
}

bool levelsInRange(int32_t packed) {
  return packed >= 0 && packed < (1 << 24) && (packed & 0xff) <= 63 &&
         ((packed >> 8) & 0xff) <= 63 && ((packed >> 16) & 0xff) <= 63;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzScratch::enter("quilloPaletteFuzz");
  screen::openScreen();
  colourSchemeState.paletteFileName[SCHEME_LIGHT_ON_DARK] = "lightOnDarkPalette.txt";
  colourSchemeState.paletteFileName[SCHEME_DARK_ON_LIGHT] = "darkOnLightPalette.txt";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  colourSchemeState.colourScheme = (data[0] & 1) ? SCHEME_LIGHT_ON_DARK : SCHEME_DARK_ON_LIGHT;
  writeInput(colourSchemeState.paletteFileName[colourSchemeState.colourScheme], data + 1, size - 1);
  loadSchemePalette();
  int32_t shown[screen::PALETTE_SIZE];
  for (int i = 0; i < screen::PALETTE_SIZE; ++i) {
    shown[i] = screen::getPaletteEntry(i);
    if (colourSchemeState.screenPalette[i] != shown[i]) std::abort();
    if (!levelsInRange(shown[i]) || (i >= SCHEME_COLOURS && shown[i] != 0)) std::abort();
  }
  saveSchemePalette();
  loadSchemePalette();
  for (int i = 0; i < screen::PALETTE_SIZE; ++i) {
    if (screen::getPaletteEntry(i) != shown[i]) std::abort();
  }
  return 0;
}
