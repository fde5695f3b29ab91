#include "cli/scheduleCommand.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string_view>
#include <vector>

#include "cli/chartSvg.h"
#include "cli/options.h"
#include "cli/usage.h"
#include "money/amountText.h"
#include "money/chartLayout.h"
#include "money/moneyFormat.h"
#include "money/repayment.h"
#include "money/scheduleText.h"

namespace {

// What a sink is handed at a time.
constexpr size_t OUTPUT_PIECE = 64 * 1024;

struct Change {
  int32_t month = 0;
  std::string_view rate, payment;  // empty: kept
};

enum class Format { Csv, Text, Svg };

struct Request {
  std::vector<std::string_view> amounts;  // loan, rate and payment, as given
  std::vector<Change> changes;
  Format format = Format::Csv;
};

bool onlyOf(std::string_view text, std::string_view characters) {
  return text.find_first_not_of(characters) == std::string_view::npos;
}

// "13:5.5:1100"; answers what is wrong with it, or nothing.
std::string readChange(std::string_view text, Change& change) {
  const size_t first = text.find(':');
  const size_t second = first == std::string_view::npos ? first : text.find(':', first + 1);
  if (second == std::string_view::npos || text.find(':', second + 1) != std::string_view::npos) {
    return "a change is MONTH:RATE:PAYMENT, not " + std::string(text);
  }
  const std::string_view month = text.substr(0, first);
  change.rate = text.substr(first + 1, second - first - 1);
  change.payment = text.substr(second + 1);
  const auto [end, error] =
      std::from_chars(month.data(), month.data() + month.size(), change.month);
  if (month.empty() || error != std::errc() || end != month.data() + month.size() ||
      change.month < 1 || change.month > MONTH_LIMIT) {
    return "the month of a change is 1 to 12000, not " + std::string(month);
  }
  if (!onlyOf(change.rate, RATE_CHARACTERS)) return "not a rate: " + std::string(change.rate);
  if (!onlyOf(change.payment, AMOUNT_CHARACTERS)) {
    return "not an amount: " + std::string(change.payment);
  }
  return {};
}

// Answers what is wrong with the arguments, or nothing.
std::string readRequest(const std::vector<std::string_view>& arguments, Request& request) {
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view arg = arguments[i];
    bool hasValue = false;
    std::string_view value;
    if (readOption(arguments, i, "--change", OptionValue::Required, hasValue, value)) {
      if (!hasValue) return "--change needs a value";
      Change change;
      if (std::string problem = readChange(value, change); !problem.empty()) return problem;
      request.changes.push_back(change);
    } else if (readOption(arguments, i, "--format", OptionValue::Required, hasValue, value)) {
      if (!hasValue) return "--format needs a value";
      if (value == "csv") {
        request.format = Format::Csv;
      } else if (value == "text") {
        request.format = Format::Text;
      } else if (value == "svg") {
        request.format = Format::Svg;
      } else {
        return "the format is csv, text or svg, not " + std::string(value);
      }
    } else if (arg.starts_with("-")) {
      return "unknown option " + std::string(arg);
    } else {
      request.amounts.push_back(arg);
    }
  }
  if (request.amounts.size() < 2) return "the loan amount and the rate are needed";
  if (request.amounts.size() > 3) return "one amount too many: " + std::string(request.amounts[3]);
  for (size_t k : {0u, 2u}) {
    if (k < request.amounts.size() && !onlyOf(request.amounts[k], AMOUNT_CHARACTERS)) {
      return "not an amount: " + std::string(request.amounts[k]);
    }
  }
  if (!onlyOf(request.amounts[1], RATE_CHARACTERS)) {
    return "not a rate: " + std::string(request.amounts[1]);
  }
  if (amountValue(request.amounts[0]) == 0) return "the loan amount must not be 0";
  // Applied in the order of their months, as a user stepping through the schedule would.
  std::stable_sort(request.changes.begin(), request.changes.end(),
                   [](const Change& a, const Change& b) { return a.month < b.month; });
  return {};
}

struct Run {
  Repayment repayment;
  std::string rateText;     // as typed
  std::string paymentText;  // as shown
  ChartRequest chart;       // with the svg format: every month, drawn at the end
  bool newTerms = false;    // the next month is the first at a changed rate or payment
};

// The payment confirmed as the "Continue" choice does it; false, with the message, when it
// falls short of the interest due.
bool confirmPayment(Run& run, std::string& err) {
  std::string due;
  if (checkPayment(run.repayment, due) == PaymentCheck::Refused) {
    err += paymentMessage(due);
    err += '\n';
    return false;
  }
  run.paymentText = formatAmount(run.repayment.payment, 2, false);
  return true;
}

void appendMonth(Run& run, std::string_view interest, Format format, std::string& out) {
  const Repayment& r = run.repayment;
  if (format == Format::Svg) {
    run.chart.months.push_back({r.monthCount, r.balance, r.totalInterest, run.newTerms});
    run.newTerms = false;
  } else if (format == Format::Text) {
    out += scheduleLineText(r.monthCount, interest, r.monthPrincipal, r.balance, r.totalInterest);
    out += '\n';
  } else {
    appendTableRow(out, ',',
                   {r.monthCount, run.rateText, run.paymentText, interest, r.monthPrincipal,
                    r.balance, r.totalInterest});
  }
}

int writeSchedule(const Request& request, std::string& out, std::string& err, OutputSink sink) {
  Run run;
  Repayment& r = run.repayment;
  r.balance = amountValue(request.amounts[0]);
  run.rateText = request.amounts[1];
  r.annualRate = numberValue(run.rateText);
  // An empty payment field holds 0.
  if (request.amounts.size() > 2 && !request.amounts[2].empty()) {
    r.payment = amountValue(request.amounts[2]);
  }
  if (!confirmPayment(run, err)) return 1;
  startRepayment(r);

  // Nothing of a schedule that stops at a refused payment is written.
  const size_t start = out.size();
  out.reserve(start + OUTPUT_PIECE + LINE_SIZE_GUESS);
  if (request.format == Format::Csv) appendTableHeader(out, ',');
  if (request.format == Format::Svg) {
    run.chart.loanAmount = r.balance;
    run.chart.months.reserve(MONTH_LIMIT);
  }
  auto change = request.changes.begin();
  while (canRepayMonth(r)) {
    for (; change != request.changes.end() && change->month == r.monthCount + 1; ++change) {
      const std::string rateBefore = run.rateText;
      const double paymentBefore = r.payment;
      if (!change->rate.empty()) {
        run.rateText = change->rate;
        r.annualRate = numberValue(run.rateText);
      }
      if (!change->payment.empty()) r.payment = amountValue(change->payment);
      if (!confirmPayment(run, err)) {
        out.resize(start);
        return 1;
      }
      run.newTerms = run.newTerms || run.rateText != rateBefore || r.payment != paymentBefore;
    }
    char shownInterest[AMOUNT_TEXT_SIZE];
    appendMonth(run, repayMonth(r, shownInterest), request.format, out);
    // Only after the last change has been accepted: nothing of a refused schedule is written.
    if (sink && change == request.changes.end() && out.size() >= OUTPUT_PIECE && !sink(out)) {
      err += "quillo schedule: the schedule could not be written\n";
      return 1;
    }
  }
  if (request.format == Format::Svg) {
    run.chart.rateText = run.rateText;
    run.chart.now = r;
    appendChartSvg(out, layoutChart(run.chart));
    return 0;
  }
  const std::string totals = totalsLine(r);
  out.append(totals, 0, totals.find_last_not_of(' ') + 1);
  out += '\n';
  return 0;
}

bool writeToStandardOutput(std::string& out) {
  const bool written =
      std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0;
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
  Request request;
  if (std::string problem = readRequest(arguments, request); !problem.empty()) {
    err += "quillo schedule: " + problem + "\n";
    err += scheduleUsageText();
    return 2;
  }
  return writeSchedule(request, out, err, sink);
}

int runScheduleCommand(int argc, const char* const* argv) {
  std::string out, err;
  int status = scheduleCommand(argc, argv, out, err, writeToStandardOutput);
  if (status == 0 && !writeToStandardOutput(out)) {
    err += "quillo schedule: the schedule could not be written\n";
    status = 1;
  }
  std::fwrite(err.data(), 1, err.size(), stderr);
  return status;
}
