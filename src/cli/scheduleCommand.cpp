#include "cli/scheduleCommand.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <vector>

#include "cli/chartSvg.h"
#include "cli/options.h"
#include "cli/standardOutput.h"
#include "cli/usage.h"
#include "money/amountText.h"
#include "money/chartLayout.h"
#include "money/moneyFormat.h"
#include "money/paymentForTerm.h"
#include "money/repayment.h"
#include "money/scheduleText.h"

namespace {

constexpr std::string_view KEEP = "keep";
// What a sink is handed at a time.
constexpr size_t OUTPUT_PIECE = 64 * 1024;

struct Change {
  int32_t month = 0;
  std::string_view rate, payment;  // empty: kept
  bool keepEnd = false;            // the payment that repays by the same end month
};

struct Extra {
  int32_t month = 0;
  double amount = 0;
};

enum class Format { Csv, Text, Summary, Svg };

struct Request {
  std::vector<std::string_view> amounts;  // loan, rate and payment, as given
  std::vector<Change> changes;
  std::vector<Extra> extras;
  int32_t term = 0;  // months; 0: no term
  Format format = Format::Csv;
};

bool onlyOf(std::string_view text, std::string_view characters) {
  return text.find_first_not_of(characters) == std::string_view::npos;
}

// Answers what is wrong with an amount as given, or nothing: the field's characters, as many
// as it holds.
std::string amountProblem(std::string_view amount) {
  if (amount.size() > FIELD_TEXT_WIDTH) {
    return "an amount has at most " + std::to_string(FIELD_TEXT_WIDTH) + " characters";
  }
  if (!onlyOf(amount, AMOUNT_CHARACTERS)) return "not an amount: " + std::string(amount);
  return {};
}

// Digits only, from 1 to the month limit.
bool readMonth(std::string_view text, int32_t& month) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), month);
  return !text.empty() && error == std::errc() && end == text.data() + text.size() && month >= 1 &&
         month <= MONTH_LIMIT;
}

// "360", "360m", "30y" or "30y6m".
bool readTerm(std::string_view text, int32_t& months) {
  int64_t total = 0, number = 0;
  bool digits = false;
  std::string_view units = "ym";  // the units still allowed, in their order
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      number = number * 10 + (c - '0');
      digits = true;
      if (number > MONTH_LIMIT) return false;
      continue;
    }
    const size_t unit = units.find(c);
    if (!digits || unit == std::string_view::npos) return false;
    total += c == 'y' ? number * MONTHS_PER_YEAR : number;
    number = 0;
    digits = false;
    units = units.substr(unit + 1);
  }
  // Bare digits are months, but not after years ("30y6" could mean either).
  if (digits && units.size() < 2) return false;
  total += number;
  if (total < 1 || total > MONTH_LIMIT) return false;
  months = static_cast<int32_t>(total);
  return true;
}

// "MONTH:REST"; answers what is wrong with the month, or nothing.
std::string splitMonth(std::string_view text, std::string_view what, int32_t& month,
                       std::string_view& rest) {
  const size_t colon = text.find(':');
  const std::string_view monthText = text.substr(0, colon);
  if (!readMonth(monthText, month)) {
    return "the month of " + std::string(what) + " is 1 to 12000, not " + std::string(monthText);
  }
  rest = text.substr(colon + 1);
  return {};
}

// Answers what is wrong with a rate as given, or nothing.
std::string rateProblem(std::string_view rate) {
  if (rate.size() > FIELD_TEXT_WIDTH) {
    return "a rate has at most " + std::to_string(FIELD_TEXT_WIDTH) + " characters";
  }
  if (!onlyOf(rate, RATE_CHARACTERS)) return "not a rate: " + std::string(rate);
  return {};
}

// "13:5.5:1100"; answers what is wrong with it, or nothing.
std::string readChange(std::string_view text, Change& change) {
  const size_t first = text.find(':');
  const size_t second = first == std::string_view::npos ? first : text.find(':', first + 1);
  if (second == std::string_view::npos || text.find(':', second + 1) != std::string_view::npos) {
    return "a change is MONTH:RATE:PAYMENT, not " + std::string(text);
  }
  std::string_view rest;
  if (std::string problem = splitMonth(text, "a change", change.month, rest); !problem.empty()) {
    return problem;
  }
  change.rate = rest.substr(0, second - first - 1);
  change.payment = rest.substr(second - first);
  if (std::string problem = rateProblem(change.rate); !problem.empty()) {
    return problem;
  }
  if (change.payment == KEEP) {
    change.keepEnd = true;
    change.payment = {};
    return {};
  }
  return amountProblem(change.payment);
}

// "24:5000"; answers what is wrong with it, or nothing.
std::string readExtra(std::string_view text, Extra& extra) {
  if (text.find(':') == std::string_view::npos) {
    return "an extra is MONTH:AMOUNT, not " + std::string(text);
  }
  std::string_view amount;
  if (std::string problem = splitMonth(text, "an extra", extra.month, amount); !problem.empty()) {
    return problem;
  }
  if (std::string problem = amountProblem(amount); !problem.empty()) {
    return problem;
  }
  extra.amount = amountValue(amount);
  return {};
}

// Answers what is wrong with the arguments, or nothing.
std::string readRequest(const std::vector<std::string_view>& arguments, Request& request) {
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view arg = arguments[i];
    bool hasValue = false;
    std::string_view value;
    const auto option = [&](std::string_view name) {
      return readOption(arguments, i, name, OptionValue::Required, hasValue, value);
    };
    if (option("--change")) {
      if (!hasValue) return "--change needs a value";
      Change change;
      if (std::string problem = readChange(value, change); !problem.empty()) return problem;
      request.changes.push_back(change);
    } else if (option("--extra")) {
      if (!hasValue) return "--extra needs a value";
      Extra extra;
      if (std::string problem = readExtra(value, extra); !problem.empty()) return problem;
      request.extras.push_back(extra);
    } else if (option("--term")) {
      if (!hasValue) return "--term needs a value";
      if (!readTerm(value, request.term)) {
        return "the term is months (360), years (30y) or both (30y6m), 1 month to 1000 years, "
               "not " +
               std::string(value);
      }
    } else if (option("--format")) {
      if (!hasValue) return "--format needs a value";
      if (value == "csv") {
        request.format = Format::Csv;
      } else if (value == "text") {
        request.format = Format::Text;
      } else if (value == "summary") {
        request.format = Format::Summary;
      } else if (value == "svg") {
        request.format = Format::Svg;
      } else {
        return "the format is csv, text, summary or svg, not " + std::string(value);
      }
    } else if (arg.starts_with("-")) {
      return "unknown option " + std::string(arg);
    } else {
      request.amounts.push_back(arg);
    }
  }
  if (request.amounts.size() < 2) return "the loan amount and the rate are needed";
  if (request.amounts.size() > 3) return "one amount too many: " + std::string(request.amounts[3]);
  if (request.amounts.size() > 2 && request.term != 0) {
    return "a payment and a term together: give one of them";
  }
  if (std::string problem = rateProblem(request.amounts[1]); !problem.empty()) return problem;
  for (size_t k : {0u, 2u}) {
    if (k >= request.amounts.size()) continue;
    if (std::string problem = amountProblem(request.amounts[k]); !problem.empty()) return problem;
  }
  if (amountValue(request.amounts[0]) == 0) return "the loan amount must not be 0";
  // Applied in the order of their months, as a user stepping through the schedule would.
  const auto byMonth = [](const auto& a, const auto& b) { return a.month < b.month; };
  std::stable_sort(request.changes.begin(), request.changes.end(), byMonth);
  std::stable_sort(request.extras.begin(), request.extras.end(), byMonth);
  return {};
}

// The figures a borrower compares two plans by.
struct Figures {
  std::vector<std::pair<int32_t, double>> payments;  // each payment with its first month
  Repayment end;
  double totalPaid = 0;
  double lastPayment = 0;
};

struct Run {
  Repayment repayment;
  std::string rateText;  // as typed
  Figures figures;
  // What the last month took, and as shown: most months take the same, formatted once.
  double paid = -1;
  std::string paidText;
  ChartRequest chart;     // with the svg format: every month, drawn at the end
  bool newTerms = false;  // the next month is the first at a changed rate or payment
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
  std::vector<std::pair<int32_t, double>>& payments = run.figures.payments;
  const int32_t month = run.repayment.monthCount + 1;
  if (payments.empty() || payments.back().second != run.repayment.payment) {
    if (!payments.empty() && payments.back().first == month) payments.pop_back();
    // A second change in the month may have brought back the payment before it.
    if (payments.empty() || payments.back().second != run.repayment.payment) {
      payments.emplace_back(month, run.repayment.payment);
    }
  }
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
  } else if (format == Format::Csv) {
    // A month's interest plus its principal is the payment in force but for the last bits of
    // the sum, which never move it across a half cent: formatted anew only when it really
    // differs (the last month, an extra, a new payment).
    if (std::fabs(r.monthPaid - run.paid) >= 1e-7) {
      run.paid = r.monthPaid;
      run.paidText = formatAmount(run.paid, 2, false);
    }
    appendTableRow(out, ',',
                   {r.monthCount, run.rateText, run.paidText, interest, r.monthPrincipal, r.balance,
                    r.totalInterest});
  }
}

// The month the schedule ends in at the rate and payment in force, from where it stands.
int32_t endMonthAsItStands(const Repayment& r) {
  bool repaid = false;
  return r.monthCount + monthsToRepay(r.balance, r.annualRate, r.roundingCarry, r.payment,
                                      MONTH_LIMIT - r.monthCount, repaid);
}

// A change's rate and payment; false, with the message, when the payment cannot be used.
bool applyChange(const Change& change, int32_t term, bool plain, Run& run, std::string& err) {
  Repayment& r = run.repayment;
  int32_t endMonth = term;
  if (change.keepEnd && !plain && endMonth == 0) endMonth = endMonthAsItStands(r);
  if (!change.rate.empty()) {
    run.rateText = change.rate;
    r.annualRate = numberValue(run.rateText);
  }
  if (!change.payment.empty()) r.payment = amountValue(change.payment);
  if (change.keepEnd && !plain) {
    const double payment = paymentForTerm(r.balance, r.annualRate, r.roundingCarry,
                                          std::max(endMonth - r.monthCount, int32_t{1}));
    if (payment < 0) {
      err += "No payment repays the balance by month " + std::to_string(endMonth) + "\n";
      return false;
    }
    r.payment = payment;
  }
  return confirmPayment(run, err);
}

// Steps through the schedule as the window does, confirming each change before its month,
// and keeps the figures a summary compares; with `out`, writes every month there and hands it
// to the sink in pieces. A plain walk leaves out the extras and pays no kept end date: the plan
// they are measured against. 1, with the message, at a payment that falls short of the
// interest due or a term no payment meets.
int walkSchedule(const Request& request, bool plain, std::string* out, std::string& err,
                 OutputSink sink, Figures& figures) {
  Run run;
  Repayment& r = run.repayment;
  r.balance = amountValue(request.amounts[0]);
  run.rateText = request.amounts[1];
  r.annualRate = numberValue(run.rateText);
  // An empty payment field holds 0.
  if (request.amounts.size() > 2 && !request.amounts[2].empty()) {
    r.payment = amountValue(request.amounts[2]);
  }
  if (request.term != 0) {
    r.payment = paymentForTerm(r.balance, r.annualRate, 0, request.term);
    if (r.payment < 0) {
      err += "No payment repays the loan within the term\n";
      return 1;
    }
  }
  if (!confirmPayment(run, err)) return 1;
  startRepayment(r);

  if (out) {
    out->reserve(out->size() + OUTPUT_PIECE + LINE_SIZE_GUESS);
    if (request.format == Format::Csv) appendTableHeader(*out, ',');
    if (request.format == Format::Svg) {
      run.chart.loanAmount = r.balance;
      run.chart.months.reserve(MONTH_LIMIT);
    }
  }
  auto change = request.changes.begin();
  auto extra = request.extras.begin();
  while (canRepayMonth(r)) {
    for (; change != request.changes.end() && change->month == r.monthCount + 1; ++change) {
      const std::string rateBefore = run.rateText;
      const double paymentBefore = r.payment;
      if (!applyChange(*change, request.term, plain, run, err)) return 1;
      run.newTerms = run.newTerms || run.rateText != rateBefore || r.payment != paymentBefore;
    }
    const double payment = r.payment;
    for (; extra != request.extras.end() && extra->month == r.monthCount + 1; ++extra) {
      if (!plain) r.payment += extra->amount;
    }
    char shownInterest[AMOUNT_TEXT_SIZE];
    const std::string_view interest = repayMonth(r, shownInterest);
    r.payment = payment;
    run.figures.totalPaid += r.monthPaid;
    run.figures.lastPayment = r.monthPaid;
    if (!out) continue;
    appendMonth(run, interest, request.format, *out);
    if (sink && out->size() >= OUTPUT_PIECE && !sink(*out)) {
      err += standardOutputFailure("quillo schedule");
      return 1;
    }
  }
  run.figures.end = r;
  figures = run.figures;
  if (!out) return 0;
  if (request.format == Format::Svg) {
    run.chart.rateText = run.rateText;
    run.chart.now = r;
    appendChartSvg(*out, layoutChart(run.chart));
    return 0;
  }
  const std::string totals = totalsLine(r);
  out->append(totals, 0, totals.find_last_not_of(' ') + 1);
  *out += '\n';
  return 0;
}

std::string monthsText(const Repayment& r) {
  const std::string totals = totalsLine(r);
  return std::to_string(r.monthCount) + " " + totals.substr(0, totals.find_last_not_of(' ') + 1);
}

void appendFigures(const Figures& f, std::string& out) {
  out += "Payment: ";
  for (const auto& [month, payment] : f.payments) {
    if (month != f.payments.front().first) out += ", ";
    out += plainAmount(payment);
    if (month != f.payments.front().first) out += " from month " + std::to_string(month);
  }
  out += "\nMonths: " + monthsText(f.end);
  out += "\nTotal paid: " + plainAmount(f.totalPaid);
  out += "\nTotal interest: " + plainAmount(f.end.totalInterest);
  out += "\nLast payment: " + plainAmount(f.lastPayment);
  out += '\n';
}

int writeSummary(const Request& request, std::string& out, std::string& err) {
  Figures figures;
  if (const int status = walkSchedule(request, false, nullptr, err, nullptr, figures);
      status != 0) {
    return status;
  }
  appendFigures(figures, out);
  const bool compared =
      !request.extras.empty() || std::any_of(request.changes.begin(), request.changes.end(),
                                             [](const Change& c) { return c.keepEnd; });
  if (!compared) return 0;
  out += "Without the extra payments and kept end dates:\n";
  Figures plain;
  std::string plainErr;
  if (walkSchedule(request, true, nullptr, plainErr, nullptr, plain) != 0) {
    out += plainErr;
    return 0;
  }
  appendFigures(plain, out);
  out += "Saved: " + std::to_string(plain.end.monthCount - figures.end.monthCount) + " months, " +
         plainAmount(plain.end.totalInterest - figures.end.totalInterest) + " interest\n";
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
  Request request;
  if (std::string problem = readRequest(arguments, request); !problem.empty()) {
    err += "quillo schedule: " + problem + "\n";
    err += scheduleUsageText();
    return 2;
  }
  Figures figures;
  if (request.format == Format::Summary) return writeSummary(request, out, err);
  // Only a change can refuse a schedule once it has started. With one ahead, the schedule is
  // checked whole first (12000 months take a few milliseconds), so that the text can go out in
  // pieces from its start and nothing of a schedule refused at a later change is written.
  if (!request.changes.empty()) {
    if (int status = walkSchedule(request, false, nullptr, err, nullptr, figures); status != 0) {
      return status;
    }
  }
  return walkSchedule(request, false, &out, err, sink, figures);
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
