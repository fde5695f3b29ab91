// Window, keyboard, mouse, time, sound and clipboard services over the platform backend.

#include <cstdlib>

#include "screen/platform.h"
#include "screen/surfaceState.h"

namespace screen {

InputState input;

void resetScreenState() {
  surface = {};
  textState = {};
  imageStore = {};
  input = {};
  resetPalette();
}

void setWindowScale(int scale) {
  textState.windowScale = scale;
}

int fittingWindowScale(int usableWidth, int usableHeight) {
  int scale = MAX_WINDOW_SCALE;
  while (scale > 1 && (3 * SCREEN_WIDTH * scale > 2 * usableWidth ||
                       3 * SCREEN_HEIGHT * scale > 2 * usableHeight)) {
    --scale;
  }
  return scale;
}

void openScreen() {
  if (textState.windowOpen) return;
  resetPalette();
  textState.windowOpen = platform::openWindow(textState.windowScale);
  // Everything the program does needs the window; without one it could only wait forever.
  if (!textState.windowOpen) std::exit(1);
}

bool screenExists() {
  return textState.windowOpen;
}

void screenSize(int& width, int& height) {
  width = SCREEN_WIDTH;
  height = SCREEN_HEIGHT;
}

void endProgram() {
  platform::closeWindow();
  textState.windowOpen = false;
  std::exit(0);
}

void serviceWindow() {
  platform::serviceEvents();
}

bool closeRequested() {
  const std::string close{EXTENDED, static_cast<char>(KEY_CLOSE)};
  for (const std::string& key : input.keys) {
    if (key == close) return true;
  }
  return false;
}

std::string pollKey() {
  platform::pumpEvents();
  if (input.keys.empty()) return {};
  std::string key = std::move(input.keys.front());
  input.keys.pop_front();
  return key;
}

void pollMouse(int& x, int& y, int& wheel, int& buttons) {
  platform::pumpEvents();
  input.mouseSeen = true;
  // While a button is held the window keeps getting the pointer's moves beyond its edges.
  bool onSurface = input.mouseX >= 0 && input.mouseX < SCREEN_WIDTH && input.mouseY >= 0 &&
                   input.mouseY < SCREEN_HEIGHT;
  if (!input.pointerInside || !onSurface) {
    x = y = wheel = buttons = -1;
    return;
  }
  x = input.mouseX;
  y = input.mouseY;
  wheel = input.wheel;
  buttons = input.buttons;
}

double readSeconds() {
  return platform::seconds();
}

void sleepMs(int milliseconds) {
  platform::sleepMs(milliseconds);
}

void playSound(std::string_view name) {
  platform::playWave(std::string(name));
}

bool isWindowActive() {
  return screenExists() && platform::windowActive();
}

bool clipboardHasText() {
  return platform::clipboardHasText();
}

std::string clipboardText() {
  return platform::clipboardText();
}

void setClipboardText(std::string_view text) {
  platform::setClipboardText(text);
}

}  // namespace screen
