#pragma once

// F2, "payment for a term": a small panel that asks for years and months and puts the smallest
// payment that repays the loan (or, while a schedule runs, the balance) in that time into the
// payment field, as if typed; with the loan empty and a payment typed, the largest loan that
// payment repays in that time into the loan field. Continue confirms it as any typed input.

#include "app/formPanel.h"

struct TermPanelState {
  FormPanel form;  // while the panel is open
};

extern TermPanelState termPanel;

// Runs the panel until OK solves a payment, Cancel or Esc, or the window's close button (left in
// inputLoop.lastEvent for the main loop).
void runTermPanel();
