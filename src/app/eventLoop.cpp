// The main screen's loop: one prompt or wait per pass, then the event dispatched by the table
// of actions, clicks by the control under the pointer.

#include <algorithm>
#include <string>

#include "app/chartWindow.h"
#include "app/controlTable.h"
#include "app/extraPanel.h"
#include "app/helpPanel.h"
#include "app/mainScreen.h"
#include "app/schedule.h"
#include "app/termPanel.h"
#include "app/totalsPanel.h"
#include "colours/optionsDialog.h"
#include "controls/buttonRegistry.h"
#include "controls/inputLoop.h"
#include "editor/fieldEditor.h"
#include "layout/scheduleHistory.h"
#include "screen/screen.h"

namespace {

// Hands the field named by the focus to the prompt step; false when there is nothing to prompt
// for in this pass.
bool choosePrompt() {
  CalculatorState& c = calc;
  if (c.focus >= FOCUS_LOAN && c.focus <= FOCUS_PAYMENT) {
    // The loan amount cannot change under a running schedule.
    if (c.focus == FOCUS_LOAN && c.stepping) {
      c.focus = FOCUS_RATE;
      return false;
    }
    const FieldSpec& field = FIELD_TABLE[c.focus];
    c.promptRow = field.row;
    c.promptColumn = field.column;
    c.promptWidth = field.width;
    c.promptMask = field.mask;
    c.editText = c.*field.text;
  } else {
    c.promptWidth = 0;
    c.promptMask.clear();
    c.editText.clear();
  }
  return true;
}

void erasePaymentMessage() {
  screen::moveCursor(MESSAGE_ROW, MESSAGE_COLUMN);
  screen::printText(std::string(std::max(calc.errorLength, 0), ' '), true);
  calc.errorShown = false;
}

}  // namespace

void eventLoopPass() {
  CalculatorState& c = calc;
  fieldEditor.fieldChanged = false;
  if (!choosePrompt()) return;
  screen::setForeground(EXPRESSIONS_COLOUR);
  // The payment is typed over after the message asked for a new one.
  if (c.errorShown) setEditOptions(EDIT_START_OVERTYPE);
  awaitInput(c.editText, c.promptMask, c.promptWidth, c.promptRow, c.promptColumn);
  if (c.errorShown) erasePaymentMessage();
  if (fieldEditor.fieldChanged) commitField();
  dispatchEvent(inputLoop.lastEvent);
}

void runEventLoop() {
  while (!mainLoop.programEnded) eventLoopPass();
}

namespace {

bool scheduleRunning() {
  return calc.inputsConfirmed && calc.stepping;
}

void nextPrompt() {
  CalculatorState& c = calc;
  if (c.focus == FOCUS_CONTINUE) {
    unhighlightButton(c.controlIds[CONTROL_CONTINUE]);
    confirmInputs();
    return;
  }
  ++c.focus;
  if (c.focus == FOCUS_CONTINUE) highlightButton(c.controlIds[CONTROL_CONTINUE]);
}

// Up and the wheel never leave the fields for "Continue", and never reach it from there.
void previousPrompt() {
  if (calc.focus == FOCUS_RATE || calc.focus == FOCUS_PAYMENT) --calc.focus;
}

void downOrStepMonth() {
  if (calc.focus < FOCUS_PAYMENT) {
    ++calc.focus;
  } else if (scheduleRunning()) {
    stepDown();
  }
}

void stepByYear() {
  if (scheduleRunning()) stepYear();
}

void stepUntilRepaid() {
  if (scheduleRunning()) stepToEnd();
}

// The step controls have no function while the inputs wait for confirmation.
void hoverControls() {
  for (int k = 1; k <= CONTROL_COUNT; ++k) {
    const bool stepControl = k >= CONTROL_STEP_MONTH && k <= CONTROL_STEP_TO_END;
    if (stepControl && !calc.inputsConfirmed) continue;
    hoverButton(calc.controlIds[k], inputLoop.pointerX, inputLoop.pointerY);
  }
}

// Reaches here only while no field is edited: in a field Ctrl+C copies the field's text.
void copySchedule() {
  const std::string table = historyTable(calc.history, '\t');
  if (!table.empty()) screen::setClipboardText(table);
}

// The panels of F1, F2, F4 and F5 hand the window's close button back, which still ends the
// program.
void endOnClose() {
  if (inputLoop.lastEvent == EVENT_CLOSE) exitProgram();
}

void showHelp() {
  runHelpPanel();
  endOnClose();
}

void askForTerm() {
  runTermPanel();
  endOnClose();
}

void addExtraPayment() {
  runExtraPanel();
  endOnClose();
}

void showTotals() {
  runTotalsPanel();
  endOnClose();
}

void highlightExit() {
  highlightButton(calc.controlIds[CONTROL_EXIT]);
}

struct EventAction {
  EventCode event;
  void (*action)();
};

constexpr EventAction EVENT_ACTIONS[] = {
    {EVENT_ESC, exitProgram},
    {EVENT_RIGHT_RELEASE, exitProgram},
    {EVENT_CLOSE, exitProgram},
    {EVENT_ENTER, nextPrompt},
    {EVENT_TAB, nextPrompt},
    {EVENT_UP, previousPrompt},
    {EVENT_WHEEL_UP, previousPrompt},
    {EVENT_DOWN, downOrStepMonth},
    {EVENT_WHEEL_DOWN, downOrStepMonth},
    {EVENT_PAGE_DOWN, stepByYear},
    {EVENT_CTRL_PAGE_DOWN, stepUntilRepaid},
    {EVENT_LEFT_PRESS, hoverControls},
    {EVENT_RIGHT_PRESS, highlightExit},
    {EVENT_LEFT_RELEASE, handleClick},
    {EVENT_CTRL_C, copySchedule},
    {EVENT_F1, showHelp},
    {EVENT_F2, askForTerm},
    {EVENT_F3, showChart},
    {EVENT_F4, addExtraPayment},
    {EVENT_F5, showTotals},
};

}  // namespace

void dispatchEvent(EventCode event) {
  for (const EventAction& entry : EVENT_ACTIONS) {
    if (entry.event == event) {
      entry.action();
      return;
    }
  }
}

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
  endOnClose();
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
