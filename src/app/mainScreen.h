#pragma once

// The main screen: one calculation after another on three entry fields and ten controls,
// driven by one event loop until the user ends the program.

#include <string>
#include <string_view>

#include "app/calculatorState.h"
#include "controls/eventCodes.h"
#include "controls/roleColours.h"
#include "money/amountText.h"

// Values of calc.focus.
enum Focus : int { FOCUS_LOAN = 1, FOCUS_RATE, FOCUS_PAYMENT, FOCUS_CONTINUE };

// Indexes of calc.controlIds; the field labels are 1 to 3, like the focus of their field.
enum Control : int {
  CONTROL_CONTINUE = 4,
  CONTROL_NEW_CALCULATION,
  CONTROL_EXIT,
  CONTROL_STEP_MONTH,
  CONTROL_STEP_YEAR,
  CONTROL_STEP_TO_END,
  CONTROL_OPTIONS,
};
// The table of controls and the arrays of their ids hold exactly the controls named here.
static_assert(CONTROL_OPTIONS == CONTROL_COUNT);

// Where the payment message stands.
constexpr int MESSAGE_ROW = 6;
constexpr int MESSAGE_COLUMN = 35;

struct FieldSpec {
  int row;
  int column;
  int width;
  std::string_view mask;
  std::string CalculatorState::*text;
};

// Indexed by the focus of the field, 1 to 3.
extern const FieldSpec FIELD_TABLE[FOCUS_PAYMENT + 1];

struct MainLoop {
  bool programEnded = false;  // exitProgram has run
};

extern MainLoop mainLoop;

// Clears the screen and draws a fresh form with the texts of the previous calculation.
void startCalculation();
// Takes over the text just edited in the field named by calc.focus.
void commitField();
// The "Continue" choice: checks the inputs and starts or resumes the schedule.
void confirmInputs();
// The plan the window steps: the one running, else the one the three fields describe with the
// extras planned. False while the fields describe none.
bool currentPlan(LoanPlan& plan);
// Saves the options and releases the scroll image; the event loop then returns.
void exitProgram();

// Passes of the event loop until exitProgram has run.
void runEventLoop();
void eventLoopPass();
// Acts on one event as the main screen does; codes it has no use for are ignored.
void dispatchEvent(EventCode event);
// A left-button release at the pointer: the first control under it is chosen.
void handleClick();
