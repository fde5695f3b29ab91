#include "controls/inputLoop.h"

#include <algorithm>

#include "editor/characterMask.h"
#include "editor/fieldCursor.h"
#include "screen/screen.h"

InputLoop inputLoop;

namespace {

constexpr unsigned char MACRO_KEY_PREFIX = 255;
constexpr unsigned char MACRO_WAIT = '?';
// A long macro would otherwise leave the window unserved until it ends or waits: nothing new
// shown, the close button unheard. About one frame, or a batch of cheap steps.
constexpr int MACRO_STEPS_PER_SERVICE = 256;
constexpr double MACRO_SERVICE_SECONDS = 0.015;

// Past the end of the buffer reads as 0, which gives no event and ends playback.
unsigned char nextMacroByte() {
  int index = inputLoop.macroReadPos - 1;
  ++inputLoop.macroReadPos;
  if (index < 0 || index >= static_cast<int>(inputLoop.macroBuffer.size())) return 0;
  return static_cast<unsigned char>(inputLoop.macroBuffer[index]);
}

// Keys and clicks that arrive meanwhile stay queued for the readers after the macro.
void serviceDuringMacro() {
  InputLoop& in = inputLoop;
  if (++in.macroStepsUnserviced < MACRO_STEPS_PER_SERVICE &&
      screen::readSeconds() - in.lastServiceSeconds < MACRO_SERVICE_SECONDS) {
    return;
  }
  screen::serviceWindow();
  in.macroStepsUnserviced = 0;
  in.lastServiceSeconds = screen::readSeconds();
  // The close button must reach even a macro that would never stop, one that starts itself
  // again, say: playback waits, so the queue is read and the close button ends the macro as it
  // ends any waiting one.
  if (screen::closeRequested()) in.macroWaiting = true;
}

// One byte (or key code) of a playing macro. Sets `delivered` for a key code, which is handed
// over at once without the end-of-buffer test.
EventCode macroStep(bool& delivered) {
  unsigned char byte = nextMacroByte();
  if (byte == MACRO_KEY_PREFIX) {
    unsigned char code = nextMacroByte();
    delivered = true;
    return code >= 1 && code <= 9 ? EVENT_MACRO_BASE + code : EVENT_KEY_BASE + code;
  }
  EventCode event = 0;
  if (byte == MACRO_WAIT) {
    inputLoop.macroWaiting = true;
  } else {
    event = byte;
  }
  if (inputLoop.macroReadPos > static_cast<int>(inputLoop.macroBuffer.size())) {
    inputLoop.macroPlaying = false;
  }
  return event;
}

bool isAllowedControlKey(unsigned char code) {
  return std::find(std::begin(ALLOWED_CONTROL_KEYS), std::end(ALLOWED_CONTROL_KEYS), code) !=
         std::end(ALLOWED_CONTROL_KEYS);
}

// Some keys have the extended code of a control key's or a mouse action's event: Alt+U that of
// Ctrl+V, Alt+] that of Esc, Ctrl+F2 that of a right-button release. They must not act as those.
bool readsAsAnotherEvent(unsigned char code) {
  EventCode event = EVENT_KEY_BASE + code;
  return isAllowedControlKey(code) || event == EVENT_WHEEL_UP || event == EVENT_WHEEL_DOWN ||
         event == EVENT_LEFT_PRESS || event == EVENT_LEFT_RELEASE || event == EVENT_RIGHT_PRESS ||
         event == EVENT_RIGHT_RELEASE;
}

EventCode keyboardStep(int screenMode, bool blink) {
  std::string key = screen::pollKey();
  if (key.empty()) {
    bool blinking = screenMode > 0 && blink;
    if (blinking) blinkCursor();
    // Asleep until the next event, or until the cursor's next blink; wheel steps already counted
    // are handed out one per call without waiting.
    int waitMs = inputLoop.wheelStepsLeft ? 0 : blinking ? msUntilNextBlink() : -1;
    screen::waitForInput(waitMs);
    return 0;
  }
  unsigned char code = static_cast<unsigned char>(key.size() >= 2 ? key[1] : key[0]);
  if (key.size() >= 2) return readsAsAnotherEvent(code) ? 0 : EVENT_KEY_BASE + code;
  if (charInMask(key[0])) return code;
  if (isAllowedControlKey(code)) return EVENT_KEY_BASE + code;
  playIllegalChar();
  return 0;
}

EventCode buttonEvent(int buttons, int x, int y) {
  int last = inputLoop.lastButtons;
  if (buttons == 0 && last == 1) return EVENT_LEFT_RELEASE;
  if (buttons == 0 && last == 2) return EVENT_RIGHT_RELEASE;
  if (buttons == 1 && (last == 0 || x != inputLoop.lastX || y != inputLoop.lastY)) {
    return EVENT_LEFT_PRESS;
  }
  if (buttons == 2 && last == 0) return EVENT_RIGHT_PRESS;
  return 0;
}

EventCode mouseStep(int& pointerY, int& pointerX, int screenMode) {
  int wheel = 0, buttons = 0;
  screen::pollMouse(pointerX, pointerY, wheel, buttons);
  if (pointerX < 0 || pointerY < 0) {
    inputLoop.wheelStepsLeft = false;  // they are reported once the pointer is back
    return 0;
  }
  // A text screen reports the pointer in cells.
  if (screenMode == 0) {
    pointerX = screen::xToColumn(pointerX);
    pointerY = screen::yToRow(pointerY, screen::cellHeight());
  }
  // One wheel step per poll, so a fast turn arrives as several events in a row.
  EventCode event = 0;
  if (wheel > inputLoop.lastWheel) {
    ++inputLoop.lastWheel;
    event = EVENT_WHEEL_UP;
  } else if (wheel < inputLoop.lastWheel) {
    --inputLoop.lastWheel;
    event = EVENT_WHEEL_DOWN;
  }
  inputLoop.wheelStepsLeft = wheel != inputLoop.lastWheel;
  EventCode button = buttonEvent(buttons, pointerX, pointerY);
  if (button != 0) event = button;
  inputLoop.lastButtons = buttons;
  inputLoop.lastX = pointerX;
  inputLoop.lastY = pointerY;
  return event;
}

}  // namespace

EventCode nextInputEvent(int& pointerY, int& pointerX, int screenMode, std::string_view mask,
                         bool blink) {
  buildMaskTable(mask);
  EventCode event = 0;
  while (event <= 0) {
    if (inputLoop.macroPlaying && !inputLoop.macroWaiting) {
      serviceDuringMacro();
      bool delivered = false;
      event = macroStep(delivered);
      if (delivered) break;
    } else {
      event = keyboardStep(screenMode, blink);
    }
    if (event <= 0 && (!inputLoop.macroPlaying || inputLoop.macroWaiting)) {
      event = mouseStep(pointerY, pointerX, screenMode);
    }
  }
  return event;
}
