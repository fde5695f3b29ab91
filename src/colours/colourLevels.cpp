#include <cstdio>

#include "colours/builtInPalettes.h"
#include "colours/colourEditor.h"
#include "controls/inputLoop.h"
#include "screen/screen.h"

namespace {

constexpr int LEFT_BUTTON = 1;
// How often a held arrow looks for the release once its level cannot move any further.
constexpr int RELEASE_POLL_MS = 10;

bool canStep(int direction) {
  const int32_t level = colourEditor.levels[colourEditor.chosenComponent] + direction;
  return level >= 0 && level <= HIGHEST_LEVEL;
}

}  // namespace

void readChosenLevels() {
  ColourEditorState& e = colourEditor;
  const int32_t packed = screen::getPaletteEntry(e.roleColours[e.chosenRole]);
  e.levels[COMPONENT_RED] = packed & 0xff;
  e.levels[COMPONENT_GREEN] = (packed >> 8) & 0xff;
  e.levels[COMPONENT_BLUE] = (packed >> 16) & 0xff;
}

void showLevels() {
  const ColourEditorState& e = colourEditor;
  char text[32];
  std::snprintf(text, sizeof text, "%2d     %2d     %2d", e.levels[COMPONENT_RED],
                e.levels[COMPONENT_GREEN], e.levels[COMPONENT_BLUE]);
  screen::setForeground(EXPRESSIONS_COLOUR);
  screen::moveCursor(e.levelsRow, e.levelsColumn);
  screen::printText(text, false);
}

void stepLevel(int direction) {
  ColourEditorState& e = colourEditor;
  if (e.chosenComponent < COMPONENT_RED || e.chosenComponent > COMPONENT_BLUE) return;
  if (!canStep(direction)) return;
  e.levels[e.chosenComponent] += direction;
  // The paletted screen recolours everything drawn in this number by itself.
  screen::setPaletteEntry(e.roleColours[e.chosenRole],
                          screen::packColour(e.levels[COMPONENT_RED], e.levels[COMPONENT_GREEN],
                                             e.levels[COMPONENT_BLUE]));
  showLevels();
}

void holdArrow(int direction) {
  InputLoop& in = inputLoop;
  int wheel = 0, buttons = 0;
  for (;;) {
    screen::pollMouse(in.pointerX, in.pointerY, wheel, buttons);
    // Outside the window the mouse reports -1 for everything, the buttons included, so whether
    // the button is still held is unknown: the hold ends there rather than stepping blindly.
    // Back inside with the button still down, the input loop reports a fresh press.
    if (buttons < 0 || (buttons & LEFT_BUTTON) == 0) return;
    if (canStep(direction)) {
      stepLevel(direction);
      screen::sleepMs(ARROW_REPEAT_MS);
    } else {
      // Nothing left to step: only the release is awaited, without spinning.
      screen::sleepMs(RELEASE_POLL_MS);
    }
  }
}
