#include <gtest/gtest.h>

#include <string>

#include "screen/fonts.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/screenReader.h"

namespace {

// Whether the glyph's pixels, and only they, are in the ink colour in the cell at (x, y).
bool glyphDrawnAt(int x, int y, unsigned char code, int height, int ink) {
  for (int r = 0; r < height; ++r) {
    unsigned char bits = height == 8 ? screen::FONT_8X8[code][r] : screen::FONT_8X16[code][r];
    for (int c = 0; c < 8; ++c) {
      bool on = bits & (0x80 >> c);
      if ((screen::pixelAt(x + c, y + r) == ink) != on) return false;
    }
  }
  return true;
}

TEST(TextGrid, TheLastCellOfEachGridIsAtTheBottomRight) {
  struct Case {
    int rows, cellHeight, x, y;
  };
  for (const Case& c : {Case{30, 16, 632, 464}, Case{60, 8, 632, 472}}) {
    headless::reset();
    screen::setTextGrid(80, c.rows);
    EXPECT_EQ(screen::textGridSize(), 80 | (c.rows << 16));
    screen::setForeground(14);
    screen::moveCursor(c.rows, 80);
    screen::printText("X", false);
    EXPECT_TRUE(glyphDrawnAt(c.x, c.y, 'X', c.cellHeight, 14)) << c.rows << " rows";
    EXPECT_EQ(screen::pixelAt(c.x - 1, c.y), 0);
    EXPECT_EQ(screen::cellHeight(), c.cellHeight);
    int width = 0, height = 0;
    screen::screenSize(width, height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
  }
}

TEST(TextGrid, ChoosingAGridClearsTheScreen) {
  headless::reset();
  screen::drawLine(0, 0, 639, 479, 9, screen::Shape::FilledBox, false);
  screen::setTextGrid(80, 30);
  for (int i = 0; i < screen::SCREEN_WIDTH * screen::SCREEN_HEIGHT; ++i) {
    ASSERT_EQ(screen::surfacePixels()[i], 0) << "pixel " << i;
  }
}

TEST(TextGrid, PrintingSpacesErasesToTheBackground) {
  headless::reset();
  screen::setTextGrid(80, 30);
  screen::setForeground(14);
  screen::moveCursor(5, 10);
  screen::printText("HELLO", false);
  ASSERT_EQ(screenReader::textAt(5, 10, 5), "HELLO");
  screen::setForeground(3);
  screen::moveCursor(5, 10);
  screen::printText("     ", false);
  for (int y = 4 * 16; y < 5 * 16; ++y) {
    for (int x = 9 * 8; x < 14 * 8; ++x) ASSERT_EQ(screen::pixelAt(x, y), 0) << x << "," << y;
  }
}

TEST(TextGrid, TheCursorMovesAsTextIsPrinted) {
  struct Case {
    const char* what;
    void (*steps)();
    int row, column;
  };
  const Case cases[] = {
      {"printing advances one column per character",
       [] {
         screen::moveCursor(3, 5);
         screen::printText("abc", false);
       },
       3, 8},
      {"a line break goes to column 1 of the next row",
       [] {
         screen::moveCursor(3, 5);
         screen::printText("abc", true);
       },
       4, 1},
      {"row 0 keeps the row",
       [] {
         screen::moveCursor(7, 9);
         screen::moveCursor(0, 20);
       },
       7, 20},
      {"column 0 keeps the column",
       [] {
         screen::moveCursor(7, 9);
         screen::moveCursor(12, 0);
       },
       12, 9},
      {"a tab ahead stays on the row",
       [] {
         screen::moveCursor(6, 5);
         screen::printTab(12);
       },
       6, 12},
      {"a tab at its column stays",
       [] {
         screen::moveCursor(6, 12);
         screen::printTab(12);
       },
       6, 12},
      {"a tab behind goes to the next row",
       [] {
         screen::moveCursor(6, 30);
         screen::printTab(29);
       },
       7, 29},
  };
  for (const Case& c : cases) {
    headless::reset();
    screen::setTextGrid(80, 30);
    c.steps();
    int row = 0, column = 0;
    screen::cursorPosition(row, column);
    EXPECT_EQ(row, c.row) << c.what;
    EXPECT_EQ(column, c.column) << c.what;
  }
}

TEST(TextGrid, IntegersPrintWithASpaceForTheSign) {
  struct Case {
    long long n;
    std::string shown;
  };
  for (const Case& c : {Case{42, " 42"}, Case{0, " 0"}, Case{-7, "-7"},
                        Case{2147483647, " 2147483647"}, Case{-2147483648LL, "-2147483648"}}) {
    headless::reset();
    screen::setTextGrid(80, 30);
    screen::moveCursor(2, 1);
    screen::printInteger(c.n);
    screen::printText("|", false);
    EXPECT_EQ(screenReader::rowText(2), c.shown + "|") << c.n;
  }
}

TEST(TextGrid, TheForegroundIsTheLowHalfOfTheColours) {
  headless::reset();
  screen::setForeground(13);
  EXPECT_EQ(screen::currentColours(), 13);
  screen::setTextGrid(80, 30);
  screen::moveCursor(1, 1);
  screen::printText("A", false);
  screenReader::Cell cell = screenReader::readCell(1, 1);
  EXPECT_EQ(cell.character, 'A');
  EXPECT_EQ(cell.ink, 13);
  EXPECT_EQ(cell.paper, 0);
}

}  // namespace
