#include "app/controlTable.h"
#include "app/mainScreen.h"
#include "colours/optionsDialog.h"
#include "controls/buttonRegistry.h"
#include "controls/inputLoop.h"
#include "editor/fieldEditor.h"

namespace {

// The control under the pointer, 0 for none. Absent and inert controls are never hit.
int clickedControl() {
  for (int k = 1; k <= CONTROL_COUNT; ++k) {
    if (clickButton(calc.controlIds[k], inputLoop.pointerX, inputLoop.pointerY)) return k;
  }
  return 0;
}

void openOptions() {
  runOptionsDialog(calc.controlIds[CONTROL_OPTIONS]);
  unhighlightButton(calc.controlIds[CONTROL_OPTIONS]);
  // The window's close button, pressed while the panel was open, still ends the program.
  if (inputLoop.lastEvent == EVENT_CLOSE) exitProgram();
}

}  // namespace

void handleClick() {
  const int k = clickedControl();
  switch (k) {
    case FOCUS_LOAN:
    case FOCUS_RATE:
    case FOCUS_PAYMENT:
      calc.focus = k;
      // A label is the way back to the fields under a running schedule, so "Continue" returns.
      if (calc.controlIds[CONTROL_CONTINUE] == 0) createControl(CONTROL_CONTINUE);
      break;
    case CONTROL_CONTINUE:
      confirmInputs();
      break;
    case CONTROL_NEW_CALCULATION:
      setEditOptions(EDIT_START_OVERTYPE);
      startCalculation();
      break;
    case CONTROL_EXIT:
      exitProgram();
      break;
    case CONTROL_STEP_MONTH:
      dispatchEvent(EVENT_DOWN);
      break;
    case CONTROL_STEP_YEAR:
      dispatchEvent(EVENT_PAGE_DOWN);
      break;
    case CONTROL_STEP_TO_END:
      dispatchEvent(EVENT_CTRL_PAGE_DOWN);
      break;
    case CONTROL_OPTIONS:
      openOptions();
      break;
    default:
      break;
  }
}
