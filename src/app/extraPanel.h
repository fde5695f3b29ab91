#pragma once

// F4, "extra payment": a panel in the style of F2 that adds an amount paid on top of a month's
// payment to the plan, lists the extras planned, and removes the one clicked in the list.

#include <vector>

#include "app/formPanel.h"
#include "controls/buttonRegistry.h"

struct ExtraPanelState {
  FormPanel form;                     // while the panel is open
  std::vector<ButtonId> listButtons;  // one per extra listed, in the order of the plan's extras
};

extern ExtraPanelState extraPanel;

// Runs the panel until OK adds an extra, Cancel or Esc, or the window's close button (left in
// inputLoop.lastEvent for the main loop).
void runExtraPanel();
