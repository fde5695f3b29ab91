// Window, keyboard, mouse, time, sound and clipboard services over the platform backend.

#include <cstdlib>
#include <deque>

#include "screen/platform.h"
#include "screen/private/surfaceState.h"

namespace screen {

namespace {

struct MouseState {
  int x = -1;
  int y = -1;
  int buttons = 0;
  bool inside = false;
};

// Keys and mouse states as the backend handed them over, until the program polls them.
struct InputState {
  std::deque<std::string> keys;
  MouseState shown;  // what pollMouse reports
  // Button changes and leavings not shown yet, oldest first. A click quicker than one poll would
  // otherwise never show: each poll of the mouse takes the next one.
  std::deque<MouseState> waiting;
  bool shownPolled = true;
  int wheel = 0;
  bool quitRequested = false;  // sticky: every poll reports the close button from then on
  void (*sessionEndAction)() = nullptr;
};

InputState input;

constexpr size_t MAX_WAITING_MOUSE_STATES = 32;

MouseState& newestMouseState() {
  return input.waiting.empty() ? input.shown : input.waiting.back();
}

void addMouseState(const MouseState& state) {
  if (input.shownPolled && input.waiting.empty()) {
    input.shown = state;
    input.shownPolled = false;
  } else if (input.waiting.size() < MAX_WAITING_MOUSE_STATES) {
    input.waiting.push_back(state);
  } else {
    input.waiting.back() = state;  // a program that never polls the mouse
  }
}

}  // namespace

void resetScreenState() {
  surface = {};
  textState = {};
  imageStore = {};
  input = {};
  soundStore = {};
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

void setSessionEndAction(void (*action)()) {
  input.sessionEndAction = action;
}

void endSessionNow() {
  if (input.sessionEndAction) input.sessionEndAction();
  endProgram();
}

void serviceWindow() {
  platform::serviceEvents();
}

bool closeRequested() {
  if (input.quitRequested) return true;
  const std::string close{EXTENDED, static_cast<char>(KEY_CLOSE)};
  for (const std::string& key : input.keys) {
    if (key == close) return true;
  }
  return false;
}

void requestQuit() {
  input.quitRequested = true;
}

std::string pollKey() {
  platform::pumpEvents();
  if (input.quitRequested) return std::string{EXTENDED, static_cast<char>(KEY_CLOSE)};
  if (input.keys.empty()) return {};
  std::string key = std::move(input.keys.front());
  input.keys.pop_front();
  return key;
}

void pollMouse(int& x, int& y, int& wheel, int& buttons) {
  platform::pumpEvents();
  if (input.shownPolled && !input.waiting.empty()) {
    input.shown = input.waiting.front();
    input.waiting.pop_front();
  }
  input.shownPolled = true;
  const MouseState& shown = input.shown;
  // While a button is held the window keeps getting the pointer's moves beyond its edges.
  bool onSurface =
      shown.x >= 0 && shown.x < SCREEN_WIDTH && shown.y >= 0 && shown.y < SCREEN_HEIGHT;
  if (!shown.inside || !onSurface) {
    x = y = wheel = buttons = -1;
    return;
  }
  x = shown.x;
  y = shown.y;
  wheel = input.wheel;
  buttons = shown.buttons;
}

void queueKey(std::string_view pollResult) {
  input.keys.emplace_back(pollResult);
}

void mouseChange(int x, int y, int buttons) {
  addMouseState({x, y, buttons, true});
}

void mouseMoved(int x, int y) {
  MouseState& newest = newestMouseState();
  newest.x = x;
  newest.y = y;
  newest.inside = true;
}

void wheelTurned(int steps) {
  input.wheel += steps;
}

void pointerLeft() {
  MouseState left = newestMouseState();
  left.inside = false;
  addMouseState(left);
}

void pointerEntered() {
  newestMouseState().inside = true;
}

bool inputWaiting() {
  return !input.keys.empty() || !input.shownPolled || !input.waiting.empty();
}

double readSeconds() {
  return platform::seconds();
}

void sleepMs(int milliseconds) {
  platform::sleepMs(milliseconds);
}

void waitForInput(int milliseconds) {
  if (milliseconds == 0 || input.quitRequested || inputWaiting()) return;
  platform::waitForEvent(milliseconds);
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
