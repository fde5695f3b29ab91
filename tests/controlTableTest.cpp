#include <gtest/gtest.h>

#include <string>

#include "app/calculatorState.h"
#include "app/controlTable.h"
#include "controls/buttonRegistry.h"
#include "support/freshScreen.h"
#include "support/screenReader.h"
#include "support/smallTextReader.h"

namespace {

// Where each control's caption shows, in pixels, and in which colours.
struct Shown {
  int k;
  std::string caption;
  int x, y;
  bool small;
  int normal;
};

const Shown CONTROLS[] = {
    {1, "    Loan Amount:", 8, 48, false, 2},  {2, " Rate (percent):", 8, 64, false, 2},
    {3, "Monthly Payment:", 8, 80, false, 2},  {4, "Continue", 24, 106, true, 2},
    {5, "New calculation", 24, 456, true, 2},  {6, "Exit", 584, 456, true, 2},
    {7, " \x19 ", 40, 128, false, 2},          {8, " PageDown ", 40, 144, false, 2},
    {9, " Ctrl-PageDown ", 40, 176, false, 2}, {10, "Options", 24, 16, false, 8},
};

std::string captionAt(const Shown& c, int colour) {
  const int length = static_cast<int>(c.caption.size());
  if (c.small) return smallTextReader::smallTextAt(c.x, c.y, length, colour);
  std::string text = screenReader::textAt(c.y / 16 + 1, c.x / 8 + 1, length);
  for (int i = 0; i < length; ++i) {
    const screenReader::Cell cell = screenReader::readCell(c.y / 16 + 1, c.x / 8 + 1 + i);
    if (cell.character != ' ' && cell.ink != colour) text[i] = '?';
  }
  return text;
}

TEST(ControlTable, EachControlShowsItsCaptionWhereTheFormExpectsIt) {
  openFreshScreen();
  for (int k = 1; k <= CONTROL_COUNT; ++k) createControl(k);
  for (const Shown& c : CONTROLS) {
    EXPECT_EQ(calc.controlIds[c.k], c.k);
    EXPECT_EQ(captionAt(c, c.normal), c.caption) << c.k;
    highlightButton(calc.controlIds[c.k]);
    EXPECT_EQ(captionAt(c, 13), c.caption) << c.k;
  }
}

TEST(ControlTable, FieldLabelsAnswerForTheFirstCellsOfTheirField) {
  openFreshScreen();
  for (int k = 1; k <= 3; ++k) createControl(k);
  for (int k = 1; k <= 3; ++k) {
    const int y = 48 + (k - 1) * 16 + 8;
    EXPECT_TRUE(isOverButton(calc.controlIds[k], 0, y)) << k;
    EXPECT_TRUE(isOverButton(calc.controlIds[k], 208, y)) << k;
    EXPECT_FALSE(isOverButton(calc.controlIds[k], 209, y)) << k;
  }
}

TEST(ControlTable, AControlThatExistsIsNotCreatedTwice) {
  openFreshScreen();
  createControl(4);
  createControl(4);
  createControl(6);
  EXPECT_EQ(calc.controlIds[4], 1);
  EXPECT_EQ(calc.controlIds[6], 2);
}

}  // namespace
