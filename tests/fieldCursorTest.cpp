#include <gtest/gtest.h>

#include "controls/inputLoop.h"
#include "editor/fieldCursor.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/editorTestSupport.h"

namespace {

using editorTest::CursorShape;
using editorTest::cursorShapeAt;

constexpr int ROW = 5, COLUMN = 10;

class FieldCursorTest : public testing::Test {
 protected:
  void SetUp() override {
    editorTest::resetWorld();
    // Where the field editor places a cursor at row 5, column 10.
    fieldCursor.x = (COLUMN - 1) * 8;
    fieldCursor.y = ROW * 16 - 1;
    fieldCursor.fieldColour = 15;
    fieldCursor.blinkColour = 0;
    fieldCursor.lastBlinkTime = BLINK_AT_ONCE;
  }

  // Waits in the input loop for `ms` of virtual time, the way an edited field waits.
  void idle(double ms) {
    headless::wait(ms);
    headless::type("5");
    int y = 0, x = 0;
    ASSERT_EQ(nextInputEvent(y, x, GRAPHICS_SCREEN_MODE, "(0-9)", true), '5');
  }
};

TEST_F(FieldCursorTest, ShapesFollowTheMode) {
  struct Case {
    bool overtype;
    CursorShape shape;
  };
  for (Case c : {Case{false, CursorShape::Caret}, Case{true, CursorShape::Bar}}) {
    SetUp();
    fieldCursor.overtypeMode = c.overtype;
    drawCursorMark(fieldCursor.x, fieldCursor.y, 13);
    int colour = 0;
    EXPECT_EQ(cursorShapeAt(ROW, COLUMN, &colour), c.shape);
    EXPECT_EQ(colour, 13);
    drawCursorMark(fieldCursor.x, fieldCursor.y, 0);
    EXPECT_EQ(cursorShapeAt(ROW, COLUMN), CursorShape::None);
  }
}

TEST_F(FieldCursorTest, CaretTipSitsJustLeftOfTheCell) {
  drawCursorMark(fieldCursor.x, fieldCursor.y, 15);
  EXPECT_EQ(screen::pixelAt(fieldCursor.x - 1, fieldCursor.y - 1), 15);
  EXPECT_EQ(screen::pixelAt(fieldCursor.x - 2, fieldCursor.y - 1), 0);
  EXPECT_EQ(screen::pixelAt(fieldCursor.x, fieldCursor.y - 1), 0);
}

TEST_F(FieldCursorTest, ChangingTheShapeLeavesNoTraceOfTheOther) {
  for (bool toOvertype : {true, false}) {
    SetUp();
    fieldCursor.overtypeMode = !toOvertype;
    drawCursorMark(fieldCursor.x, fieldCursor.y, 15);
    fieldCursor.overtypeMode = toOvertype;
    fieldCursor.shapeChanged = true;
    drawCursorMark(fieldCursor.x, fieldCursor.y, 15);
    EXPECT_EQ(cursorShapeAt(ROW, COLUMN), toOvertype ? CursorShape::Bar : CursorShape::Caret);
  }
}

TEST_F(FieldCursorTest, VisibleAtOnceThenTogglesEveryHalfSecond) {
  struct Step {
    double waitMs;
    bool visible;
  };
  // The first idle poll shows it; each later change comes once more than 0.5 s have passed.
  for (Step s : {Step{0, true}, Step{400, true}, Step{100, true}, Step{20, false}, Step{480, false},
                 Step{20, true}, Step{520, false}, Step{510, true}}) {
    idle(s.waitMs);
    EXPECT_EQ(cursorShapeAt(ROW, COLUMN) == CursorShape::Caret, s.visible)
        << "at " << headless::headlessState.clockMs << " ms";
  }
}

TEST_F(FieldCursorTest, IdleWakesOnlyForTheBlinkAndTheKey) {
  struct Case {
    const char* name;
    bool blink;
    bool active;
    long minWaits, maxWaits;
  };
  // Five seconds of idle: ten blink edges half a second apart, then the key.
  for (Case c : {Case{"blinking", true, true, 10, 11}, Case{"not editing", false, true, 1, 1},
                 Case{"inactive window", true, false, 1, 1}}) {
    SetUp();
    headless::setActive(c.active);
    headless::wait(5000);
    headless::type("5");
    int y = 0, x = 0;
    EXPECT_EQ(nextInputEvent(y, x, GRAPHICS_SCREEN_MODE, "(0-9)", c.blink), '5') << c.name;
    EXPECT_EQ(headless::headlessState.clockMs, 5000) << c.name << ": the key came late";
    EXPECT_GE(headless::headlessState.idleWaits, c.minWaits) << c.name;
    EXPECT_LE(headless::headlessState.idleWaits, c.maxWaits) << c.name;
  }
}

TEST_F(FieldCursorTest, HiddenWhileTheWindowIsInactive) {
  idle(0);
  ASSERT_EQ(cursorShapeAt(ROW, COLUMN), CursorShape::Caret);
  headless::setActive(false);
  idle(30);
  EXPECT_EQ(cursorShapeAt(ROW, COLUMN), CursorShape::None);
  idle(2000);
  EXPECT_EQ(cursorShapeAt(ROW, COLUMN), CursorShape::None);
  headless::setActive(true);
  idle(20);
  EXPECT_EQ(cursorShapeAt(ROW, COLUMN), CursorShape::Caret);
}

TEST_F(FieldCursorTest, NoBlinkUnlessAskedOnAGraphicsScreen) {
  struct Case {
    int screenMode;
    bool blink;
  };
  for (Case c : {Case{GRAPHICS_SCREEN_MODE, false}, Case{0, true}}) {
    SetUp();
    headless::wait(1200);
    headless::type("5");
    int y = 0, x = 0;
    nextInputEvent(y, x, c.screenMode, "(0-9)", c.blink);
    EXPECT_EQ(cursorShapeAt(ROW, COLUMN), CursorShape::None);
  }
}

TEST_F(FieldCursorTest, NothingDrawnBeforeACursorIsPlaced) {
  fieldCursor.x = fieldCursor.y = -1;
  idle(600);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 8; ++x) EXPECT_EQ(screen::pixelAt(x, y), 0);
  }
}

}  // namespace
