// The folder the program keeps its files in, entered as the working directory at start.

#include <filesystem>
#include <system_error>

#include "screen/private/hostPaths.h"
#include "screen/screen.h"

namespace screen {

std::string xdgDataDirectory(const char* xdgDataHome, const char* home) {
  // A relative XDG_DATA_HOME is invalid by the freedesktop base directory rules and is ignored.
  if (xdgDataHome && xdgDataHome[0] == '/') return std::string(xdgDataHome) + "/quillo";
  if (home && home[0] != '\0') return std::string(home) + "/.local/share/quillo";
  return {};
}

bool enterDataDirectory(bool asked, const std::string& given, std::string& error) {
  std::string directory = !asked          ? host::defaultDataDirectory()
                          : given.empty() ? host::userDataDirectory()
                                          : given;
  if (directory.empty() && asked) {
    error = "no data directory: " + std::string(host::USER_DATA_UNKNOWN);
    return false;
  }
  if (directory.empty()) return true;  // the working directory
  const std::filesystem::path path = host::pathOf(directory);
  std::error_code code;
  std::filesystem::create_directories(path, code);
  if (!code) std::filesystem::current_path(path, code);
  if (!code) return true;
  error = "cannot use " + directory + " as the data directory: " + code.message();
  return false;
}

}  // namespace screen
