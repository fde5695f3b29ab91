// The checks a wave file passes before it is handed to the sound library.

#include "screen/waveFile.h"

#include <cstdint>

namespace screen {

namespace {

constexpr size_t RIFF_HEADER = 12;
constexpr size_t CHUNK_HEADER = 8;
constexpr size_t PCM_FORMAT_SIZE = 16;
constexpr uint32_t PCM = 1;

uint32_t littleEndian(std::string_view bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
  }
  return value;
}

struct Format {
  bool seen = false;
  uint32_t tag = 0, channels = 0, rate = 0, byteRate = 0, blockAlign = 0, bits = 0;
};

Format readFormat(std::string_view body) {
  Format format;
  if (body.size() < PCM_FORMAT_SIZE) return format;
  format.seen = true;
  format.tag = littleEndian(body, 0, 2);
  format.channels = littleEndian(body, 2, 2);
  format.rate = littleEndian(body, 4, 4);
  format.byteRate = littleEndian(body, 8, 4);
  format.blockAlign = littleEndian(body, 12, 2);
  format.bits = littleEndian(body, 14, 2);
  return format;
}

bool formatPlayable(const Format& format) {
  if (!format.seen || format.tag != PCM) return false;
  if (format.channels != 1 && format.channels != 2) return false;
  if (format.bits != 8 && format.bits != 16) return false;
  if (format.rate < MIN_WAVE_RATE || format.rate > MAX_WAVE_RATE) return false;
  return format.blockAlign == format.channels * format.bits / 8 &&
         format.byteRate == format.rate * format.blockAlign;
}

}  // namespace

bool isPlayableWave(std::string_view bytes) {
  if (bytes.size() > MAX_WAVE_BYTES || bytes.size() < RIFF_HEADER) return false;
  if (bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") return false;
  Format format;
  // Chunks follow one another, each padded to an even length; the format must come first.
  for (size_t at = RIFF_HEADER; bytes.size() - at >= CHUNK_HEADER;) {
    std::string_view id = bytes.substr(at, 4);
    size_t size = littleEndian(bytes, at + 4, 4);
    at += CHUNK_HEADER;
    if (size > bytes.size() - at) return false;
    std::string_view body = bytes.substr(at, size);
    if (id == "fmt ") {
      format = readFormat(body);
      if (!formatPlayable(format)) return false;
    } else if (id == "data") {
      return format.seen && size >= format.blockAlign &&
             static_cast<double>(size) / format.byteRate <= MAX_WAVE_SECONDS;
    }
    at += size + (size & 1);
    if (at > bytes.size()) return false;
  }
  return false;
}

}  // namespace screen
