// The small 8x8 glyphs of push button labels: captured once from the 8x8 font at start-up,
// drawn opaquely in a button's colour.

#include "controls/buttonRegistry.h"
#include "controls/roleColours.h"
#include "screen/screen.h"

namespace {

constexpr int BLANK_GLYPH = 63;
// The ink the glyphs are captured in; any colour but the paper's 0 tells their pixels apart.
constexpr int GLYPH_INK = EXPRESSIONS_COLOUR;
constexpr int FIRST_SEARCHED_GLYPH = 64;

int smallGlyphNumber(char ch) {
  if (ch >= 'A' && ch <= 'Z') return ch - 64;
  if (ch >= 'a' && ch <= 'z') return ch - 70;
  if (ch >= '0' && ch <= '9') return ch + 5;
  if (ch == ' ') return BLANK_GLYPH;
  size_t at = SMALL_GLYPH_SET.find(ch, FIRST_SEARCHED_GLYPH - 1);
  return at == std::string_view::npos ? BLANK_GLYPH : static_cast<int>(at) + 1;
}

}  // namespace

void drawSmallText(std::string_view text, int32_t y, int32_t x, int32_t colour) {
  for (char ch : text) {
    const auto& glyph = buttonRegistry.smallGlyphs.glyphs[smallGlyphNumber(ch)];
    for (int row = 0; row < 8; ++row) {
      // One filled run per stretch of equal pixels keeps the surface calls few.
      int from = 0;
      while (from < 8) {
        const uint8_t pixel = glyph[row][from];
        int to = from;
        while (to + 1 < 8 && glyph[row][to + 1] == pixel) ++to;
        const int paint = pixel == GLYPH_INK ? colour : pixel;
        screen::drawLine(x + from, y + row, x + to, y + row, paint, screen::Shape::FilledBox,
                         false);
        from = to + 1;
      }
    }
    x += 8;
  }
}

void captureSmallGlyphs() {
  screen::setForeground(GLYPH_INK);
  for (int p = 1; p <= SMALL_GLYPH_COUNT; ++p) {
    screen::moveCursor(1, 1);
    screen::printText(SMALL_GLYPH_SET.substr(p - 1, 1), true);
    for (int row = 0; row < 8; ++row) {
      for (int column = 0; column < 8; ++column) {
        buttonRegistry.smallGlyphs.glyphs[p][row][column] = screen::pixelAt(column, row);
      }
    }
  }
}
