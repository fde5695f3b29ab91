#pragma once

// The drop-down panel under the "Options" control that switches the colour scheme and opens the
// colour editor. It is driven by the mouse alone.

#include <array>

#include "controls/buttonRegistry.h"
#include "controls/panelArea.h"
#include "screen/screen.h"

constexpr int PANEL_WIDTH = 428;  // 52 text columns and 12 pixels

struct OptionsDialogState {
  // lastEvent has not been dealt with yet: the next pass of the panel handles it again instead
  // of reading a new event. It outlives a closing on a press outside the panel.
  bool rehandleEvent = false;
  std::array<ButtonId, 3> schemeButtons{};  // indexed by scheme
  ButtonId changeButton = 0;
  ButtonId okButton = 0;
  PanelArea area;  // the panel, and what it covers
};

extern OptionsDialogState optionsDialog;

// Runs the panel hung under the options button until it closes; inputLoop.lastEvent then holds
// the event that closed it (the window's close button among them, for the caller to act on).
void runOptionsDialog(ButtonId& optionsButton);

// The panel's drawing and buttons, and their removal with the screen put back as it was.
void openOptionsPanel(ButtonId optionsButton);
void closeOptionsPanel();
// One event of the open panel; true when it closed the panel.
bool optionsPanelPass();

// Runs the colour editor on the eight colour roles and saves the chosen scheme's palette file,
// however the editor was closed.
void editColourRoles();
