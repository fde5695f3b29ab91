#pragma once

// Seeded random input for whole-program storms, made up as the program asks for it so that
// clicks can aim at the buttons it has registered at that moment.

#include <deque>
#include <random>
#include <string>

#include "support/monkeyFiles.h"

namespace monkey {

struct Storm {
  std::mt19937 random;
  long eventsLeft = 0;  // for the whole storm; the run in progress ends when it reaches 0
  long eventsGiven = 0;
  // The mouse as last scripted.
  int x = 320;
  int y = 240;
  int buttons = 0;
  bool writeBudgetSet = false;  // a write budget was set during the run in progress
  PlantedFiles files;
  std::deque<std::string> recent;  // the latest events, described, for a failure report
};

// Appends the next event or few events to the headless script. With no events left it only lets
// go of the mouse buttons, so that the script's end, the window's close button, ends the run.
void scriptNextEvents(Storm& storm);

// The latest events, oldest first, one per line.
std::string recentEvents(const Storm& storm);

int randomBelow(Storm& storm, int bound);
bool chance(Storm& storm, int percent);

}  // namespace monkey
