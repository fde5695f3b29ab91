#include <gtest/gtest.h>

#include <array>
#include <string>

#include "screen/keyMap.h"
#include "screen/platform.h"
#include "screen/private/headless.h"
#include "screen/screen.h"

namespace {

const std::string CLOSE_BUTTON{screen::EXTENDED, static_cast<char>(screen::KEY_CLOSE)};

TEST(InputPoll, KeysComeInOrderThenTheCloseButton) {
  headless::reset();
  headless::key("a");
  headless::extendedKey(screen::KEY_DOWN);
  EXPECT_EQ(screen::pollKey(), "a");
  EXPECT_EQ(screen::pollKey(), (std::string{screen::EXTENDED, screen::KEY_DOWN}));
  EXPECT_EQ(screen::pollKey(), CLOSE_BUTTON);
  EXPECT_EQ(CLOSE_BUTTON, std::string("\xff\x6b"));
}

// A quit signal reaches every loop that asks whether the window is to close, not only the key
// poll, and it stays.
TEST(InputPoll, AQuitSignalIsACloseRequestFromThenOn) {
  headless::reset();
  headless::quitSignal();
  headless::key("b");
  EXPECT_FALSE(screen::closeRequested());
  screen::serviceWindow();
  EXPECT_TRUE(screen::closeRequested());
  EXPECT_EQ(screen::pollKey(), CLOSE_BUTTON);
  EXPECT_TRUE(screen::closeRequested());
}

TEST(InputPoll, TheMouseReportsPositionButtonsAndTheWheelTotal) {
  struct Expected {
    int x, y, wheel, buttons;
  };
  headless::reset();
  headless::mouse(100, 200, 1, 2);
  headless::mouse(101, 201, 0, -3);
  headless::mouseOutside();
  headless::mouse(639, 479, 2);
  headless::mouse(640, 100, 1);  // beyond the right edge while a button is held
  headless::mouse(10, -1, 1);
  headless::mouse(0, 0, 4);
  const Expected expected[] = {{100, 200, 2, 1},  {101, 201, -1, 0}, {-1, -1, -1, -1},
                               {639, 479, -1, 2}, {-1, -1, -1, -1},  {-1, -1, -1, -1},
                               {0, 0, -1, 4}};
  for (size_t i = 0; i < std::size(expected); ++i) {
    int x = 0, y = 0, wheel = 0, buttons = 0;
    screen::pollMouse(x, y, wheel, buttons);
    EXPECT_EQ(x, expected[i].x) << "state " << i;
    EXPECT_EQ(y, expected[i].y) << "state " << i;
    EXPECT_EQ(wheel, expected[i].wheel) << "state " << i;
    EXPECT_EQ(buttons, expected[i].buttons) << "state " << i;
  }
}

TEST(InputPoll, ButtonChangesQuickerThanAPollAreEachReportedOnce) {
  headless::reset();
  screen::mouseChange(10, 10, 1);
  screen::mouseChange(10, 10, 0);
  screen::mouseMoved(20, 30);  // the release was made here
  screen::pointerLeft();
  screen::mouseChange(5, 6, 2);
  const int expected[][4] = {{10, 10, 0, 1}, {20, 30, 0, 0}, {-1, -1, -1, -1}, {5, 6, 0, 2}};
  for (const auto& poll : expected) {
    int x = 0, y = 0, wheel = 0, buttons = 0;
    screen::pollMouse(x, y, wheel, buttons);
    EXPECT_EQ((std::array{x, y, wheel, buttons}), std::to_array(poll));
  }
}

// What the PC keyboard services give for each key, plain and with Shift, Ctrl and Alt: -1 for
// nothing (a printable character comes as text input), a character code, or X + an extended code.
constexpr int NO = -1, X = 0x100;

struct KeyRow {
  keyMap::Key key;
  int plain, shift, ctrl, alt;
  enum { EITHER, NUM_LOCK_OFF, NUM_LOCK_ON } numLock = EITHER;
};

constexpr keyMap::Key C(char ch) {
  return keyMap::characterKey(ch);
}

using K = keyMap::Key;
constexpr auto OFF = KeyRow::NUM_LOCK_OFF, ON = KeyRow::NUM_LOCK_ON;

// clang-format off
const KeyRow KEY_ROWS[] = {
    {K::Enter, 13, 13, 10, X + 28},                  {K::KeypadEnter, 13, 13, 10, X + 166},
    {K::Escape, 27, 27, 27, X + 1},                  {K::Backspace, 8, 8, 127, X + 14},
    {K::Tab, 9, X + 15, X + 148, X + 165},           {K::Home, X + 71, X + 71, X + 119, X + 151},
    {K::Up, X + 72, X + 72, X + 141, X + 152},       {K::PageUp, X + 73, X + 73, X + 132, X + 153},
    {K::Left, X + 75, X + 75, X + 115, X + 155},     {K::Right, X + 77, X + 77, X + 116, X + 157},
    {K::End, X + 79, X + 79, X + 117, X + 159},      {K::Down, X + 80, X + 80, X + 145, X + 160},
    {K::PageDown, X + 81, X + 81, X + 118, X + 161}, {K::Insert, X + 82, X + 82, X + 146, X + 162},
    {K::Delete, X + 83, X + 83, X + 147, X + 163},   {K::PrintScreen, NO, NO, X + 114, NO},
    {K::None, NO, NO, NO, NO},
    {K::F1, X + 59, X + 84, X + 94, X + 104},        {K::F2, X + 60, X + 85, X + 95, X + 105},
    {K::F3, X + 61, X + 86, X + 96, X + 106},        {K::F4, X + 62, X + 87, X + 97, X + 107},
    {K::F5, X + 63, X + 88, X + 98, X + 108},        {K::F6, X + 64, X + 89, X + 99, X + 109},
    {K::F7, X + 65, X + 90, X + 100, X + 110},       {K::F8, X + 66, X + 91, X + 101, X + 111},
    {K::F9, X + 67, X + 92, X + 102, X + 112},       {K::F10, X + 68, X + 93, X + 103, X + 113},
    {K::F11, X + 133, X + 135, X + 137, X + 139},    {K::F12, X + 134, X + 136, X + 138, X + 140},
    // The keypad types digits with Num Lock on, or with Shift while it is off.
    {K::Keypad7, X + 71, NO, X + 119, NO, OFF},      {K::Keypad7, NO, X + 71, X + 119, NO, ON},
    {K::Keypad8, X + 72, NO, X + 141, NO, OFF},      {K::Keypad8, NO, X + 72, X + 141, NO, ON},
    {K::Keypad9, X + 73, NO, X + 132, NO, OFF},      {K::Keypad9, NO, X + 73, X + 132, NO, ON},
    {K::Keypad4, X + 75, NO, X + 115, NO, OFF},      {K::Keypad4, NO, X + 75, X + 115, NO, ON},
    {K::Keypad5, NO, NO, X + 143, NO},
    {K::Keypad6, X + 77, NO, X + 116, NO, OFF},      {K::Keypad6, NO, X + 77, X + 116, NO, ON},
    {K::Keypad1, X + 79, NO, X + 117, NO, OFF},      {K::Keypad1, NO, X + 79, X + 117, NO, ON},
    {K::Keypad2, X + 80, NO, X + 145, NO, OFF},      {K::Keypad2, NO, X + 80, X + 145, NO, ON},
    {K::Keypad3, X + 81, NO, X + 118, NO, OFF},      {K::Keypad3, NO, X + 81, X + 118, NO, ON},
    {K::Keypad0, X + 82, NO, X + 146, NO, OFF},      {K::Keypad0, NO, X + 82, X + 146, NO, ON},
    {K::KeypadPeriod, X + 83, NO, X + 147, NO, OFF}, {K::KeypadPeriod, NO, X + 83, X + 147, NO, ON},
    {K::KeypadDivide, NO, NO, X + 149, X + 164},     {K::KeypadMultiply, NO, NO, X + 150, X + 55},
    {K::KeypadMinus, NO, NO, X + 142, X + 74},       {K::KeypadPlus, NO, NO, X + 144, X + 78},
    {C('q'), NO, NO, 17, X + 16}, {C('w'), NO, NO, 23, X + 17}, {C('e'), NO, NO, 5, X + 18},
    {C('r'), NO, NO, 18, X + 19}, {C('t'), NO, NO, 20, X + 20}, {C('y'), NO, NO, 25, X + 21},
    {C('u'), NO, NO, 21, X + 22}, {C('i'), NO, NO, 9, X + 23},  {C('o'), NO, NO, 15, X + 24},
    {C('p'), NO, NO, 16, X + 25}, {C('a'), NO, NO, 1, X + 30},  {C('s'), NO, NO, 19, X + 31},
    {C('d'), NO, NO, 4, X + 32},  {C('f'), NO, NO, 6, X + 33},  {C('g'), NO, NO, 7, X + 34},
    {C('h'), NO, NO, 8, X + 35},  {C('j'), NO, NO, 10, X + 36}, {C('k'), NO, NO, 11, X + 37},
    {C('l'), NO, NO, 12, X + 38}, {C('z'), NO, NO, 26, X + 44}, {C('x'), NO, NO, 24, X + 45},
    {C('c'), NO, NO, 3, X + 46},  {C('v'), NO, NO, 22, X + 47}, {C('b'), NO, NO, 2, X + 48},
    {C('n'), NO, NO, 14, X + 49}, {C('m'), NO, NO, 13, X + 50},
    {C('1'), NO, NO, NO, X + 120}, {C('2'), NO, NO, X + 3, X + 121}, {C('3'), NO, NO, NO, X + 122},
    {C('4'), NO, NO, NO, X + 123}, {C('5'), NO, NO, NO, X + 124},    {C('6'), NO, NO, 30, X + 125},
    {C('7'), NO, NO, NO, X + 126}, {C('8'), NO, NO, NO, X + 127},    {C('9'), NO, NO, NO, X + 128},
    {C('0'), NO, NO, NO, X + 129}, {C('-'), NO, NO, 31, X + 130},    {C('='), NO, NO, NO, X + 131},
    {C('['), NO, NO, 27, X + 26},  {C(']'), NO, NO, 29, X + 27},     {C(';'), NO, NO, NO, X + 39},
    {C('\''), NO, NO, NO, X + 40}, {C('`'), NO, NO, NO, X + 41},     {C('\\'), NO, NO, 28, X + 43},
    {C(','), NO, NO, NO, X + 51},  {C('.'), NO, NO, NO, X + 52},     {C('/'), NO, NO, NO, X + 53},
    {C(' '), NO, NO, ' ', ' '},
    {C('<'), NO, NO, NO, NO},  // the extra key of European keyboards
};
// clang-format on

std::string pollString(int result) {
  if (result == NO) return {};
  if (result < X) return std::string(1, static_cast<char>(result));
  return std::string{screen::EXTENDED, static_cast<char>(result - X)};
}

TEST(InputPoll, EveryKeyGivesWhatThePcKeyboardServicesGive) {
  using namespace keyMap;
  for (const KeyRow& row : KEY_ROWS) {
    const bool characterKey = static_cast<int>(row.key) < 256;
    // Alt goes before Ctrl, Ctrl before Shift; AltGr is Alt except on a character key, where it
    // picks the layout's third character, which comes as text.
    const struct {
      unsigned modifiers;
      int expected;
    } cases[] = {{0, row.plain},
                 {SHIFT, row.shift},
                 {CTRL, row.ctrl},
                 {CTRL | SHIFT, row.ctrl},
                 {ALT, row.alt},
                 {ALT | CTRL | SHIFT, row.alt},
                 {ALT_GR, characterKey ? NO : row.alt},
                 {ALT_GR | CTRL, characterKey ? NO : row.alt},
                 {ALT | ALT_GR, row.alt}};
    for (bool numLock : {false, true}) {
      if ((row.numLock == OFF && numLock) || (row.numLock == ON && !numLock)) continue;
      for (const auto& c : cases) {
        EXPECT_EQ(pollResult(row.key, c.modifiers, numLock), pollString(c.expected))
            << "key " << static_cast<int>(row.key) << ", modifiers " << c.modifiers << ", Num Lock "
            << numLock;
      }
    }
  }
}

TEST(InputPoll, TextInputIsTypedUnlessAltOrCtrlMakeTheKeyGiveACode) {
  using namespace keyMap;
  const struct {
    unsigned modifiers;
    bool typed;
  } cases[] = {{0, true},     {SHIFT, true},         {ALT_GR, true}, {CTRL | ALT_GR, true},
               {CTRL, false}, {CTRL | SHIFT, false}, {ALT, false},   {ALT | ALT_GR, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(modifiersTypeText(c.modifiers), c.typed) << "modifiers " << c.modifiers;
  }
}

TEST(InputPoll, SleepingAdvancesTheClock) {
  headless::reset();
  double before = screen::readSeconds();
  screen::sleepMs(200);
  EXPECT_NEAR(screen::readSeconds() - before, 0.2, 1e-9);
}

}  // namespace
