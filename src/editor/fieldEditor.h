#pragma once

// Single-line editing of an entry field on the 80x30 text grid: insert and overtype modes, a
// cursor, mask-checked typing, cursor movement by keys and clicks, copy and paste. Editing ends
// with the first event the field does not handle itself, which goes back to the caller.

#include <string>
#include <string_view>

#include "controls/eventCodes.h"
#include "controls/roleColours.h"

// Option bits of `editOptions`.
constexpr int EDIT_RIGHT_ALIGNED = 1;
// The initial text is shown dim; the first typed character replaces it, a cursor move keeps it.
constexpr int EDIT_DIM_TEXT = 2;
// Typing, paste and Delete are refused; Backspace still deletes.
constexpr int EDIT_NO_TYPING = 4;
// The cursor position and first visible character are taken from the caller.
constexpr int EDIT_KEEP_POSITIONS = 8;
// Start in overtype mode; cleared by the Insert key.
constexpr int EDIT_START_OVERTYPE = 16;
// Ctrl+C and Ctrl+V end editing instead of copying and pasting.
constexpr int EDIT_COPY_OFF = 64;
constexpr int EDIT_PASTE_OFF = 128;

// Where the mode indicator "OVR" stands on a text screen.
constexpr int OVERTYPE_INDICATOR_COLUMN = 78;

struct FieldEditor {
  // Set afresh by each editField.
  std::string text;
  int fieldWidth = 0;
  int viewLength = 0;
  bool scrolling = false;
  bool editing = false;
  int firstVisible = 0;  // 0-based
  int lastVisible = 0;   // 0-based, the last visible position
  int cursorPos = 0;     // characters before the cursor
  int row = 1;
  int column = 1;
  int screenMode = 0;  // 0 a text screen, positive a graphics screen with a drawn cursor
  int dimColour = 7;
  int cellHeight = 16;
  // Kept from one call to the next.
  bool overtypeForced = false;    // the text filled the field
  bool overtypeByOption = false;  // EDIT_START_OVERTYPE switched it on
  int statusRow = 0;              // messages and "OVR"; 0 means row 1
  int editOptions = 0;
  // Whether the last edit made by awaitInput changed the text.
  bool fieldChanged = false;
};

extern FieldEditor fieldEditor;

// Facts about the field being edited that the editor's files share.
inline int textLength() {
  return static_cast<int>(fieldEditor.text.size());
}
inline bool textScreen() {
  return fieldEditor.screenMode == 0;
}
inline int statusRow() {
  return fieldEditor.statusRow > 0 ? fieldEditor.statusRow : 1;
}
// A message of the editor or the macro loader: at the status row, column 1, in the message
// colour; the text colour is set again afterwards.
void printStatusMessage(std::string_view message, bool lineBreak);

// Edits `text` at row and column (1-based) and returns the event that ended editing. The pointer
// is written by every mouse poll; firstVisible and cursorPos are taken only with
// EDIT_KEEP_POSITIONS and written back at the end. Scrolling is on when
// 0 < viewLength < width. A text ending in a line feed names a macro to start.
EventCode editField(int row, int column, std::string& text, int width, std::string_view mask,
                    int& pointerY, int& pointerX, int screenMode, int viewLength, int& firstVisible,
                    int& cursorPos);

// The prompt step of a form: edits the field when width > 0, else just waits for one event.
// Sets inputLoop.lastEvent, the pointer and, when a field was edited, fieldChanged.
void awaitInput(std::string& text, std::string_view mask, int width, int row, int column);

void setEditOptions(int bits);
void clearEditOptions(int bits);

// The pieces of the editor that work on the field being edited (fieldEditor).
void drawField();
void placeCursor();
// Moves the visible window of a scrolling field so the cursor is inside it; true if it moved.
bool scrollToCursor();
void forceOvertype();
void releaseOvertype();
void endDimText();
// "OVR" at the status row, or blanks where it stood.
void showOvertypeIndicator(bool on);
// Erases the drawn cursor where it stands; nothing on a text screen.
void eraseFieldCursor();

// The system clipboard as plain text. Copy answers 1 on success, 0 otherwise (an empty text).
int copyToClipboard(std::string_view text);
// The clipboard's text, or "unavailable" when it holds none.
std::string pasteFromClipboard();
