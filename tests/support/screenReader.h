#pragma once

// Reads the 80x30 character grid back off a surface of colour numbers, matching each cell
// against the 8x16 font, so tests can check what a user sees.

#include <cstdint>
#include <string>

namespace screenReader {

// A cell that matches no glyph reads as this character.
constexpr char UNKNOWN = '\0';

struct Cell {
  char character = ' ';
  int ink = -1;   // the colour of the character's pixels; -1 for a blank cell
  int paper = 0;  // the colour of the rest of the cell
};

// pixels: 640x480 colour numbers; nullptr reads the program's own surface.
Cell readCell(int row, int column, const uint8_t* pixels = nullptr);
// The characters of a row from column `column` on, `length` cells long.
std::string textAt(int row, int column, int length, const uint8_t* pixels = nullptr);
// A whole row of 80 characters, with trailing blanks removed.
std::string rowText(int row, const uint8_t* pixels = nullptr);
// The whole screen, rows joined by line feeds, trailing blanks and empty last rows removed.
std::string screenText(const uint8_t* pixels = nullptr);
// Where the text first appears on the screen (row and column, 1-based); false when it doesn't.
bool findText(const std::string& text, int& row, int& column, const uint8_t* pixels = nullptr);

}  // namespace screenReader
