// The warning chime, computed: C6 then E6, each tone ringing out, the whole fading to silence.

#include "screen/warningChime.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace screen {

namespace {

constexpr int SAMPLE_RATE = 44100;
constexpr double DURATION = 0.12;
constexpr double PI = 3.14159265358979323846;

struct Tone {
  double frequency;
  double start;  // seconds
  double level;
};

// C6 then E6, a major third up: friendlier than a buzz, short enough not to nag.
constexpr Tone TONES[] = {{1046.5, 0.0, 0.30}, {1318.5, 0.045, 0.26}};
constexpr double ATTACK = 0.003;
constexpr double DECAY = 0.035;     // time constant of each tone's ring-out
constexpr double FADE_OUT = 0.030;  // the last stretch goes to silence, so the end cannot click

std::vector<int16_t> chime() {
  int count = static_cast<int>(DURATION * SAMPLE_RATE);
  std::vector<int16_t> samples(count);
  for (int i = 0; i < count; ++i) {
    double t = static_cast<double>(i) / SAMPLE_RATE;
    double value = 0;
    for (const Tone& tone : TONES) {
      double local = t - tone.start;
      if (local < 0) continue;
      double envelope = std::min(local / ATTACK, 1.0) * std::exp(-local / DECAY);
      double phase = 2 * PI * tone.frequency * local;
      // A touch of the octave gives the bell its shine.
      value += tone.level * envelope * (std::sin(phase) + 0.12 * std::sin(2 * phase));
    }
    double remaining = DURATION - t;
    if (remaining < FADE_OUT) value *= remaining / FADE_OUT;
    samples[i] = static_cast<int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * 32767));
  }
  return samples;
}

void put16(std::string& out, unsigned value) {
  out.push_back(static_cast<char>(value & 0xff));
  out.push_back(static_cast<char>((value >> 8) & 0xff));
}

void put32(std::string& out, unsigned value) {
  put16(out, value & 0xffff);
  put16(out, value >> 16);
}

void putTag(std::string& out, const char* tag) {
  out.append(tag, 4);
}

std::string waveFile(const std::vector<int16_t>& samples) {
  unsigned dataBytes = static_cast<unsigned>(samples.size() * 2);
  std::string out;
  putTag(out, "RIFF");
  put32(out, 36 + dataBytes);
  putTag(out, "WAVE");
  putTag(out, "fmt ");
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, 1);  // mono
  put32(out, SAMPLE_RATE);
  put32(out, SAMPLE_RATE * 2);
  put16(out, 2);
  put16(out, 16);
  putTag(out, "data");
  put32(out, dataBytes);
  for (int16_t sample : samples) put16(out, static_cast<uint16_t>(sample));
  return out;
}

}  // namespace

std::string warningChimeWave() {
  return waveFile(chime());
}

}  // namespace screen
