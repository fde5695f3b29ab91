#include "app/program.h"
#include "screen/screen.h"

int main() {
  runProgram();
  screen::endProgram();
}
