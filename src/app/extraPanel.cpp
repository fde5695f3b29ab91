#include "app/extraPanel.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "app/mainScreen.h"
#include "controls/inputLoop.h"
#include "layout/fieldGeometry.h"
#include "money/amountText.h"
#include "money/loanPlan.h"
#include "money/moneyFormat.h"

ExtraPanelState extraPanel;

namespace {

constexpr int TEXT_COLUMN = SIDE_PANEL_TEXT_COLUMN;
constexpr int BUTTON_ROW = SIDE_PANEL_BUTTON_ROW;
constexpr int LIST_TITLE_ROW = 11;
constexpr int FIRST_LIST_ROW = 12;
// Rows 12 to 27: more extras than that are counted, not listed.
constexpr int MOST_LISTED = 15;

// The first month that can still get an extra: the next one of a running schedule.
int32_t nextMonth() {
  return calc.stepping ? calc.walk.repayment.monthCount + 1 : 1;
}

size_t listedCount() {
  return std::min(calc.plan.extras.size(), static_cast<size_t>(MOST_LISTED));
}

int lastRow() {
  if (calc.plan.extras.empty()) return BUTTON_ROW;
  const int listed = static_cast<int>(listedCount());
  return FIRST_LIST_ROW + listed - 1 + (calc.plan.extras.size() > listedCount() ? 1 : 0);
}

FormPanel newExtraForm() {
  return sidePanel("Extra payment",
                   {{{"Month:", 0, 5, DIGITS_MASK, std::to_string(nextMonth())},
                     {"Amount:", 0, FIELD_TEXT_WIDTH, AMOUNT_MASK, {}}}},
                   lastRow());
}

std::string extraCaption(const PlanExtra& extra) {
  return "Month " + std::to_string(extra.month) + ": " + formatAmount(extra.amount, 2, false);
}

void openList() {
  const std::vector<PlanExtra>& extras = calc.plan.extras;
  if (extras.empty()) return;
  screen::setForeground(TITLES_COLOUR);
  screen::moveCursor(LIST_TITLE_ROW, TEXT_COLUMN);
  screen::printText("Extras (click one to remove it):", false);
  extraPanel.listButtons.assign(listedCount(), 0);
  for (size_t i = 0; i < listedCount(); ++i) {
    const int row = FIRST_LIST_ROW + static_cast<int>(i);
    // A month already stepped keeps its extra: it is listed, but cannot be removed.
    if (extras[i].month < nextMonth()) {
      screen::setForeground(EXPRESSIONS_COLOUR);
      screen::moveCursor(row, TEXT_COLUMN);
      screen::printText(extraCaption(extras[i]) + " (paid)", false);
      continue;
    }
    createButton(extraPanel.listButtons[i], {.label = extraCaption(extras[i]),
                                             .x = screen::columnToX(TEXT_COLUMN),
                                             .y = screen::rowToY(row),
                                             .normalColour = BUTTON_COLOUR,
                                             .highlightColour = BUTTON_SELECTED_COLOUR});
  }
  if (extras.size() > listedCount()) {
    screen::setForeground(EXPRESSIONS_COLOUR);
    screen::moveCursor(FIRST_LIST_ROW + MOST_LISTED, TEXT_COLUMN);
    screen::printText("and " + std::to_string(extras.size() - listedCount()) + " more", false);
  }
}

void openPanel() {
  extraPanel.form = newExtraForm();
  extraPanel.form.offerInFirstField = true;
  openFormPanel(extraPanel.form);
  openList();
}

void closePanel() {
  for (ButtonId& id : extraPanel.listButtons) removeButton(id);
  extraPanel.listButtons.clear();
  closeFormPanel(extraPanel.form);
}

// Adds the extra typed; false, with a message in the panel, when it cannot.
bool addTypedExtra() {
  FormPanel& form = extraPanel.form;
  const int32_t month = fieldNumber(form.fields[0]);
  const double amount = amountValue(form.fields[1].text);
  if (month < nextMonth() || month > MONTH_LIMIT) {
    showFormMessage(
        form, "The month is " + std::to_string(nextMonth()) + " to " + std::to_string(MONTH_LIMIT));
    return false;
  }
  if (amount <= 0) {
    showFormMessage(form, "Type the amount to pay");
    return false;
  }
  calc.plan.extras.push_back({.month = month, .amount = amount});
  // Every extra before it is of a month already stepped, so the walk's place stays right.
  sortPlan(calc.plan);
  closePanel();
  return true;
}

// A click on a listed extra removes it; the panel shows the list without it.
void removeClickedExtra() {
  const InputLoop& in = inputLoop;
  for (size_t i = 0; i < extraPanel.listButtons.size(); ++i) {
    if (!clickButton(extraPanel.listButtons[i], in.pointerX, in.pointerY)) continue;
    const FormPanel kept = extraPanel.form;
    closePanel();
    calc.plan.extras.erase(calc.plan.extras.begin() + static_cast<std::ptrdiff_t>(i));
    openPanel();
    extraPanel.form.fields = kept.fields;
    extraPanel.form.focus = kept.focus;
    drawFormField(extraPanel.form, 0);
    drawFormField(extraPanel.form, 1);
    return;
  }
}

}  // namespace

void runExtraPanel() {
  openPanel();
  for (;;) {
    switch (formPanelPass(extraPanel.form)) {
      case FormAnswer::OK:
        if (addTypedExtra()) return;
        break;
      case FormAnswer::CLOSE:
        closePanel();
        return;
      case FormAnswer::CLICK:
        removeClickedExtra();
        break;
      case FormAnswer::KEEP_OPEN:
        if (inputLoop.lastEvent == EVENT_LEFT_PRESS) {
          for (ButtonId id : extraPanel.listButtons)
            hoverButton(id, inputLoop.pointerX, inputLoop.pointerY);
        }
        break;
    }
  }
}
