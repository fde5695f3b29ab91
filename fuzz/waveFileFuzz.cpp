// Feeds arbitrary bytes to the wave file check. Whatever it accepts must at least have the
// RIFF/WAVE frame and fit the size limit, since the sound library will trust it.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "screen/waveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!screen::isPlayableWave(bytes)) return 0;
  if (size > screen::MAX_WAVE_BYTES || bytes.substr(0, 4) != "RIFF" ||
      bytes.substr(8, 4) != "WAVE" || bytes.find("fmt ", 12) == std::string_view::npos ||
      bytes.find("data", 12) == std::string_view::npos) {
    std::abort();
  }
  return 0;
}
