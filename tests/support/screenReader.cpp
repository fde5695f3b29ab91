#include "support/screenReader.h"

#include <cstring>
#include <map>

#include "screen/fonts.h"
#include "screen/screen.h"

namespace screenReader {

namespace {

using Bitmap = std::string;  // 16 rows of 8 pixels, one byte per row

const std::map<Bitmap, char>& glyphLookup() {
  static const std::map<Bitmap, char> lookup = [] {
    std::map<Bitmap, char> table;
    // Ordinary characters first so that look-alikes (blank glyphs, say) read as them.
    auto add = [&](int from, int to) {
      for (int code = from; code <= to; ++code) {
        Bitmap bits(reinterpret_cast<const char*>(screen::FONT_8X16[code]), 16);
        table.emplace(bits, static_cast<char>(code));
      }
    };
    add(32, 126);
    add(127, 255);
    add(0, 31);
    return table;
  }();
  return lookup;
}

Bitmap cellBitmap(const uint8_t* pixels, int x0, int y0, int ink) {
  Bitmap bits(16, '\0');
  for (int r = 0; r < 16; ++r) {
    unsigned char row = 0;
    for (int c = 0; c < 8; ++c) {
      if (pixels[(y0 + r) * screen::SCREEN_WIDTH + x0 + c] == ink) row |= 0x80 >> c;
    }
    bits[r] = static_cast<char>(row);
  }
  return bits;
}

}  // namespace

Cell readCell(int row, int column, const uint8_t* pixels) {
  if (!pixels) pixels = screen::surfacePixels();
  Cell cell;
  if (row < 1 || row > 30 || column < 1 || column > 80) return cell;
  int x0 = (column - 1) * 8, y0 = (row - 1) * 16;
  int counts[256] = {};
  for (int r = 0; r < 16; ++r) {
    for (int c = 0; c < 8; ++c) ++counts[pixels[(y0 + r) * screen::SCREEN_WIDTH + x0 + c]];
  }
  int distinct = 0, only = 0;
  for (int colour = 0; colour < 256; ++colour) {
    if (counts[colour]) {
      ++distinct;
      only = colour;
    }
  }
  if (distinct == 1) {
    cell.paper = only;
    return cell;  // a blank cell in the colour it was cleared with
  }
  const auto& lookup = glyphLookup();
  cell.character = UNKNOWN;
  // Try each colour as the ink, the rarer ones first being the likelier ink.
  for (int colour = 0; colour < 256; ++colour) {
    if (!counts[colour]) continue;
    auto found = lookup.find(cellBitmap(pixels, x0, y0, colour));
    if (found == lookup.end()) continue;
    if (cell.character == UNKNOWN || counts[colour] < counts[cell.ink]) {
      cell.character = found->second;
      cell.ink = colour;
    }
  }
  if (distinct == 2 && cell.ink >= 0) {
    for (int colour = 0; colour < 256; ++colour) {
      if (counts[colour] && colour != cell.ink) cell.paper = colour;
    }
  }
  return cell;
}

std::string textAt(int row, int column, int length, const uint8_t* pixels) {
  std::string text;
  for (int k = 0; k < length; ++k) text += readCell(row, column + k, pixels).character;
  return text;
}

std::string rowText(int row, const uint8_t* pixels) {
  std::string text = textAt(row, 1, 80, pixels);
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

std::string screenText(const uint8_t* pixels) {
  std::string text;
  for (int row = 1; row <= 30; ++row) text += rowText(row, pixels) + "\n";
  while (text.size() >= 2 && text[text.size() - 2] == '\n') text.pop_back();
  return text;
}

bool findText(const std::string& text, int& row, int& column, const uint8_t* pixels) {
  for (row = 1; row <= 30; ++row) {
    size_t at = textAt(row, 1, 80, pixels).find(text);
    if (at != std::string::npos) {
      column = static_cast<int>(at) + 1;
      return true;
    }
  }
  return false;
}

}  // namespace screenReader
