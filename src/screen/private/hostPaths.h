#pragma once

// Where the system keeps a user's files, one realisation per system (posix/hostPaths.cpp,
// windows/hostPaths.cpp).

#include <filesystem>
#include <string>
#include <string_view>

namespace screen::host {

// The folder `--data-dir` without a folder stands for; empty when the system does not say.
std::string userDataDirectory();
// Why userDataDirectory is empty, for the message.
extern const std::string_view USER_DATA_UNKNOWN;
// The folder used when none is asked for; empty for the working directory.
std::string defaultDataDirectory();
// A folder's name as the command line and the environment give it, as a path.
std::filesystem::path pathOf(const std::string& name);

}  // namespace screen::host
