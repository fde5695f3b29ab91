#pragma once

// The summary of a plan as text, the same for the schedule command's `--format summary` and
// the window: the payments, the months, the total paid, the total interest and the last
// payment; with extras or kept end dates also those of the plan without them and what they
// saved, or a line that says that plan cannot run.

#include <string>

#include "money/loanPlan.h"

// The summary of a plan that runs (summary.problem is None), a line end after every line.
std::string summaryText(const PlanSummary& summary);
