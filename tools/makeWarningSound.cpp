// Build-time tool: writes the warning chime played for a refused character to every path given.

#include <cstdio>
#include <string>

#include "screen/warningChime.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: makeWarningSound OUTPUT.wav...\n");
    return 2;
  }
  const std::string bytes = screen::warningChimeWave();
  for (int i = 1; i < argc; ++i) {
    std::FILE* f = std::fopen(argv[i], "wb");
    bool written = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f && std::fclose(f) != 0) written = false;
    if (!written) {
      std::fprintf(stderr, "makeWarningSound: cannot write %s\n", argv[i]);
      return 1;
    }
  }
  return 0;
}
