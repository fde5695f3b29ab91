#include <string>

#include "app/mainScreen.h"
#include "app/schedule.h"
#include "app/scheduleHistory.h"
#include "controls/buttonRegistry.h"
#include "controls/inputLoop.h"
#include "screen/screen.h"

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
  const std::string table = historyTable('\t');
  if (!table.empty()) screen::setClipboardText(table);
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
