#pragma once

// Every month of a schedule computed so far, kept so that the whole schedule can be copied, not
// only the lines on the screen. The caller owns the history; a schedule that starts again starts
// it anew.

#include <cstdint>
#include <string>
#include <vector>

#include "money/repayment.h"

struct HistoryMonth {
  int32_t month = 0;
  int32_t rate = 0;     // index into ScheduleHistory::rates
  double payment = 0;   // the payment in force
  double paid = 0;      // interest as shown plus principal: what the month took
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

// Empties the history for a schedule that starts; room for every month is made only once.
void startHistory(ScheduleHistory& h);
// No schedule any more.
void endHistory(ScheduleHistory& h);
// The month just stepped, with the rate as it was typed.
void recordMonth(ScheduleHistory& h, const Repayment& r, const std::string& rateText);
void recordTotals(ScheduleHistory& h, const std::string& totalsLine);
// The header, a line per month and the totals line once finished, columns split by the
// separator; empty when no schedule has started.
std::string historyTable(const ScheduleHistory& h, char separator);
