#pragma once

// The field cursor drawn on the graphics surface, which has no text cursor of its own: an
// upward caret under the insertion point in insert mode, a two-line bar under the character in
// overtype mode. The field editor places and erases it; the input loop blinks it.

struct FieldCursor {
  bool overtypeMode = false;
  // The mode changed since the cursor was last drawn: the next drawing erases the other shape.
  bool shapeChanged = false;
  // Left pixel column of the cursor's cell and lowest pixel line of its row; -1 when none.
  int x = -1;
  int y = -1;
  int blinkColour = 0;
  double lastBlinkTime = 0;
  int fieldColour = 15;
  // On a text screen the grid's own cursor stands in for the drawn one.
  bool gridCursorShown = false;
};

extern FieldCursor fieldCursor;

// A last blink time that makes the next blink step show the cursor whatever the clock reads.
constexpr double BLINK_AT_ONCE = -1.0e300;
constexpr double BLINK_PERIOD_SECONDS = 0.5;

// Draws the current mode's shape; colour 0 erases it.
void drawCursorMark(int x, int y, int colour);
// One blink step, run by the input loop after each empty keyboard poll while a field is edited.
void blinkCursor();
// Milliseconds from now until a blink step would change the cursor, at least 1; -1 when none
// will before something else happens (no cursor placed, or the window inactive and the cursor
// already hidden).
int msUntilNextBlink();
