#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "controls/inputLoop.h"
#include "layout/fieldGeometry.h"
#include "money/amountText.h"
#include "screen/platform.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/editorTestSupport.h"

namespace {

class InputLoopTest : public testing::Test {
 protected:
  void SetUp() override { editorTest::resetWorld(); }

  EventCode next(std::string_view mask = "", int screenMode = GRAPHICS_SCREEN_MODE) {
    return nextInputEvent(inputLoop.pointerY, inputLoop.pointerX, screenMode, mask, false);
  }

  // The events up to the close button that ends every script.
  std::vector<EventCode> eventsUntilClose(std::string_view mask = "") {
    std::vector<EventCode> events;
    for (EventCode e = next(mask); e != EVENT_CLOSE; e = next(mask)) events.push_back(e);
    return events;
  }
};

using Events = std::vector<EventCode>;

TEST_F(InputLoopTest, EmptyMaskRefusesPrintableKeysButPassesControlKeys) {
  headless::type("a5 .");
  for (char control : {'\r', '\x1b', '\b', '\n', '\t', '\x03', '\x16', '\x18'}) {
    headless::key(std::string(1, control));
  }
  EXPECT_EQ(eventsUntilClose(), (Events{EVENT_ENTER, EVENT_ESC, EVENT_BACKSPACE, EVENT_CTRL_ENTER,
                                        EVENT_TAB, EVENT_CTRL_C, EVENT_CTRL_V, EVENT_CTRL_X}));
  EXPECT_EQ(editorTest::soundCount(), 4);
}

TEST_F(InputLoopTest, OtherControlCharactersAreRefused) {
  headless::key("\x01");
  headless::key("\x7f");
  EXPECT_EQ(eventsUntilClose(), Events{});
  EXPECT_EQ(editorTest::soundCount(), 2);
}

TEST_F(InputLoopTest, NumericMaskAdmitsDigitsAndWarnsOtherwise) {
  headless::type("5a,");
  EXPECT_EQ(eventsUntilClose(AMOUNT_MASK), (Events{'5', ','}));
  EXPECT_EQ(editorTest::soundCount(), 1);
}

TEST_F(InputLoopTest, HighCharactersArriveAsPositiveCodes) {
  headless::key("\xe9");
  EXPECT_EQ(next("(\xe0-\xff)"), 0xe9);
}

TEST_F(InputLoopTest, ExtendedKeysArriveAboveFF00) {
  for (int code : {15, 59, 71, 72, 75, 77, 79, 80, 81, 82, 83, 118}) headless::extendedKey(code);
  EXPECT_EQ(eventsUntilClose(),
            (Events{EVENT_SHIFT_TAB, EVENT_KEY_BASE + 59, EVENT_HOME, EVENT_UP, EVENT_LEFT,
                    EVENT_RIGHT, EVENT_END, EVENT_DOWN, EVENT_PAGE_DOWN, EVENT_INSERT, EVENT_DELETE,
                    EVENT_CTRL_PAGE_DOWN}));
}

TEST_F(InputLoopTest, KeysWithTheCodeOfAnotherEventGiveNoEvent) {
  // Ctrl+2, Alt+U, Alt+O, Alt+], Shift+F8, Shift+F9, Ctrl+F1, Ctrl+F2, then F2.
  for (int code : {3, 22, 24, 27, 91, 92, 94, 95, 60}) headless::extendedKey(code);
  EXPECT_EQ(eventsUntilClose(), Events{EVENT_KEY_BASE + 60});
  EXPECT_EQ(editorTest::soundCount(), 0);
}

TEST_F(InputLoopTest, CloseButtonArrivesAsAnEvent) {
  EXPECT_EQ(next(), EVENT_CLOSE);
}

TEST_F(InputLoopTest, IdleSleepsInOneWaitUntilTheNextKey) {
  headless::wait(95);
  headless::type("7");
  EXPECT_EQ(next(AMOUNT_MASK), '7');
  EXPECT_EQ(headless::headlessState.clockMs, 95);
  EXPECT_EQ(headless::headlessState.idleWaits, 1);
}

TEST_F(InputLoopTest, ItsOwnPointerVariablesFollowTheMouse) {
  headless::mouse(100, 50, 0);
  headless::wait(20);
  int y = 0, x = 0;
  EXPECT_EQ(nextInputEvent(y, x, GRAPHICS_SCREEN_MODE, "", false), EVENT_CLOSE);
  EXPECT_EQ(x, 100);
  EXPECT_EQ(y, 50);
}

struct MouseCase {
  const char* name;
  std::vector<headless::Step> steps;  // mouse states, each followed by a short pause
  Events events;
  // Listed by name, not as the bytes of the case.
  friend void PrintTo(const MouseCase& c, std::ostream* os) { *os << c.name; }
};

headless::Step at(int x, int y, int buttons, int wheel = 0) {
  headless::Step step;
  step.kind = headless::Step::Mouse;
  step.x = x;
  step.y = y;
  step.buttons = buttons;
  step.wheelSteps = wheel;
  return step;
}

headless::Step outside() {
  headless::Step step = at(-1, -1, 0);
  step.inside = false;
  return step;
}

class MouseEvents : public InputLoopTest, public testing::WithParamInterface<MouseCase> {};

TEST_P(MouseEvents, ArriveAsTheStateMachineSays) {
  for (const headless::Step& step : GetParam().steps) {
    if (step.inside) {
      headless::mouse(step.x, step.y, step.buttons, step.wheelSteps);
    } else {
      headless::mouseOutside();
    }
    headless::wait(30);
  }
  EXPECT_EQ(eventsUntilClose(), GetParam().events);
}

INSTANTIATE_TEST_SUITE_P(
    Mouse, MouseEvents,
    testing::Values(
        MouseCase{"pressDragHoldRelease",
                  {at(10, 10, 1), at(12, 10, 1), at(12, 10, 1), at(12, 14, 1), at(12, 14, 0)},
                  {EVENT_LEFT_PRESS, EVENT_LEFT_PRESS, EVENT_LEFT_PRESS, EVENT_LEFT_RELEASE}},
        MouseCase{"rightButton",
                  {at(10, 10, 2), at(20, 10, 2), at(20, 10, 0)},
                  {EVENT_RIGHT_PRESS, EVENT_RIGHT_RELEASE}},
        MouseCase{"bothButtonsThenRightFirst",
                  {at(10, 10, 3), at(10, 10, 1), at(10, 10, 0)},
                  {EVENT_LEFT_RELEASE}},
        MouseCase{"middleButtonIgnored", {at(10, 10, 4), at(10, 10, 0)}, {}},
        MouseCase{"moveWithoutButtons", {at(10, 10, 0), at(50, 60, 0)}, {}},
        MouseCase{"releasedOutsideReportedOnReturn",
                  {at(10, 10, 1), outside(), at(30, 30, 0)},
                  {EVENT_LEFT_PRESS, EVENT_LEFT_RELEASE}},
        MouseCase{"pressOutsideNotReported", {outside(), outside()}, {}},
        MouseCase{
            "wheelBothWays",
            {at(10, 10, 0, 2), at(10, 10, 0, -3)},
            {EVENT_WHEEL_UP, EVENT_WHEEL_UP, EVENT_WHEEL_DOWN, EVENT_WHEEL_DOWN, EVENT_WHEEL_DOWN}},
        MouseCase{"buttonReplacesTheWheelStepOfItsPoll",
                  {at(10, 10, 1, 1), at(10, 10, 0)},
                  {EVENT_LEFT_PRESS, EVENT_LEFT_RELEASE}}),
    [](const testing::TestParamInfo<MouseCase>& info) { return std::string(info.param.name); });

TEST_F(InputLoopTest, ThreeWheelNotchesGiveOneEventPerCall) {
  headless::mouse(10, 10, 0, 3);
  headless::wait(1000);
  for (int call = 0; call < 3; ++call) EXPECT_EQ(next(), EVENT_WHEEL_UP) << "call " << call;
  EXPECT_EQ(headless::headlessState.clockMs, 0) << "a notch already turned waited";
}

TEST_F(InputLoopTest, PointerOutsideIsNegative) {
  headless::mouse(40, 40, 0);
  headless::mouseOutside();
  headless::wait(30);
  EXPECT_EQ(next(), EVENT_CLOSE);
  EXPECT_LT(inputLoop.pointerX, 0);
  EXPECT_LT(inputLoop.pointerY, 0);
}

TEST_F(InputLoopTest, KeyTakesPrecedenceOverTheMouseOfTheSamePass) {
  // A script hands over one step at a time, so both are handed to the services directly.
  screen::queueKey("\t");
  screen::mouseChange(10, 10, 1);
  headless::wait(30);
  EXPECT_EQ(eventsUntilClose(), (Events{EVENT_TAB, EVENT_LEFT_PRESS}));
}

TEST_F(InputLoopTest, TextScreenReportsThePointerInCells) {
  headless::mouse(8 * 9 + 3, 16 * 4 + 15, 1);
  headless::wait(30);
  EXPECT_EQ(next("", 0), EVENT_LEFT_PRESS);
  EXPECT_EQ(inputLoop.pointerX, 10);
  EXPECT_EQ(inputLoop.pointerY, 5);
}

struct MacroCase {
  const char* name;
  std::string buffer;
  Events events;
  // Listed by name, not as the bytes of the case.
  friend void PrintTo(const MacroCase& c, std::ostream* os) { *os << c.name; }
};

class MacroPlayback : public InputLoopTest, public testing::WithParamInterface<MacroCase> {};

TEST_P(MacroPlayback, PlaysTheBuffer) {
  inputLoop.macroBuffer = GetParam().buffer;
  inputLoop.macroReadPos = 1;
  inputLoop.macroPlaying = true;
  EXPECT_EQ(eventsUntilClose(AMOUNT_MASK), GetParam().events);
  EXPECT_FALSE(inputLoop.macroPlaying);
  EXPECT_EQ(editorTest::soundCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Macros, MacroPlayback,
    testing::Values(MacroCase{"recallCommand", std::string("\xff\x05", 2), {63237}},
                    MacroCase{"keyCode", std::string("\xff\x48", 2), {EVENT_UP}},
                    MacroCase{"charactersBypassTheMask", "1a;", {'1', 'a', ';'}},
                    MacroCase{"zeroByteGivesNothing",
                              std::string("1\0"
                                          "2",
                                          3),
                              {'1', '2'}},
                    MacroCase{"keyCodeCutShortByTheEnd", "7\xff", {'7', EVENT_KEY_BASE}},
                    MacroCase{"empty", "", {}}),
    [](const testing::TestParamInfo<MacroCase>& info) { return std::string(info.param.name); });

TEST_F(InputLoopTest, MacroWaitsAtAQuestionMarkForTheUser) {
  inputLoop.macroBuffer = "1?2";
  inputLoop.macroPlaying = true;
  headless::type("9");
  EXPECT_EQ(next(AMOUNT_MASK), '1');
  EXPECT_EQ(next(AMOUNT_MASK), '9');
  EXPECT_TRUE(inputLoop.macroWaiting);
  EXPECT_TRUE(inputLoop.macroPlaying);
  inputLoop.macroWaiting = false;
  EXPECT_EQ(next(AMOUNT_MASK), '2');
  EXPECT_FALSE(inputLoop.macroPlaying);
}

TEST_F(InputLoopTest, MacroKeysComeBeforeWaitingKeysAndTheMouse) {
  inputLoop.macroBuffer = "12";
  inputLoop.macroPlaying = true;
  headless::mouse(10, 10, 1);
  headless::wait(30);
  EXPECT_EQ(next(AMOUNT_MASK), '1');
  EXPECT_EQ(next(AMOUNT_MASK), '2');
  EXPECT_EQ(next(AMOUNT_MASK), EVENT_LEFT_PRESS);
}

}  // namespace
