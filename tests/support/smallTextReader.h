#pragma once

// Reads text drawn with the small 8x8 glyphs back off the surface, cell by cell.

#include <string>

namespace smallTextReader {

// A cell that is not one glyph of the 8x8 font in `ink` on colour 0 reads as this character.
constexpr char UNKNOWN = '\0';

// `length` 8x8 cells from (x, y) to the right.
std::string smallTextAt(int x, int y, int length, int ink);

}  // namespace smallTextReader
