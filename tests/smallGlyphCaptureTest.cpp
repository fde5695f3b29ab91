#include <gtest/gtest.h>

#include <string>

#include "app/program.h"
#include "controls/buttonRegistry.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/scratchDirectory.h"
#include "support/smallTextReader.h"

namespace {

TEST(SmallGlyphCapture, StartUpCapturesEveryGlyphFromTheSmallFont) {
  ScratchDirectory scratch;
  headless::reset();
  buttonRegistry = {};
  headless::key("\x1b");
  runProgram();
  // The program has ended on the 80x30 grid; the glyphs still draw the 8x8 shapes.
  EXPECT_EQ(screen::textGridSize(), 80 | (30 << 16));
  const std::string all(SMALL_GLYPH_SET);
  screen::clearScreen();
  drawSmallText(all.substr(0, 50), 300, 0, 11);
  drawSmallText(all.substr(50), 308, 0, 11);
  EXPECT_EQ(
      smallTextReader::smallTextAt(0, 300, 50, 11) + smallTextReader::smallTextAt(0, 308, 41, 11),
      all);
}

}  // namespace
