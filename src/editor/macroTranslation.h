#pragma once

// Turning the bytes of a keystroke macro file into the input loop's playback buffer: plain
// characters, and two-byte key codes (255, code) for the file's command characters.

#include <cstddef>
#include <string>
#include <string_view>

// The longest buffer a macro gets; the rest of a larger file is not read. Far beyond any macro
// a person writes, and it keeps the 32-bit read position of playback in range.
constexpr size_t MAX_MACRO_LENGTH = size_t{1} << 30;

// One file's translation while it is being read.
struct MacroTranslation {
  std::string buffer;
  unsigned char pendingCommand = 0;  // a "#" or "&" still waiting for its digit byte
  unsigned char previous = 0;        // the last byte read from the file
  bool slashInBuffer = false;        // the buffer ends in a "/" typed as itself
  size_t limit = MAX_MACRO_LENGTH;
};

// Translates one byte read from the file. False when it ends the macro (two slashes in a row,
// or the buffer is full): the rest of the file is not to be read.
bool translateMacroByte(MacroTranslation& translation, unsigned char byte);

// The end of the file. A "#" or "&" left without its digit byte reads the empty byte there,
// which counts as a non-digit, just as a "#" or "&" followed by a letter does.
void finishMacroTranslation(MacroTranslation& translation);

// The whole file at once.
std::string translateMacro(std::string_view fileBytes);
