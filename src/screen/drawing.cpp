// Lines, boxes and images on the surface. Everything is clipped to the screen.

#include <algorithm>
#include <cstdlib>

#include "screen/surfaceState.h"

namespace screen {

ImageStore imageStore;

namespace {

void plot(int x, int y, uint8_t colour) {
  if (x >= 0 && y >= 0 && x < SCREEN_WIDTH && y < SCREEN_HEIGHT) {
    surface.pixels[y * SCREEN_WIDTH + x] = colour;
  }
}

void fillRect(int x1, int y1, int x2, int y2, uint8_t colour) {
  int left = std::max(std::min(x1, x2), 0), right = std::min(std::max(x1, x2), SCREEN_WIDTH - 1);
  int top = std::max(std::min(y1, y2), 0), bottom = std::min(std::max(y1, y2), SCREEN_HEIGHT - 1);
  for (int y = top; y <= bottom; ++y) {
    std::fill(surface.pixels + y * SCREEN_WIDTH + left,
              surface.pixels + y * SCREEN_WIDTH + right + 1, colour);
  }
}

void line(int x1, int y1, int x2, int y2, uint8_t colour) {
  int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
  int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    plot(x1, y1, colour);
    if (x1 == x2 && y1 == y2) break;
    int twice = 2 * error;
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

void drawLine(int x1, int y1, int x2, int y2, int colour, Shape shape, bool relative) {
  if (relative) {
    x2 += x1;
    y2 += y1;
  }
  if (colour == CURRENT_COLOUR) colour = textState.foreground;
  uint8_t c = static_cast<uint8_t>(colour);
  switch (shape) {
    case Shape::Line:
      line(x1, y1, x2, y2, c);
      break;
    case Shape::Box:
      fillRect(x1, y1, x2, y1, c);
      fillRect(x1, y2, x2, y2, c);
      fillRect(x1, y1, x1, y2, c);
      fillRect(x2, y1, x2, y2, c);
      break;
    case Shape::FilledBox:
      fillRect(x1, y1, x2, y2, c);
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
  if (relative) {
    x2 += x1;
    y2 += y1;
  }
  int left = std::min(x1, x2), top = std::min(y1, y2);
  int width = std::min(std::abs(x2 - x1) + 1, block->width);
  int height = std::min(std::abs(y2 - y1) + 1, block->height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      block->pixels[static_cast<size_t>(y) * block->width + x] = pixelAt(left + x, top + y);
    }
  }
}

void pasteImage(int x, int y, Image image) {
  const ImageStore::Block* block = findImage(image);
  if (!block) return;
  for (int row = 0; row < block->height; ++row) {
    int py = y + row;
    if (py < 0 || py >= SCREEN_HEIGHT) continue;
    int from = std::max(0, -x), to = std::min(block->width, SCREEN_WIDTH - x);
    if (from >= to) continue;
    const uint8_t* source = block->pixels.data() + static_cast<size_t>(row) * block->width;
    std::copy(source + from, source + to, surface.pixels + py * SCREEN_WIDTH + x + from);
  }
  surface.pixelsChanged = true;
}

}  // namespace screen
