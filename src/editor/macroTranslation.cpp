#include "editor/macroTranslation.h"

#include <utility>

namespace {

constexpr char KEY_CODE_PREFIX = static_cast<char>(255);
// "#d" gives the function key Fd, whose code is 58 + d; "&d" gives the recall command d.
constexpr int FUNCTION_KEY_BASE = 58;

int digitValue(unsigned char byte) {
  return byte >= '0' && byte <= '9' ? byte - '0' : 0;
}

// Bytes a file byte adds to the buffer; a "#" or "&" makes room for the key its digit gives.
size_t bytesFor(unsigned char byte) {
  switch (byte) {
    case '\r':
    case '\n':
      return 0;
    case ';':
    case '^':
    case '\\':
    case '#':
    case '&':
      return 2;
    default:
      return 1;
  }
}

void addKeyCode(MacroTranslation& t, int code) {
  t.buffer += KEY_CODE_PREFIX;
  t.buffer += static_cast<char>(code);
}

void addCommand(MacroTranslation& t, unsigned char command, int digit) {
  addKeyCode(t, command == '#' ? FUNCTION_KEY_BASE + digit : digit);
}

}  // namespace

bool translateMacroByte(MacroTranslation& t, unsigned char byte) {
  unsigned char previous = t.previous;
  bool slashBefore = t.slashInBuffer;
  t.previous = byte;
  t.slashInBuffer = false;
  if (t.pendingCommand != 0) {
    addCommand(t, t.pendingCommand, digitValue(byte));
    t.pendingCommand = 0;
    return true;
  }
  // The byte before may be the digit of a "#" or "&": then the file ends here too, but no plain
  // "/" went into the buffer to be taken back.
  if (byte == '/' && previous == '/') {
    if (slashBefore) t.buffer.pop_back();
    return false;
  }
  if (t.buffer.size() + bytesFor(byte) > t.limit) return false;
  switch (byte) {
    case ';':
      addKeyCode(t, 13);
      break;
    case '^':
      addKeyCode(t, 27);
      break;
    case '\\':
      addKeyCode(t, 'S');
      break;
    case '#':
    case '&':
      t.pendingCommand = byte;
      break;
    case '\r':
    case '\n':
      break;
    case '/':
      t.buffer += '/';
      t.slashInBuffer = true;
      break;
    default:
      t.buffer += static_cast<char>(byte);
      break;
  }
  return true;
}

void finishMacroTranslation(MacroTranslation& t) {
  if (t.pendingCommand == 0) return;
  addCommand(t, t.pendingCommand, 0);
  t.pendingCommand = 0;
}

std::string translateMacro(std::string_view fileBytes) {
  MacroTranslation t;
  t.buffer.reserve(fileBytes.size());
  for (char byte : fileBytes) {
    if (!translateMacroByte(t, static_cast<unsigned char>(byte))) break;
  }
  finishMacroTranslation(t);
  return std::move(t.buffer);
}
