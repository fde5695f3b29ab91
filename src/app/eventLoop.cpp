#include <algorithm>
#include <string>

#include "app/mainScreen.h"
#include "controls/inputLoop.h"
#include "editor/fieldEditor.h"
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
  screen::setForeground(TEXT_COLOUR);
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
