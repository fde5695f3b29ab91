#pragma once

// The files a storm puts in the program's working directory: options and palette files present,
// missing, garbled or in the way as directories, and keystroke macros of random keys.

#include <random>
#include <string>

namespace monkey {

// What stands under one name in the working directory.
struct DirectoryEntry {
  bool exists = false;
  bool directory = false;
  std::string bytes;
  bool operator==(const DirectoryEntry&) const = default;
};

DirectoryEntry lookAt(const std::string& name);

constexpr const char* PALETTE_FILE_NAMES[] = {"lightOnDarkPalette.txt", "darkOnLightPalette.txt"};

// Macros 1 to 4 hold random keys, 9 too; 5 clears the field and starts 9, the only way one macro
// starts another, so that no macro can start itself. 8 never exists.
constexpr const char* MACRO_NAMES = "1234589";

struct PlantedFiles {
  std::string optionsName;  // the spelling the options file was given
  DirectoryEntry options;
  // The palette files as last seen: planted, or as a check found them after the program wrote.
  DirectoryEntry palettes[2];
};

// Empties the working directory and plants a fresh random mix.
void plantFiles(std::mt19937& random, PlantedFiles& files);
// Replaces one file while the program runs; answers what it did.
std::string changeAFile(std::mt19937& random, PlantedFiles& files);

}  // namespace monkey
