#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
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
      // Nothing spills onto the start of the next row.
      {"a filled box past the right edge", 630, 100, 649, 109, screen::Shape::FilledBox, false,
       square(630, 100, 10, true)},
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

// The pixels a line covers on an unbounded plane (the textbook integer algorithm, run over its
// whole length), as many as lie on the screen.
Points lineOnTheScreen(int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
  Points points;
  const int64_t dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
  const int64_t sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  for (int64_t error = dx + dy;;) {
    if (x1 >= 0 && x1 < screen::SCREEN_WIDTH && y1 >= 0 && y1 < screen::SCREEN_HEIGHT) {
      points.insert({static_cast<int>(x1), static_cast<int>(y1)});
    }
    if (x1 == x2 && y1 == y2) return points;
    const int64_t twice = 2 * error;
    if (twice >= dy) error += dy, x1 += sx;
    if (twice <= dx) error += dx, y1 += sy;
  }
}

// A line cut by the screen's edges covers exactly the pixels of the whole line that lie on it.
TEST(LineDrawing, ACutLineCoversWhatTheWholeLineCoversOnTheScreen) {
  struct Case {
    const char* what;
    int x1, y1, x2, y2;
  };
  const Case cases[] = {
      {"far above-left to far below-right", -3001, -2203, 4007, 3301},
      {"far below-right to far above-left", 4007, 3301, -3001, -2203},
      {"above-right to below-left", 1500, -777, -650, 1213},
      {"cut at the top edge only", 100, -333, 529, 401},
      {"cut at the left edge only", -1000, 17, 300, 461},
      {"steep, cut at the top and the bottom", 250, -1000, 390, 2000},
      {"shallow, cut at the left and the right", -1000, 250, 2000, 290},
      {"ending on the last row once rounded", 0, 0, 1279, 959},
      {"ending on the last column once rounded", 3, 1, 641, 481},
      {"grazing the bottom-right corner", 600, 440, 680, 520},
      {"passing just outside a corner", 630, -9, 649, 10},
      {"level, just above the screen", -10, -1, 700, -1},
      {"level, along the last row", -10, 479, 700, 479},
      {"upright, just right of the screen", 640, -10, 640, 500},
      {"upright, along the last column", 639, 500, 639, -10},
  };
  for (const Case& c : cases) {
    headless::reset();
    screen::drawLine(c.x1, c.y1, c.x2, c.y2, 12, screen::Shape::Line, false);
    EXPECT_EQ(pixelsOfColour(12), lineOnTheScreen(c.x1, c.y1, c.x2, c.y2)) << c.what;
  }
}

TEST(LineDrawing, TheCurrentColourIsTheForeground) {
  headless::reset();
  screen::setForeground(6);
  screen::drawLine(20, 30, 8, 8, screen::CURRENT_COLOUR, screen::Shape::FilledBox, true);
  EXPECT_EQ(pixelsOfColour(6), square(20, 30, 9, true));
}

}  // namespace
