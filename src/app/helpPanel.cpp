#include "app/helpPanel.h"

#include <string>
#include <string_view>

#include "controls/panelArea.h"
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
    {"changed rate or payment", "confirm it with Continue before stepping on"},
    {"Ctrl+Enter", "play the macro file named in the field"},
    {"F1", "this help"},
    {"F2", "payment for a term; loan empty: the loan"},
    {"F3", "the chart of the loan"},
    {"F4", "extra payments: add, list, remove"},
    {"F5", "the totals of the plan and what extras save"},
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
// In the middle of the screen, two columns of room left of the keys, half a row above and below.
constexpr int FIRST_COLUMN = KEYS_COLUMN - 2;
constexpr int LAST_COLUMN = 81 - FIRST_COLUMN;
constexpr PanelArea HELP_AREA =
    cellArea(TITLE_ROW, FIRST_COLUMN, FOOTER_ROW, LAST_COLUMN, 0, screen::TEXT_CELL_HEIGHT / 2);

// Every row stays inside the panel, whose saved area is all that is put back.
constexpr bool rowsFit() {
  const size_t keysRoom = ACTION_COLUMN - KEYS_COLUMN - 1;
  const size_t actionRoom = static_cast<size_t>(screen::xToColumn(HELP_AREA.right) - ACTION_COLUMN);
  for (const HelpRow& row : HELP_ROWS) {
    if (row.keys.size() > keysRoom || row.action.size() > actionRoom) return false;
  }
  return FOOTER_ROW < 30;
}
static_assert(rowsFit(), "a row of the help is wider than its panel, or the rows too many");

void print(int row, int column, std::string_view text) {
  screen::moveCursor(row, column);
  screen::printText(text, false);
}

}  // namespace

void runHelpPanel() {
  PanelArea area = HELP_AREA;
  coverArea(area, DROPDOWNS_COLOUR);
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
  awaitAnyKeyOrClick();
  uncoverArea(area);
}
