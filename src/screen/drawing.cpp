// Lines, boxes and images on the surface. Everything is clipped to the screen.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "screen/private/surfaceState.h"

namespace screen {

namespace {

// Coordinates are widened before any arithmetic: a caller may pass anything an int holds, and
// sums or differences of such numbers must neither overflow nor wrap onto the screen.
using Coordinate = int64_t;

constexpr Coordinate RIGHT = SCREEN_WIDTH - 1, BOTTOM = SCREEN_HEIGHT - 1;

void fillRect(Coordinate x1, Coordinate y1, Coordinate x2, Coordinate y2, uint8_t colour) {
  Coordinate left = std::max(std::min(x1, x2), Coordinate{0});
  Coordinate right = std::min(std::max(x1, x2), RIGHT);
  Coordinate top = std::max(std::min(y1, y2), Coordinate{0});
  Coordinate bottom = std::min(std::max(y1, y2), BOTTOM);
  if (left > right || top > bottom) return;
  for (Coordinate y = top; y <= bottom; ++y) {
    std::fill(surface.pixels + y * SCREEN_WIDTH + left,
              surface.pixels + y * SCREEN_WIDTH + right + 1, colour);
  }
}

// A line covers the pixels of the textbook integer algorithm run over its whole length: k steps
// along its major axis, the minor one has moved floor((2 minor k + major) / (2 major)) steps.
// Only the steps whose pixel lies on the screen are taken, and they are found directly, so a
// line cut by the edges shows exactly its part of the whole line, and one that starts far off
// the screen costs no more than one on it. Products of such distances need more than 64 bits.
using Wide = __int128;

Wide floorDivide(Wide numerator, Wide denominator) {  // denominator > 0
  Wide quotient = numerator / denominator;
  return quotient * denominator > numerator ? quotient - 1 : quotient;
}

struct Axis {
  Coordinate start, step, last;  // first value, +1 or -1 per step, the screen's last value
};

// The steps s for which start + step * s lies on the screen.
void stepsOnScreen(const Axis& axis, Wide& low, Wide& high) {
  low = axis.step > 0 ? -axis.start : axis.start - axis.last;
  high = axis.step > 0 ? axis.last - axis.start : axis.start;
}

// With a phase, only every other DOT_LENGTH pixels are drawn, counting on from it along the whole
// line, so the pattern runs on from one segment to the next.
constexpr int DOT_LENGTH = 2;

void line(Coordinate x1, Coordinate y1, Coordinate x2, Coordinate y2, uint8_t colour,
          int* phase = nullptr) {
  const Coordinate dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
  const Axis x{x1, x1 < x2 ? 1 : -1, RIGHT}, y{y1, y1 < y2 ? 1 : -1, BOTTOM};
  const bool xMajor = dx >= dy;
  const Axis& majorAxis = xMajor ? x : y;
  const Axis& minorAxis = xMajor ? y : x;
  const Wide major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
  Wide first = 0, last = major, low, high;
  stepsOnScreen(majorAxis, low, high);
  first = std::max(first, low);
  last = std::min(last, high);
  stepsOnScreen(minorAxis, low, high);
  if (minor == 0) {
    if (low > 0 || high < 0) return;
  } else {
    // floor((2 minor k + major) / (2 major)) >= low, and <= high.
    first = std::max(first, -floorDivide(major - 2 * major * low, 2 * minor));
    last = std::min(last, -floorDivide(major - 2 * major * (high + 1), 2 * minor) - 1);
  }
  for (Wide k = first; k <= last; ++k) {
    const Coordinate along = static_cast<Coordinate>(k);
    const Coordinate across =
        major == 0 ? 0 : static_cast<Coordinate>(floorDivide(2 * minor * k + major, 2 * major));
    const Coordinate px = x.start + x.step * (xMajor ? along : across);
    const Coordinate py = y.start + y.step * (xMajor ? across : along);
    if (phase != nullptr && (*phase + k) % (2 * DOT_LENGTH) >= DOT_LENGTH) continue;
    surface.pixels[py * SCREEN_WIDTH + px] = colour;
  }
  if (phase != nullptr) *phase += static_cast<int>(major + 1);
}

ImageStore::Block* findImage(Image image) {
  if (image < 1 || image > static_cast<int>(imageStore.blocks.size())) return nullptr;
  ImageStore::Block& block = imageStore.blocks[image - 1];
  return block.width > 0 ? &block : nullptr;
}

}  // namespace

void drawDottedLine(int x1, int y1, int x2, int y2, int colour, int& phase) {
  line(x1, y1, x2, y2, static_cast<uint8_t>(colour), &phase);
}

void drawLine(int x1, int y1, int x2, int y2, int colour, Shape shape, bool relative) {
  Coordinate left = x1, top = y1, right = x2, bottom = y2;
  if (relative) {
    right += left;
    bottom += top;
  }
  if (colour == CURRENT_COLOUR) colour = textState.foreground;
  uint8_t c = static_cast<uint8_t>(colour);
  switch (shape) {
    case Shape::Line:
      line(left, top, right, bottom, c);
      break;
    case Shape::Box:
      fillRect(left, top, right, top, c);
      fillRect(left, bottom, right, bottom, c);
      fillRect(left, top, left, bottom, c);
      fillRect(right, top, right, bottom, c);
      break;
    case Shape::FilledBox:
      fillRect(left, top, right, bottom, c);
      break;
  }
  surface.pixelsChanged = true;
}

Image createImage(int width, int height) {
  if (width < 1 || height < 1 || width > SCREEN_WIDTH || height > SCREEN_HEIGHT) return 0;
  size_t slot = 0;
  while (slot < imageStore.blocks.size() && imageStore.blocks[slot].width > 0) ++slot;
  if (slot == imageStore.blocks.size()) imageStore.blocks.emplace_back();
  ImageStore::Block& block = imageStore.blocks[slot];
  block.width = width;
  block.height = height;
  block.pixels.assign(static_cast<size_t>(width) * height, 0);
  return static_cast<Image>(slot + 1);
}

void destroyImage(Image& image) {
  if (ImageStore::Block* block = findImage(image)) *block = {};
  image = 0;
}

void captureRect(int x1, int y1, int x2, int y2, Image image, bool relative) {
  ImageStore::Block* block = findImage(image);
  if (!block) return;
  Coordinate right = x2, bottom = y2;
  if (relative) {
    right += x1;
    bottom += y1;
  }
  Coordinate left = std::min<Coordinate>(x1, right), top = std::min<Coordinate>(y1, bottom);
  Coordinate width = std::min<Coordinate>(std::abs(right - x1) + 1, block->width);
  Coordinate height = std::min<Coordinate>(std::abs(bottom - y1) + 1, block->height);
  // Row by row: the part on the screen is copied, what lies beyond its edges reads as 0.
  const Coordinate from = std::clamp<Coordinate>(-left, 0, width);
  const Coordinate to = std::clamp<Coordinate>(SCREEN_WIDTH - left, from, width);
  for (Coordinate y = 0; y < height; ++y) {
    uint8_t* row = block->pixels.data() + y * block->width;
    const Coordinate py = top + y;
    if (py < 0 || py > BOTTOM) {
      std::fill(row, row + width, 0);
      continue;
    }
    std::fill(row, row + from, 0);
    if (from < to) {
      const uint8_t* source = surface.pixels + py * SCREEN_WIDTH + (left + from);
      std::copy(source, source + (to - from), row + from);
    }
    std::fill(row + to, row + width, 0);
  }
}

void pasteImage(int x, int y, Image image) {
  const ImageStore::Block* block = findImage(image);
  if (!block) return;
  for (Coordinate row = 0; row < block->height; ++row) {
    Coordinate py = y + row;
    if (py < 0 || py > BOTTOM) continue;
    Coordinate from = std::max<Coordinate>(0, -Coordinate{x});
    Coordinate to = std::min<Coordinate>(block->width, SCREEN_WIDTH - Coordinate{x});
    if (from >= to) continue;
    const uint8_t* source = block->pixels.data() + row * block->width;
    std::copy(source + from, source + to, surface.pixels + py * SCREEN_WIDTH + x + from);
  }
  surface.pixelsChanged = true;
}

}  // namespace screen
