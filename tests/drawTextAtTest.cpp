#include <gtest/gtest.h>

#include "screen/fonts.h"
#include "screen/private/headless.h"
#include "screen/screen.h"

namespace {

// Text drawn at any pixel changes only its ink pixels: whatever was under the rest stays.
TEST(DrawTextAt, OnlyTheInkPixelsChange) {
  struct Case {
    const char* what;
    int rows, cellHeight, x, y;
  };
  for (const Case& c : {Case{"8x16 font", 30, 16, 13, 7}, Case{"8x8 font", 60, 8, 101, 203}}) {
    headless::reset();
    screen::setTextGrid(80, c.rows);
    screen::drawLine(0, 0, 639, 479, 4, screen::Shape::FilledBox, false);
    screen::setForeground(14);
    screen::drawTextAt(c.x, c.y, "Ag");
    for (int k = 0; k < 2; ++k) {
      unsigned char code = "Ag"[k];
      for (int r = 0; r < c.cellHeight; ++r) {
        unsigned char bits =
            c.cellHeight == 8 ? screen::FONT_8X8[code][r] : screen::FONT_8X16[code][r];
        for (int col = 0; col < 8; ++col) {
          int expected = bits & (0x80 >> col) ? 14 : 4;
          ASSERT_EQ(screen::pixelAt(c.x + 8 * k + col, c.y + r), expected)
              << c.what << ", character " << k << ", pixel " << col << "," << r;
        }
      }
    }
    EXPECT_EQ(screen::pixelAt(c.x - 1, c.y), 4) << c.what;
    EXPECT_EQ(screen::pixelAt(c.x, c.y + c.cellHeight), 4) << c.what;
  }
}

TEST(DrawTextAt, TextRunningOffTheScreenIsClipped) {
  headless::reset();
  screen::setTextGrid(80, 30);
  screen::setForeground(15);
  screen::drawTextAt(636, 470, "WW");
  screen::drawTextAt(-4, -10, "WW");
  EXPECT_EQ(screen::pixelAt(0, 20), 0);
}

}  // namespace
