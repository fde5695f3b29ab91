#include "app/termPanel.h"

#include <string_view>

#include "app/controlTable.h"
#include "app/mainScreen.h"
#include "controls/inputLoop.h"
#include "editor/fieldEditor.h"
#include "money/moneyFormat.h"
#include "money/paymentForTerm.h"

TermPanelState termPanel;

namespace {

// The panel stands right of the fields, below the titles.
constexpr int LEFT_COLUMN = 42;
constexpr int TEXT_COLUMN = 44;
constexpr int FIELD_COLUMN = 53;
constexpr int TITLE_ROW = 5;
constexpr int YEARS_ROW = 6;
constexpr int MONTHS_ROW = 7;
constexpr int MESSAGE_ROW_IN_PANEL = 8;
constexpr int BUTTON_ROW = 9;
constexpr int YEARS_WIDTH = 4;
constexpr int MONTHS_WIDTH = 5;
constexpr int MESSAGE_WIDTH = 34;
constexpr std::string_view DIGITS_MASK = "(0-9)";
constexpr int BOX_LEFT = (LEFT_COLUMN - 1) * 8;
constexpr int BOX_RIGHT = 631;
constexpr int BOX_TOP = (TITLE_ROW - 1) * 16 - 8;
constexpr int BOX_BOTTOM = BUTTON_ROW * 16 + 7;

struct PanelField {
  int row, width;
  std::string TermPanelState::*text;
};
constexpr PanelField FIELDS[3] = {
    {},
    {YEARS_ROW, YEARS_WIDTH, &TermPanelState::years},
    {MONTHS_ROW, MONTHS_WIDTH, &TermPanelState::months},
};

int32_t scheduleMonth() {
  return calc.stepping ? calc.repayment.monthCount : 0;
}

// The months to the end of the last term given, else what the schedule would still take at the
// payment in force; none before a schedule without a term.
int32_t offeredMonths() {
  const int32_t month = scheduleMonth();
  if (termPanel.termEnd > month) return termPanel.termEnd - month;
  if (!calc.stepping) return 0;
  bool repaid = false;
  return monthsToRepay(calc.repayment.balance, termPanel.rateInForce, calc.repayment.roundingCarry,
                       termPanel.paymentInForce, MONTH_LIMIT - month, repaid);
}

void showMessage(std::string_view message) {
  screen::setForeground(ERROR_MESSAGES_COLOUR);
  screen::moveCursor(MESSAGE_ROW_IN_PANEL, TEXT_COLUMN);
  std::string line(message);
  line.resize(MESSAGE_WIDTH, ' ');
  screen::printText(line, false);
}

void drawFieldText(int k) {
  screen::setForeground(EXPRESSIONS_COLOUR);
  screen::moveCursor(FIELDS[k].row, FIELD_COLUMN);
  std::string shown = termPanel.*FIELDS[k].text;
  shown.resize(static_cast<size_t>(FIELDS[k].width), ' ');
  screen::printText(shown, false);
}

void createPanelButton(ButtonId& id, const char* label, int column) {
  createButton(id, {.label = label,
                    .x = screen::columnToX(column),
                    .y = screen::rowToY(BUTTON_ROW),
                    .lineHeightCode = SMALL_LINES,
                    .normalColour = BUTTON_COLOUR,
                    .highlightColour = BUTTON_SELECTED_COLOUR,
                    .framed = true});
}

void openPanel() {
  TermPanelState& p = termPanel;
  p.savedArea = screen::createImage(BOX_RIGHT - BOX_LEFT + 1, BOX_BOTTOM - BOX_TOP + 1);
  screen::captureRect(BOX_LEFT, BOX_TOP, BOX_RIGHT, BOX_BOTTOM, p.savedArea, false);
  screen::drawLine(BOX_LEFT, BOX_TOP, BOX_RIGHT, BOX_BOTTOM, 0, screen::Shape::FilledBox, false);
  screen::setForeground(DROPDOWNS_COLOUR);
  screen::drawLine(BOX_LEFT, BOX_TOP, BOX_RIGHT, BOX_BOTTOM, screen::CURRENT_COLOUR,
                   screen::Shape::Box, false);
  screen::setForeground(TITLES_COLOUR);
  screen::moveCursor(TITLE_ROW, TEXT_COLUMN);
  screen::printText("Payment for a term", false);
  screen::setForeground(BUTTON_COLOUR);
  screen::moveCursor(YEARS_ROW, TEXT_COLUMN);
  screen::printText("Years:", false);
  screen::moveCursor(MONTHS_ROW, TEXT_COLUMN);
  screen::printText("Months:", false);
  const int32_t offered = offeredMonths();
  p.years = offered > 0 ? std::to_string(offered / MONTHS_PER_YEAR) : "";
  p.months = offered > 0 ? std::to_string(offered % MONTHS_PER_YEAR) : "";
  p.focus = 1;
  drawFieldText(1);
  drawFieldText(2);
  createPanelButton(p.okButton, "OK", TEXT_COLUMN + 6);
  createPanelButton(p.cancelButton, "Cancel", TEXT_COLUMN + 16);
}

void closePanel() {
  TermPanelState& p = termPanel;
  removeButton(p.okButton);
  removeButton(p.cancelButton);
  screen::pasteImage(BOX_LEFT, BOX_TOP, p.savedArea);
  screen::destroyImage(p.savedArea);
}

int32_t wholeNumber(const std::string& digits) {
  int32_t value = 0;
  for (char c : digits) value = value * 10 + (c - '0');  // at most five digits
  return value;
}

// The payment into its field, as if typed, with the focus on "Continue" to confirm it.
void typePayment(double payment) {
  calc.focus = FOCUS_PAYMENT;
  calc.editText = formatAmount(payment, 2, false);
  commitField();
  if (calc.controlIds[CONTROL_CONTINUE] == 0) createControl(CONTROL_CONTINUE);
  calc.focus = FOCUS_CONTINUE;
  highlightButton(calc.controlIds[CONTROL_CONTINUE]);
}

// Solves for the term typed; false, with a message in the panel, when it cannot.
bool solveTerm() {
  const TermPanelState& p = termPanel;
  const int32_t months = wholeNumber(p.years) * MONTHS_PER_YEAR + wholeNumber(p.months);
  if (calc.loanAmount == 0 || calc.rateText.empty()) {
    showMessage("Enter the loan and the rate first");
    return false;
  }
  if (months < 1 || months > MONTH_LIMIT) {
    showMessage("The term is 1 month to 1000 years");
    return false;
  }
  const double balance = calc.stepping ? calc.repayment.balance : calc.loanAmount;
  const double carry = calc.stepping ? calc.repayment.roundingCarry : 0;
  const double payment = paymentForTerm(balance, calc.repayment.annualRate, carry, months);
  if (payment < 0) {
    showMessage("No payment repays it in that time");
    return false;
  }
  const int32_t end = scheduleMonth() + months;
  closePanel();
  termPanel.termEnd = end;
  typePayment(payment);
  return true;
}

void clickInPanel() {
  TermPanelState& p = termPanel;
  const InputLoop& in = inputLoop;
  for (int k = 1; k <= 2; ++k) {
    const int top = screen::rowToY(FIELDS[k].row);
    if (in.pointerY >= top && in.pointerY < top + 16 &&
        in.pointerX >= screen::columnToX(TEXT_COLUMN) &&
        in.pointerX < screen::columnToX(FIELD_COLUMN + FIELDS[k].width)) {
      p.focus = k;
    }
  }
}

// Acts on the event that ended an edit; true when the panel has closed.
bool handlePanelEvent() {
  TermPanelState& p = termPanel;
  const InputLoop& in = inputLoop;
  switch (in.lastEvent) {
    case EVENT_ESC:
    case EVENT_CLOSE:
      closePanel();
      return true;
    case EVENT_TAB:
    case EVENT_SHIFT_TAB:
    case EVENT_UP:
    case EVENT_DOWN:
      p.focus = 3 - p.focus;
      return false;
    case EVENT_ENTER:
      if (p.focus == 1) {
        p.focus = 2;
        return false;
      }
      return solveTerm();
    case EVENT_LEFT_PRESS:
      hoverButton(p.okButton, in.pointerX, in.pointerY);
      hoverButton(p.cancelButton, in.pointerX, in.pointerY);
      return false;
    case EVENT_LEFT_RELEASE:
      if (clickButton(p.okButton, in.pointerX, in.pointerY)) return solveTerm();
      if (clickButton(p.cancelButton, in.pointerX, in.pointerY)) {
        closePanel();
        return true;
      }
      clickInPanel();
      return false;
    default:
      return false;
  }
}

}  // namespace

void runTermPanel() {
  openPanel();
  do {
    TermPanelState& p = termPanel;
    const PanelField& field = FIELDS[p.focus];
    screen::setForeground(EXPRESSIONS_COLOUR);
    awaitInput(p.*field.text, DIGITS_MASK, field.width, field.row, FIELD_COLUMN);
  } while (!handlePanelEvent());
}
