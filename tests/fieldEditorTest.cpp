#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "controls/inputLoop.h"
#include "editor/fieldCursor.h"
#include "editor/fieldEditor.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/editorTestSupport.h"
#include "support/screenReader.h"

namespace {

using editorTest::runField;
using editorTest::soundCount;

constexpr const char* AMOUNT_MASK = "(0-9)(.)(,)";
constexpr const char* RATE_MASK = "(0-9)(.)";
constexpr int ROW = 5, COLUMN = 10, WIDTH = 16;
const std::string FULL = "1234567890123456";

class FieldEditorTest : public testing::Test {
 protected:
  void SetUp() override { editorTest::resetWorld(); }

  static std::string shown(int width = WIDTH) { return screenReader::textAt(ROW, COLUMN, width); }
  static void keys(std::initializer_list<int> extended) {
    for (int code : extended) headless::extendedKey(code);
  }
};

TEST_F(FieldEditorTest, TypedTextIsShownAndHandedBack) {
  headless::type("250000\t");
  auto run = runField("", WIDTH, AMOUNT_MASK);
  EXPECT_EQ(run.text, "250000");
  EXPECT_EQ(run.event, EVENT_TAB);
  EXPECT_EQ(run.cursorPos, 6);
  EXPECT_EQ(shown(), "250000          ");
  EXPECT_EQ(screenReader::readCell(ROW, COLUMN).ink, 15);
  EXPECT_EQ(soundCount(), 0);
}

TEST_F(FieldEditorTest, EndingEventsAreReturnedWithTheTextUnchanged) {
  struct Case {
    std::string key;
    EventCode event;
  };
  std::string up{screen::EXTENDED, screen::KEY_UP}, down{screen::EXTENDED, screen::KEY_DOWN},
      pageDown{screen::EXTENDED, screen::KEY_PAGE_DOWN},
      ctrlPageDown{screen::EXTENDED, screen::KEY_CTRL_PAGE_DOWN},
      close{screen::EXTENDED, screen::KEY_CLOSE}, f1{screen::EXTENDED, 59};
  for (const Case& c : {Case{"\x1b", EVENT_ESC}, Case{"\r", EVENT_ENTER}, Case{"\t", EVENT_TAB},
                        Case{"\x18", EVENT_CTRL_X}, Case{up, EVENT_UP}, Case{down, EVENT_DOWN},
                        Case{pageDown, EVENT_PAGE_DOWN}, Case{ctrlPageDown, EVENT_CTRL_PAGE_DOWN},
                        Case{close, EVENT_CLOSE}, Case{f1, EVENT_KEY_BASE + 59}}) {
    SetUp();
    headless::key(c.key);
    auto run = runField("12.5", WIDTH, RATE_MASK);
    EXPECT_EQ(run.event, c.event);
    EXPECT_EQ(run.text, "12.5");
    EXPECT_EQ(shown(), "12.5            ");
  }
}

TEST_F(FieldEditorTest, MouseButtonsAndWheelOutsideTheFieldEndEditing) {
  struct Case {
    int buttons, wheel;
    EventCode event;
  };
  for (Case c : {Case{1, 0, EVENT_LEFT_PRESS}, Case{2, 0, EVENT_RIGHT_PRESS},
                 Case{0, 1, EVENT_WHEEL_UP}, Case{0, -1, EVENT_WHEEL_DOWN}}) {
    SetUp();
    headless::mouse(editorTest::cellX(40), editorTest::cellY(20), c.buttons, c.wheel);
    headless::wait(30);
    auto run = runField("7", WIDTH, AMOUNT_MASK);
    EXPECT_EQ(run.event, c.event);
    EXPECT_EQ(run.pointerX, editorTest::cellX(40));
    EXPECT_EQ(run.pointerY, editorTest::cellY(20));
  }
}

struct EditCase {
  const char* name;
  std::string text;
  std::string script;  // see editorTest::script
  std::string result;
  int cursor;
  int sounds;
  // Listed by name, not as the bytes of the case.
  friend void PrintTo(const EditCase& c, std::ostream* os) { *os << c.name; }
};

class FieldEdits : public FieldEditorTest, public testing::WithParamInterface<EditCase> {};

TEST_P(FieldEdits, GiveTheExpectedTextAndCursor) {
  const EditCase& c = GetParam();
  editorTest::script(c.script + "\t");
  auto run = runField(c.text, WIDTH, AMOUNT_MASK);
  EXPECT_EQ(run.event, EVENT_TAB);
  EXPECT_EQ(run.text, c.result);
  EXPECT_EQ(run.cursorPos, c.cursor);
  EXPECT_EQ(soundCount(), c.sounds);
  EXPECT_EQ(shown(), c.result + std::string(WIDTH - c.result.size(), ' '));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, FieldEdits,
    testing::Values(
        // The cursor starts at 0, in insert mode.
        EditCase{"typingInsertsAtTheStart", "34", "12", "1234", 2, 0},
        EditCase{"leftAtTheStartChangesNothing", "34", "<<1", "134", 1, 0},
        EditCase{"rightAtTheEndChangesNothing", "34", ">>>>5", "345", 3, 0},
        EditCase{"endThenType", "34", "E5", "345", 3, 0},
        EditCase{"homeAfterEnd", "34", "EH5", "534", 1, 0},
        EditCase{"backspaceAtTheStartChangesNothing", "34", "B", "34", 0, 0},
        EditCase{"backspaceBeforeTheCursor", "345", "E<B", "35", 1, 0},
        EditCase{"deleteAtTheCursor", "345", ">D", "35", 1, 0},
        EditCase{"deleteAtTheEndChangesNothing", "345", "ED", "345", 3, 0},
        EditCase{"refusedKeyWarnsAndChangesNothing", "34", "a-", "34", 0, 2},
        EditCase{"insertSwitchesToOvertype", "345", "I9", "945", 1, 0},
        EditCase{"overtypeAppendsAtTheEnd", "345", "IE9", "3459", 4, 0},
        EditCase{"insertTwiceIsInsertAgain", "345", "II9", "9345", 1, 0},
        // A full field is in overtype, forced, until it is no longer full.
        EditCase{"fullFieldRefusesTypingAtItsEnd", FULL, "E9", FULL, 16, 1},
        EditCase{"fullFieldReplacesInTheMiddle", FULL, ">>99", "1299567890123456", 4, 0},
        EditCase{"backspaceReleasesTheForcedOvertype", FULL, "EBH0", "0123456789012345", 1, 0},
        EditCase{"insertOnAFullFieldNeverLengthensIt", FULL, ">I9", FULL, 1, 1}),
    [](const testing::TestParamInfo<EditCase>& info) { return std::string(info.param.name); });

TEST_F(FieldEditorTest, ShiftTabAtTheStartEndsEditingElsewhereGoesToTheStart) {
  headless::extendedKey(screen::KEY_END);
  headless::extendedKey(screen::KEY_SHIFT_TAB);
  headless::key("1");
  headless::extendedKey(screen::KEY_LEFT);
  headless::extendedKey(screen::KEY_SHIFT_TAB);
  headless::extendedKey(screen::KEY_SHIFT_TAB);
  auto run = runField("23", WIDTH, AMOUNT_MASK);
  EXPECT_EQ(run.event, EVENT_SHIFT_TAB);
  EXPECT_EQ(run.text, "123");
  EXPECT_EQ(run.cursorPos, 0);
}

TEST_F(FieldEditorTest, ModeChosenWithInsertHoldsInTheNextField) {
  headless::extendedKey(screen::KEY_INSERT);
  headless::key("\t");
  runField("11", WIDTH, AMOUNT_MASK);
  headless::type("5\t");
  auto second = runField("22", WIDTH, AMOUNT_MASK, ROW + 1);
  EXPECT_EQ(second.text, "52");
}

TEST_F(FieldEditorTest, NoTraceOfTheCursorAfterEditing) {
  // Blinks in both shapes at several places, then leaves.
  for (std::string step : {"1", "2", "I", "<", "I", "3"}) {
    headless::wait(600);
    if (step == "I") {
      headless::extendedKey(screen::KEY_INSERT);
    } else if (step == "<") {
      headless::extendedKey(screen::KEY_LEFT);
    } else {
      headless::type(step);
    }
  }
  headless::wait(600);
  headless::key("\t");
  auto run = runField("", WIDTH, AMOUNT_MASK);
  EXPECT_EQ(run.text, "132");
  EXPECT_EQ(editorTest::cursorLinePixels(ROW), 0);
  EXPECT_EQ(shown(), "132             ");
}

struct PlacementCase {
  const char* name;
  std::string text;
  int options;
  int viewLength;
  int cursorPos;
  int firstVisible;
  int expectedColumn;
  editorTest::CursorShape shape;
  // Listed by name, not as the bytes of the case.
  friend void PrintTo(const PlacementCase& c, std::ostream* os) { *os << c.name; }
};

class CursorPlacement : public FieldEditorTest,
                        public testing::WithParamInterface<PlacementCase> {};

// The field's cursor as the next idle poll of the input loop shows it.
TEST_P(CursorPlacement, ShowsUnderTheRightCell) {
  const PlacementCase& c = GetParam();
  fieldEditor.text = c.text;
  fieldEditor.row = ROW;
  fieldEditor.column = COLUMN;
  fieldEditor.fieldWidth = 8;
  fieldEditor.viewLength = c.viewLength;
  fieldEditor.scrolling = c.viewLength > 0;
  fieldEditor.firstVisible = c.firstVisible;
  fieldEditor.cursorPos = c.cursorPos;
  fieldEditor.editOptions = c.options;
  fieldEditor.screenMode = GRAPHICS_SCREEN_MODE;
  fieldEditor.editing = true;
  placeCursor();
  headless::wait(20);
  headless::type("5");
  int y = 0, x = 0;
  nextInputEvent(y, x, GRAPHICS_SCREEN_MODE, "(0-9)", true);
  EXPECT_EQ(editorTest::cursorShapeAt(ROW, c.expectedColumn), c.shape);
  EXPECT_EQ(editorTest::cursorLinePixels(ROW), c.shape == editorTest::CursorShape::Bar
                                                   ? editorTest::BAR_PIXELS
                                                   : editorTest::CARET_PIXELS);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CursorPlacement,
    testing::Values(
        PlacementCase{"start", "123", 0, 0, 0, 0, COLUMN, editorTest::CursorShape::Caret},
        PlacementCase{"afterText", "123", 0, 0, 3, 0, COLUMN + 3, editorTest::CursorShape::Caret},
        PlacementCase{"fullFieldCellAfterIt", "12345678", 0, 0, 8, 0, COLUMN + 8,
                      editorTest::CursorShape::Bar},
        PlacementCase{"rightAligned", "123", EDIT_RIGHT_ALIGNED, 0, 1, 0, COLUMN + 6,
                      editorTest::CursorShape::Caret},
        PlacementCase{"scrolled", "1234567", 0, 4, 6, 3, COLUMN + 3,
                      editorTest::CursorShape::Caret},
        PlacementCase{"rightAlignedScrolled", "1234567", EDIT_RIGHT_ALIGNED, 4, 7, 3, COLUMN + 4,
                      editorTest::CursorShape::Caret}),
    [](const testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

TEST_F(FieldEditorTest, AwaitInputReportsWhetherTheTextChanged) {
  struct Case {
    std::string keys;
    bool changed;
  };
  for (const Case& c : {Case{"5\t", true}, Case{"\t", false}, Case{"5\b\t", false}}) {
    SetUp();
    headless::type(c.keys);
    std::string text = "100";
    awaitInput(text, AMOUNT_MASK, WIDTH, ROW, COLUMN);
    EXPECT_EQ(inputLoop.lastEvent, EVENT_TAB);
    EXPECT_EQ(fieldEditor.fieldChanged, c.changed) << c.keys;
  }
}

TEST_F(FieldEditorTest, AwaitInputWithoutAFieldWaitsForOneEvent) {
  fieldEditor.fieldChanged = true;
  headless::type("5");
  headless::key("\r");
  std::string text = "100";
  awaitInput(text, "", 0, ROW, COLUMN);
  EXPECT_EQ(inputLoop.lastEvent, EVENT_ENTER);
  EXPECT_EQ(text, "100");
  EXPECT_TRUE(fieldEditor.fieldChanged);
  EXPECT_EQ(soundCount(), 1);
}

TEST_F(FieldEditorTest, EmptyFieldIsNotDrawnAtEntry) {
  screen::moveCursor(ROW, COLUMN);
  screen::printText("XXXX", false);
  headless::key("\t");
  runField("", 4, AMOUNT_MASK);
  EXPECT_EQ(shown(4), "XXXX");
}

TEST_F(FieldEditorTest, MessagesLeaveColour15) {
  screen::setForeground(15);
  headless::extendedKey(screen::KEY_INSERT);
  headless::key("\t");
  runField("12", WIDTH, AMOUNT_MASK, ROW, COLUMN, 0);
  EXPECT_EQ(screen::currentColours() & 0xffff, 15);
}

}  // namespace
