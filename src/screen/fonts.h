#pragma once

// Code page 437 glyphs, one byte per pixel row, bit 7 the leftmost pixel, and the Unicode
// characters of the upper half, all generated from Debian's console fonts.
namespace screen {

extern const unsigned char FONT_8X16[256][16];
extern const unsigned char FONT_8X8[256][8];

struct UnicodeGlyph {
  unsigned codePoint;
  int code;
};
extern const unsigned short CP437_UPPER_TO_UNICODE[128];
extern const UnicodeGlyph UNICODE_TO_CP437[];
extern const int UNICODE_TO_CP437_COUNT;

}  // namespace screen
