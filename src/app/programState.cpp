#include "app/programState.h"

#include "app/calculatorState.h"
#include "app/mainScreen.h"
#include "app/optionsFile.h"
#include "colours/colourEditor.h"
#include "colours/colourScheme.h"
#include "colours/optionsDialog.h"
#include "controls/buttonRegistry.h"
#include "controls/inputLoop.h"
#include "editor/characterMask.h"
#include "editor/fieldCursor.h"
#include "editor/fieldEditor.h"
#include "editor/macroFiles.h"
#include "screen/screen.h"

void resetProgramState() {
  calc = {};
  mainLoop = {};
  options = {};
  colourSchemeState = {};
  optionsDialog = {};
  colourEditor = {};
  buttonRegistry = {};
  inputLoop = {};
  fieldEditor = {};
  fieldCursor = {};
  maskTable = {};
  macroRecall = {};
  screen::closeAllFiles();
}
