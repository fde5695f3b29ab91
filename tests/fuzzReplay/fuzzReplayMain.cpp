// Runs a fuzz target's entry point over an empty input and over every file of the corpus
// directories named on the command line, so the ordinary build keeps every saved input passing
// without clang or libFuzzer. A target that finds a fault aborts, which fails the test.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

bool readWhole(const std::filesystem::path& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
  // Corpus paths may be relative, and a target may change its working directory on start.
  std::vector<std::filesystem::path> directories;
  for (int i = 1; i < argc; ++i) directories.push_back(std::filesystem::absolute(argv[i]));
  if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);

  LLVMFuzzerTestOneInput(nullptr, 0);
  size_t count = 0;
  for (const std::filesystem::path& directory : directories) {
    std::error_code error;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
      if (entry.is_regular_file()) files.push_back(entry.path());
    }
    if (error) {
      std::fprintf(stderr, "cannot list %s: %s\n", directory.c_str(), error.message().c_str());
      return 1;
    }
    std::sort(files.begin(), files.end());
    for (const std::filesystem::path& file : files) {
      std::string bytes;
      if (!readWhole(file, bytes)) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return 1;
      }
      // A copy of exactly the input's size, so a read past its end shows under AddressSanitizer.
      std::vector<uint8_t> input(bytes.begin(), bytes.end());
      std::fprintf(stderr, "%s\n", file.filename().c_str());
      LLVMFuzzerTestOneInput(input.data(), input.size());
      ++count;
    }
  }
  std::printf("%zu inputs and the empty one passed\n", count);
  return 0;
}
