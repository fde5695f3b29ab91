#include <string_view>

#include "app/commandLine.h"
#include "app/program.h"
#include "app/scheduleCommand.h"
#include "screen/screen.h"

int main(int argc, char** argv) {
  // The schedule command needs no window, so it runs before anything opens one.
  if (argc > 1 && std::string_view(argv[1]) == "schedule") return runScheduleCommand(argc, argv);
  int status = 0;
  if (!prepareRun(argc, argv, status)) return status;
  runProgram();
  screen::endProgram();
}
