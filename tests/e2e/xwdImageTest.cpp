#include <gtest/gtest.h>

#include "colours/builtInPalettes.h"
#include "e2e/xwdImage.h"

namespace {

void putWord(std::string& bytes, uint32_t word) {
  for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>((word >> shift) & 0xff);
}

// A dump of a width x 1 image as xwd writes it: a big-endian header, a colour table, then
// 32-bit pixels in the server's byte order, each line padded to bytesPerLine.
std::string makeXwd(const std::vector<uint32_t>& pixels, bool msbFirst, uint32_t bytesPerLine) {
  const uint32_t headerSize = 100 + 8, colours = 2;
  std::string bytes;
  uint32_t header[25] = {headerSize,
                         7,
                         2,
                         24,
                         static_cast<uint32_t>(pixels.size()),
                         1,
                         0,
                         msbFirst ? 1u : 0u,
                         32,
                         0,
                         32,
                         32,
                         bytesPerLine,
                         4,
                         0xff0000,
                         0xff00,
                         0xff,
                         8,
                         256,
                         colours,
                         static_cast<uint32_t>(pixels.size()),
                         1,
                         0,
                         0,
                         0};
  for (uint32_t word : header) putWord(bytes, word);
  bytes += "quillo";
  bytes.resize(headerSize, '\0');
  bytes.append(colours * 12, '\x7f');
  for (uint32_t pixel : pixels) {
    for (int i = 0; i < 4; ++i) {
      int shift = msbFirst ? 24 - 8 * i : 8 * i;
      bytes += static_cast<char>((pixel >> shift) & 0xff);
    }
  }
  bytes.resize(headerSize + colours * 12 + bytesPerLine, '\0');
  return bytes;
}

TEST(XwdImage, ReadsPixelsInEitherByteOrderAsPaletteColours) {
  const auto& palette = builtInPalettes[SCHEME_DARK_ON_LIGHT];
  uint32_t cream = xwdImage::rgbOfLevels(63, 63, 55), title = xwdImage::rgbOfLevels(0, 0, 39);
  ASSERT_EQ(cream, 0xffffdfu);
  ASSERT_EQ(title, 0x00009eu);
  for (bool msbFirst : {false, true}) {
    std::vector<uint32_t> pixels = {cream, title, 0x123456};
    xwdImage::RgbImage image;
    std::string error;
    ASSERT_TRUE(xwdImage::parse(makeXwd(pixels, msbFirst, 16), image, error)) << error;
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 1);
    EXPECT_EQ(image.pixels, pixels) << "msbFirst " << msbFirst;
    EXPECT_EQ(xwdImage::colourNumbers(image, palette),
              (std::vector<uint8_t>{0, 14, xwdImage::NO_COLOUR}));
  }
}

TEST(XwdImage, RefusesDumpsThatDoNotHoldTheirPixels) {
  std::string whole = makeXwd({1, 2, 3}, false, 12);
  struct Case {
    const char* what;
    std::string bytes;
  };
  std::string notZPixmap = whole;
  notZPixmap[11] = 1;
  for (const Case& c : {Case{"empty", ""}, Case{"header cut short", whole.substr(0, 60)},
                        Case{"last pixel missing", whole.substr(0, whole.size() - 1)},
                        Case{"not a ZPixmap", notZPixmap}}) {
    xwdImage::RgbImage image;
    std::string error;
    EXPECT_FALSE(xwdImage::parse(c.bytes, image, error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
}

}  // namespace
