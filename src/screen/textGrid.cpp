// The character grid: cells of 8x8 or 8x16 pixels printed opaquely on the surface.

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

#include "screen/fonts.h"
#include "screen/private/surfaceState.h"

namespace screen {

namespace {

const unsigned char* glyphRows(unsigned char code) {
  return textState.cellHeight == 8 ? FONT_8X8[code] : FONT_8X16[code];
}

// Draws one glyph with its top left at (x, y); paper < 0 leaves the background pixels alone.
// Positions are wide, so text placed anywhere an int reaches is clipped, never wrapped around.
void drawGlyph(int64_t x, int64_t y, unsigned char code, int ink, int paper) {
  const unsigned char* rows = glyphRows(code);
  for (int r = 0; r < textState.cellHeight; ++r) {
    int64_t py = y + r;
    if (py < 0 || py >= SCREEN_HEIGHT) continue;
    uint8_t* line = surface.pixels + py * SCREEN_WIDTH;
    for (int c = 0; c < 8; ++c) {
      int64_t px = x + c;
      if (px < 0 || px >= SCREEN_WIDTH) continue;
      bool on = rows[r] & (0x80 >> c);
      if (on) {
        line[px] = static_cast<uint8_t>(ink);
      } else if (paper >= 0) {
        line[px] = static_cast<uint8_t>(paper);
      }
    }
  }
  surface.pixelsChanged = true;
}

// The cursor may be sent anywhere; moving on from the far end stays there instead of wrapping.
void advance(int& coordinate) {
  if (coordinate < INT_MAX) ++coordinate;
}

}  // namespace

void setTextGrid(int columns, int rows) {
  textState.columns = columns > 0 ? columns : 80;
  textState.rows = rows > 0 ? rows : 30;
  textState.cellHeight = textState.rows >= 60 ? 8 : 16;
  clearScreen();
}

int cellHeight() {
  return textState.cellHeight;
}

int32_t textGridSize() {
  return textState.columns | (textState.rows << 16);
}

void setForeground(int colour) {
  textState.foreground = colour & 0xff;
}

int32_t currentColours() {
  return textState.foreground | (textState.background << 16);
}

void clearScreen() {
  std::memset(surface.pixels, textState.background, sizeof surface.pixels);
  surface.pixelsChanged = true;
  textState.row = 1;
  textState.column = 1;
}

void moveCursor(int row, int column) {
  if (row > 0) textState.row = row;
  if (column > 0) textState.column = column;
}

void cursorPosition(int& row, int& column) {
  row = textState.row;
  column = textState.column;
}

// Text that runs past the last column goes on at the start of the next row; rows below the
// grid are not drawn.
void printText(std::string_view text, bool lineBreak) {
  for (char ch : text) {
    if (textState.column > textState.columns) {
      textState.column = 1;
      advance(textState.row);
    }
    if (textState.row <= textState.rows) {
      drawGlyph(int64_t{textState.column - 1} * 8,
                int64_t{textState.row - 1} * textState.cellHeight, static_cast<unsigned char>(ch),
                textState.foreground, textState.background);
    }
    advance(textState.column);
  }
  if (lineBreak) {
    textState.column = 1;
    advance(textState.row);
  }
}

void printTab(int column) {
  if (textState.column > column) advance(textState.row);
  textState.column = std::max(column, 1);
}

void printInteger(long long n) {
  char buffer[24];
  int length = 0;
  if (n >= 0) buffer[length++] = ' ';
  length += std::snprintf(buffer + length, sizeof buffer - length, "%lld", n);
  printText(std::string_view(buffer, length), false);
}

void drawTextAt(int x, int y, std::string_view text) {
  int64_t left = x;
  for (char ch : text) {
    if (left >= SCREEN_WIDTH) break;
    drawGlyph(left, y, static_cast<unsigned char>(ch), textState.foreground, -1);
    left += 8;
  }
}

uint8_t pixelAt(int x, int y) {
  if (x < 0 || y < 0 || x >= SCREEN_WIDTH || y >= SCREEN_HEIGHT) return 0;
  return surface.pixels[y * SCREEN_WIDTH + x];
}

const uint8_t* surfacePixels() {
  return surface.pixels;
}

}  // namespace screen
