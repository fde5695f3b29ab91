#include <gtest/gtest.h>

#include "screen/private/headless.h"
#include "screen/screen.h"

namespace {

int32_t packed(int red, int green, int blue) {
  return red + 256 * green + 65536 * blue;
}

TEST(Palette, ANegativeEntryLeavesThatColourAsItWas) {
  headless::reset();
  screen::setPaletteEntry(3, packed(1, 2, 3));
  screen::setPaletteEntry(4, packed(4, 5, 6));
  int32_t colours[screen::PALETTE_SIZE];
  for (int32_t& c : colours) c = -1;
  colours[4] = packed(63, 0, 21);
  colours[200] = 0;
  screen::setPalette(colours);
  EXPECT_EQ(screen::getPaletteEntry(3), packed(1, 2, 3));
  EXPECT_EQ(screen::getPaletteEntry(4), packed(63, 0, 21));
  EXPECT_EQ(screen::getPaletteEntry(200), 0);
}

TEST(Palette, EntriesReadBackAsTheyWereSet) {
  headless::reset();
  int32_t colours[screen::PALETTE_SIZE];
  for (int i = 0; i < screen::PALETTE_SIZE; ++i)
    colours[i] = packed(i % 64, (i / 4) % 64, 63 - i % 64);
  screen::setPalette(colours);
  int32_t back[screen::PALETTE_SIZE] = {};
  screen::getPalette(back);
  for (int i = 0; i < screen::PALETTE_SIZE; ++i) {
    EXPECT_EQ(back[i], colours[i]) << i;
    EXPECT_EQ(screen::getPaletteEntry(i), colours[i]) << i;
  }
}

// A changed entry recolours what is on the screen: the pixels keep their colour numbers.
TEST(Palette, ChangingAnEntryKeepsThePixels) {
  headless::reset();
  screen::drawLine(0, 0, 9, 9, 5, screen::Shape::FilledBox, false);
  screen::setPaletteEntry(5, packed(10, 20, 30));
  EXPECT_EQ(screen::pixelAt(5, 5), 5);
  EXPECT_EQ(screen::getPaletteEntry(5), packed(10, 20, 30));
}

}  // namespace
