#include "support/scheduleLine.h"

std::string scheduleLine(int month, const std::string& interest, const std::string& principal,
                         const std::string& remainder, const std::string& totalInterest) {
  std::string row(80, ' ');
  auto endAt = [&](const std::string& text, int column) {
    row.replace(static_cast<size_t>(column) - text.size(), text.size(), text);
  };
  const std::string number = std::to_string(month);
  row.replace(0, number.size(), number);
  endAt(interest, 19);
  endAt(principal, 37);
  endAt(remainder, 59);
  endAt(totalInterest, 79);
  row.erase(row.find_last_not_of(' ') + 1);
  return row;
}
