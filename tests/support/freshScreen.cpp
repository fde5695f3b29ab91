#include "support/freshScreen.h"

#include "app/calculatorState.h"
#include "app/schedule.h"
#include "controls/buttonRegistry.h"
#include "screen/headless.h"
#include "screen/screen.h"

void openFreshScreen() {
  headless::reset();
  buttonRegistry = {};
  calc = {};
  screen::openScreen();
  screen::setTextGrid(80, 60);
  captureSmallGlyphs();
  screen::setTextGrid(80, 30);
  calc.scrollImage = screen::createImage(640, 192);
}

void startScheduleFor(double loan, double rate, double payment) {
  openFreshScreen();
  calc.loanAmount = loan;
  calc.annualRate = rate;
  calc.payment = payment;
  calc.balance = loan;
  calc.inputsConfirmed = true;
  startSchedule();
}
