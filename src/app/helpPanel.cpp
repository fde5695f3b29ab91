#include "app/helpPanel.h"

#include <string>
#include <string_view>

#include "controls/inputLoop.h"
#include "controls/roleColours.h"
#include "screen/screen.h"

namespace {

struct HelpRow {
  std::string_view keys, action;
};

// One row per key or action; a new key gets its row here.
constexpr HelpRow HELP_ROWS[] = {
    {"digits, . and ,", "type into the field"},
    {"Tab, Enter", "next field; on Continue: confirm the inputs"},
    {"Up / Down, wheel", "previous / next field; Down steps a month"},
    {"Page Down", "twelve months"},
    {"Ctrl+Page Down", "to the end of the repayment"},
    {"Left, Right, Home, End", "move the cursor in a field"},
    {"Insert", "switch between insert and overtype"},
    {"Backspace, Delete", "delete before / at the cursor"},
    {"Ctrl+C / Ctrl+V", "copy / paste the field's text"},
    {"Ctrl+C outside a field", "copy the whole schedule so far"},
    {"click a field's label", "edit it, also while a schedule runs"},
    {"Ctrl+Enter", "play the macro file named in the field"},
    {"F1", "this help"},
    {"F2", "the payment that repays in years and months"},
    {"F3", "the chart of the loan"},
    {"New calculation", "start again with the same inputs"},
    {"Options", "choose the colour scheme, change a colour"},
    {"Esc, Exit, right click", "end Quillo"},
};
constexpr int ROW_COUNT = static_cast<int>(sizeof HELP_ROWS / sizeof HELP_ROWS[0]);

constexpr int TITLE_ROW = 5;
constexpr int FIRST_ROW = TITLE_ROW + 2;
constexpr int FOOTER_ROW = FIRST_ROW + ROW_COUNT + 1;
constexpr int KEYS_COLUMN = 8;
constexpr int ACTION_COLUMN = 32;
constexpr int BOX_LEFT = (KEYS_COLUMN - 3) * 8;
constexpr int BOX_RIGHT = 639 - BOX_LEFT;
constexpr int BOX_TOP = (TITLE_ROW - 1) * 16 - 8;
constexpr int BOX_BOTTOM = FOOTER_ROW * 16 + 7;

// Every row stays inside the panel, whose saved area is all that is put back.
constexpr bool rowsFit() {
  const size_t keysRoom = ACTION_COLUMN - KEYS_COLUMN - 1;
  const size_t actionRoom = static_cast<size_t>(BOX_RIGHT / 8 + 1 - ACTION_COLUMN);
  for (const HelpRow& row : HELP_ROWS) {
    if (row.keys.size() > keysRoom || row.action.size() > actionRoom) return false;
  }
  return FOOTER_ROW < 30;
}
static_assert(rowsFit(), "a row of the help is wider than its panel, or the rows too many");
// Any character closes the panel, so none is refused with a sound.
constexpr std::string_view ANY_CHARACTER = "( -\xff)";

void print(int row, int column, std::string_view text) {
  screen::moveCursor(row, column);
  screen::printText(text, false);
}

bool closesHelp(EventCode event) {
  return event != 0 && event != EVENT_LEFT_PRESS && event != EVENT_RIGHT_PRESS &&
         event != EVENT_WHEEL_UP && event != EVENT_WHEEL_DOWN;
}

}  // namespace

void runHelpPanel() {
  screen::Image saved = screen::createImage(BOX_RIGHT - BOX_LEFT + 1, BOX_BOTTOM - BOX_TOP + 1);
  screen::captureRect(BOX_LEFT, BOX_TOP, BOX_RIGHT, BOX_BOTTOM, saved, false);
  screen::drawLine(BOX_LEFT, BOX_TOP, BOX_RIGHT, BOX_BOTTOM, 0, screen::Shape::FilledBox, false);
  screen::setForeground(DROPDOWNS_COLOUR);
  screen::drawLine(BOX_LEFT, BOX_TOP, BOX_RIGHT, BOX_BOTTOM, screen::CURRENT_COLOUR,
                   screen::Shape::Box, false);
  screen::setForeground(TITLES_COLOUR);
  print(TITLE_ROW, KEYS_COLUMN, "Keys and actions");
  for (int i = 0; i < ROW_COUNT; ++i) {
    screen::setForeground(BUTTON_COLOUR);
    print(FIRST_ROW + i, KEYS_COLUMN, HELP_ROWS[i].keys);
    screen::setForeground(EXPRESSIONS_COLOUR);
    print(FIRST_ROW + i, ACTION_COLUMN, HELP_ROWS[i].action);
  }
  screen::setForeground(TITLES_COLOUR);
  print(FOOTER_ROW, KEYS_COLUMN, "Any key or click closes this help.");

  InputLoop& in = inputLoop;
  do {
    in.lastEvent =
        nextInputEvent(in.pointerY, in.pointerX, GRAPHICS_SCREEN_MODE, ANY_CHARACTER, false);
  } while (!closesHelp(in.lastEvent));
  screen::pasteImage(BOX_LEFT, BOX_TOP, saved);
  screen::destroyImage(saved);
}
