#pragma once

// What `--help` prints and what follows a refused command line, for the window program and for
// `quillo schedule`.

#include <string>
#include <string_view>

// The window program's usage, its scale running from 1 to maxScale.
std::string usageText(int maxScale);
std::string_view scheduleUsageText();
