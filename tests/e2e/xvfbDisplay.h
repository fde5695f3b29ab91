#pragma once

// The private X display the real-window tests of one test program share: an Xvfb server on the
// first free display number from 90 up, started on first use and ended when the program ends.

#include <sys/types.h>

#include <string>

namespace xvfbDisplay {

constexpr int FIRST_NUMBER = 90;
constexpr int NUMBERS_TRIED = 100;
constexpr int START_TIMEOUT_MS = 15000;

struct DisplayState {
  pid_t pid = -1;
  int number = -1;
  int readyDescriptor = -1;  // kept open: Xvfb may write its number again
  std::string name;          // ":N"
  std::string logFile;
  int width = 640;  // the screen size; set before the first start
  int height = 480;
};

extern DisplayState displayState;

// The display's name, starting the server first if need be; empty (with error set) when no
// server could be started.
std::string ensureDisplay(std::string& error);
void stopDisplay();

}  // namespace xvfbDisplay
