#include "support/freshScreen.h"

#include "app/calculatorState.h"
#include "app/program.h"
#include "app/schedule.h"
#include "screen/private/headless.h"

void openFreshScreen() {
  headless::reset();
  openProgramScreen();
}

void startScheduleFor(double loan, double rate, double payment) {
  openFreshScreen();
  calc.loanAmount = loan;
  calc.annualRate = rate;
  calc.payment = payment;
  calc.inputsConfirmed = true;
  startSchedule();
}
