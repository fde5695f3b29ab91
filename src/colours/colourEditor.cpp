#include "colours/colourEditor.h"

#include <algorithm>
#include <string_view>

#include "controls/inputLoop.h"

ColourEditorState colourEditor;

namespace {

constexpr std::string_view TITLE = "Change a Color";
constexpr int ROLE_MARK_ROOM = 16;

// Where a fixed button stands: rows below the component row, and columns from the left or the
// right column of the box.
struct FixedButtonPlace {
  std::string_view label;
  int rowsBelow;
  bool fromRight;
  int columnOffset;
  int pixelsRight;
  int pixelsDown;
};

// Indexed like ColourEditorState::fixedButtons.
constexpr FixedButtonPlace FIXED_BUTTONS[FIXED_BUTTON_COUNT + 1] = {
    {},
    {"R", 0, false, 7, 4, 0},
    {"G", 0, false, 14, 4, 0},
    {"B", 0, false, 21, 4, 0},
    {"\x18", 1, false, 1, 0, 0},
    {"\x19", 1, true, -3, 0, 0},
    {"OK", 4, false, 4, 0, -4},
    {"Cancel", 4, true, -10, 0, -4},
};

// The text grid positions of an open editor.
struct Layout {
  int left;      // first column inside the box
  int right;     // last column of the box
  int titleRow;  // the roles follow one per row
  int componentRow;
};

Layout layoutFor(int x, int y, int roleCount, int rowHeight) {
  Layout layout{};
  // Inside the box: two columns right of the one the box starts in, a row below its first.
  layout.left = screen::xToColumn(x) + 2;
  layout.right = screen::xToColumn(x + EDITOR_BOX_WIDTH) - 1;
  layout.titleRow = screen::yToRow(y, rowHeight) + 1;
  layout.componentRow = layout.titleRow + roleCount + 2;
  return layout;
}

void markChosenRole() {
  const ColourEditorState& e = colourEditor;
  for (int i = 1; i <= e.roleCount; ++i) {
    if (i == e.chosenRole) {
      markOptionOn(e.roleButtons[i]);
    } else {
      markOptionOff(e.roleButtons[i]);
    }
  }
}

bool outsideBox(int px, int py) {
  const ColourEditorState& e = colourEditor;
  // One pixel past the last row or column counts as inside.
  return px < e.area.left || px > e.area.right + 1 || py < e.area.top || py > e.area.bottom + 1;
}

// Roles are chosen on the press; the arrows repeat for as long as the press lasts.
void handlePress() {
  ColourEditorState& e = colourEditor;
  const InputLoop& in = inputLoop;
  for (int i = 1; i <= e.roleCount; ++i) {
    if (isOverButton(e.roleButtons[i], in.pointerX, in.pointerY)) {
      e.chosenRole = i;
      markChosenRole();
      readChosenLevels();
      showLevels();
      break;
    }
  }
  int pressed = 0;
  for (int b = BUTTON_RED; b <= BUTTON_BLUE && pressed == 0; ++b) {
    if (isOverButton(e.fixedButtons[b], in.pointerX, in.pointerY)) pressed = b;
  }
  if (pressed != 0) {
    // Feedback only: the component changes on the release.
    for (int b = BUTTON_RED; b <= BUTTON_BLUE; ++b) {
      if (b == pressed) {
        highlightButton(e.fixedButtons[b]);
      } else {
        unhighlightButton(e.fixedButtons[b]);
      }
    }
  } else {
    for (int b = BUTTON_UP; b <= BUTTON_CANCEL; ++b) {
      hoverButton(e.fixedButtons[b], in.pointerX, in.pointerY);
    }
  }
  if (isOverButton(e.fixedButtons[BUTTON_UP], in.pointerX, in.pointerY)) holdArrow(+1);
  if (isOverButton(e.fixedButtons[BUTTON_DOWN], in.pointerX, in.pointerY)) holdArrow(-1);
}

// True when the release closed the editor.
bool handleRelease() {
  ColourEditorState& e = colourEditor;
  InputLoop& in = inputLoop;
  int released = 0;
  for (int b = 1; b <= FIXED_BUTTON_COUNT && released == 0; ++b) {
    if (isOverButton(e.fixedButtons[b], in.pointerX, in.pointerY)) released = b;
  }
  switch (released) {
    case BUTTON_RED:
    case BUTTON_GREEN:
    case BUTTON_BLUE:
      e.chosenComponent = released;
      showComponentChoice();
      return false;
    case BUTTON_UP:
    case BUTTON_DOWN:
      unhighlightButton(e.fixedButtons[BUTTON_UP]);
      unhighlightButton(e.fixedButtons[BUTTON_DOWN]);
      return false;
    case BUTTON_OK:
      in.lastEvent = 0;
      closeColourEditor();
      return true;
    case BUTTON_CANCEL:
      in.lastEvent = 0;
      closeColourEditor();
      for (int i = 1; i <= e.roleCount; ++i) {
        screen::setPaletteEntry(e.roleColours[i], e.savedEntries[i]);
      }
      return true;
    default:
      return false;
  }
}

}  // namespace

void openColourEditor(std::span<const ColourRole> roles, int32_t roleCount, int32_t x, int32_t y,
                      int32_t buttonColour, int32_t highlightColour, int32_t titleColour,
                      int32_t rowHeight) {
  ColourEditorState& e = colourEditor;
  // Roles beyond the list or the button table cannot be shown.
  const int available = std::max(static_cast<int>(roles.size()) - 1, 0);
  e.roleCount = std::clamp(static_cast<int>(roleCount), 0, std::min(available, MAX_EDITED_ROLES));
  if (rowHeight < 1) rowHeight = screen::TEXT_CELL_HEIGHT;
  const Layout layout = layoutFor(x, y, e.roleCount, rowHeight);
  e.area = {.left = x,
            .top = y,
            .right = x + EDITOR_BOX_WIDTH - 1,
            .bottom = y + (e.roleCount + 8) * rowHeight - 1};
  e.levelsRow = layout.componentRow + 1;
  e.levelsColumn = layout.left + 7;

  coverArea(e.area, titleColour);
  screen::setForeground(titleColour);
  screen::moveCursor(layout.titleRow, layout.left + 8);
  screen::printText(TITLE, false);

  for (int i = 1; i <= e.roleCount; ++i) {
    e.roleColours[i] = roles[i].colourNumber;
    // A label in the background colour would be invisible.
    const int colour = roles[i].colourNumber == 0 ? EXPRESSIONS_COLOUR : roles[i].colourNumber;
    createButton(e.roleButtons[i], {.label = roles[i].name,
                                    .x = screen::columnToX(layout.left + 3),
                                    .y = screen::rowToY(layout.titleRow + i, rowHeight),
                                    .normalColour = colour,
                                    .highlightColour = colour,
                                    .extraLeft = ROLE_MARK_ROOM});
  }
  for (int b = 1; b <= FIXED_BUTTON_COUNT; ++b) {
    const FixedButtonPlace& place = FIXED_BUTTONS[b];
    const int column = (place.fromRight ? layout.right : layout.left) + place.columnOffset;
    const int row = layout.componentRow + place.rowsBelow;
    createButton(e.fixedButtons[b], {.label = place.label,
                                     .x = screen::columnToX(column) + place.pixelsRight,
                                     .y = screen::rowToY(row, rowHeight) + place.pixelsDown,
                                     .lineHeightCode = SMALL_LINES,
                                     .normalColour = buttonColour,
                                     .highlightColour = highlightColour,
                                     .framed = true});
  }

  for (int i = 1; i <= e.roleCount; ++i)
    e.savedEntries[i] = screen::getPaletteEntry(e.roleColours[i]);
  if (e.chosenRole < 1 || e.chosenRole > e.roleCount) e.chosenRole = 1;
  markChosenRole();
  readChosenLevels();
  if (e.chosenComponent < COMPONENT_RED || e.chosenComponent > COMPONENT_BLUE) {
    e.chosenComponent = COMPONENT_RED;
  }
  showComponentChoice();
  showLevels();
}

void showComponentChoice() {
  const ColourEditorState& e = colourEditor;
  for (int b = BUTTON_RED; b <= BUTTON_BLUE; ++b) {
    if (b == e.chosenComponent) {
      highlightButton(e.fixedButtons[b]);
    } else {
      unhighlightButton(e.fixedButtons[b]);
    }
  }
}

void closeColourEditor() {
  ColourEditorState& e = colourEditor;
  removeButtons(e.fixedButtons, FIXED_BUTTON_COUNT);
  removeButtons(e.roleButtons, e.roleCount);
  uncoverArea(e.area);
}

bool colourEditorPass() {
  ColourEditorState& e = colourEditor;
  InputLoop& in = inputLoop;
  switch (nextPanelEvent("")) {
    case EVENT_CLOSE:
      closeColourEditor();
      return true;
    case EVENT_LEFT_PRESS:
      if (outsideBox(in.pointerX, in.pointerY)) {
        closeColourEditor();
        return true;
      }
      handlePress();
      return false;
    case EVENT_LEFT_RELEASE:
      return handleRelease();
    case EVENT_UP:
    case EVENT_WHEEL_UP:
      stepLevel(+1);
      return false;
    case EVENT_DOWN:
    case EVENT_WHEEL_DOWN:
      stepLevel(-1);
      return false;
    case EVENT_SHIFT_TAB:
    case EVENT_LEFT:
      if (e.chosenComponent > COMPONENT_RED) --e.chosenComponent;
      showComponentChoice();
      return false;
    case EVENT_TAB:
    case EVENT_RIGHT:
      if (e.chosenComponent < COMPONENT_BLUE) ++e.chosenComponent;
      showComponentChoice();
      return false;
    default:
      return false;
  }
}

void runColourEditor(std::span<const ColourRole> roles, int32_t roleCount, int32_t x, int32_t y,
                     int32_t buttonColour, int32_t highlightColour, int32_t titleColour,
                     int32_t rowHeight) {
  openColourEditor(roles, roleCount, x, y, buttonColour, highlightColour, titleColour, rowHeight);
  runPanelLoop(colourEditorPass);
}
