#pragma once

// The two settings kept between runs: the sound file name and the colour scheme. They are read
// once at start-up and written once when the program ends.

#include <string>

struct Options {
  // Carried through from the file unchanged; nothing plays it.
  std::string soundFileName = "ding.wav";
};

extern Options options;

// Sets options.soundFileName and colourSchemeState.colourScheme; a missing or unusable file
// gives the defaults.
void readOptions();
// The name the options file is saved under: its present spelling, or the usual one.
std::string optionsFileToWrite();
// Saves both settings. A failure is silent and leaves the old file as it was.
void writeOptions();
