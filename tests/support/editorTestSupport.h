#pragma once

// Helpers for driving the field editor and the input loop headless.

#include <string>

namespace editorTest {

// A fresh headless window with the 80x30 grid, foreground 15, and the input loop, the editor and
// its cursor as at program start.
void resetWorld();

enum class CursorShape { None, Caret, Bar, Mixed };
constexpr int CARET_PIXELS = 16, BAR_PIXELS = 14;

// The drawn cursor's shape under the cell at row, column (1-based) and, when one is there, its
// colour.
CursorShape cursorShapeAt(int row, int column, int* colour = nullptr);

// Lit pixels on the lines a cursor under text row `row` can occupy, across the screen.
int cursorLinePixels(int row);

// Pixel x and y of the middle of a cell, for mouse steps.
int cellX(int column);
int cellY(int row);

// editField on the graphics screen (mode 12), no scrolling unless viewLength is given; returns
// the event that ended editing.
struct FieldRun {
  std::string text;
  int event = 0;
  int cursorPos = 0;
  int firstVisible = 0;
  int pointerX = 0;
  int pointerY = 0;
};
FieldRun runField(const std::string& text, int width, const std::string& mask, int row = 5,
                  int column = 10, int screenMode = 12, int viewLength = 0, int cursorPos = 0,
                  int firstVisible = 0);

int soundCount();

// Scripts keys: "<" Left, ">" Right, "H" Home, "E" End, "I" Insert, "D" Delete, "S" Shift+Tab,
// "B" Backspace, "C" Ctrl+C, "V" Ctrl+V; any other character is typed as it is.
void script(const std::string& keys);

}  // namespace editorTest
