#pragma once

// The variables of the main screen, shared by the form and the repayment schedule. Zero or
// empty when the program starts and kept for the whole run, also across "New calculation".

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "controls/buttonRegistry.h"
#include "layout/scheduleHistory.h"
#include "money/loanPlan.h"
#include "screen/screen.h"

constexpr int CONTROL_COUNT = 10;

struct CalculatorState {
  double loanAmount = 0;
  // The rate and the payment as the fields hold them; the schedule runs at those confirmed.
  double annualRate = 0;
  double payment = 0;
  // A term F2 solved the payment for, until "Continue" takes it into the plan: its months, and
  // the payment it gave, which must still be the one typed.
  int32_t solvedTerm = 0;
  double solvedPayment = 0;
  // The end month of the last term confirmed, which F2 offers to keep; 0 none.
  int32_t offeredEnd = 0;
  // The plan of the loan: the loan with its first rate and payment, the changes confirmed while
  // stepping and the extra payments. The walk is where the schedule stands in it.
  LoanPlan plan;
  PlanWalk walk;
  // Every month stepped so far, for the copy of the whole schedule.
  ScheduleHistory history;

  std::string loanText;
  std::string rateText;
  std::string paymentText;
  std::string editText;

  std::array<ButtonId, CONTROL_COUNT + 1> controlIds{};  // indexed 1 to 10; 0: absent or inert
  std::vector<ButtonId> inertControls;                   // left on screen by a finished schedule

  int focus = 0;  // 1 loan amount, 2 rate, 3 payment, 4 "Continue"
  bool inputsConfirmed = false;
  bool stepping = false;

  int promptRow = 0;
  int promptColumn = 0;
  int promptWidth = 0;  // 0: no field
  std::string promptMask;

  bool errorShown = false;
  int errorLength = 0;

  int scheduleRow = 0;  // the text row of the next schedule line
  screen::Image scrollImage = 0;
};

extern CalculatorState calc;
