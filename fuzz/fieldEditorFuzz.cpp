// Feeds random keys, clicks, drags, wheel turns, clipboard texts, pauses and macro keys to the
// field editor, field after field, and checks after each edit that the text, the cursor and the
// screen agree: the text stays within the field and the mask, the cursor within the text, the
// field's cells show exactly the visible part of the text, and no cursor pixels are left behind.

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "controls/inputLoop.h"
#include "editor/characterMask.h"
#include "editor/fieldCursor.h"
#include "editor/fieldEditor.h"
#include "editor/macroFiles.h"
#include "screen/fonts.h"
#include "screen/private/headless.h"
#include "screen/screen.h"

namespace {

constexpr int ROW = 5, COLUMN = 10;
const char* const MASKS[] = {"(0-9)(.)(,)", "(0-9)(.)", "(a-z)(0-9)", "( -~)", "(\x80-\xff)(a)"};

struct Input {
  const uint8_t* data;
  size_t size;
  size_t at = 0;
  bool empty() const { return at >= size; }
  int next() { return at < size ? data[at++] : 0; }
};

// The character whose glyph a cell shows, '?' when none does.
char cellCharacter(int row, int column) {
  for (int code = 32; code < 256; ++code) {
    bool match = true;
    for (int r = 0; r < 14 && match; ++r) {
      for (int c = 0; c < 8 && match; ++c) {
        bool ink = screen::FONT_8X16[code][r] & (0x80 >> c);
        match = ink == (screen::pixelAt((column - 1) * 8 + c, (row - 1) * 16 + r) != 0);
      }
    }
    if (match) return static_cast<char>(code);
  }
  return '?';
}

void fail(const char* what, const std::string& text) {
  std::string row;
  for (int column = 1; column <= 80; ++column) row += cellCharacter(ROW, column);
  std::fprintf(stderr,
               "fieldEditorFuzz: %s\n  text \"%s\" cursor %d first %d width %d view %d "
               "options %d mode %d\n  row  \"%s\"\n",
               what, text.c_str(), fieldEditor.cursorPos, fieldEditor.firstVisible,
               fieldEditor.fieldWidth, fieldEditor.viewLength, fieldEditor.editOptions,
               fieldEditor.screenMode, row.c_str());
  std::abort();
}

void scriptStep(Input& in, int width) {
  static const int EXTENDED[] = {screen::KEY_LEFT,     screen::KEY_RIGHT,  screen::KEY_HOME,
                                 screen::KEY_END,      screen::KEY_INSERT, screen::KEY_DELETE,
                                 screen::KEY_SHIFT_TAB};
  static const char ENDINGS[] = {'\t', '\r', '\x1b', '\x18'};
  int op = in.next() % 16;
  switch (op) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
      headless::key(std::string(1, static_cast<char>(in.next())));
      break;
    case 5:
    case 6:
      headless::extendedKey(EXTENDED[in.next() % 7]);
      break;
    case 7:
      headless::key("\b");
      break;
    case 8:
      headless::key("\x16");
      break;
    case 9:
      headless::key("\x03");
      break;
    case 10: {
      std::string text;
      for (int n = in.next() % 24; n > 0; --n) text += static_cast<char>(in.next());
      headless::setClipboard(text);
      break;
    }
    case 11:
    case 12: {
      int column = COLUMN - 3 + in.next() % (width + 7);
      int row = ROW - 1 + in.next() % 3;
      int buttons = op == 11 ? 1 : in.next() % 4;
      headless::mouse((column - 1) * 8 + 3, (row - 1) * 16 + 7, buttons, in.next() % 3 - 1);
      break;
    }
    case 13:
      headless::wait(in.next() * 5);
      break;
    case 14:
      headless::setActive(in.next() % 2);
      break;
    default:
      if (in.next() % 2) {
        headless::key(std::string(1, ENDINGS[in.next() % 4]));
      } else {
        headless::extendedKey(screen::KEY_UP);
      }
  }
}

// What the field's cells must read, from the editor's state as it was left.
std::string visibleCells(const std::string& text, int width, int viewLength, int first,
                         bool rightAligned) {
  bool scrolling = viewLength > 0 && viewLength < width;
  size_t cells = scrolling ? viewLength : width;
  if (rightAligned && !(scrolling && text.size() > cells)) {
    return std::string(cells - text.size(), ' ') + text;
  }
  std::string shown = text.substr(std::min<size_t>(first, text.size()), cells);
  return shown + std::string(cells - shown.size(), ' ');
}

// Glyph rows 0 to 13 must match exactly in the field colour; the two lowest rows, where the
// cursor runs, may only lack pixels of the glyph (an erased cursor clears what it crossed).
void checkCell(int row, int column, unsigned char code, bool strict) {
  int x0 = (column - 1) * 8, y0 = (row - 1) * 16;
  for (int r = 0; r < 16; ++r) {
    for (int c = 0; c < 8; ++c) {
      bool ink = screen::FONT_8X16[code][r] & (0x80 >> c);
      int pixel = screen::pixelAt(x0 + c, y0 + r);
      if (pixel != 0 && pixel != 15)
        fail("field drawn in a colour other than its own", fieldEditor.text);
      if (r < 14 && strict && ink != (pixel != 0))
        fail("field cells differ from the text", fieldEditor.text);
      if (pixel != 0 && !ink) fail("stray pixels in a field cell", fieldEditor.text);
    }
  }
}

void checkScreen(const std::string& text, int width, int viewLength, int first, int options) {
  std::string cells = visibleCells(text, width, viewLength, first, options & EDIT_RIGHT_ALIGNED);
  for (size_t i = 0; i < cells.size(); ++i) {
    checkCell(ROW, COLUMN + static_cast<int>(i), static_cast<unsigned char>(cells[i]), true);
  }
  // The cells around the field and the top of the next row hold nothing.
  checkCell(ROW, COLUMN - 1, ' ', true);
  checkCell(ROW, COLUMN + static_cast<int>(cells.size()), ' ', true);
  for (int x = (COLUMN - 3) * 8; x < (COLUMN + width + 2) * 8; ++x) {
    for (int y = ROW * 16; y < ROW * 16 + 2; ++y) {
      if (screen::pixelAt(x, y) != 0) fail("cursor left behind below the field", text);
    }
  }
}

// Ctrl+Enter opens the file the field names; an empty scratch directory keeps that from
// depending on where the target runs.
char scratchDirectory[] = "/tmp/quilloEditorFuzzXXXXXX";

void removeScratchDirectory() {
  rmdir(scratchDirectory);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!mkdtemp(scratchDirectory) || chdir(scratchDirectory) != 0) std::abort();
  std::atexit(removeScratchDirectory);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in{data, size};
  headless::reset();
  screen::openScreen();
  screen::setTextGrid(80, 30);
  screen::setForeground(15);
  inputLoop = {};
  fieldEditor = {};
  fieldCursor = {};
  macroRecall = {};

  int width = 1 + in.next() % 30;
  int viewLength = in.next() % 2 ? in.next() % (width + 1) : 0;
  int options =
      in.next() & (EDIT_RIGHT_ALIGNED | EDIT_DIM_TEXT | EDIT_NO_TYPING | EDIT_KEEP_POSITIONS |
                   EDIT_START_OVERTYPE | EDIT_COPY_OFF | EDIT_PASTE_OFF);
  std::string mask = MASKS[in.next() % 5];
  int screenMode = in.next() % 2 ? 0 : GRAPHICS_SCREEN_MODE;
  int cursorPos = in.next() % 40, firstVisible = in.next() % 40;
  buildMaskTable(mask);
  std::string text;
  for (int n = in.next() % (width + 1); n > 0; --n) {
    char ch = static_cast<char>(in.next());
    if (charInMask(ch)) text += ch;
  }
  if (in.next() % 4 == 0) {
    for (int n = in.next() % 12; n > 0; --n) inputLoop.macroBuffer += static_cast<char>(in.next());
    inputLoop.macroPlaying = !inputLoop.macroBuffer.empty();
  }
  for (int steps = 0; !in.empty() && steps < 400; ++steps) scriptStep(in, width);

  // A caller that hands over its positions shows the field already; draw it as the editor will
  // find it, with the positions brought into the text.
  if (options & EDIT_KEEP_POSITIONS) {
    int length = static_cast<int>(text.size());
    int cursor = std::clamp(cursorPos, 0, length), first = 0;
    if (viewLength > 0 && viewLength < width) {
      first = std::clamp(firstVisible, std::max(0, cursor - viewLength), cursor);
    }
    screen::moveCursor(ROW, COLUMN);
    screen::printText(visibleCells(text, width, viewLength, first, options & EDIT_RIGHT_ALIGNED),
                      false);
  }

  setEditOptions(options);
  for (int field = 0; field < 50; ++field) {
    int pointerY = 0, pointerX = 0;
    EventCode event = editField(ROW, COLUMN, text, width, mask, pointerY, pointerX, screenMode,
                                viewLength, firstVisible, cursorPos);
    if (event <= 0) fail("editing ended without an event", text);
    if (event < 256) fail("a character ended editing", text);
    if (text.size() > static_cast<size_t>(width)) fail("text longer than the field", text);
    buildMaskTable(mask);
    for (char ch : text) {
      if (!charInMask(ch)) fail("text holds a character its mask refuses", text);
    }
    if (cursorPos < 0 || cursorPos > static_cast<int>(text.size())) fail("cursor outside", text);
    if (firstVisible < 0 || firstVisible > static_cast<int>(text.size())) {
      fail("view starts outside the text", text);
    }
    checkScreen(text, width, viewLength, firstVisible, options);
    if (event == EVENT_CLOSE && headless::scriptFinished()) break;
  }
  return 0;
}
