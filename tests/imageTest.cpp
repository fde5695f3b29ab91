#include <gtest/gtest.h>

#include "screen/private/headless.h"
#include "screen/screen.h"

namespace {

// A pattern in which every pixel of the block differs from its neighbours.
int patternAt(int x, int y) {
  return (x * 3 + y * 5) % 16;
}

void drawPattern(int left, int top, int width, int height) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      screen::drawLine(left + x, top + y, 0, 0, patternAt(x, y), screen::Shape::Line, true);
    }
  }
}

TEST(Image, APastedImageIsTheCapturedRectangle) {
  struct Case {
    const char* what;
    int left, top;
    bool relative;
    int x2, y2;
  };
  for (const Case& c : {Case{"relative corner", 20, 50, true, 15, 7},
                        Case{"absolute corner", 20, 50, false, 35, 57},
                        Case{"the bottom-right corner of the screen", 624, 472, false, 639, 479}}) {
    headless::reset();
    screen::Image image = screen::createImage(16, 8);
    ASSERT_NE(image, 0);
    drawPattern(c.left, c.top, 16, 8);
    screen::captureRect(c.left, c.top, c.x2, c.y2, image, c.relative);
    screen::drawLine(0, 0, 639, 479, 9, screen::Shape::FilledBox, false);
    screen::pasteImage(300, 200, image);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 16; ++x) {
        ASSERT_EQ(screen::pixelAt(300 + x, 200 + y), patternAt(x, y))
            << c.what << " " << x << "," << y;
      }
    }
    EXPECT_EQ(screen::pixelAt(299, 200), 9) << c.what;
    EXPECT_EQ(screen::pixelAt(316, 200), 9) << c.what;
    EXPECT_EQ(screen::pixelAt(300, 208), 9) << c.what;
    screen::destroyImage(image);
    EXPECT_EQ(image, 0);
  }
}

// Pasting is opaque: the image's colour 0 covers what was there.
TEST(Image, PastingCoversWhatWasThere) {
  headless::reset();
  screen::Image image = screen::createImage(4, 4);
  screen::captureRect(0, 0, 3, 3, image, false);  // an empty corner
  screen::drawLine(100, 100, 3, 3, 7, screen::Shape::FilledBox, true);
  screen::pasteImage(100, 100, image);
  for (int y = 100; y < 104; ++y) {
    for (int x = 100; x < 104; ++x) EXPECT_EQ(screen::pixelAt(x, y), 0) << x << "," << y;
  }
  screen::destroyImage(image);
}

TEST(Image, ImagesPastedPartlyOffTheScreenAreClipped) {
  headless::reset();
  screen::Image image = screen::createImage(16, 8);
  drawPattern(0, 0, 16, 8);
  screen::captureRect(0, 0, 15, 7, image, true);
  screen::pasteImage(632, 476, image);
  screen::pasteImage(-8, -4, image);
  screen::pasteImage(625, 300, image);  // one column past the right edge
  EXPECT_EQ(screen::pixelAt(639, 479), patternAt(7, 3));
  EXPECT_EQ(screen::pixelAt(0, 0), patternAt(8, 4));
  EXPECT_EQ(screen::pixelAt(639, 300), patternAt(14, 0));
  for (int y = 300; y <= 308; ++y) EXPECT_EQ(screen::pixelAt(0, y), 0) << "row " << y;
  screen::destroyImage(image);
}

TEST(Image, ADestroyedImageCanNoLongerBePasted) {
  headless::reset();
  screen::Image image = screen::createImage(8, 8);
  screen::Image kept = image;
  screen::destroyImage(image);
  screen::pasteImage(0, 0, kept);
  screen::captureRect(0, 0, 7, 7, kept, false);
  EXPECT_EQ(screen::pixelAt(0, 0), 0);
}

}  // namespace
