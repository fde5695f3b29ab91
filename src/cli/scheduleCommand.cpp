#include "cli/scheduleCommand.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <vector>

#include "cli/chartSvg.h"
#include "cli/scheduleRequest.h"
#include "cli/standardOutput.h"
#include "cli/usage.h"
#include "layout/chartLayout.h"
#include "layout/scheduleText.h"
#include "layout/summaryText.h"
#include "money/exactRange.h"
#include "money/loanPlan.h"
#include "money/moneyFormat.h"
#include "money/paymentForTerm.h"

namespace {

// What a sink is handed at a time.
constexpr size_t OUTPUT_PIECE = 64 * 1024;
// The header's line in the window is code page 437's horizontal line, U+2500.
constexpr std::string_view HORIZONTAL_LINE = "\u2500";

// The status and message of a plan that cannot run: a payment or a term that no payment meets
// is 1, a kept end date already passed is a use of the arguments that cannot be made, 2.
int refuse(const PlanWalk& walk, std::string& err) {
  if (walk.problem == PlanProblem::EndPassed) {
    err += "quillo schedule: " + walk.message + "\n";
    return 2;
  }
  err += walk.message + "\n";
  return 1;
}

// Where a written schedule goes: a text handed on in pieces when a sink takes it.
struct Output {
  std::string& out;
  OutputSink sink;
  bool failed = false;
  void flushSome() {
    if (!failed && sink && out.size() >= OUTPUT_PIECE && !sink(out)) failed = true;
  }
};

// Month,Rate,Payment,...: the table a spreadsheet reads.
struct CsvWriter {
  // What the last month took, and as shown: most months take the same, formatted once.
  double paid = -1;
  std::string paidText;
  void start(std::string& out) { appendTableHeader(out, ','); }
  void month(const PlanMonth& m, std::string& out) {
    // A month's interest plus its principal is the payment in force but for the last bits of
    // the sum, which never move it across a half cent: formatted anew only when it really
    // differs (the last month, an extra, a new payment).
    if (std::fabs(m.paid - paid) >= 1e-7) {
      paid = m.paid;
      paidText = formatAmount(paid, 2, false);
    }
    appendTableRow(
        out, ',',
        {m.month, m.rateText, paidText, m.interest, m.principal, m.balance, m.totalInterest});
  }
};

// The header and the lines as the window shows them.
struct TextWriter {
  void start(std::string& out) { out += scheduleHeaderText(HORIZONTAL_LINE); }
  void month(const PlanMonth& m, std::string& out) {
    out += scheduleLineText(m.month, m.interest, m.principal, m.balance, m.totalInterest);
    out += '\n';
  }
};

// Walks the plan, writing each month with the writer and the totals line at the end.
template <typename Writer>
int writeSchedule(const LoanPlan& plan, Writer writer, Output& output, std::string& err) {
  PlanWalk walk;
  if (!startWalk(walk, plan)) return refuse(walk, err);
  output.out.reserve(output.out.size() + OUTPUT_PIECE + LINE_SIZE_GUESS);
  writer.start(output.out);
  walkRest(walk, [&](const PlanMonth& m) {
    writer.month(m, output.out);
    output.flushSome();
  });
  if (walk.problem != PlanProblem::None) return refuse(walk, err);
  if (output.failed) {
    err += standardOutputFailure("quillo schedule");
    return 1;
  }
  const std::string totals = totalsLine(walk.repayment);
  output.out.append(totals, 0, totals.find_last_not_of(' ') + 1);
  output.out += '\n';
  return 0;
}

int writeSvg(const LoanPlan& plan, std::string& out, std::string& err) {
  ChartRequest chart;
  chart.loanAmount = plan.loan;
  chart.months.reserve(MONTH_LIMIT);
  const PlanWalk walk = walkPlan(plan, false, [&](const PlanMonth& m) {
    chart.months.push_back({m.month, m.balance, m.totalInterest, m.newTerms});
  });
  if (walk.problem != PlanProblem::None) return refuse(walk, err);
  chart.rateText = walk.rateText;
  chart.payment = walk.repayment.payment;
  chart.computed = walk.repayment.monthCount;
  chart.repaid = !stillOwing(walk.repayment);
  appendChartSvg(out, layoutChart(chart));
  return 0;
}

int writeSummary(const ScheduleRequest& request, std::string& out, std::string& err) {
  const PlanSummary summary = summarizePlan(request.plan);
  if (summary.problem != PlanProblem::None) {
    PlanWalk walk;
    walk.problem = summary.problem;
    walk.message = summary.message;
    return refuse(walk, err);
  }
  if (request.largestLoan) out += "Loan: " + plainAmount(request.plan.loan) + "\n";
  out += summaryText(summary);
  return 0;
}

bool writeToStandardOutput(std::string& out) {
  const bool written = writeStandardOutput(out);
  out.clear();
  return written;
}

}  // namespace

int scheduleCommand(int argc, const char* const* argv, std::string& out, std::string& err,
                    OutputSink sink) {
  // What follows "quillo schedule".
  const std::vector<std::string_view> arguments(argv + std::min(argc, 2), argv + argc);
  for (std::string_view argument : arguments) {
    if (argument == "--help") {
      out += scheduleUsageText();
      return 0;
    }
  }
  ScheduleRequest request;
  if (std::string problem = readScheduleRequest(arguments, request); !problem.empty()) {
    err += "quillo schedule: " + problem + "\n";
    err += scheduleUsageText();
    return 2;
  }
  LoanPlan& plan = request.plan;
  if (request.largestLoan) {
    plan.loan = largestLoanForPayment(plan.payment, plan.annualRate, plan.term);
    if (!(plan.loan > 0)) {
      err += "A payment of " + plainAmount(plan.payment) + " repays no loan within the term\n";
      return 1;
    }
    if (const BeyondRange beyond = beyondExactRange(plan); beyond != BeyondRange::Nothing) {
      err += "quillo schedule: " + beyondRangeMessage(beyond) + "\n";
      return 2;
    }
  }
  switch (request.format) {
    case ScheduleFormat::Summary:
      return writeSummary(request, out, err);
    case ScheduleFormat::Svg:
      return writeSvg(plan, out, err);
    default:
      break;
  }
  // Only a change can refuse a schedule once it has started. With one ahead, the schedule is
  // checked whole first (12000 months take a few milliseconds), so that the text can go out in
  // pieces from its start and nothing of a schedule refused at a later change is written.
  if (!plan.changes.empty()) {
    const PlanWalk walk = walkPlan(plan, false, [](const PlanMonth&) {});
    if (walk.problem != PlanProblem::None) return refuse(walk, err);
  }
  Output output{out, sink};
  return request.format == ScheduleFormat::Text ? writeSchedule(plan, TextWriter{}, output, err)
                                                : writeSchedule(plan, CsvWriter{}, output, err);
}

int runScheduleCommand(int argc, const char* const* argv) {
  std::string out, err;
  int status = scheduleCommand(argc, argv, out, err, writeToStandardOutput);
  if (status == 0 && !writeToStandardOutput(out)) {
    err += standardOutputFailure("quillo schedule");
    status = 1;
  }
  std::fwrite(err.data(), 1, err.size(), stderr);
  return status;
}
