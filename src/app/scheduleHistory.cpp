#include "app/scheduleHistory.h"

#include "app/moneyFormat.h"
#include "app/scheduleText.h"

ScheduleHistory scheduleHistory;

namespace {

// "12000\t12.5\t1000.00\t..." with room to spare.
constexpr size_t LINE_SIZE_GUESS = 96;

}  // namespace

void startHistory() {
  ScheduleHistory& h = scheduleHistory;
  h.started = true;
  // Stepping must not allocate as it goes: one schedule never holds more than the month limit.
  h.months.reserve(MONTH_LIMIT);
  h.months.clear();
  h.rates.clear();
  h.totals.clear();
}

void endHistory() {
  scheduleHistory.started = false;
  scheduleHistory.months.clear();
}

void recordMonth(const Repayment& r, const std::string& rateText) {
  ScheduleHistory& h = scheduleHistory;
  if (!h.started || h.months.size() >= static_cast<size_t>(MONTH_LIMIT)) return;
  if (h.rates.empty() || h.rates.back() != rateText) h.rates.push_back(rateText);
  h.months.push_back({r.monthCount, static_cast<int32_t>(h.rates.size() - 1), r.monthPaid,
                      r.monthInterest, r.monthPrincipal, r.balance, r.totalInterest});
}

void recordTotals(const std::string& totalsLine) {
  if (scheduleHistory.started) scheduleHistory.totals = totalsLine;
}

std::string historyTable(char separator) {
  const ScheduleHistory& h = scheduleHistory;
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
