#pragma once

// Wave files are checked before the sound library sees them: its loader trusts the header's
// numbers, and a crafted file can make it write past its buffers or convert gigabytes.

#include <cstddef>
#include <string_view>

namespace screen {

// A warning sound lasts a fraction of a second; these bounds leave room for any honest one.
constexpr size_t MAX_WAVE_BYTES = 16 << 20;
constexpr int MIN_WAVE_RATE = 8000;
constexpr int MAX_WAVE_RATE = 192000;
constexpr double MAX_WAVE_SECONDS = 60;

// Whether the bytes are a RIFF/WAVE file of plain PCM (1 or 2 channels, 8 or 16 bits, a sample
// rate in the bounds above) whose data chunk lies inside the file.
bool isPlayableWave(std::string_view bytes);

}  // namespace screen
