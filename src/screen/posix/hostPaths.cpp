#include "screen/private/hostPaths.h"

#include <cstdlib>

#include "screen/screen.h"

namespace screen::host {

const std::string_view USER_DATA_UNKNOWN = "HOME is not set";

std::string userDataDirectory() {
  return xdgDataDirectory(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

// The working directory, wherever the program is started.
std::string defaultDataDirectory() {
  return {};
}

std::filesystem::path pathOf(const std::string& name) {
  return name;
}

}  // namespace screen::host
