#include "screen/private/windowsRules.h"

#include <algorithm>
#include <array>

namespace screen::windowsRules {

namespace {

char upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool sameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return upper(x) == upper(y); });
}

// The superscript two of code page 437; superscripts one and three are not in it.
constexpr char SUPERSCRIPT_TWO = static_cast<char>(0xFD);

bool isPortDigit(char c) {
  return (c >= '0' && c <= '9') || c == SUPERSCRIPT_TWO;
}

}  // namespace

bool isDeviceName(std::string_view path) {
  size_t slash = path.find_last_of("/\\");
  std::string_view stem = slash == std::string_view::npos ? path : path.substr(slash + 1);
  stem = stem.substr(0, std::min(stem.find('.'), stem.find(':')));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  constexpr std::array<std::string_view, 6> plain = {"CON", "PRN",    "AUX",
                                                     "NUL", "CONIN$", "CONOUT$"};
  for (std::string_view device : plain) {
    if (sameLetters(stem, device)) return true;
  }
  return stem.size() == 4 &&
         (sameLetters(stem.substr(0, 3), "COM") || sameLetters(stem.substr(0, 3), "LPT")) &&
         isPortDigit(stem[3]);
}

std::string userDataDirectory(std::string_view appData) {
  if (appData.empty()) return {};
  std::string directory(appData);
  if (directory.back() != '\\' && directory.back() != '/') directory += '\\';
  return directory + "Quillo";
}

std::string defaultDataDirectory(bool installed, bool programFolderWritable,
                                 std::string_view programFolder, std::string_view appData) {
  if (!installed && programFolderWritable && !programFolder.empty()) {
    return std::string(programFolder);
  }
  return userDataDirectory(appData);
}

std::string crlfLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

std::string lfLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n') out += text[i];
  }
  return out;
}

}  // namespace screen::windowsRules
