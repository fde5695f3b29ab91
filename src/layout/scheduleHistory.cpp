#include "layout/scheduleHistory.h"

#include "layout/scheduleText.h"
#include "money/moneyFormat.h"

void startHistory(ScheduleHistory& h) {
  h.started = true;
  // Stepping must not allocate as it goes: one schedule never holds more than the month limit.
  h.months.reserve(MONTH_LIMIT);
  h.months.clear();
  h.rates.clear();
  h.totals.clear();
}

void endHistory(ScheduleHistory& h) {
  h.started = false;
  h.months.clear();
}

void recordMonth(ScheduleHistory& h, const Repayment& r, const std::string& rateText) {
  if (!h.started || h.months.size() >= static_cast<size_t>(MONTH_LIMIT)) return;
  if (h.rates.empty() || h.rates.back() != rateText) h.rates.push_back(rateText);
  h.months.push_back({r.monthCount, static_cast<int32_t>(h.rates.size() - 1), r.payment,
                      r.monthPaid, r.monthInterest, r.monthPrincipal, r.balance, r.totalInterest});
}

void recordTotals(ScheduleHistory& h, const std::string& totalsLine) {
  if (h.started) h.totals = totalsLine;
}

std::string historyTable(const ScheduleHistory& h, char separator) {
  std::string table;
  if (!h.started) return table;
  table.reserve((h.months.size() + 2) * LINE_SIZE_GUESS);
  appendTableHeader(table, separator);
  for (const HistoryMonth& m : h.months) {
    const std::string paid = formatAmount(m.paid, 2, false);
    const std::string interest = formatAmount(m.interest, 2, false);
    appendTableRow(table, separator,
                   {m.month, h.rates[static_cast<size_t>(m.rate)], paid, interest, m.principal,
                    m.balance, m.totalInterest});
  }
  if (!h.totals.empty()) {
    table += h.totals.substr(0, h.totals.find_last_not_of(' ') + 1);
    table += '\n';
  }
  return table;
}
