#include "app/mainScreen.h"
#include "app/optionsFile.h"
#include "screen/screen.h"

MainLoop mainLoop;

void exitProgram() {
  if (mainLoop.programEnded) return;
  writeOptions();
  screen::destroyImage(calc.scrollImage);
  mainLoop.programEnded = true;
}
