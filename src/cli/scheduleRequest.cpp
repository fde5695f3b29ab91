#include "cli/scheduleRequest.h"

#include <charconv>

#include "cli/options.h"
#include "layout/fieldGeometry.h"
#include "money/amountText.h"
#include "money/exactRange.h"

namespace {

constexpr std::string_view KEEP = "keep";

// Answers what is wrong with a number given as `what` ("an amount", "a rate"), or nothing: the
// field's characters, as many as it holds, and one point at most, where reading would stop
// ("1.250.000" would be 1.25).
std::string numberProblem(std::string_view text, std::string_view characters,
                          std::string_view what) {
  if (text.size() > FIELD_TEXT_WIDTH) {
    return std::string(what) + " has at most " + std::to_string(FIELD_TEXT_WIDTH) + " characters";
  }
  if (text.find_first_not_of(characters) != std::string_view::npos) {
    return "not " + std::string(what) + ": " + std::string(text);
  }
  if (text.find('.') != text.rfind('.')) {
    return std::string(what) + " has one decimal point at most, not " + std::string(text);
  }
  return {};
}

std::string amountProblem(std::string_view amount) {
  return numberProblem(amount, AMOUNT_CHARACTERS, "an amount");
}

std::string rateProblem(std::string_view rate) {
  return numberProblem(rate, RATE_CHARACTERS, "a rate");
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
    // Months after years are what a year leaves: "30y13m" is a slip.
    if (c == 'm' && units.size() < 2 && number >= MONTHS_PER_YEAR) return false;
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

// "13:5.5:1100"; answers what is wrong with it, or nothing.
std::string readChange(std::string_view text, PlanChange& change) {
  const size_t first = text.find(':');
  const size_t second = first == std::string_view::npos ? first : text.find(':', first + 1);
  if (second == std::string_view::npos || text.find(':', second + 1) != std::string_view::npos) {
    return "a change is MONTH:RATE:PAYMENT, not " + std::string(text);
  }
  std::string_view rest;
  if (std::string problem = splitMonth(text, "a change", change.month, rest); !problem.empty()) {
    return problem;
  }
  const std::string_view rate = rest.substr(0, second - first - 1);
  const std::string_view payment = rest.substr(second - first);
  if (std::string problem = rateProblem(rate); !problem.empty()) return problem;
  if (!rate.empty()) {
    change.setsRate = true;
    change.rateText = rate;
    change.annualRate = numberValue(rate);
  }
  if (payment == KEEP) {
    change.keepEnd = true;
    return {};
  }
  if (std::string problem = amountProblem(payment); !problem.empty()) return problem;
  if (!payment.empty()) {
    change.setsPayment = true;
    change.payment = amountValue(payment);
  }
  return {};
}

// "24:5000"; answers what is wrong with it, or nothing.
std::string readExtra(std::string_view text, PlanExtra& extra) {
  if (text.find(':') == std::string_view::npos) {
    return "an extra is MONTH:AMOUNT, not " + std::string(text);
  }
  std::string_view amount;
  if (std::string problem = splitMonth(text, "an extra", extra.month, amount); !problem.empty()) {
    return problem;
  }
  if (amount.empty()) return "an extra needs an amount: " + std::string(text);
  if (std::string problem = amountProblem(amount); !problem.empty()) return problem;
  extra.amount = amountValue(amount);
  return {};
}

std::string readFormat(std::string_view value, ScheduleFormat& format) {
  constexpr std::pair<std::string_view, ScheduleFormat> FORMATS[] = {
      {"csv", ScheduleFormat::Csv},
      {"text", ScheduleFormat::Text},
      {"summary", ScheduleFormat::Summary},
      {"svg", ScheduleFormat::Svg}};
  for (const auto& [name, f] : FORMATS) {
    if (value == name) {
      format = f;
      return {};
    }
  }
  return "the format is csv, text, summary or svg, not " + std::string(value);
}

// LOAN RATE [PAYMENT] into the plan; answers what is wrong with them, or nothing.
std::string readAmounts(const std::vector<std::string_view>& amounts, ScheduleRequest& request) {
  LoanPlan& plan = request.plan;
  if (amounts.size() < 2) return "the loan amount and the rate are needed";
  if (amounts.size() > 3) return "one amount too many: " + std::string(amounts[3]);
  request.largestLoan = amounts[0] == LARGEST_LOAN;
  if (request.largestLoan) {
    if (amounts.size() < 3 || plan.term == 0) {
      return "the largest loan needs a payment and a term: max RATE PAYMENT --term TERM";
    }
  } else if (amounts.size() > 2 && plan.term != 0) {
    return "a payment and a term together: give one of them";
  }
  if (amounts[1].empty()) return "the rate must not be empty (0 for none)";
  if (std::string problem = rateProblem(amounts[1]); !problem.empty()) return problem;
  for (size_t k : {0u, 2u}) {
    if (k >= amounts.size() || (k == 0 && request.largestLoan)) continue;
    if (std::string problem = amountProblem(amounts[k]); !problem.empty()) return problem;
  }
  plan.rateText = amounts[1];
  plan.annualRate = numberValue(plan.rateText);
  // An empty payment field holds 0.
  if (amounts.size() > 2 && !amounts[2].empty()) plan.payment = amountValue(amounts[2]);
  if (request.largestLoan) return {};
  plan.loan = amountValue(amounts[0]);
  if (plan.loan == 0) return "the loan amount must not be 0";
  return {};
}

}  // namespace

std::string readScheduleRequest(const std::vector<std::string_view>& arguments,
                                ScheduleRequest& request) {
  std::vector<std::string_view> amounts;  // loan, rate and payment, as given
  LoanPlan& plan = request.plan;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view arg = arguments[i];
    bool hasValue = false;
    std::string_view value;
    const auto option = [&](std::string_view name) {
      return readOption(arguments, i, name, OptionValue::Required, hasValue, value);
    };
    std::string problem;
    if (option("--change")) {
      if (!hasValue) return "--change needs a value";
      problem = readChange(value, plan.changes.emplace_back());
    } else if (option("--extra")) {
      if (!hasValue) return "--extra needs a value";
      problem = readExtra(value, plan.extras.emplace_back());
    } else if (option("--term")) {
      if (!hasValue) return "--term needs a value";
      if (!readTerm(value, plan.term)) {
        problem =
            "the term is months (360), years (30y) or both (30y6m), 1 month to 1000 years, "
            "not " +
            std::string(value);
      }
    } else if (option("--format")) {
      if (!hasValue) return "--format needs a value";
      problem = readFormat(value, request.format);
    } else if (arg.starts_with("-")) {
      problem = "unknown option " + std::string(arg);
    } else {
      amounts.push_back(arg);
    }
    if (!problem.empty()) return problem;
  }
  if (std::string problem = readAmounts(amounts, request); !problem.empty()) return problem;
  // Applied in the order of their months, as a user stepping through the schedule would.
  sortPlan(plan);
  // A loan still to be solved for (0 until then) is measured once it is known.
  return beyondRangeMessage(beyondExactRange(plan));
}
