#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "controls/inputLoop.h"
#include "editor/fieldEditor.h"
#include "editor/macroFiles.h"
#include "screen/private/headless.h"
#include "screen/screen.h"

// Loading a macro file of several megabytes, and playing one back into a field.

namespace {

// A file like a hand-written macro, repeated: amounts, Enter, a function key, a line break.
std::string macroFileOf(size_t length) {
  const std::string piece = "250000;6.5;1,500;#1&2\r\n";
  std::string file;
  file.reserve(length + piece.size());
  while (file.size() < length) file += piece;
  file.resize(length);
  return file;
}

struct ScratchFile {
  std::filesystem::path directory;
  explicit ScratchFile(const std::string& bytes) {
    std::string pattern = (std::filesystem::temp_directory_path() / "quilloBenchXXXXXX").string();
    if (!mkdtemp(pattern.data())) return;
    directory = pattern;
    std::FILE* file = std::fopen((directory / "7.mac").c_str(), "wb");
    if (!file) return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  ~ScratchFile() { std::filesystem::remove_all(directory); }
};

void BM_loadMacro(benchmark::State& state) {
  const size_t length = static_cast<size_t>(state.range(0));
  ScratchFile scratchFile(macroFileOf(length));
  const std::string name = (scratchFile.directory / "7").string();
  for (auto _ : state) {
    loadMacro(name);
    benchmark::DoNotOptimize(inputLoop.macroBuffer.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * length));
}
BENCHMARK(BM_loadMacro)->Arg(4096)->Arg(4 << 20)->Unit(benchmark::kMillisecond);

// Typing played keys into a field: digits that fill it, then Home and Deletes that empty it.
void BM_playIntoField(benchmark::State& state) {
  const size_t rounds = static_cast<size_t>(state.range(0));
  const size_t eventsPerRound = 33;
  std::string buffer;
  for (size_t i = 0; i < rounds; ++i) {
    buffer += std::string(16, '1') + "\xffG";
    for (int d = 0; d < 16; ++d) buffer += "\xffS";
  }
  headless::reset();
  screen::openScreen();
  screen::setTextGrid(80, 30);
  for (auto _ : state) {
    inputLoop = {};
    inputLoop.macroBuffer = buffer;
    inputLoop.macroPlaying = true;
    std::string text;
    int firstVisible = 0, cursorPos = 0;
    headless::key("\t");
    editField(5, 19, text, 16, "(0-9)", inputLoop.pointerY, inputLoop.pointerX,
              GRAPHICS_SCREEN_MODE, 0, firstVisible, cursorPos);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * rounds * eventsPerRound));
}
BENCHMARK(BM_playIntoField)->Arg(1 << 15)->Unit(benchmark::kMillisecond);

}  // namespace
