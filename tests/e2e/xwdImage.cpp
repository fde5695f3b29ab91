#include "e2e/xwdImage.h"

#include <unordered_map>

namespace xwdImage {

namespace {

// Header fields, each a big-endian 32-bit word.
enum Field {
  XWD_HEADER_SIZE = 0,
  XWD_PIXMAP_FORMAT = 2,
  XWD_PIXMAP_WIDTH = 4,
  XWD_PIXMAP_HEIGHT = 5,
  XWD_BYTE_ORDER = 7,
  XWD_BITS_PER_PIXEL = 11,
  XWD_BYTES_PER_LINE = 12,
  XWD_RED_MASK = 14,
  XWD_GREEN_MASK = 15,
  XWD_BLUE_MASK = 16,
  XWD_COLOUR_COUNT = 19,
  XWD_FIELD_COUNT = 25,
};
constexpr uint32_t Z_PIXMAP = 2;
constexpr uint32_t MSB_FIRST = 1;
constexpr size_t COLOUR_ENTRY_SIZE = 12;

uint32_t bigEndianWord(const std::string& bytes, size_t at) {
  auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])); };
  return byte(at) << 24 | byte(at + 1) << 16 | byte(at + 2) << 8 | byte(at + 3);
}

// The 8-bit value a channel mask selects from a pixel.
uint32_t channel(uint32_t pixel, uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (!(mask & (1u << shift))) ++shift;
  uint32_t maximum = mask >> shift;
  return ((pixel & mask) >> shift) * 255 / maximum;
}

}  // namespace

bool parse(const std::string& bytes, RgbImage& image, std::string& error) {
  image = {};
  if (bytes.size() < XWD_FIELD_COUNT * 4) {
    error = "screenshot too short for its header (" + std::to_string(bytes.size()) + " bytes)";
    return false;
  }
  uint32_t field[XWD_FIELD_COUNT];
  for (int i = 0; i < XWD_FIELD_COUNT; ++i) field[i] = bigEndianWord(bytes, i * 4);
  if (field[XWD_PIXMAP_FORMAT] != Z_PIXMAP || field[XWD_BITS_PER_PIXEL] != 32) {
    error = "screenshot is not a 32-bit ZPixmap";
    return false;
  }
  uint64_t width = field[XWD_PIXMAP_WIDTH], height = field[XWD_PIXMAP_HEIGHT];
  uint64_t start = field[XWD_HEADER_SIZE] + uint64_t{field[XWD_COLOUR_COUNT]} * COLOUR_ENTRY_SIZE;
  uint64_t lineBytes = field[XWD_BYTES_PER_LINE];
  if (width == 0 || height == 0 || width > 16384 || height > 16384 || lineBytes < width * 4 ||
      start + lineBytes * (height - 1) + width * 4 > bytes.size()) {
    error = "screenshot of " + std::to_string(width) + "x" + std::to_string(height) +
            " does not fit its " + std::to_string(bytes.size()) + " bytes";
    return false;
  }
  bool msbFirst = field[XWD_BYTE_ORDER] == MSB_FIRST;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.pixels.resize(width * height);
  for (uint64_t y = 0; y < height; ++y) {
    for (uint64_t x = 0; x < width; ++x) {
      size_t at = start + y * lineBytes + x * 4;
      auto b = [&](size_t i) {
        return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i]));
      };
      uint32_t pixel = msbFirst ? b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3)
                                : b(3) << 24 | b(2) << 16 | b(1) << 8 | b(0);
      image.pixels[y * width + x] = channel(pixel, field[XWD_RED_MASK]) << 16 |
                                    channel(pixel, field[XWD_GREEN_MASK]) << 8 |
                                    channel(pixel, field[XWD_BLUE_MASK]);
    }
  }
  return true;
}

uint32_t rgbOfLevels(int32_t red, int32_t green, int32_t blue) {
  auto eightBit = [](int32_t level) { return static_cast<uint32_t>((level * 255 + 31) / 63); };
  return eightBit(red) << 16 | eightBit(green) << 8 | eightBit(blue);
}

std::vector<uint8_t> colourNumbers(const RgbImage& image, const PaletteLevels& palette) {
  std::unordered_map<uint32_t, uint8_t> numberOf;
  for (int colour = 15; colour >= 0; --colour) {  // the lowest number wins a shared RGB
    numberOf[rgbOfLevels(palette[colour][0], palette[colour][1], palette[colour][2])] =
        static_cast<uint8_t>(colour);
  }
  std::vector<uint8_t> numbers(image.pixels.size(), NO_COLOUR);
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    auto found = numberOf.find(image.pixels[i]);
    if (found != numberOf.end()) numbers[i] = found->second;
  }
  return numbers;
}

}  // namespace xwdImage
