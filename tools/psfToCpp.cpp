// Build-time tool: turns two PSF1 console fonts (8x16 and 8x8, 256 glyphs each, in code page
// order) into the glyph tables the screen draws with.
#include <cstdio>
#include <vector>

namespace {

// Reads the glyphs and, when the font has one, the Unicode table: for each glyph the code points
// it stands for, the first being its proper character.
bool readGlyphs(const char* path, int height, std::vector<unsigned char>& glyphs,
                std::vector<std::vector<unsigned>>* unicode) {
  std::FILE* f = std::fopen(path, "rb");
  if (!f) return false;
  unsigned char header[4];
  bool ok = std::fread(header, 1, 4, f) == 4 && header[0] == 0x36 && header[1] == 0x04 &&
            header[3] == height && !(header[2] & 0x01);
  glyphs.resize(256 * static_cast<size_t>(height));
  ok = ok && std::fread(glyphs.data(), 1, glyphs.size(), f) == glyphs.size();
  if (ok && unicode && (header[2] & 0x02)) {
    unicode->assign(256, {});
    int glyph = 0;
    bool inSequence = false;
    unsigned char pair[2];
    while (glyph < 256 && std::fread(pair, 1, 2, f) == 2) {
      unsigned value = pair[0] | (pair[1] << 8);
      if (value == 0xffff) {
        ++glyph;
        inSequence = false;
      } else if (value == 0xfffe) {
        inSequence = true;  // combining sequences are of no use for single characters
      } else if (!inSequence) {
        (*unicode)[glyph].push_back(value);
      }
    }
  }
  std::fclose(f);
  return ok;
}

void writeTable(std::FILE* out, const char* name, int height, const std::vector<unsigned char>& g) {
  std::fprintf(out, "const unsigned char %s[256][%d] = {\n", name, height);
  for (int c = 0; c < 256; ++c) {
    std::fprintf(out, "  {");
    for (int r = 0; r < height; ++r) std::fprintf(out, "%s0x%02x", r ? "," : "", g[c * height + r]);
    std::fprintf(out, "},\n");
  }
  std::fprintf(out, "};\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: psfToCpp font8x16.psf font8x8.psf out.cpp\n");
    return 2;
  }
  std::vector<unsigned char> tall, small;
  std::vector<std::vector<unsigned>> unicode;
  if (!readGlyphs(argv[1], 16, tall, &unicode) || !readGlyphs(argv[2], 8, small, nullptr) ||
      unicode.size() != 256) {
    std::fprintf(stderr, "psfToCpp: not a 256-glyph PSF1 font of the expected height\n");
    return 1;
  }
  std::FILE* out = std::fopen(argv[3], "w");
  if (!out) return 1;
  std::fprintf(out, "// Generated from Debian's console fonts at build time.\n");
  std::fprintf(out, "#include \"screen/fonts.h\"\nnamespace screen {\n");
  writeTable(out, "FONT_8X16", 16, tall);
  writeTable(out, "FONT_8X8", 8, small);
  // Code points for the upper half; the lower half is ASCII.
  std::fprintf(out, "const unsigned short CP437_UPPER_TO_UNICODE[128] = {");
  for (int c = 128; c < 256; ++c) {
    std::fprintf(out, "%s%u", c > 128 ? "," : "", unicode[c].empty() ? 0xfffdu : unicode[c][0]);
  }
  std::fprintf(out, "};\n");
  // Every code point the font knows for a glyph of the upper half, for text coming in.
  int count = 0;
  std::fprintf(out, "const UnicodeGlyph UNICODE_TO_CP437[] = {");
  for (int c = 128; c < 256; ++c) {
    for (unsigned u : unicode[c]) {
      std::fprintf(out, "%s{%u,%d}", count++ ? "," : "", u, c);
    }
  }
  std::fprintf(out, "};\nconst int UNICODE_TO_CP437_COUNT = %d;\n", count);
  std::fprintf(out, "}  // namespace screen\n");
  return std::fclose(out) == 0 ? 0 : 1;
}
