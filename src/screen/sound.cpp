// The warning sound: a wave file from the working directory when it is a sound that can be
// played safely, the built-in chime otherwise.

#include "screen/platform.h"
#include "screen/private/surfaceState.h"
#include "screen/warningChime.h"
#include "screen/waveFile.h"

namespace screen {

namespace {

int chime() {
  if (!soundStore.chimeTried) {
    soundStore.chimeTried = true;
    soundStore.chime = platform::loadWave(warningChimeWave());
  }
  return soundStore.chime;
}

int soundFor(std::string_view name) {
  std::string bytes;
  int sound = -1;
  if (readWholeFile(name, MAX_WAVE_BYTES, bytes) && isPlayableWave(bytes)) {
    sound = platform::loadWave(bytes);
  }
  return sound >= 0 ? sound : chime();
}

}  // namespace

void playSound(std::string_view name) {
  auto found = soundStore.sounds.find(name);
  if (found == soundStore.sounds.end()) {
    found = soundStore.sounds.emplace(std::string(name), soundFor(name)).first;
  }
  if (found->second >= 0) platform::playWave(found->second, found->first);
}

}  // namespace screen
