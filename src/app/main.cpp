#include "app/commandLine.h"
#include "app/program.h"
#include "screen/screen.h"

int main(int argc, char** argv) {
  int status = 0;
  if (!prepareRun(argc, argv, status)) return status;
  runProgram();
  screen::endProgram();
}
