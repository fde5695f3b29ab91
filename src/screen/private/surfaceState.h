#pragma once

// The state behind the screen services, shared by the drawing code and the platform backends.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "screen/screen.h"

namespace screen {

struct Surface {
  uint8_t pixels[SCREEN_WIDTH * SCREEN_HEIGHT] = {};
  int32_t palette[PALETTE_SIZE] = {};
  // Set by every change; the backend clears them when it has shown the change.
  bool pixelsChanged = true;
  bool paletteChanged = true;
};

struct TextState {
  int columns = 80;
  int rows = 30;
  int cellHeight = 16;
  int row = 1;
  int column = 1;
  int foreground = 15;
  int background = 0;
  bool windowOpen = false;
  int windowScale = 0;
};

struct ImageStore {
  struct Block {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
  };
  std::vector<Block> blocks;  // image n lives at index n - 1; an empty block is a free slot
};

// Sounds the backend has made playable, by the name the program asked for; a name that could
// not be used stands for the built-in chime, so no file is looked at twice.
struct SoundStore {
  std::map<std::string, int, std::less<>> sounds;
  int chime = -1;
  bool chimeTried = false;
};

extern Surface surface;
extern TextState textState;
extern ImageStore imageStore;
extern SoundStore soundStore;

// The VGA colours the window starts with before any palette is applied.
void resetPalette();
// Puts the whole screen state back to how a freshly opened window has it.
void resetScreenState();

}  // namespace screen
