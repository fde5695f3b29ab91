#pragma once

// The chime played for a refused key when no usable sound file is at hand, and the file the
// build writes for the working directory.

#include <string>

namespace screen {

// A whole wave file: a soft two-tone chime of 0.12 s, 44.1 kHz, 16-bit mono PCM.
std::string warningChimeWave();

}  // namespace screen
