#include "support/editorTestSupport.h"

#include "app/programState.h"
#include "editor/fieldEditor.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/keyLetters.h"

namespace editorTest {

void resetWorld() {
  headless::reset();
  resetProgramState();
  screen::openScreen();
  screen::setTextGrid(80, 30);
  screen::setForeground(15);
}

namespace {

bool lit(int x, int y, int& colour) {
  int value = screen::pixelAt(x, y);
  if (value != 0) colour = value;
  return value != 0;
}

// All pixels of the shape lit: 1; none: 0; some: -1.
int shapeState(bool overtype, int x, int y, int& colour) {
  int on = 0, total = 0;
  auto count = [&](int x1, int x2, int py) {
    for (int px = x1; px <= x2; ++px) {
      ++total;
      if (lit(px, py, colour)) ++on;
    }
  };
  if (overtype) {
    count(x, x + 6, y);
    count(x, x + 6, y + 1);
  } else {
    for (int i = 0; i <= 3; ++i) count(x - 1 - i, x - 1 + i, y - 1 + i);
  }
  return on == total ? 1 : on == 0 ? 0 : -1;
}

}  // namespace

CursorShape cursorShapeAt(int row, int column, int* colour) {
  int x = (column - 1) * 8, y = row * 16 - 1;
  int barColour = 0, caretColour = 0;
  int bar = shapeState(true, x, y, barColour);
  int caret = shapeState(false, x, y, caretColour);
  if (colour) *colour = bar == 1 ? barColour : caretColour;
  // The caret's tip row overlaps the bar's first pixels, so a bar lights part of the caret.
  if (bar == 1 && caret != 1) {
    int tipColour = 0;
    bool caretOnlyPixelLit = lit(x - 1, y - 1, tipColour) || lit(x - 4, y + 2, tipColour);
    return caretOnlyPixelLit ? CursorShape::Mixed : CursorShape::Bar;
  }
  if (caret == 1) {
    bool barOnlyPixelLit = lit(x + 6, y, barColour) || lit(x + 6, y + 1, barColour);
    return barOnlyPixelLit ? CursorShape::Mixed : CursorShape::Caret;
  }
  return bar == 0 && caret == 0 ? CursorShape::None : CursorShape::Mixed;
}

int cursorLinePixels(int row) {
  int lit = 0;
  for (int y = row * 16 - 2; y <= row * 16 + 1; ++y) {
    for (int x = 0; x < screen::SCREEN_WIDTH; ++x) lit += screen::pixelAt(x, y) != 0;
  }
  return lit;
}

int cellX(int column) {
  return (column - 1) * 8 + 4;
}

int cellY(int row) {
  return (row - 1) * 16 + 8;
}

FieldRun runField(const std::string& text, int width, const std::string& mask, int row, int column,
                  int screenMode, int viewLength, int cursorPos, int firstVisible) {
  FieldRun run;
  run.text = text;
  run.cursorPos = cursorPos;
  run.firstVisible = firstVisible;
  run.event = editField(row, column, run.text, width, mask, run.pointerY, run.pointerX, screenMode,
                        viewLength, run.firstVisible, run.cursorPos);
  return run;
}

int soundCount() {
  int count = 0;
  for (const std::string& name : headless::headlessState.soundsPlayed) {
    if (name == "illegalChar.wav") ++count;
  }
  return count;
}

void script(const std::string& keys) {
  static constexpr keyLetters::KeyLetter LETTERS[] = {{'<', screen::KEY_LEFT},
                                                      {'>', screen::KEY_RIGHT},
                                                      {'H', screen::KEY_HOME},
                                                      {'E', screen::KEY_END},
                                                      {'I', screen::KEY_INSERT},
                                                      {'D', screen::KEY_DELETE},
                                                      {'S', screen::KEY_SHIFT_TAB},
                                                      {'B', 0, "\b"},
                                                      {'C', 0, "\x03"},
                                                      {'V', 0, "\x16"}};
  for (char ch : keys) {
    if (!keyLetters::scriptLetter(ch, LETTERS)) headless::key(std::string(1, ch));
  }
}

}  // namespace editorTest
