// The main screen's start and end: the calculator's state, a fresh form for each calculation,
// and the one exit path that saves the options.

#include "app/mainScreen.h"

#include "app/calculatorState.h"
#include "app/controlTable.h"
#include "app/optionsFile.h"
#include "controls/buttonRegistry.h"
#include "layout/fieldGeometry.h"
#include "money/amountText.h"
#include "screen/screen.h"

CalculatorState calc;

const FieldSpec FIELD_TABLE[FOCUS_PAYMENT + 1] = {
    {},
    {4, 19, FIELD_TEXT_WIDTH, AMOUNT_MASK, &CalculatorState::loanText},
    {5, 19, FIELD_TEXT_WIDTH, RATE_MASK, &CalculatorState::rateText},
    {6, 19, FIELD_TEXT_WIDTH, AMOUNT_MASK, &CalculatorState::paymentText},
};

namespace {

constexpr std::string_view TITLES[] = {"QUILLO 2.1", "Quillo Calculator",
                                       "with variable rate/payment feature"};
constexpr int SCREEN_MIDDLE = 40;

void printTitles() {
  screen::setForeground(TITLES_COLOUR);
  for (int i = 0; i < 3; ++i) {
    screen::moveCursor(i + 1, SCREEN_MIDDLE - static_cast<int>(TITLES[i].size()) / 2);
    screen::printText(TITLES[i], true);
  }
}

// The field labels and the screen's own controls, each field's text after its label.
void createForm() {
  createControl(CONTROL_OPTIONS);
  for (int k = FOCUS_LOAN; k <= FOCUS_PAYMENT; ++k) {
    createControl(k);
    const FieldSpec& field = FIELD_TABLE[k];
    screen::setForeground(EXPRESSIONS_COLOUR);
    screen::moveCursor(field.row, field.column);
    screen::printText(calc.*field.text, true);
  }
  createControl(CONTROL_CONTINUE);
  createControl(CONTROL_NEW_CALCULATION);
  createControl(CONTROL_EXIT);
}

}  // namespace

void startCalculation() {
  screen::clearScreen();
  printTitles();
  for (ButtonId& id : calc.inertControls) removeButton(id);
  calc.inertControls.clear();
  removeButtons(calc.controlIds, CONTROL_COUNT);
  createForm();
  screen::setForeground(EXPRESSIONS_COLOUR);
  calc.focus = FOCUS_LOAN;
  calc.stepping = false;
  calc.inputsConfirmed = false;
  // A term and the extras belong to the calculation they were given for.
  calc.solvedTerm = 0;
  calc.offeredEnd = 0;
  calc.plan = {};
  calc.walk = {};
  endHistory(calc.history);
}

MainLoop mainLoop;

void exitProgram() {
  if (mainLoop.programEnded) return;
  writeOptions();
  screen::destroyImage(calc.scrollImage);
  mainLoop.programEnded = true;
}
