#include "colours/optionsDialog.h"

#include <algorithm>
#include <string_view>

#include "colours/colourEditor.h"
#include "colours/colourRoles.h"
#include "colours/colourScheme.h"
#include "colours/markChosen.h"
#include "controls/inputLoop.h"

OptionsDialogState optionsDialog;

namespace {

constexpr int PANEL_LEFT = 0;
constexpr int SCHEME_MARK_ROOM = 32;
// "OK" stays on this row as long as the panel hangs high enough for it.
constexpr int OK_ROW = 9;
constexpr int OK_COLUMN = 29;

// The extent of the "Options" control of the main screen, for a button that is absent.
constexpr int DEFAULT_INNER_LEFT = 17;
constexpr int DEFAULT_INNER_RIGHT = 87;
constexpr int DEFAULT_BOTTOM = 37;

constexpr int EDITOR_X = 320;
constexpr int EDITOR_Y = 200;
constexpr int EDITOR_ROW_HEIGHT = screen::TEXT_CELL_HEIGHT;

// A pointer exactly on a bound, one pixel past the last drawn row or column, counts as inside.
bool outsidePanel(int px, int py) {
  const OptionsDialogState& d = optionsDialog;
  return px < d.area.left || px > d.area.right + 1 || py < d.area.top || py > d.area.bottom + 1;
}

void hoverPanelButtons(int px, int py) {
  OptionsDialogState& d = optionsDialog;
  hoverButton(d.schemeButtons[SCHEME_LIGHT_ON_DARK], px, py);
  hoverButton(d.schemeButtons[SCHEME_DARK_ON_LIGHT], px, py);
  hoverButton(d.changeButton, px, py);
  hoverButton(d.okButton, px, py);
}

// Only the release position counts, wherever the press was.
void switchSchemeAt(int px, int py) {
  OptionsDialogState& d = optionsDialog;
  for (int scheme = SCHEME_LIGHT_ON_DARK; scheme <= SCHEME_DARK_ON_LIGHT; ++scheme) {
    if (!isOverButton(d.schemeButtons[scheme], px, py)) continue;
    if (scheme == colourSchemeState.colourScheme) continue;
    colourSchemeState.colourScheme = scheme;
    markChosen(d.schemeButtons, 2, scheme);
    unhighlightButton(d.schemeButtons[scheme]);
    loadSchemePalette();
  }
}

}  // namespace

void openOptionsPanel(ButtonId optionsButton) {
  OptionsDialogState& d = optionsDialog;
  highlightButton(optionsButton);
  int32_t innerLeft = DEFAULT_INNER_LEFT, innerRight = DEFAULT_INNER_RIGHT, bottom = DEFAULT_BOTTOM;
  buttonExtent(optionsButton, innerLeft, innerRight, bottom);
  const int labelRow = screen::yToRow(bottom) + 1;
  // Under a button lower down "OK" would land on "Change a color" or outside the panel, so it
  // follows the rows there.
  const int okRow = std::max(OK_ROW, labelRow + 5);
  const int height = screen::rowToY(okRow) - screen::rowToY(labelRow) + 40;
  d.area = {.left = PANEL_LEFT,
            .top = bottom,
            .right = PANEL_LEFT + PANEL_WIDTH - 1,
            .bottom = bottom + height - 1};
  coverArea(d.area, DROPDOWNS_COLOUR);
  // Open under the button, so that the panel hangs from it.
  screen::drawLine(innerLeft, d.area.top, innerRight, d.area.top, 0, screen::Shape::Line, false);

  screen::setForeground(BUTTON_COLOUR);
  screen::moveCursor(labelRow, 4);
  screen::printText("Color palette:", false);
  // One row per scheme, in the order of their numbers.
  for (int scheme : {SCHEME_LIGHT_ON_DARK, SCHEME_DARK_ON_LIGHT}) {
    createButton(d.schemeButtons[scheme],
                 {.label = scheme == SCHEME_LIGHT_ON_DARK ? "Light on Dark" : "Dark on Light",
                  .x = screen::columnToX(10),
                  .y = screen::rowToY(labelRow + scheme),
                  .normalColour = BUTTON_COLOUR,
                  .highlightColour = BUTTON_SELECTED_COLOUR,
                  .extraLeft = SCHEME_MARK_ROOM});
  }
  markChosen(d.schemeButtons, 2, colourSchemeState.colourScheme);
  createButton(d.changeButton, {.label = "Change a color",
                                .x = screen::columnToX(4),
                                .y = screen::rowToY(labelRow + 4),
                                .normalColour = BUTTON_COLOUR,
                                .highlightColour = BUTTON_SELECTED_COLOUR});
  createPanelButton(d.okButton, "OK", okRow, OK_COLUMN);
}

void closeOptionsPanel() {
  OptionsDialogState& d = optionsDialog;
  removeButton(d.schemeButtons[SCHEME_LIGHT_ON_DARK]);
  removeButton(d.schemeButtons[SCHEME_DARK_ON_LIGHT]);
  removeButton(d.changeButton);
  removeButton(d.okButton);
  uncoverArea(d.area);
}

void editColourRoles() {
  std::array<ColourRole, ROLE_COUNT + 1> roles{};
  fillColourRoles(roles);
  roles[ROLE_COUNT] = {BACKGROUND_ROLE_NAME, BACKGROUND_COLOUR};
  runColourEditor(roles, ROLE_COUNT, EDITOR_X, EDITOR_Y, BUTTON_COLOUR, BUTTON_SELECTED_COLOUR,
                  TITLES_COLOUR, EDITOR_ROW_HEIGHT);
  // After "Cancel" too: the editor has put the old levels back, so the file gets those.
  saveSchemePalette();
  // A press outside the editor or the close button is the panel's to handle as well.
  if (inputLoop.lastEvent != 0) optionsDialog.rehandleEvent = true;
}

bool optionsPanelPass() {
  OptionsDialogState& d = optionsDialog;
  InputLoop& in = inputLoop;
  if (d.rehandleEvent) {
    d.rehandleEvent = false;
  } else {
    nextPanelEvent("");
  }
  switch (in.lastEvent) {
    case EVENT_CLOSE:
      closeOptionsPanel();
      return true;
    case EVENT_LEFT_PRESS:
      if (outsidePanel(in.pointerX, in.pointerY)) {
        d.rehandleEvent = true;
        closeOptionsPanel();
        return true;
      }
      hoverPanelButtons(in.pointerX, in.pointerY);
      return false;
    case EVENT_LEFT_RELEASE:
      if (isOverButton(d.okButton, in.pointerX, in.pointerY)) {
        closeOptionsPanel();
        return true;
      }
      switchSchemeAt(in.pointerX, in.pointerY);
      if (isOverButton(d.changeButton, in.pointerX, in.pointerY)) editColourRoles();
      return false;
    default:
      return false;
  }
}

void runOptionsDialog(ButtonId& optionsButton) {
  openOptionsPanel(optionsButton);
  runPanelLoop(optionsPanelPass);
}
