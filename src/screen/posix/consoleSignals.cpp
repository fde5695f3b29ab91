// The console's signals on Linux and other POSIX systems: SIGINT, SIGTERM and SIGHUP end a
// command by their own default.

#include "screen/screen.h"

namespace screen {

void watchCommandSignals() {}

}  // namespace screen
