#include "editor/fieldCursor.h"

#include <algorithm>
#include <cmath>

#include "screen/screen.h"

FieldCursor fieldCursor;

namespace {

void line(int x1, int y1, int x2, int y2, int colour) {
  screen::drawLine(x1, y1, x2, y2, colour, screen::Shape::Line, false);
}

void drawBar(int x, int y, int colour) {
  line(x, y, x + 6, y, colour);
  line(x, y + 1, x + 6, y + 1, colour);
}

// 1, 3, 5 and 7 pixels wide, its tip on the pixel column just left of the cell.
void drawCaret(int x, int y, int colour) {
  for (int i = 0; i <= 3; ++i) line(x - 1 - i, y - 1 + i, x - 1 + i, y - 1 + i, colour);
}

}  // namespace

void drawCursorMark(int x, int y, int colour) {
  if (fieldCursor.overtypeMode) {
    if (fieldCursor.shapeChanged) drawCaret(x, y, 0);
    drawBar(x, y, colour);
  } else {
    if (fieldCursor.shapeChanged) drawBar(x, y, 0);
    drawCaret(x, y, colour);
  }
  fieldCursor.shapeChanged = false;
}

void blinkCursor() {
  // Nothing placed yet: drawing at (-1, -1) would mark the screen's top left corner.
  if (fieldCursor.x < 0 || fieldCursor.y < 0) return;
  if (!screen::isWindowActive()) {
    // Erasing only a visible cursor keeps an inactive window from being redrawn every poll.
    if (fieldCursor.blinkColour != 0) {
      fieldCursor.blinkColour = 0;
      drawCursorMark(fieldCursor.x, fieldCursor.y, 0);
    }
    return;
  }
  double now = screen::readSeconds();
  if (now - fieldCursor.lastBlinkTime > BLINK_PERIOD_SECONDS) {
    fieldCursor.lastBlinkTime = now;
    fieldCursor.blinkColour ^= fieldCursor.fieldColour;
    drawCursorMark(fieldCursor.x, fieldCursor.y, fieldCursor.blinkColour);
  }
}

int msUntilNextBlink() {
  if (fieldCursor.x < 0 || fieldCursor.y < 0) return -1;
  if (!screen::isWindowActive()) return fieldCursor.blinkColour != 0 ? 1 : -1;
  double left = std::min(fieldCursor.lastBlinkTime + BLINK_PERIOD_SECONDS - screen::readSeconds(),
                         BLINK_PERIOD_SECONDS);
  // A blink needs more than the period to have passed: one millisecond past it, whatever the
  // rounding of the seconds.
  return left < 0 ? 1 : static_cast<int>(std::floor(left * 1000 + 1e-6)) + 1;
}
