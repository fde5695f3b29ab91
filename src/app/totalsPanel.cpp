#include "app/totalsPanel.h"

#include <string>
#include <string_view>
#include <vector>

#include "app/mainScreen.h"
#include "controls/panelArea.h"
#include "controls/roleColours.h"
#include "layout/summaryText.h"
#include "screen/screen.h"

namespace {

constexpr int TITLE_ROW = 5;
constexpr int FIRST_ROW = TITLE_ROW + 2;
constexpr int TEXT_COLUMN = 8;
constexpr int LAST_COLUMN = 81 - (TEXT_COLUMN - 2);
constexpr size_t LINE_ROOM = static_cast<size_t>(LAST_COLUMN - TEXT_COLUMN);
constexpr int LAST_TEXT_ROW = 27;

// The summary's lines, a long one broken after a comma so that it fits the panel.
std::vector<std::string> panelLines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    while (line.size() > LINE_ROOM) {
      size_t cut = line.rfind(", ", LINE_ROOM - 1);
      if (cut == std::string::npos || cut == 0) cut = LINE_ROOM - 2;
      lines.push_back(line.substr(0, cut + 1));
      line = "  " + line.substr(cut + 2);
    }
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

void print(int row, std::string_view text) {
  screen::moveCursor(row, TEXT_COLUMN);
  screen::printText(text, false);
}

}  // namespace

void runTotalsPanel() {
  LoanPlan plan;
  std::vector<std::string> lines;
  bool problem = true;
  if (!currentPlan(plan)) {
    lines.push_back("Enter a loan, a rate and a payment first");
  } else {
    const PlanSummary summary = summarizePlan(plan);
    problem = summary.problem != PlanProblem::None;
    lines = panelLines(problem ? summary.message : summaryText(summary));
  }
  const int lastRows = LAST_TEXT_ROW - FIRST_ROW - 1;
  if (static_cast<int>(lines.size()) > lastRows) lines.resize(static_cast<size_t>(lastRows));
  const int footerRow = FIRST_ROW + static_cast<int>(lines.size()) + 1;
  PanelArea area =
      cellArea(TITLE_ROW, TEXT_COLUMN - 2, footerRow, LAST_COLUMN, 0, screen::TEXT_CELL_HEIGHT / 2);
  coverArea(area, DROPDOWNS_COLOUR);
  screen::setForeground(TITLES_COLOUR);
  print(TITLE_ROW, "Totals of the plan, projected to the end");
  screen::setForeground(problem ? ERROR_MESSAGES_COLOUR : EXPRESSIONS_COLOUR);
  for (size_t i = 0; i < lines.size(); ++i) print(FIRST_ROW + static_cast<int>(i), lines[i]);
  screen::setForeground(TITLES_COLOUR);
  print(footerRow, "Any key or click closes the totals.");
  awaitAnyKeyOrClick();
  uncoverArea(area);
}
