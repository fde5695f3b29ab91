#include "editor/fieldEditor.h"

#include <algorithm>

#include "controls/inputLoop.h"
#include "editor/characterMask.h"
#include "editor/fieldCursor.h"
#include "editor/macroFiles.h"
#include "screen/screen.h"

FieldEditor fieldEditor;

void printStatusMessage(std::string_view message, bool lineBreak) {
  screen::moveCursor(statusRow(), 1);
  screen::setForeground(EDITOR_MESSAGE_COLOUR);
  screen::printText(message, lineBreak);
  screen::setForeground(EXPRESSIONS_COLOUR);
}

namespace {

bool hasOption(int bit) {
  return (fieldEditor.editOptions & bit) != 0;
}

// Positions handed over by the caller are brought into the text, and the cursor into the view.
void keepPositionsInRange() {
  FieldEditor& f = fieldEditor;
  f.cursorPos = std::clamp(f.cursorPos, 0, textLength());
  if (!f.scrolling) return;
  f.firstVisible = std::clamp(f.firstVisible, std::max(0, f.cursorPos - f.viewLength), f.cursorPos);
}

// Before the text changes: refused with the sound while typing is off, and a dimmed initial
// text gives way to what is typed.
bool startChange() {
  FieldEditor& f = fieldEditor;
  if (hasOption(EDIT_NO_TYPING)) {
    playIllegalChar();
    return false;
  }
  if (hasOption(EDIT_DIM_TEXT)) {
    f.text.clear();
    f.cursorPos = 0;
    drawField();
    endDimText();
  }
  return true;
}

// Typing of one character or of a pasted text. The text never grows past the field's width
// this way: a character that would lengthen a full field is refused with the rest of the input.
void typeText(std::string_view input) {
  FieldEditor& f = fieldEditor;
  if (!startChange()) return;
  for (char ch : input) {
    bool replaces = fieldCursor.overtypeMode && f.cursorPos < textLength();
    if (textLength() >= f.fieldWidth && !replaces) {
      playIllegalChar();
      return;
    }
    screen::setForeground(EXPRESSIONS_COLOUR);
    if (!charInMask(ch)) {
      playIllegalChar();
      continue;
    }
    if (replaces) {
      f.text[f.cursorPos] = ch;
    } else {
      f.text.insert(f.text.begin() + f.cursorPos, ch);
    }
    ++f.cursorPos;
    scrollToCursor();
    drawField();
  }
}

void toggleInsert() {
  clearEditOptions(EDIT_START_OVERTYPE);
  fieldEditor.overtypeByOption = false;
  eraseFieldCursor();
  fieldCursor.overtypeMode = !fieldCursor.overtypeMode;
  fieldCursor.shapeChanged = true;
  if (textScreen()) showOvertypeIndicator(fieldCursor.overtypeMode);
  placeCursor();
  fieldEditor.overtypeForced = false;
}

// The field text names a macro: the field goes blank and the macro starts.
void startNamedMacro() {
  FieldEditor& f = fieldEditor;
  std::string name = std::move(f.text);
  f.text.clear();
  f.cursorPos = 0;
  scrollToCursor();
  drawField();
  loadMacro(name);
}

void appendRecalledEntry(int slot) {
  FieldEditor& f = fieldEditor;
  std::string entry;
  if (!recalledEntry(slot, entry)) return;
  // No mask check: the entry was typed into a field. But the text stays within the field's
  // width, as it does for typing, so recalls played over and over cannot grow it without end.
  size_t room = static_cast<size_t>(std::max(0, f.fieldWidth - textLength()));
  size_t taken = std::min(room, entry.size());
  if (taken == 0 && f.cursorPos == textLength()) return;  // nothing would change on the screen
  f.text.append(entry, 0, taken);
  f.cursorPos = textLength();
  scrollToCursor();
  drawField();
}

void moveCursorBy(int step) {
  FieldEditor& f = fieldEditor;
  endDimText();
  int target = f.cursorPos + step;
  if (target < 0 || target > textLength()) return;
  f.cursorPos = target;
  if (scrollToCursor()) drawField();
  placeCursor();
}

void deleteAtCursor() {
  FieldEditor& f = fieldEditor;
  if (!startChange()) return;
  if (f.cursorPos < textLength()) {
    f.text.erase(f.cursorPos, 1);
    scrollToCursor();
    drawField();
  }
  placeCursor();
}

void deleteBeforeCursor() {
  FieldEditor& f = fieldEditor;
  if (f.cursorPos == 0) return;
  f.text.erase(f.cursorPos - 1, 1);
  --f.cursorPos;
  endDimText();
  scrollToCursor();
  drawField();
  releaseOvertype();
  placeCursor();
}

// Whether a left-button click at the cell lands on the field's text (or the cell after it);
// if so the cursor moves there.
bool clickIntoField(int clickRow, int clickColumn) {
  FieldEditor& f = fieldEditor;
  int length = textLength();
  int start = f.column, end;
  if (hasOption(EDIT_RIGHT_ALIGNED)) {
    int width = f.scrolling ? f.viewLength : f.fieldWidth;
    if (length < width) start = f.column + width - length;
    end = f.column + width;
  } else {
    end = f.scrolling ? f.column + std::min(length - f.firstVisible, f.viewLength)
                      : f.column + length;
  }
  if (clickRow != f.row || clickColumn < start || clickColumn > end) return false;
  int position = std::min(f.firstVisible + clickColumn - start, length);
  if (position != f.cursorPos) {
    f.cursorPos = position;
    endDimText();
  }
  placeCursor();
  return true;
}

// The editor's reaction to one event; false when the event ends editing.
bool handleEvent(EventCode event) {
  FieldEditor& f = fieldEditor;
  if (event > 0 && event < 256) {
    typeText(std::string(1, static_cast<char>(event)));
    return true;
  }
  if (event >= EVENT_RECALL_FIRST && event <= EVENT_RECALL_LAST) {
    appendRecalledEntry(event - EVENT_MACRO_BASE);
    return true;
  }
  switch (event) {
    case EVENT_CTRL_V:
      if (hasOption(EDIT_PASTE_OFF)) return false;
      typeText(pasteFromClipboard());
      return true;
    case EVENT_CTRL_C:
      if (hasOption(EDIT_COPY_OFF)) return false;
      if (f.editing) copyToClipboard(f.text);
      return true;
    case EVENT_BACKSPACE:
      if (f.editing) deleteBeforeCursor();
      return true;
    case EVENT_RIGHT:
    case EVENT_LEFT:
      if (!f.editing) return false;
      moveCursorBy(event == EVENT_RIGHT ? 1 : -1);
      return true;
    case EVENT_HOME:
      if (!f.editing) return true;
      endDimText();
      if (f.cursorPos > 0) {
        f.cursorPos = 0;
        scrollToCursor();
        drawField();
      }
      return true;
    case EVENT_END:
      if (!f.editing) return true;
      endDimText();
      f.cursorPos = textLength();
      if (scrollToCursor()) drawField();
      placeCursor();
      return true;
    case EVENT_SHIFT_TAB:
      if (!f.editing) return false;
      endDimText();
      if (f.cursorPos == 0 && f.firstVisible == 0) return false;
      f.cursorPos = 0;
      f.firstVisible = 0;
      if (f.scrolling) f.lastVisible = f.viewLength - 1;
      drawField();
      return true;
    case EVENT_INSERT:
      toggleInsert();
      return true;
    case EVENT_DELETE:
      if (f.editing) deleteAtCursor();
      return true;
    case EVENT_ENTER:
      if (!inputLoop.macroWaiting) return false;
      storeRecallEntry(f.text);
      inputLoop.macroWaiting = false;
      return true;
    case EVENT_ESC:
    case EVENT_CLOSE:
      if (!inputLoop.macroWaiting) return false;
      inputLoop.macroPlaying = false;
      inputLoop.macroWaiting = false;
      printStatusMessage("Macro processing terminated - ", false);
      placeCursor();
      return true;
    case EVENT_CTRL_ENTER:
      startNamedMacro();
      return true;
    default:
      return false;
  }
}

// Mouse clicks first, then the table; a waiting macro swallows whatever would end editing.
bool consumeEvent(EventCode event, int pointerY, int pointerX) {
  FieldEditor& f = fieldEditor;
  if ((event == EVENT_LEFT_PRESS || event == EVENT_LEFT_RELEASE) && f.editing) {
    int clickColumn = pointerX, clickRow = pointerY;
    if (f.screenMode > 0) {
      clickColumn = screen::xToColumn(pointerX);
      clickRow = screen::yToRow(pointerY, f.cellHeight);
    }
    if (clickIntoField(clickRow, clickColumn)) return true;
    inputLoop.macroWaiting = false;
    return false;
  }
  bool handled = handleEvent(event);
  return handled || inputLoop.macroWaiting;
}

void enterField(std::string_view mask) {
  FieldEditor& f = fieldEditor;
  f.editing = f.fieldWidth >= 1;
  if (!hasOption(EDIT_KEEP_POSITIONS)) f.cursorPos = f.firstVisible = 0;
  f.scrolling = f.viewLength > 0 && f.viewLength < f.fieldWidth;
  if (!f.scrolling) f.firstVisible = 0;
  keepPositionsInRange();
  f.lastVisible = f.scrolling ? f.viewLength + f.firstVisible - 1 : f.fieldWidth - 1;
  if (f.editing) {
    if (!f.text.empty() && f.cursorPos == 0) {
      if (hasOption(EDIT_DIM_TEXT)) screen::setForeground(f.dimColour);
      drawField();
    } else {
      endDimText();
    }
    if (textLength() == f.fieldWidth) forceOvertype();
  }
  buildMaskTable(mask);
  if (f.editing) {
    if (hasOption(EDIT_START_OVERTYPE) && !fieldCursor.overtypeMode) {
      fieldCursor.overtypeMode = true;
      fieldCursor.shapeChanged = true;
      placeCursor();
      f.overtypeByOption = true;
    } else if (!hasOption(EDIT_START_OVERTYPE) && f.overtypeByOption) {
      f.overtypeByOption = false;
      fieldCursor.overtypeMode = false;
      // The indicator left by the previous field would otherwise claim overtype.
      if (textScreen()) showOvertypeIndicator(false);
    }
    if (textScreen() && fieldCursor.overtypeMode) showOvertypeIndicator(true);
    placeCursor();
  }
  inputLoop.macroWaiting = false;
}

// A text ending in a line feed is a macro's name: the field is not edited.
void enterMacroName() {
  FieldEditor& f = fieldEditor;
  f.text.pop_back();
  f.scrolling = false;
  f.editing = false;
  f.firstVisible = 0;
  f.lastVisible = f.fieldWidth - 1;
  inputLoop.macroWaiting = false;
  startNamedMacro();
}

void leaveField() {
  releaseOvertype();
  endDimText();
  releaseOvertype();  // again: redrawing a full field in endDimText forces overtype back on
  if (textScreen()) {
    fieldCursor.gridCursorShown = false;
  } else {
    eraseFieldCursor();
    fieldCursor.x = fieldCursor.y = -1;
  }
}

}  // namespace

void setEditOptions(int bits) {
  fieldEditor.editOptions |= bits;
}

void clearEditOptions(int bits) {
  fieldEditor.editOptions &= ~bits;
}

EventCode editField(int row, int column, std::string& text, int width, std::string_view mask,
                    int& pointerY, int& pointerX, int screenMode, int viewLength, int& firstVisible,
                    int& cursorPos) {
  FieldEditor& f = fieldEditor;
  f.text = text;
  f.row = row;
  f.column = column;
  f.fieldWidth = width;
  f.viewLength = viewLength;
  f.screenMode = screenMode;
  f.firstVisible = firstVisible;
  f.cursorPos = cursorPos;
  fieldCursor.fieldColour = screen::currentColours() & 15;
  f.dimColour = fieldCursor.fieldColour & 7;
  if (screenMode > 0) f.cellHeight = screen::cellHeight();
  f.statusRow = statusRow();

  if (!f.text.empty() && f.text.back() == '\n') {
    enterMacroName();
  } else {
    enterField(mask);
  }

  EventCode event;
  do {
    event = nextInputEvent(pointerY, pointerX, f.screenMode, mask, f.editing);
  } while (consumeEvent(event, pointerY, pointerX));

  leaveField();
  text = f.text;
  cursorPos = f.cursorPos;
  firstVisible = f.firstVisible;
  return event;
}

void awaitInput(std::string& text, std::string_view mask, int width, int row, int column) {
  if (width > 0) {
    std::string before = text;
    int firstVisible = 0, cursorPos = 0;
    inputLoop.lastEvent =
        editField(row, column, text, width, mask, inputLoop.pointerY, inputLoop.pointerX,
                  GRAPHICS_SCREEN_MODE, 0, firstVisible, cursorPos);
    fieldEditor.fieldChanged = text != before;
  } else {
    inputLoop.lastEvent =
        nextInputEvent(inputLoop.pointerY, inputLoop.pointerX, GRAPHICS_SCREEN_MODE, mask, false);
  }
}
