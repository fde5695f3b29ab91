#include "app/formPanel.h"

#include "controls/inputLoop.h"
#include "controls/roleColours.h"
#include "editor/fieldEditor.h"
#include "screen/screen.h"

namespace {

// A click on a field's label or text edits that field.
void focusFieldAt(FormPanel& panel, int x, int y) {
  for (int k = 0; k < 2; ++k) {
    const FormField& field = panel.fields[static_cast<size_t>(k)];
    if (screen::yToRow(y) == field.row && x >= screen::columnToX(panel.textColumn) &&
        x < screen::columnToX(panel.fieldColumn + field.width)) {
      panel.focus = k;
    }
  }
}

}  // namespace

FormPanel sidePanel(std::string_view title, const std::array<FormField, 2>& fields, int lastRow) {
  constexpr int titleRow = 5;
  FormPanel panel{.area = cellArea(titleRow, SIDE_PANEL_TEXT_COLUMN - 2, lastRow, 79, 0,
                                   screen::TEXT_CELL_HEIGHT / 2),
                  .title = title,
                  .titleRow = titleRow,
                  .textColumn = SIDE_PANEL_TEXT_COLUMN,
                  .fieldColumn = SIDE_PANEL_TEXT_COLUMN + 9,
                  .messageRow = titleRow + 3,
                  .messageWidth = 34,
                  .buttonRow = SIDE_PANEL_BUTTON_ROW,
                  .fields = fields};
  panel.fields[0].row = titleRow + 1;
  panel.fields[1].row = titleRow + 2;
  return panel;
}

int32_t fieldNumber(const FormField& field) {
  int32_t value = 0;
  for (char c : field.text) value = value * 10 + (c - '0');
  return value;
}

void drawFormField(const FormPanel& panel, int k) {
  const FormField& field = panel.fields[static_cast<size_t>(k)];
  screen::setForeground(EXPRESSIONS_COLOUR);
  screen::moveCursor(field.row, panel.fieldColumn);
  std::string shown = field.text;
  shown.resize(static_cast<size_t>(field.width), ' ');
  screen::printText(shown, false);
}

void openFormPanel(FormPanel& panel) {
  coverArea(panel.area, DROPDOWNS_COLOUR);
  screen::setForeground(TITLES_COLOUR);
  screen::moveCursor(panel.titleRow, panel.textColumn);
  screen::printText(panel.title, false);
  for (int k = 0; k < 2; ++k) {
    screen::setForeground(BUTTON_COLOUR);
    screen::moveCursor(panel.fields[static_cast<size_t>(k)].row, panel.textColumn);
    screen::printText(panel.fields[static_cast<size_t>(k)].label, false);
    drawFormField(panel, k);
  }
  panel.focus = 0;
  createPanelButton(panel.okButton, "OK", panel.buttonRow, panel.textColumn + 6);
  createPanelButton(panel.cancelButton, "Cancel", panel.buttonRow, panel.textColumn + 16);
}

void closeFormPanel(FormPanel& panel) {
  removeButton(panel.okButton);
  removeButton(panel.cancelButton);
  uncoverArea(panel.area);
}

void showFormMessage(const FormPanel& panel, std::string_view message) {
  screen::setForeground(ERROR_MESSAGES_COLOUR);
  screen::moveCursor(panel.messageRow, panel.textColumn);
  std::string line(message);
  line.resize(static_cast<size_t>(panel.messageWidth), ' ');
  screen::printText(line, false);
}

FormAnswer formPanelPass(FormPanel& panel) {
  FormField& field = panel.fields[static_cast<size_t>(panel.focus)];
  if (panel.offerInFirstField && panel.focus == 0) setEditOptions(EDIT_DIM_TEXT);
  panel.offerInFirstField = false;
  screen::setForeground(EXPRESSIONS_COLOUR);
  awaitInput(field.text, field.mask, field.width, field.row, panel.fieldColumn);
  const InputLoop& in = inputLoop;
  switch (in.lastEvent) {
    case EVENT_ESC:
    case EVENT_CLOSE:
      return FormAnswer::CLOSE;
    case EVENT_TAB:
    case EVENT_SHIFT_TAB:
    case EVENT_UP:
    case EVENT_DOWN:
      panel.focus = 1 - panel.focus;
      return FormAnswer::KEEP_OPEN;
    case EVENT_ENTER:
      if (panel.focus == 0) {
        panel.focus = 1;
        return FormAnswer::KEEP_OPEN;
      }
      return FormAnswer::OK;
    case EVENT_LEFT_PRESS:
      hoverButton(panel.okButton, in.pointerX, in.pointerY);
      hoverButton(panel.cancelButton, in.pointerX, in.pointerY);
      return FormAnswer::KEEP_OPEN;
    case EVENT_LEFT_RELEASE:
      if (clickButton(panel.okButton, in.pointerX, in.pointerY)) return FormAnswer::OK;
      if (clickButton(panel.cancelButton, in.pointerX, in.pointerY)) return FormAnswer::CLOSE;
      focusFieldAt(panel, in.pointerX, in.pointerY);
      return FormAnswer::CLICK;
    default:
      return FormAnswer::KEEP_OPEN;
  }
}
