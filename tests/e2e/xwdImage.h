#pragma once

// Screenshots as xwd writes them (X Window Dump, 32-bit ZPixmap as Xvfb gives), turned into
// RGB and into the program's colour numbers.

#include <cstdint>
#include <string>
#include <vector>

namespace xwdImage {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xRRGGBB, row by row
};

// A pixel that shows none of the palette's colours.
constexpr uint8_t NO_COLOUR = 255;

// Levels 0..63 per channel: the 16 colours of a palette as red, green and blue.
using PaletteLevels = int32_t[16][3];

bool parse(const std::string& xwdBytes, RgbImage& image, std::string& error);
// How the window shows a colour of levels 0..63: each level as (L * 255 + 31) / 63.
uint32_t rgbOfLevels(int32_t red, int32_t green, int32_t blue);
// Each pixel as the first of the palette's colours with its RGB, or NO_COLOUR.
std::vector<uint8_t> colourNumbers(const RgbImage& image, const PaletteLevels& palette);

}  // namespace xwdImage
