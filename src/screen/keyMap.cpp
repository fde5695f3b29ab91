#include "screen/keyMap.h"

#include <cstdint>
#include <string_view>

namespace keyMap {

namespace {

// A key's result: NOTHING, a character code, or EXTENDED + an extended code.
using Result = int16_t;
constexpr Result NOTHING = -1;
constexpr Result EXTENDED = 0x100;

constexpr Result ext(int code) {
  return static_cast<Result>(EXTENDED | code);
}

struct Row {
  Key key;
  Result plain, shift, ctrl, alt;
};

// The keys without a character. The keypad's number keys hold what they give as cursor keys;
// while they type digits (Num Lock, or Shift without it) the digit comes as text.
constexpr Row NAMED_KEYS[] = {
    {Key::Enter, '\r', '\r', '\n', ext(28)},
    {Key::KeypadEnter, '\r', '\r', '\n', ext(166)},
    {Key::Escape, 27, 27, 27, ext(1)},
    {Key::Backspace, '\b', '\b', 127, ext(14)},
    {Key::Tab, '\t', ext(15), ext(148), ext(165)},
    {Key::Home, ext(71), ext(71), ext(119), ext(151)},
    {Key::Up, ext(72), ext(72), ext(141), ext(152)},
    {Key::PageUp, ext(73), ext(73), ext(132), ext(153)},
    {Key::Left, ext(75), ext(75), ext(115), ext(155)},
    {Key::Right, ext(77), ext(77), ext(116), ext(157)},
    {Key::End, ext(79), ext(79), ext(117), ext(159)},
    {Key::Down, ext(80), ext(80), ext(145), ext(160)},
    {Key::PageDown, ext(81), ext(81), ext(118), ext(161)},
    {Key::Insert, ext(82), ext(82), ext(146), ext(162)},
    {Key::Delete, ext(83), ext(83), ext(147), ext(163)},
    {Key::PrintScreen, NOTHING, NOTHING, ext(114), NOTHING},
    // With Alt the number keys of the keypad enter a character code digit by digit: no key.
    {Key::Keypad7, ext(71), ext(71), ext(119), NOTHING},
    {Key::Keypad8, ext(72), ext(72), ext(141), NOTHING},
    {Key::Keypad9, ext(73), ext(73), ext(132), NOTHING},
    {Key::Keypad4, ext(75), ext(75), ext(115), NOTHING},
    {Key::Keypad5, NOTHING, NOTHING, ext(143), NOTHING},
    {Key::Keypad6, ext(77), ext(77), ext(116), NOTHING},
    {Key::Keypad1, ext(79), ext(79), ext(117), NOTHING},
    {Key::Keypad2, ext(80), ext(80), ext(145), NOTHING},
    {Key::Keypad3, ext(81), ext(81), ext(118), NOTHING},
    {Key::Keypad0, ext(82), ext(82), ext(146), NOTHING},
    {Key::KeypadPeriod, ext(83), ext(83), ext(147), NOTHING},
    {Key::KeypadDivide, NOTHING, NOTHING, ext(149), ext(164)},
    {Key::KeypadMultiply, NOTHING, NOTHING, ext(150), ext(55)},
    {Key::KeypadMinus, NOTHING, NOTHING, ext(142), ext(74)},
    {Key::KeypadPlus, NOTHING, NOTHING, ext(144), ext(78)},
};

// Extended codes of the function keys, plain, with Shift, Ctrl and Alt: F1 to F10 count up from
// the first, F11 and F12 from the second.
constexpr int FUNCTION_KEY_BASE[2][4] = {{59, 84, 94, 104}, {133, 135, 137, 139}};

// With Alt a character key gives its scan code, which counts along the keyboard's rows; the row
// of digits has codes of its own.
struct KeyRow {
  std::string_view keys;
  int firstCode;
};
constexpr KeyRow ALT_KEY_ROWS[] = {
    {"1234567890-=", 120}, {"qwertyuiop[]", 16}, {"asdfghjkl;'`", 30}, {"\\zxcvbnm,./", 43}};

// Column of a row: 0 plain, 1 Shift, 2 Ctrl, 3 Alt; Alt goes before Ctrl, Ctrl before Shift.
int modifierColumn(unsigned modifiers) {
  if (modifiers & (ALT | ALT_GR)) return 3;
  if (modifiers & CTRL) return 2;
  return (modifiers & SHIFT) ? 1 : 0;
}

Result altCharacter(char ch) {
  if (ch == ' ') return ' ';
  for (const KeyRow& row : ALT_KEY_ROWS) {
    size_t at = row.keys.find(ch);
    if (at != std::string_view::npos) return ext(row.firstCode + static_cast<int>(at));
  }
  return NOTHING;
}

Result ctrlCharacter(char ch) {
  if (ch >= 'a' && ch <= 'z') return static_cast<Result>(ch - 'a' + 1);
  switch (ch) {
    case '[':
    case '\\':
    case ']':
      return static_cast<Result>(ch & 0x1f);
    case '6':  // the key of ^
      return 30;
    case '-':  // the key of _
      return 31;
    case '2':  // the key of @: the null character, which comes as an extended key
      return ext(3);
    case ' ':
      return ' ';
    default:
      return NOTHING;
  }
}

Result characterKeyResult(char ch, unsigned modifiers) {
  if (modifiers & ALT) return altCharacter(ch);
  if (modifiers & ALT_GR) return NOTHING;
  if (modifiers & CTRL) return ctrlCharacter(ch);
  return NOTHING;
}

Result namedKeyResult(Key key, unsigned modifiers, bool numLock) {
  int column = modifierColumn(modifiers);
  if (key >= Key::F1 && key <= Key::F12) {
    int n = static_cast<int>(key) - static_cast<int>(Key::F1);
    return ext(n < 10 ? FUNCTION_KEY_BASE[0][column] + n : FUNCTION_KEY_BASE[1][column] + n - 10);
  }
  bool typesDigit = key >= Key::Keypad0 && key <= Key::KeypadPeriod && column <= 1 &&
                    numLock != ((modifiers & SHIFT) != 0);
  if (typesDigit) return NOTHING;
  for (const Row& row : NAMED_KEYS) {
    if (row.key != key) continue;
    const Result results[] = {row.plain, row.shift, row.ctrl, row.alt};
    return results[column];
  }
  return NOTHING;
}

}  // namespace

std::string pollResult(Key key, unsigned modifiers, bool numLock) {
  int code = static_cast<int>(key);
  Result result = code >= 32 && code <= 126 ? characterKeyResult(static_cast<char>(code), modifiers)
                                            : namedKeyResult(key, modifiers, numLock);
  if (result == NOTHING) return {};
  if (result < EXTENDED) return std::string(1, static_cast<char>(result));
  return std::string{static_cast<char>(255), static_cast<char>(result - EXTENDED)};
}

bool modifiersTypeText(unsigned modifiers) {
  if (modifiers & ALT) return false;
  return !(modifiers & CTRL) || (modifiers & ALT_GR);
}

}  // namespace keyMap
