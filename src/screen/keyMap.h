#pragma once

// Which key poll result a pressed key gives: the character or the extended code that the PC
// keyboard services report for it, whatever the window system calls the key. The printable
// characters of plain and shifted keys come from the window system's text input instead, which
// knows the keyboard layout.

#include <string>

namespace keyMap {

// Keys that type a character are named by that character as the key's cap shows it unshifted
// (its ASCII code, 32 to 126); the others have names of their own above that range.
enum class Key : int {
  None = 0,
  Enter = 256,
  Escape,
  Backspace,
  Tab,
  Insert,
  Delete,
  Home,
  End,
  PageUp,
  PageDown,
  Up,
  Down,
  Left,
  Right,
  PrintScreen,
  F1,
  F2,
  F3,
  F4,
  F5,
  F6,
  F7,
  F8,
  F9,
  F10,
  F11,
  F12,
  Keypad0,
  Keypad1,
  Keypad2,
  Keypad3,
  Keypad4,
  Keypad5,
  Keypad6,
  Keypad7,
  Keypad8,
  Keypad9,
  KeypadPeriod,
  KeypadDivide,
  KeypadMultiply,
  KeypadMinus,
  KeypadPlus,
  KeypadEnter,
};

constexpr Key characterKey(char ch) {
  return static_cast<Key>(static_cast<unsigned char>(ch));
}

// Modifier bits. ALT_GR is the right Alt key or the layout's mode switch: on a character key it
// picks the layout's third character, which the text input types; elsewhere it acts as Alt.
enum Modifier : unsigned {
  SHIFT = 1,
  CTRL = 2,
  ALT = 4,
  ALT_GR = 8,
};

// Empty when the key gives nothing of its own (its character, if any, comes as text input),
// one character, or 255 followed by the extended code.
std::string pollResult(Key key, unsigned modifiers, bool numLock);

// Whether text input typed with these modifiers held is a character to keep: Alt and Ctrl make
// keys give codes instead, except Ctrl together with AltGr, which some layouts need to type.
bool modifiersTypeText(unsigned modifiers);

}  // namespace keyMap
