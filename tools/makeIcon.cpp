// Build-time tool: draws the program's icon, "Q$" in the program's own 8x16 font and the colours
// of its "Light on Dark" scheme inside a frame, as a square PNG of the given size.
//
// usage: makeIcon SIZE OUTPUT.png
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "colours/builtInPalettes.h"
#include "screen/fonts.h"

namespace {

constexpr int BACKGROUND = 0, FRAME = 2, TITLE = 14, TEXT = 15;
constexpr int GLYPH_WIDTH = 8, GLYPH_HEIGHT = 16;
constexpr unsigned char LETTERS[2] = {'Q', '$'};
constexpr int LETTER_COLOURS[2] = {TITLE, TEXT};

// Colour numbers, one per pixel. Each font pixel is a square of `cell` pixels, so that both
// letters fill three quarters of the icon; the frame is one such square thick.
std::vector<int> drawIcon(int size) {
  int cell = size * 3 / 4 / (2 * GLYPH_WIDTH);
  int margin = (size - 2 * GLYPH_WIDTH * cell) / 2;
  int frame = margin - 2 * cell;  // where the frame starts, from each edge
  std::vector<int> pixels(static_cast<size_t>(size) * size, BACKGROUND);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      int& pixel = pixels[static_cast<size_t>(y) * size + x];
      bool inFrame = x >= frame && y >= frame && x < size - frame && y < size - frame;
      bool inInside = x >= frame + cell && y >= frame + cell && x < size - frame - cell &&
                      y < size - frame - cell;
      if (inFrame && !inInside) pixel = FRAME;
      int column = (x - margin) / cell, row = (y - margin) / cell;
      if (x < margin || y < margin || column >= 2 * GLYPH_WIDTH || row >= GLYPH_HEIGHT) continue;
      int letter = column / GLYPH_WIDTH;
      if (screen::FONT_8X16[LETTERS[letter]][row] & (0x80 >> (column % GLYPH_WIDTH))) {
        pixel = LETTER_COLOURS[letter];
      }
    }
  }
  return pixels;
}

// ---- PNG: 8-bit RGB, the image data in stored (uncompressed) deflate blocks ----

uint32_t crc32(const unsigned char* data, size_t length, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < length; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

uint32_t adler32(const std::vector<unsigned char>& data) {
  uint32_t a = 1, b = 0;
  for (unsigned char byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void putBigEndian(std::vector<unsigned char>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back((value >> shift) & 0xff);
}

void putChunk(std::vector<unsigned char>& out, const char* type,
              const std::vector<unsigned char>& data) {
  putBigEndian(out, static_cast<uint32_t>(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  putBigEndian(out, crc32(out.data() + start, out.size() - start));
}

std::vector<unsigned char> zlibStored(const std::vector<unsigned char>& raw) {
  constexpr size_t MAX_BLOCK = 65535;
  std::vector<unsigned char> out = {0x78, 0x01};
  size_t at = 0;
  do {
    size_t length = raw.size() - at < MAX_BLOCK ? raw.size() - at : MAX_BLOCK;
    bool last = at + length == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(length & 0xff);
    out.push_back(length >> 8);
    out.push_back(~length & 0xff);
    out.push_back((~length >> 8) & 0xff);
    out.insert(out.end(), raw.begin() + at, raw.begin() + at + length);
    at += length;
  } while (at < raw.size());
  putBigEndian(out, adler32(raw));
  return out;
}

std::vector<unsigned char> png(const std::vector<int>& pixels, int size) {
  std::vector<unsigned char> raw;
  for (int y = 0; y < size; ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < size; ++x) {
      const int32_t* levels = builtInPalettes[SCHEME_LIGHT_ON_DARK][pixels[y * size + x]];
      // As the window shows a level of 0 to 63.
      for (int c = 0; c < 3; ++c)
        raw.push_back(static_cast<unsigned char>((levels[c] * 255 + 31) / 63));
    }
  }
  std::vector<unsigned char> header;
  putBigEndian(header, size);
  putBigEndian(header, size);
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
  std::vector<unsigned char> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  putChunk(out, "IHDR", header);
  putChunk(out, "IDAT", zlibStored(raw));
  putChunk(out, "IEND", {});
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  int size = argc == 3 ? std::atoi(argv[1]) : 0;
  if (size < 32 || size > 1024) {
    std::fprintf(stderr, "usage: makeIcon SIZE OUTPUT.png (SIZE from 32 to 1024)\n");
    return 2;
  }
  std::vector<unsigned char> bytes = png(drawIcon(size), size);
  std::FILE* f = std::fopen(argv[2], "wb");
  bool written = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (f && std::fclose(f) != 0) written = false;
  if (!written) {
    std::fprintf(stderr, "makeIcon: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
