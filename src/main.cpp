// The one program: `quillo schedule ...` runs the command line's schedule without a window;
// anything else opens the window program.

#include <string_view>

#include "app/program.h"
#include "cli/commandLine.h"
#include "cli/scheduleCommand.h"
#include "screen/screen.h"

int main(int argc, char** argv) {
  // The schedule command needs no window, so it runs before anything opens one.
  if (argc > 1 && std::string_view(argv[1]) == "schedule") {
    screen::watchCommandSignals();
    return runScheduleCommand(argc, argv);
  }
  int status = 0;
  int scale = 0;
  if (!prepareRun(argc, argv, screen::MAX_WINDOW_SCALE, screen::enterDataDirectory, scale,
                  status)) {
    return status;
  }
  screen::setWindowScale(scale);
  runProgram();
  screen::endProgram();
}
