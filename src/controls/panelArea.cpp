#include "controls/panelArea.h"

#include "controls/inputLoop.h"
#include "controls/roleColours.h"

void createPanelButton(ButtonId& id, const char* label, int row, int column) {
  createButton(id, {.label = label,
                    .x = screen::columnToX(column),
                    .y = screen::rowToY(row),
                    .lineHeightCode = SMALL_LINES,
                    .normalColour = BUTTON_COLOUR,
                    .highlightColour = BUTTON_SELECTED_COLOUR,
                    .framed = true});
}

void coverArea(PanelArea& area, int frameColour) {
  area.saved = screen::createImage(area.right - area.left + 1, area.bottom - area.top + 1);
  screen::captureRect(area.left, area.top, area.right, area.bottom, area.saved, false);
  screen::drawLine(area.left, area.top, area.right, area.bottom, 0, screen::Shape::FilledBox,
                   false);
  if (frameColour == NO_FRAME) return;
  screen::setForeground(frameColour);
  screen::drawLine(area.left, area.top, area.right, area.bottom, screen::CURRENT_COLOUR,
                   screen::Shape::Box, false);
}

void uncoverArea(PanelArea& area) {
  if (area.saved == 0) return;
  screen::pasteImage(area.left, area.top, area.saved);
  screen::destroyImage(area.saved);
  area.saved = 0;
}

EventCode nextPanelEvent(std::string_view mask) {
  InputLoop& in = inputLoop;
  in.lastEvent = nextInputEvent(in.pointerY, in.pointerX, GRAPHICS_SCREEN_MODE, mask, false);
  return in.lastEvent;
}

EventCode awaitAnyKeyOrClick() {
  for (;;) {
    const EventCode event = nextPanelEvent(ANY_CHARACTER_MASK);
    if (event != EVENT_LEFT_PRESS && event != EVENT_RIGHT_PRESS && event != EVENT_WHEEL_UP &&
        event != EVENT_WHEEL_DOWN) {
      return event;
    }
  }
}

void runPanelLoop(bool (*pass)()) {
  while (!pass()) {
  }
}
