// The 256-entry palette of 6-bit levels, set and read as packed colours.

#include "screen/private/surfaceState.h"

namespace screen {

namespace {

// Each level is one byte of the packed colour; levels above 63 show at full intensity.
int32_t sanitise(int32_t packed) {
  int32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    int level = (packed >> shift) & 0xff;
    result |= (level > 63 ? 63 : level) << shift;
  }
  return result;
}

}  // namespace

void resetPalette() {
  static constexpr int32_t VGA[16] = {
      packColour(0, 0, 0),    packColour(0, 0, 42),   packColour(0, 42, 0),
      packColour(0, 42, 42),  packColour(42, 0, 0),   packColour(42, 0, 42),
      packColour(42, 21, 0),  packColour(42, 42, 42), packColour(21, 21, 21),
      packColour(21, 21, 63), packColour(21, 63, 21), packColour(21, 63, 63),
      packColour(63, 21, 21), packColour(63, 21, 63), packColour(63, 63, 21),
      packColour(63, 63, 63)};
  for (int i = 0; i < PALETTE_SIZE; ++i) surface.palette[i] = i < 16 ? VGA[i] : 0;
  surface.paletteChanged = true;
}

void setPaletteEntry(int index, int32_t packed) {
  if (index < 0 || index >= PALETTE_SIZE) return;
  surface.palette[index] = sanitise(packed);
  surface.paletteChanged = true;
}

int32_t getPaletteEntry(int index) {
  return index >= 0 && index < PALETTE_SIZE ? surface.palette[index] : 0;
}

void setPalette(const int32_t (&colours)[PALETTE_SIZE]) {
  for (int i = 0; i < PALETTE_SIZE; ++i) {
    if (colours[i] >= 0) setPaletteEntry(i, colours[i]);
  }
}

void getPalette(int32_t (&colours)[PALETTE_SIZE]) {
  for (int i = 0; i < PALETTE_SIZE; ++i) colours[i] = surface.palette[i];
}

}  // namespace screen
