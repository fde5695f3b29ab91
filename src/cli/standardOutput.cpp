#include "cli/standardOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

bool writeStandardOutput(std::string_view text) {
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
         std::fflush(stdout) == 0;
}

std::string standardOutputFailure(std::string_view command) {
  return std::string(command) + ": standard output could not be written: " + std::strerror(errno) +
         "\n";
}
