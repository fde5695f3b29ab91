#include "support/scratchDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

ScratchDirectory::ScratchDirectory() {
  std::error_code error;
  previous = std::filesystem::current_path(error);
  path = scratch::makeTemporaryDirectory("quilloTest");
  if (path.empty()) ADD_FAILURE() << "cannot create a scratch directory";
  std::filesystem::current_path(path, error);
  if (error) ADD_FAILURE() << "cannot enter " << path << ": " << error.message();
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code error;
  std::filesystem::current_path(previous, error);
  std::filesystem::remove_all(path, error);
}

namespace scratch {

std::filesystem::path makeTemporaryDirectory(const std::string& prefix) {
  static constexpr std::string_view LETTERS =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static std::mt19937 random{std::random_device{}()};
  std::error_code error;
  std::filesystem::path base = std::filesystem::temp_directory_path(error);
  if (error) return {};
  // create_directory reports whether it made the directory, so a name taken by another test
  // run is never shared.
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = prefix;
    for (int i = 0; i < 6; ++i) name += LETTERS[random() % LETTERS.size()];
    if (std::filesystem::create_directory(base / name, error)) return base / name;
  }
  return {};
}

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
