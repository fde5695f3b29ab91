#include "support/scratchDirectory.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

ScratchDirectory::ScratchDirectory() {
  std::error_code error;
  previous = std::filesystem::current_path(error);
  std::string pattern = (std::filesystem::temp_directory_path(error) / "quilloTestXXXXXX").string();
  if (!mkdtemp(pattern.data())) ADD_FAILURE() << "cannot create a scratch directory";
  path = pattern;
  std::filesystem::current_path(path, error);
  if (error) ADD_FAILURE() << "cannot enter " << path << ": " << error.message();
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code error;
  std::filesystem::current_path(previous, error);
  std::filesystem::remove_all(path, error);
}

namespace scratch {

void writeFile(const std::string& name, std::string_view bytes) {
  std::ofstream file(name, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) ADD_FAILURE() << "cannot write " << name;
}

std::string readFile(const std::string& name) {
  std::ifstream file(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> fileNames() {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(".", error), end; !error && entry != end;
       entry.increment(error)) {
    names.push_back(entry->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace scratch
