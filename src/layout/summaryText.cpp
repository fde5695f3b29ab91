#include "layout/summaryText.h"

#include "layout/scheduleText.h"

namespace {

constexpr std::string_view WITHOUT = "Without the extra payments and kept end dates";

std::string monthsText(const Repayment& end) {
  const std::string totals = totalsLine(end);
  return std::to_string(end.monthCount) + " " + totals.substr(0, totals.find_last_not_of(' ') + 1);
}

void appendFigures(const PlanFigures& f, std::string& out) {
  out += "Payment: ";
  for (const auto& [month, payment] : f.payments) {
    if (month != f.payments.front().first) out += ", ";
    out += plainAmount(payment);
    if (month != f.payments.front().first) out += " from month " + std::to_string(month);
  }
  out += "\nMonths: " + monthsText(f.end);
  out += "\nTotal paid: " + plainAmount(f.totalPaid);
  out += "\nTotal interest: " + plainAmount(f.totalInterest);
  out += "\nLast payment: " + plainAmount(f.lastPayment);
  out += '\n';
}

}  // namespace

std::string summaryText(const PlanSummary& s) {
  std::string out;
  appendFigures(s.figures, out);
  if (!s.compared) return out;
  if (s.plainProblem != PlanProblem::None) {
    out += std::string(WITHOUT) + " the plan cannot run: ";
    if (s.plainProblem == PlanProblem::PaymentShort) {
      out += "in month " + std::to_string(s.plainProblemMonth) +
             " the payment is below the interest due ($" + s.plainDue + ")\n";
    } else {
      out += s.plainMessage + " (month " + std::to_string(s.plainProblemMonth) + ")\n";
    }
    return out;
  }
  out += std::string(WITHOUT) + ":\n";
  appendFigures(s.plain, out);
  out += "Saved: " + std::to_string(s.savedMonths) + " months, " + plainAmount(s.savedInterest) +
         " interest\n";
  return out;
}
