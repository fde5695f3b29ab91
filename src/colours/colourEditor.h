#pragma once

// The colour editor: a boxed dialog in which the user steps the red, green and blue levels
// behind each colour role. Every step goes straight into the screen palette, so the whole screen
// shows it at once; "OK" keeps the new levels and "Cancel" puts the old ones back.

#include <array>
#include <cstdint>
#include <span>

#include "colours/colourRoles.h"
#include "controls/buttonRegistry.h"
#include "controls/panelArea.h"
#include "screen/screen.h"

// The size of the table of role buttons.
constexpr int MAX_EDITED_ROLES = 20;

// Indexes of ColourEditorState::fixedButtons, in the order they are created and searched.
enum FixedButton : int {
  BUTTON_RED = 1,
  BUTTON_GREEN,
  BUTTON_BLUE,
  BUTTON_UP,
  BUTTON_DOWN,
  BUTTON_OK,
  BUTTON_CANCEL,
  FIXED_BUTTON_COUNT = BUTTON_CANCEL,
};

// Values of chosenComponent, and indexes of levels.
enum Component : int { COMPONENT_RED = 1, COMPONENT_GREEN, COMPONENT_BLUE };

constexpr int32_t HIGHEST_LEVEL = 63;
constexpr int EDITOR_BOX_WIDTH = 280;
// Between two steps while an arrow button is held.
constexpr int ARROW_REPEAT_MS = 200;

struct ColourEditorState {
  // Kept for the whole run and 0 while the editor is closed: createButton only fills a 0.
  std::array<ButtonId, FIXED_BUTTON_COUNT + 1> fixedButtons{};
  std::array<ButtonId, MAX_EDITED_ROLES + 1> roleButtons{};
  // Kept for the whole run, so that the next opening starts where the last one ended.
  int chosenRole = 0;  // 0 until the first opening
  int chosenComponent = 0;
  // The chosen role's levels, indexed by component.
  std::array<int32_t, 4> levels{};

  // Set up by each opening.
  int roleCount = 0;
  std::array<int32_t, MAX_EDITED_ROLES + 1> roleColours{};
  std::array<int32_t, MAX_EDITED_ROLES + 1> savedEntries{};  // for "Cancel"
  PanelArea area;                                            // the box, and what it covers
  int levelsRow = 0;
  int levelsColumn = 0;
};

extern ColourEditorState colourEditor;

// Runs the editor on roles[1] to roles[roleCount] (at most MAX_EDITED_ROLES) with the box's top
// left corner at (x, y), until "OK", "Cancel", a left-button press outside the box or the
// window's close button. Every event taken is left in inputLoop.lastEvent; on return it is 0
// after "OK" or "Cancel", the press after a press outside and the close button after that.
void runColourEditor(std::span<const ColourRole> roles, int32_t roleCount, int32_t x, int32_t y,
                     int32_t buttonColour, int32_t highlightColour, int32_t titleColour,
                     int32_t rowHeight);

// The first part of runColourEditor: draws the box, the roles and the buttons, on the role and
// component chosen last.
void openColourEditor(std::span<const ColourRole> roles, int32_t roleCount, int32_t x, int32_t y,
                      int32_t buttonColour, int32_t highlightColour, int32_t titleColour,
                      int32_t rowHeight);
// One event of the open editor; true when it closed the editor.
bool colourEditorPass();
void showLevels();
// Highlights the chosen component's button and draws the other two normally.
void showComponentChoice();
// Removes the editor's buttons and puts back what the box covered.
void closeColourEditor();

// Reads the chosen role's palette entry into levels.
void readChosenLevels();
// One step of the chosen level by +1 or -1; a step past 0 or HIGHEST_LEVEL does nothing.
void stepLevel(int direction);
// Steps at once and then every ARROW_REPEAT_MS while the left button stays held.
void holdArrow(int direction);
