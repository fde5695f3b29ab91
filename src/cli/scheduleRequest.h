#pragma once

// What `quillo schedule` is asked, read from its arguments: the plan to walk and how to write it.

#include <string>
#include <string_view>
#include <vector>

#include "money/loanPlan.h"

enum class ScheduleFormat { Csv, Text, Summary, Svg };

// LOAN given as this word asks for the largest loan the payment repays within the term.
constexpr std::string_view LARGEST_LOAN = "max";

struct ScheduleRequest {
  LoanPlan plan;
  ScheduleFormat format = ScheduleFormat::Csv;
  bool largestLoan = false;  // the plan's loan is still to be solved for
};

// Answers what is wrong with the arguments (those after "schedule"), or nothing.
std::string readScheduleRequest(const std::vector<std::string_view>& arguments,
                                ScheduleRequest& request);
