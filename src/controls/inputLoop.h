#pragma once

// The one loop through which keys, mouse actions and macro keys reach the screens.

#include <cstdint>
#include <string>
#include <string_view>

#include "controls/eventCodes.h"

// Control characters that become events although no mask admits them, in the order checked.
constexpr unsigned char ALLOWED_CONTROL_KEYS[] = {13, 27, 8, 10, 9, 3, 22, 24};

// The screen mode of the 640x480 graphics screen, the one the program runs in.
constexpr int GRAPHICS_SCREEN_MODE = 12;

struct InputLoop {
  // Shared with the screens: the last event a screen obtained and the pointer in pixels,
  // negative while the pointer is outside the window.
  EventCode lastEvent = 0;
  int pointerX = 0;
  int pointerY = 0;
  // The mouse as of the last poll inside the window.
  int lastWheel = 0;
  int lastButtons = 0;
  int lastX = 0;
  int lastY = 0;
  bool wheelStepsLeft = false;  // the last poll counted more wheel steps than were reported
  // Macro playback: plain characters and two-byte key codes (255, code).
  std::string macroBuffer;
  int macroReadPos = 1;  // 1-based
  bool macroPlaying = false;
  bool macroWaiting = false;  // stopped at a "?" until the user answers
  // Playback reads no input; the window is looked after every so many steps or milliseconds.
  int macroStepsUnserviced = 0;
  double lastServiceSeconds = 0;
};

extern InputLoop inputLoop;

// Waits until something happens and returns it. The pointer is written by every mouse poll:
// pixels on a graphics screen (mode > 0), 1-based text cells on a text screen (mode 0). An empty
// mask admits no character. Blink is true while a field is edited.
EventCode nextInputEvent(int& pointerY, int& pointerX, int screenMode, std::string_view mask,
                         bool blink);
