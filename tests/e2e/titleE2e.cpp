#include <gtest/gtest.h>

#include "colours/builtInPalettes.h"
#include "e2e/e2eHarness.h"
#include "support/screenReader.h"

namespace {

using TitleE2e = e2e::ProgramRun;

uint32_t rgbOfColour(int scheme, int colour) {
  const int32_t* levels = builtInPalettes[scheme][colour];
  return xwdImage::rgbOfLevels(levels[0], levels[1], levels[2]);
}

TEST_F(TitleE2e, TitlesShowInTheTitleColourOnTheCreamBackground) {
  ASSERT_TRUE(e2e::start(quillo));
  ASSERT_TRUE(e2e::waitForText(quillo, "Quillo Calculator", screen));
  struct Title {
    int row, column;
    std::string text;
  };
  for (const Title& title : {Title{1, 35, "QUILLO 2.1"}, Title{2, 32, "Quillo Calculator"}}) {
    EXPECT_EQ(screenReader::textAt(title.row, title.column, static_cast<int>(title.text.size()),
                                   screen.pixels()),
              title.text)
        << e2e::describeScreen(screen);
    screenReader::Cell first = screenReader::readCell(title.row, title.column, screen.pixels());
    EXPECT_EQ(first.ink, 14) << title.text;
    EXPECT_EQ(first.paper, 0) << title.text;
  }
  // The colours as the window shows them: dark blue (0, 0, 39) on cream (63, 63, 55), each
  // 6-bit level L as the 8-bit (L * 255 + 31) / 63.
  const uint32_t ink = 0x00009e, cream = 0xffffdf;
  EXPECT_EQ(rgbOfColour(SCHEME_DARK_ON_LIGHT, 14), ink);
  EXPECT_EQ(rgbOfColour(SCHEME_DARK_ON_LIGHT, 0), cream);
  bool inkFound = false;
  for (int y = 0; y < 16; ++y) {
    for (int x = 34 * 8; x < 44 * 8; ++x) {
      uint32_t pixel = screen.rgb.pixels[y * screen.rgb.width + x];
      inkFound = inkFound || pixel == ink;
      EXPECT_TRUE(pixel == ink || pixel == cream) << "pixel " << x << "," << y << " is " << pixel;
    }
  }
  EXPECT_TRUE(inkFound);
}

// The close button only asks: the window stays until the program itself ends, with status 0.
TEST_F(TitleE2e, CloseButtonEndsTheProgramWithStatusZero) {
  ASSERT_TRUE(atForm());
  ASSERT_TRUE(e2e::suspend(quillo));
  ASSERT_TRUE(e2e::pressCloseButton(quillo));
  EXPECT_TRUE(e2e::windowExists(quillo));
  ASSERT_TRUE(e2e::resume(quillo));
  endWith(e2e::ALREADY_SENT);
  EXPECT_FALSE(e2e::windowExists(quillo));
}

TEST_F(TitleE2e, EscapeEndsTheProgramWithStatusZero) {
  ASSERT_TRUE(atForm());
  endWith("Escape");
}

}  // namespace
