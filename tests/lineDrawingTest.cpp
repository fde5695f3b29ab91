#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "screen/private/headless.h"
#include "screen/screen.h"

namespace {

using Points = std::set<std::pair<int, int>>;

Points pixelsOfColour(int colour) {
  Points points;
  for (int y = 0; y < screen::SCREEN_HEIGHT; ++y) {
    for (int x = 0; x < screen::SCREEN_WIDTH; ++x) {
      if (screen::pixelAt(x, y) == colour) points.insert({x, y});
    }
  }
  return points;
}

Points square(int left, int top, int size, bool filled) {
  Points points;
  for (int y = top; y < top + size; ++y) {
    for (int x = left; x < left + size; ++x) {
      bool edge = x == left || y == top || x == left + size - 1 || y == top + size - 1;
      if (filled || edge) points.insert({x, y});
    }
  }
  return points;
}

TEST(LineDrawing, ShapesCoverExactlyTheirPixels) {
  struct Case {
    const char* what;
    int x1, y1, x2, y2;
    screen::Shape shape;
    bool relative;
    Points expected;
  };
  const Case cases[] = {
      {"relative 8,8 outline is a 9x9 square", 100, 50, 8, 8, screen::Shape::Box, true,
       square(100, 50, 9, false)},
      {"relative 8,8 filled box is a 9x9 square", 100, 50, 8, 8, screen::Shape::FilledBox, true,
       square(100, 50, 9, true)},
      {"absolute corners in either order", 108, 58, 100, 50, screen::Shape::FilledBox, false,
       square(100, 50, 9, true)},
      {"a line includes both ends",
       10,
       20,
       13,
       20,
       screen::Shape::Line,
       false,
       {{10, 20}, {11, 20}, {12, 20}, {13, 20}}},
      {"a diagonal line", 5, 5, 2, 2, screen::Shape::Line, false, {{2, 2}, {3, 3}, {4, 4}, {5, 5}}},
      {"a box off the corner is clipped", -5, -5, 2, 2, screen::Shape::FilledBox, false,
       square(0, 0, 3, true)},
      {"a single point", 639, 479, 0, 0, screen::Shape::Box, true, {{639, 479}}},
  };
  for (const Case& c : cases) {
    headless::reset();
    screen::drawLine(c.x1, c.y1, c.x2, c.y2, 12, c.shape, c.relative);
    EXPECT_EQ(pixelsOfColour(12), c.expected) << c.what;
  }
}

// Two pixels on, two off, the count carried from one segment to the next.
TEST(LineDrawing, ADottedLineDrawsEveryOtherPairOfPixels) {
  struct Case {
    const char* what;
    int x1, y1, x2, y2, phase;
    Points expected;
    int phaseAfter;
  };
  const Case cases[] = {
      {"from the start",
       10,
       20,
       19,
       20,
       0,
       {{10, 20}, {11, 20}, {14, 20}, {15, 20}, {18, 20}, {19, 20}},
       10},
      {"carried on", 10, 20, 15, 20, 3, {{11, 20}, {12, 20}, {15, 20}}, 9},
      {"downwards", 7, 3, 7, 6, 2, {{7, 5}, {7, 6}}, 6},
  };
  for (const Case& c : cases) {
    headless::reset();
    int phase = c.phase;
    screen::drawDottedLine(c.x1, c.y1, c.x2, c.y2, 12, phase);
    EXPECT_EQ(pixelsOfColour(12), c.expected) << c.what;
    EXPECT_EQ(phase, c.phaseAfter) << c.what;
  }
}

TEST(LineDrawing, TheCurrentColourIsTheForeground) {
  headless::reset();
  screen::setForeground(6);
  screen::drawLine(20, 30, 8, 8, screen::CURRENT_COLOUR, screen::Shape::FilledBox, true);
  EXPECT_EQ(pixelsOfColour(6), square(20, 30, 9, true));
}

}  // namespace
