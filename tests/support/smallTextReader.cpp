#include "support/smallTextReader.h"

#include <cstring>

#include "controls/buttonRegistry.h"
#include "screen/fonts.h"
#include "screen/screen.h"

namespace smallTextReader {

namespace {

char readSmallCell(int x, int y, int ink) {
  unsigned char bits[8] = {};
  for (int r = 0; r < 8; ++r) {
    for (int c = 0; c < 8; ++c) {
      const uint8_t pixel = screen::pixelAt(x + c, y + r);
      if (pixel == ink) {
        bits[r] |= static_cast<unsigned char>(0x80 >> c);
      } else if (pixel != 0) {
        return UNKNOWN;
      }
    }
  }
  // The glyph set first, so that look-alikes elsewhere in the font don't win.
  for (char ch : SMALL_GLYPH_SET) {
    if (std::memcmp(bits, screen::FONT_8X8[static_cast<unsigned char>(ch)], 8) == 0) return ch;
  }
  for (int code = 0; code < 256; ++code) {
    if (std::memcmp(bits, screen::FONT_8X8[code], 8) == 0) return static_cast<char>(code);
  }
  return UNKNOWN;
}

}  // namespace

std::string smallTextAt(int x, int y, int length, int ink) {
  std::string text;
  for (int k = 0; k < length; ++k) text += readSmallCell(x + 8 * k, y, ink);
  return text;
}

}  // namespace smallTextReader
