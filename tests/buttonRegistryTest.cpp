#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "controls/buttonRegistry.h"
#include "screen/screen.h"
#include "support/freshScreen.h"
#include "support/screenReader.h"
#include "support/smallTextReader.h"

namespace {

using smallTextReader::smallTextAt;

std::vector<uint8_t> surfaceCopy() {
  return std::vector<uint8_t>(
      screen::surfacePixels(),
      screen::surfacePixels() + screen::SCREEN_WIDTH * screen::SCREEN_HEIGHT);
}

void paintBackground(int colour) {
  screen::drawLine(0, 0, 639, 479, colour, screen::Shape::FilledBox, false);
}

struct HitCase {
  const char* label;
  int x, y, heightCode;
  bool framed;
  int extraLeft, extraRight;
  int left, right, top, bottom;
};

const HitCase WORKED[] = {
    {"Options", 24, 16, 2, true, 0, 0, 16, 88, 9, 37},
    {"    Loan Amount:", 8, 48, 2, false, 0, 64, 0, 208, 49, 61},
    {"Continue", 24, 106, 1, true, 0, 0, 16, 96, 99, 119},
    // Trailing blanks don't count, leading ones do; extra left widens to the left.
    {"  Ab  ", 100, 200, 1, false, 32, 0, 60, 140, 201, 205},
    // A framed label of several lines is as wide as its first line.
    {"One\nLonger line", 300, 300, 2, true, 0, 0, 292, 332, 293, 337},
};

TEST(ButtonRegistry, HitRectangleEdgesAreOnTheButtonAndOnePixelOutsideIsNot) {
  for (const HitCase& c : WORKED) {
    openFreshScreen();
    ButtonId id = 0;
    createButton(id,
                 {c.label, c.x, c.y, c.heightCode, 2, 13, c.framed, c.extraLeft, c.extraRight, 0});
    ASSERT_EQ(id, 1) << c.label;
    const int midX = (c.left + c.right) / 2, midY = (c.top + c.bottom) / 2;
    EXPECT_TRUE(isOverButton(id, c.left, midY)) << c.label;
    EXPECT_TRUE(isOverButton(id, c.right, midY)) << c.label;
    EXPECT_TRUE(isOverButton(id, midX, c.top)) << c.label;
    EXPECT_TRUE(isOverButton(id, midX, c.bottom)) << c.label;
    EXPECT_FALSE(isOverButton(id, c.left - 1, midY)) << c.label;
    EXPECT_FALSE(isOverButton(id, c.right + 1, midY)) << c.label;
    EXPECT_FALSE(isOverButton(id, midX, c.top - 1)) << c.label;
    EXPECT_FALSE(isOverButton(id, midX, c.bottom + 1)) << c.label;

    int innerLeft = -7, innerRight = -7, bottom = -7;
    buttonExtent(id, innerLeft, innerRight, bottom);
    EXPECT_EQ(innerLeft, c.left + 1);
    EXPECT_EQ(innerRight, c.right - 1);
    EXPECT_EQ(bottom, c.bottom);
    if (c.framed) {  // the frame runs along the hit rectangle
      EXPECT_EQ(screen::pixelAt(c.left, c.top), 2) << c.label;
      EXPECT_EQ(screen::pixelAt(c.right, c.bottom), 2) << c.label;
      EXPECT_EQ(screen::pixelAt(c.left - 1, c.top), 0) << c.label;
    }
  }
}

TEST(ButtonRegistry, SmallLabelsPaintWholeCellsAndScreenFontLabelsOnlyTheirInk) {
  openFreshScreen();
  paintBackground(5);
  ButtonId cont = 0, options = 0;
  createButton(cont, {"Continue", 24, 106, 1, 2, 13, true, 0, 0, 0});
  createButton(options, {"Options", 24, 16, 2, 8, 13, true, 0, 0, 0});
  EXPECT_EQ(smallTextAt(24, 106, 8, 2), "Continue");
  const screenReader::Cell o = screenReader::readCell(2, 4);
  EXPECT_EQ(o.character, 'O');
  EXPECT_EQ(o.ink, 8);
  EXPECT_EQ(o.paper, 5);  // the text font leaves the background alone
  EXPECT_EQ(screenReader::textAt(2, 4, 7), "Options");
}

TEST(ButtonRegistry, HighlightChangesTheLabelButNotTheFrame) {
  openFreshScreen();
  ButtonId options = 0, cont = 0;
  createButton(options, {"Options", 24, 16, 2, 8, 13, true, 0, 0, 0});
  createButton(cont, {"Continue", 24, 106, 1, 2, 13, true, 0, 0, 0});
  highlightButton(options);
  highlightButton(cont);
  EXPECT_EQ(screenReader::readCell(2, 4).ink, 13);
  EXPECT_EQ(screen::pixelAt(16, 9), 8);
  EXPECT_EQ(smallTextAt(24, 106, 8, 13), "Continue");
  EXPECT_EQ(screen::pixelAt(96, 119), 2);
  unhighlightButton(options);
  EXPECT_EQ(screenReader::readCell(2, 4).ink, 8);
}

TEST(ButtonRegistry, HoverAndClickDrawWhatThePointerMeans) {
  openFreshScreen();
  ButtonId id = 0;
  createButton(id, {"Options", 24, 16, 2, 8, 13, true, 0, 0, 0});
  hoverButton(id, 16, 9);
  EXPECT_EQ(screenReader::readCell(2, 4).ink, 13);
  hoverButton(id, 15, 9);
  EXPECT_EQ(screenReader::readCell(2, 4).ink, 8);

  highlightButton(id);
  const std::vector<uint8_t> before = surfaceCopy();
  EXPECT_FALSE(clickButton(id, 89, 20));
  EXPECT_EQ(surfaceCopy(), before);  // a miss draws nothing
  EXPECT_TRUE(clickButton(id, 88, 20));
  EXPECT_EQ(screenReader::readCell(2, 4).ink, 8);
}

TEST(ButtonRegistry, IdZeroAndTakenIdsChangeNothing) {
  openFreshScreen();
  ButtonId none = 0;
  ButtonId taken = 0;
  createButton(taken, {"Exit", 584, 456, 1, 2, 13, true, 0, 0, 0});
  const std::vector<uint8_t> before = surfaceCopy();
  ButtonId copy = taken;
  createButton(copy, {"Other", 100, 100, 2, 2, 13, true, 0, 0, 0});
  EXPECT_EQ(copy, taken);
  highlightButton(none);
  unhighlightButton(none);
  hoverButton(none, 590, 460);
  EXPECT_FALSE(isOverButton(none, 590, 460));
  EXPECT_FALSE(clickButton(none, 590, 460));
  removeButton(none);
  int a = 1, b = 2, c = 3;
  buttonExtent(none, a, b, c);
  EXPECT_EQ(surfaceCopy(), before);
  EXPECT_EQ(a + b + c, 6);
  EXPECT_EQ(smallTextAt(584, 456, 4, 2), "Exit");
}

TEST(ButtonRegistry, TheTwoHundredAndFirstButtonIsRefusedUntilASlotIsFree) {
  openFreshScreen();
  std::array<ButtonId, MAX_BUTTONS + 1> ids{};
  for (int i = 1; i <= MAX_BUTTONS; ++i) {
    createButton(ids[i], {"B", (i % 70) * 8 + 8, 200 + (i / 70) * 16, 1, 2, 13, false, 0, 0, 0});
    ASSERT_EQ(ids[i], i);
  }
  screen::setForeground(12);
  screen::moveCursor(3, 5);
  ButtonId extra = 0;
  createButton(extra, {"Late", 8, 400, 2, 2, 13, true, 0, 0, 0});
  EXPECT_EQ(extra, 0);
  EXPECT_EQ(screenReader::textAt(3, 5, 23), "Too many active Buttons");
  EXPECT_EQ(screenReader::readCell(3, 5).ink, 12);
  int row = 0, column = 0;
  screen::cursorPosition(row, column);
  EXPECT_EQ(row, 3);  // no line break
  EXPECT_EQ(column, 28);
  EXPECT_EQ(screenReader::rowText(26), "");  // nothing drawn for the refused button
  EXPECT_FALSE(isOverButton(extra, 20, 410));

  removeButton(ids[57]);
  EXPECT_EQ(ids[57], 0);
  createButton(extra, {"Late", 8, 400, 2, 2, 13, true, 0, 0, 0});
  EXPECT_EQ(extra, 57);
  EXPECT_EQ(screenReader::textAt(26, 2, 4), "Late");
}

TEST(ButtonRegistry, RemovingErasesLabelUnderlineAndFrameAndFreesTheVariable) {
  openFreshScreen();
  std::array<ButtonId, 4> ids{};  // numbered from 1
  createButton(ids[1], {"Options", 24, 16, 2, 8, 13, true, 0, 0, 2});
  createButton(ids[3], {"Continue", 24, 106, 1, 2, 13, true, 0, 0, 0});
  // The underline is the pixel row under the first line, below the n-th character.
  EXPECT_EQ(screen::pixelAt(32, 32), 8);
  EXPECT_EQ(screen::pixelAt(39, 32), 8);
  EXPECT_EQ(screen::pixelAt(40, 32), 0);
  removeButtons(ids, 3);
  EXPECT_EQ(ids[1], 0);
  EXPECT_EQ(ids[3], 0);
  for (uint8_t pixel : surfaceCopy()) ASSERT_EQ(pixel, 0);
  createButton(ids[2], {"Again", 24, 16, 2, 8, 13, true, 0, 0, 0});
  EXPECT_EQ(ids[2], 1);
}

TEST(ButtonRegistry, LeadingBlanksShiftTheTextAndTrailingBlanksDrawNothing) {
  openFreshScreen();
  paintBackground(5);
  ButtonId small = 0, large = 0;
  createButton(small, {"  Ab  ", 80, 160, 1, 2, 13, false, 0, 0, 0});
  createButton(large, {"  Ab  ", 80, 320, 2, 2, 13, false, 0, 0, 0});
  EXPECT_EQ(smallTextAt(80, 160, 4, 2), "  Ab");
  EXPECT_EQ(screen::pixelAt(80 + 32, 160), 5);  // no trailing cells
  const std::string large4 = screenReader::textAt(21, 11, 6);
  EXPECT_EQ(large4, "  Ab  ");
  EXPECT_EQ(screenReader::readCell(21, 11).paper, 5);  // leading cells untouched
  EXPECT_EQ(screenReader::readCell(21, 13).ink, 2);
}

TEST(ButtonRegistry, SmallGlyphsCoverTheArrowsAndDrawOtherCharactersBlank) {
  openFreshScreen();
  ButtonId arrows = 0, odd = 0;
  createButton(arrows, {"\x18\x19", 40, 40, 1, 7, 13, false, 0, 0, 0});
  createButton(odd, {"a#*@b", 40, 80, 1, 7, 13, false, 0, 0, 0});
  EXPECT_EQ(smallTextAt(40, 40, 2, 7), "\x18\x19");
  EXPECT_EQ(SMALL_GLYPH_SET[82 - 1], '\x18');
  EXPECT_EQ(SMALL_GLYPH_SET[83 - 1], '\x19');
  EXPECT_EQ(smallTextAt(40, 80, 5, 7), "a   b");
  const std::string all(SMALL_GLYPH_SET);
  drawSmallText(all.substr(0, 60), 240, 0, 9);
  drawSmallText(all.substr(60), 256, 0, 9);
  EXPECT_EQ(smallTextAt(0, 240, 60, 9) + smallTextAt(0, 256, 31, 9), all);
}

TEST(ButtonRegistry, OptionMarksAreFilledOrHollowSquaresLeftOfTheLabel) {
  openFreshScreen();
  ButtonId on = 0, off = 0;
  createButton(on, {"Light on Dark", 64, 100, 2, 15, 13, false, 32, 0, 0});
  createButton(off, {"Dark on Light", 64, 132, 2, 15, 13, false, 32, 0, 0});
  markOptionOn(on);
  markOptionOn(off);
  markOptionOff(off);
  for (int dy = 0; dy < 9; ++dy) {
    for (int dx = 0; dx < 9; ++dx) {
      const bool edge = dx == 0 || dy == 0 || dx == 8 || dy == 8;
      ASSERT_EQ(screen::pixelAt(48 + dx, 103 + dy), 15);
      ASSERT_EQ(screen::pixelAt(48 + dx, 135 + dy), edge ? 15 : 0);
    }
  }
  EXPECT_EQ(screen::pixelAt(47, 103), 0);
  EXPECT_EQ(screen::pixelAt(57, 103), 0);
}

TEST(ButtonRegistry, AnEmptyLabelIsNotRegistered) {
  openFreshScreen();
  ButtonId empty = 0, next = 0;
  createButton(empty, {"", 8, 8, 2, 2, 13, true, 0, 0, 0});
  EXPECT_EQ(empty, 0);
  createButton(next, {"Next", 8, 8, 2, 2, 13, true, 0, 0, 0});
  EXPECT_EQ(next, 1);
}

TEST(ButtonRegistry, SeveralLinesStackByTheLineHeight) {
  openFreshScreen();
  ButtonId id = 0;
  createButton(id, {"Red\nGreen  \nBlue", 16, 48, 2, 6, 13, false, 0, 0, 0});
  EXPECT_EQ(screenReader::textAt(4, 3, 5), "Red  ");
  EXPECT_EQ(screenReader::textAt(5, 3, 5), "Green");
  EXPECT_EQ(screenReader::textAt(6, 3, 5), "Blue ");
  EXPECT_TRUE(isOverButton(id, 100, 48 + 3 * 16 - 3));
  EXPECT_FALSE(isOverButton(id, 100, 48 + 3 * 16 - 2));
}

}  // namespace
