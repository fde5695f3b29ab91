#pragma once

// F2, "payment for a term": a small panel that asks for years and months and puts the smallest
// payment that repays the loan (or, while a schedule runs, the balance) in that time into the
// payment field, as if typed; Continue confirms it as any typed payment.

#include <cstdint>

#include "app/formPanel.h"

struct TermPanelState {
  // The schedule month in which the last term given ends; 0: none given in this calculation.
  int32_t termEnd = 0;
  // The rate and payment last confirmed: those the schedule runs at, whatever is typed since.
  double rateInForce = 0, paymentInForce = 0;
  FormPanel form;  // while the panel is open
};

extern TermPanelState termPanel;

// Runs the panel until OK solves a payment, Cancel or Esc, or the window's close button (left in
// inputLoop.lastEvent for the main loop).
void runTermPanel();
