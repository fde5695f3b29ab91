#pragma once

// A fresh, empty working directory for one test, so that the files the program reads and writes
// beside itself start from nothing and vanish afterwards.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

struct ScratchDirectory {
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  std::filesystem::path path;
  std::filesystem::path previous;
};

namespace scratch {

// Creates a new directory under the system's temporary folder, named the prefix and six random
// letters or digits; empty when none could be made.
std::filesystem::path makeTemporaryDirectory(const std::string& prefix);

// Creates or replaces a file in the working directory with exactly these bytes.
void writeFile(const std::string& name, std::string_view bytes);
// The bytes of a file, named from the working directory or by its full path; empty when it
// cannot be read.
std::string readFile(const std::string& name);
// The names of the entries of the working directory, sorted.
std::vector<std::string> fileNames();

}  // namespace scratch
