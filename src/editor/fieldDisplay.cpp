// Drawing the field being edited, its cursor and the overtype indicator.

#include <algorithm>

#include "editor/fieldCursor.h"
#include "editor/fieldEditor.h"
#include "screen/screen.h"

namespace {

bool rightAligned() {
  return (fieldEditor.editOptions & EDIT_RIGHT_ALIGNED) != 0;
}

bool drawnCursorShown() {
  return fieldEditor.screenMode > 0 && fieldCursor.x >= 0 && fieldCursor.y >= 0;
}

// Cells of the field: the view of a scrolling field, else its whole width.
int shownWidth() {
  return fieldEditor.scrolling ? fieldEditor.viewLength : fieldEditor.fieldWidth;
}

void printSpaces(int count) {
  if (count > 0) screen::printText(std::string(count, ' '), false);
}

// The characters from `first` to `last` (0-based, inclusive) that exist.
void printSlice(int first, int last) {
  first = std::max(first, 0);
  last = std::min(last, textLength() - 1);
  if (last >= first) {
    screen::printText(std::string_view(fieldEditor.text).substr(first, last - first + 1), false);
  }
}

}  // namespace

void eraseFieldCursor() {
  if (drawnCursorShown()) drawCursorMark(fieldCursor.x, fieldCursor.y, 0);
}

void showOvertypeIndicator(bool on) {
  screen::moveCursor(statusRow(), OVERTYPE_INDICATOR_COLUMN);
  if (on) {
    screen::setForeground(EDITOR_MESSAGE_COLOUR);
    screen::printText("OVR", false);
    screen::setForeground(EXPRESSIONS_COLOUR);
  } else {
    screen::printText("   ", false);
  }
}

void forceOvertype() {
  if (fieldCursor.overtypeMode) return;
  fieldCursor.overtypeMode = true;
  fieldCursor.shapeChanged = true;
  fieldEditor.overtypeForced = true;
  if (textScreen()) showOvertypeIndicator(true);
}

void releaseOvertype() {
  if (!fieldCursor.overtypeMode || !fieldEditor.overtypeForced) return;
  if (textScreen()) {
    showOvertypeIndicator(false);
  } else {
    eraseFieldCursor();
  }
  fieldCursor.overtypeMode = false;
  fieldEditor.overtypeForced = false;
}

void placeCursor() {
  // A field run without editing (a macro's name) shows no cursor.
  if (!fieldEditor.editing) return;
  eraseFieldCursor();
  if (textLength() == fieldEditor.fieldWidth) {
    if (!fieldEditor.overtypeForced) forceOvertype();
  } else if (fieldEditor.overtypeForced) {
    releaseOvertype();
  }
  int column;
  if (rightAligned() && (!fieldEditor.scrolling || textLength() <= fieldEditor.viewLength)) {
    column = fieldEditor.column + shownWidth() - textLength() + fieldEditor.cursorPos;
  } else {
    column = fieldEditor.column + fieldEditor.cursorPos - fieldEditor.firstVisible;
  }
  if (textScreen()) {
    screen::moveCursor(fieldEditor.row, column);
    fieldCursor.gridCursorShown = true;
  } else {
    fieldCursor.x = screen::columnToX(column);
    fieldCursor.y = screen::rowToY(fieldEditor.row + 1, fieldEditor.cellHeight) - 1;
    // The next idle poll of the input loop shows it.
    fieldCursor.blinkColour = 0;
    fieldCursor.lastBlinkTime = BLINK_AT_ONCE;
  }
}

void drawField() {
  screen::moveCursor(fieldEditor.row, fieldEditor.column);
  if (textScreen()) fieldCursor.gridCursorShown = false;
  int length = textLength();
  if (rightAligned()) {
    if (fieldEditor.scrolling && length > fieldEditor.viewLength) {
      int last = fieldEditor.firstVisible + fieldEditor.viewLength - 1;
      printSlice(fieldEditor.firstVisible, last);
      // Only a window not yet scrolled to the text's end leaves cells to blank.
      printSpaces(last + 1 - length);
    } else {
      printSpaces(shownWidth() - length);
      screen::printText(fieldEditor.text, false);
    }
  } else {
    printSlice(fieldEditor.firstVisible, fieldEditor.lastVisible);
    printSpaces(fieldEditor.lastVisible + 1 - std::max(length, fieldEditor.firstVisible));
  }
  placeCursor();
}

bool scrollToCursor() {
  if (!fieldEditor.scrolling) return false;
  int length = textLength();
  FieldEditor& f = fieldEditor;
  if (f.cursorPos > f.lastVisible && f.cursorPos <= length) {
    f.lastVisible = std::min(f.cursorPos, length - 1);
    f.firstVisible = f.lastVisible - f.viewLength + 1;
    return true;
  }
  if (f.cursorPos < f.firstVisible) {
    f.firstVisible = f.cursorPos;
    f.lastVisible = f.firstVisible + f.viewLength - 1;
    return true;
  }
  if (rightAligned() && length - f.firstVisible < f.viewLength && length > f.viewLength) {
    f.firstVisible = length - f.viewLength;
    f.lastVisible = f.firstVisible + f.viewLength - 1;
    return true;
  }
  return false;
}

void endDimText() {
  if (!(fieldEditor.editOptions & EDIT_DIM_TEXT)) return;
  fieldEditor.editOptions &= ~EDIT_DIM_TEXT;
  screen::setForeground(fieldCursor.fieldColour);
  drawField();
}
