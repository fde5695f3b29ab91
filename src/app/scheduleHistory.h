#pragma once

// Every month of the schedule computed so far, kept so that the whole schedule can be copied,
// not only the twelve lines on the screen. A schedule that starts again, or a new calculation,
// starts a new history.

#include <cstdint>
#include <string>
#include <vector>

#include "app/repayment.h"

struct HistoryMonth {
  int32_t month = 0;
  int32_t rate = 0;     // index into ScheduleHistory::rates
  double paid = 0;      // interest as shown plus principal
  double interest = 0;  // unrounded; shown as formatted
  double principal = 0;
  double balance = 0;
  double totalInterest = 0;
};

struct ScheduleHistory {
  bool started = false;  // a schedule has started since the last new calculation
  std::vector<HistoryMonth> months;
  std::vector<std::string> rates;  // each rate text once, in the order they came into force
  std::string totals;              // the totals line once the schedule has finished
};

extern ScheduleHistory scheduleHistory;

// Empties the history for a schedule that starts; room for every month is made only once.
void startHistory();
// No schedule any more.
void endHistory();
// The month just stepped, with the rate as it was typed.
void recordMonth(const Repayment& r, const std::string& rateText);
void recordTotals(const std::string& totalsLine);
// The header, a line per month and the totals line once finished, columns split by the
// separator; empty when no schedule has started.
std::string historyTable(char separator);
