#include "app/controlTable.h"

#include <vector>

#include "controls/buttonRegistry.h"
#include "controls/roleColours.h"

namespace {

// Widens a field label's hit rectangle over the first cells of its field.
constexpr int32_t OVER_FIELD = 64;

}  // namespace

const ControlSpec CONTROL_TABLE[CONTROL_COUNT + 1] = {
    {},
    {"    Loan Amount:", 2, 4, 0, TEXT_LINES, false, BUTTON_COLOUR, BUTTON_SELECTED_COLOUR, 0,
     OVER_FIELD},
    {" Rate (percent):", 2, 5, 0, TEXT_LINES, false, BUTTON_COLOUR, BUTTON_SELECTED_COLOUR, 0,
     OVER_FIELD},
    {"Monthly Payment:", 2, 6, 0, TEXT_LINES, false, BUTTON_COLOUR, BUTTON_SELECTED_COLOUR, 0,
     OVER_FIELD},
    {"Continue", 4, 7, 10, SMALL_LINES, true, BUTTON_COLOUR, BUTTON_SELECTED_COLOUR, 0, 0},
    {"New calculation", 4, 29, 8, SMALL_LINES, true, BUTTON_COLOUR, BUTTON_SELECTED_COLOUR, 0, 0},
    {"Exit", 74, 29, 8, SMALL_LINES, true, BUTTON_COLOUR, BUTTON_SELECTED_COLOUR, 0, 0},
    {" \x19 ", 6, 9, 0, TEXT_LINES, false, BUTTON_COLOUR, BUTTON_SELECTED_COLOUR, 0, 0},
    {" PageDown ", 6, 10, 0, TEXT_LINES, false, BUTTON_COLOUR, BUTTON_SELECTED_COLOUR, 0, 0},
    {" Ctrl-PageDown ", 6, 12, 0, TEXT_LINES, false, BUTTON_COLOUR, BUTTON_SELECTED_COLOUR, 0, 0},
    {"Options", 4, 2, 0, TEXT_LINES, true, DROPDOWNS_COLOUR, BUTTON_SELECTED_COLOUR, 0, 0},
};

namespace {

// A schedule started again after one finished brings its step controls back at the places
// where the finished one left them inert; those copies leave the registry first, so that
// restarting a schedule again and again cannot fill it.
void dropInertCopy(const ControlSpec& c) {
  std::vector<ButtonId>& inert = calc.inertControls;
  for (auto it = inert.begin(); it != inert.end(); ++it) {
    ButtonId id = *it;
    if (id >= 1 && id <= MAX_BUTTONS && buttonRegistry.label[id] == c.caption &&
        buttonRegistry.x[id] == screen::columnToX(c.column) &&
        buttonRegistry.y[id] == screen::rowToY(c.row) + c.extraY) {
      removeButton(id);
      inert.erase(it);
      return;
    }
  }
}

}  // namespace

void createControl(int k) {
  if (k < 1 || k > CONTROL_COUNT) return;
  const ControlSpec& c = CONTROL_TABLE[k];
  if (calc.controlIds[k] == 0) dropInertCopy(c);
  createButton(calc.controlIds[k], {.label = c.caption,
                                    .x = screen::columnToX(c.column),
                                    .y = screen::rowToY(c.row) + c.extraY,
                                    .lineHeightCode = c.sizeCode,
                                    .normalColour = c.normalColour,
                                    .highlightColour = c.highlightColour,
                                    .framed = c.framed,
                                    .extraLeft = c.extraLeft,
                                    .extraRight = c.extraRight});
}
