#include "app/optionsFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "colours/colourScheme.h"
#include "screen/screen.h"

Options options;

namespace {

constexpr const char* DEFAULT_SOUND = "ding.wav";
// One file under two spellings: read as the first, created as the second.
constexpr std::string_view READ_NAME = "QuilloOptions.txt";
constexpr std::string_view WRITE_NAME = "quilloOptions.txt";

char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, {}, lowerAscii, lowerAscii);
}

bool existsAsFile(const std::string& name) {
  std::error_code error;
  std::filesystem::file_status status = std::filesystem::status(name, error);
  return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

// The options file as it is spelled in the working directory, whatever its letter case, so that
// reading and writing reach the same file. The two usual spellings are tried by name first,
// which works in a directory that may be entered but not listed; any other spelling is found by
// listing. When several spellings exist the same one wins every time: the read spelling, then
// the written one, then the first of the others in byte order.
std::string existingOptionsFile(std::string_view fallback) {
  for (std::string_view usual : {READ_NAME, WRITE_NAME}) {
    if (existsAsFile(std::string(usual))) return std::string(usual);
  }
  std::string found;
  std::error_code error;
  std::filesystem::directory_iterator entry(".", error);
  for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
    std::string name = entry->path().filename().string();
    std::error_code typeError;
    if (!sameIgnoringCase(name, READ_NAME) || entry->is_directory(typeError)) continue;
    if (found.empty() || name < found) found = std::move(name);
  }
  return found.empty() ? std::string(fallback) : found;
}

void useDefaults() {
  options.soundFileName = DEFAULT_SOUND;
  colourSchemeState.colourScheme = SCHEME_DARK_ON_LIGHT;
}

}  // namespace

void readOptions() {
  const int fileNumber = screen::freeFileNumber();
  if (screen::openFile(existingOptionsFile(READ_NAME), screen::FileMode::ReadText, fileNumber) >
      0) {
    useDefaults();
    return;
  }
  int32_t scheme = 0;
  screen::readItem(fileNumber, options.soundFileName);
  screen::readItem(fileNumber, scheme);
  screen::closeFile(fileNumber);
  colourSchemeState.colourScheme = scheme;
  // The name is trusted only when the scheme number shows the file is in the expected form.
  if (scheme != SCHEME_LIGHT_ON_DARK && scheme != SCHEME_DARK_ON_LIGHT) useDefaults();
}

std::string optionsFileToWrite() {
  return existingOptionsFile(WRITE_NAME);
}

void writeOptions() {
  const int fileNumber = screen::freeFileNumber();
  if (screen::openFile(optionsFileToWrite(), screen::FileMode::WriteText, fileNumber) > 0) {
    return;
  }
  screen::writeItem(fileNumber, options.soundFileName, screen::Separator::LineEnd);
  screen::writeItem(fileNumber, colourSchemeState.colourScheme, screen::Separator::LineEnd);
  screen::closeFile(fileNumber);
}
