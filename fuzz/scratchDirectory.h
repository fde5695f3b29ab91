#pragma once

// A private working directory for fuzz targets that write files, removed at exit. Memory-backed
// storage when the machine has it: a target writes a file or two for every input it runs.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fuzzScratch {

inline std::string directory;

inline void remove() {
  std::error_code error;
  std::filesystem::remove_all(directory, error);
}

// Makes the directory and works in it from now on; corpus paths must then be absolute.
inline void enter(const char* prefix) {
  for (const char* parent : {"/dev/shm", "/tmp"}) {
    std::string pattern = std::string(parent) + "/" + prefix + "XXXXXX";
    if (mkdtemp(pattern.data()) && chdir(pattern.c_str()) == 0) {
      directory = pattern;
      std::atexit(remove);
      return;
    }
  }
  std::abort();
}

}  // namespace fuzzScratch
