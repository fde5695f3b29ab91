#pragma once

// What every pop-up panel does alike: it saves the part of the screen it covers, clears and
// frames it, runs its own loop over the input loop's events, and puts the screen back.

#include <string_view>

#include "controls/buttonRegistry.h"
#include "controls/eventCodes.h"
#include "screen/screen.h"

// The rectangle a panel covers, in pixels, both corners inside, and the copy of what lay there.
struct PanelArea {
  int left = 0, top = 0, right = 0, bottom = 0;
  screen::Image saved = 0;
};

// The rectangle of text rows firstRow to lastRow and columns firstColumn to lastColumn, grown by
// marginX pixels left and right and marginY above and below, kept on the screen.
constexpr PanelArea cellArea(int firstRow, int firstColumn, int lastRow, int lastColumn,
                             int marginX, int marginY) {
  PanelArea area;
  area.left = screen::columnToX(firstColumn) - marginX;
  area.top = screen::rowToY(firstRow) - marginY;
  area.right = screen::columnToX(lastColumn + 1) - 1 + marginX;
  area.bottom = screen::rowToY(lastRow + 1) - 1 + marginY;
  if (area.left < 0) area.left = 0;
  if (area.top < 0) area.top = 0;
  if (area.right > screen::SCREEN_WIDTH - 1) area.right = screen::SCREEN_WIDTH - 1;
  if (area.bottom > screen::SCREEN_HEIGHT - 1) area.bottom = screen::SCREEN_HEIGHT - 1;
  return area;
}

// A panel's framed button in small lines ("OK", "Cancel") with its label at a text cell.
void createPanelButton(ButtonId& id, const char* label, int row, int column);

// No frame: the panel draws over the whole area itself.
constexpr int NO_FRAME = -1;

// Saves what the area covers, clears it to the background and frames it in frameColour.
void coverArea(PanelArea& area, int frameColour);
// Puts back what the area covered and frees the copy; nothing when nothing is saved.
void uncoverArea(PanelArea& area);

// The next event for a panel without a field, also left in inputLoop.lastEvent with the pointer.
EventCode nextPanelEvent(std::string_view mask);
// Every character, for panels that any key closes, so that none is refused with the sound.
constexpr std::string_view ANY_CHARACTER_MASK = "(\x01-\xff)";
// Waits for what closes a panel that only shows something: any key, a click (on its release, so
// that the screen below never sees it) or the window's close button.
EventCode awaitAnyKeyOrClick();

// A panel's own loop: passes until one says that the panel has closed.
void runPanelLoop(bool (*pass)());
