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

int outCode(Coordinate x, Coordinate y) {
  return (x < 0 ? 1 : x > RIGHT ? 2 : 0) | (y < 0 ? 4 : y > BOTTOM ? 8 : 0);
}

// Cuts the line to the part on the screen (Cohen and Sutherland); false when none of it is.
// A line that lies on the screen is left exactly as it is.
bool clipLine(Coordinate& x1, Coordinate& y1, Coordinate& x2, Coordinate& y2) {
  // Each pass puts one end on an edge; rounding can ask for a few more, never many.
  for (int pass = 0;; ++pass) {
    int code1 = outCode(x1, y1), code2 = outCode(x2, y2);
    if ((code1 | code2) == 0) return true;
    if ((code1 & code2) || pass == 8) return false;
    int code = code1 ? code1 : code2;
    long double dx = static_cast<long double>(x2 - x1), dy = static_cast<long double>(y2 - y1);
    Coordinate x, y;
    if (code & 8) {
      y = BOTTOM;
      x = x1 + std::llround(dx * (BOTTOM - y1) / dy);
    } else if (code & 4) {
      y = 0;
      x = x1 + std::llround(dx * -y1 / dy);
    } else if (code & 2) {
      x = RIGHT;
      y = y1 + std::llround(dy * (RIGHT - x1) / dx);
    } else {
      x = 0;
      y = y1 + std::llround(dy * -x1 / dx);
    }
    if (code == code1) {
      x1 = x;
      y1 = y;
    } else {
      x2 = x;
      y2 = y;
    }
  }
}

// With a phase, only every other DOT_LENGTH pixels are drawn, counting on from it.
constexpr int DOT_LENGTH = 2;

void line(Coordinate x1, Coordinate y1, Coordinate x2, Coordinate y2, uint8_t colour,
          int* phase = nullptr) {
  if (!clipLine(x1, y1, x2, y2)) return;
  Coordinate dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
  Coordinate sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  Coordinate error = dx + dy;
  for (;;) {
    // Rounding at the cut may leave an end a pixel off the screen.
    const bool dot = phase == nullptr || (*phase)++ % (2 * DOT_LENGTH) < DOT_LENGTH;
    if (dot && outCode(x1, y1) == 0) surface.pixels[y1 * SCREEN_WIDTH + x1] = colour;
    if (x1 == x2 && y1 == y2) break;
    Coordinate twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x1 += sx;
    }
    if (twice <= dx) {
      error += dx;
      y1 += sy;
    }
  }
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
