#include <gtest/gtest.h>

#include <string>

#include "editor/fieldCursor.h"
#include "editor/fieldEditor.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/editorTestSupport.h"
#include "support/screenReader.h"

// Editing on a text screen (mode 0): the grid's cursor and the "OVR" indicator at row 1, column
// 78 stand in for the drawn cursor.

namespace {

constexpr int ROW = 5, COLUMN = 10, TEXT_SCREEN = 0;

std::string indicator() {
  return screenReader::textAt(1, OVERTYPE_INDICATOR_COLUMN, 3);
}

// A field being edited on the text screen, as editField sets it up.
void editingOnTextScreen(const std::string& text, int width) {
  fieldEditor.text = text;
  fieldEditor.fieldWidth = width;
  fieldEditor.row = ROW;
  fieldEditor.column = COLUMN;
  fieldEditor.lastVisible = width - 1;
  fieldEditor.cursorPos = static_cast<int>(text.size());
  fieldEditor.screenMode = TEXT_SCREEN;
  fieldEditor.statusRow = 1;
  fieldEditor.editing = true;
}

TEST(TextScreenEditor, FullFieldShowsOvrUntilItIsNoLongerFull) {
  editorTest::resetWorld();
  editingOnTextScreen("1234567890123456", 16);
  drawField();
  EXPECT_EQ(indicator(), "OVR");
  EXPECT_EQ(screenReader::readCell(1, OVERTYPE_INDICATOR_COLUMN).ink, 11);
  EXPECT_EQ(screen::currentColours() & 0xffff, 15);
  fieldEditor.text.pop_back();
  --fieldEditor.cursorPos;
  drawField();
  EXPECT_EQ(indicator(), "   ");
}

TEST(TextScreenEditor, GridCursorStandsAtTheInsertionPoint) {
  editorTest::resetWorld();
  editingOnTextScreen("123", 8);
  drawField();
  int row = 0, column = 0;
  screen::cursorPosition(row, column);
  EXPECT_EQ(row, ROW);
  EXPECT_EQ(column, COLUMN + 3);
  EXPECT_TRUE(fieldCursor.gridCursorShown);
}

TEST(TextScreenEditor, InsertKeyShowsAndClearsTheIndicator) {
  struct Case {
    std::string keys;
    std::string shown;
  };
  for (const Case& c : {Case{"I\t", "OVR"}, Case{"II\t", "   "}}) {
    editorTest::resetWorld();
    editorTest::script(c.keys);
    editorTest::runField("12", 8, "(0-9)", ROW, COLUMN, TEXT_SCREEN);
    EXPECT_EQ(indicator(), c.shown) << c.keys;
    EXPECT_FALSE(fieldCursor.gridCursorShown);
    EXPECT_EQ(editorTest::cursorLinePixels(ROW), 0);
  }
}

TEST(TextScreenEditor, ForcedOvertypeIsReleasedAtTheEnd) {
  editorTest::resetWorld();
  editorTest::script("E9\t");
  auto run = editorTest::runField("12345678", 8, "(0-9)", ROW, COLUMN, TEXT_SCREEN);
  EXPECT_EQ(run.text, "12345678");
  EXPECT_EQ(editorTest::soundCount(), 1);
  EXPECT_EQ(indicator(), "   ");
}

TEST(TextScreenEditor, OptionOvertypeShowsTheIndicatorAndClearsItWhenDropped) {
  editorTest::resetWorld();
  setEditOptions(EDIT_START_OVERTYPE);
  editorTest::script("\t\t");
  editorTest::runField("12", 8, "(0-9)", ROW, COLUMN, TEXT_SCREEN);
  EXPECT_EQ(indicator(), "OVR");
  clearEditOptions(EDIT_START_OVERTYPE);
  editorTest::runField("34", 8, "(0-9)", ROW + 1, COLUMN, TEXT_SCREEN);
  EXPECT_EQ(indicator(), "   ");
}

}  // namespace
