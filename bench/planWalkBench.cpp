#include <benchmark/benchmark.h>

#include "money/loanPlan.h"
#include "money/repayment.h"
#include "sideBySide.h"

namespace {

// A payment that covers exactly the interest: never repaid, so every walk lasts 12000 months.
constexpr double LOAN = 100000;
constexpr double RATE = 12;
constexpr double PAYMENT = 1000;

// The month rule stepped by hand, nothing else: what the walk adds its changes, extras and
// figures to.
int32_t plainLoop() {
  Repayment r;
  r.balance = LOAN;
  r.annualRate = RATE;
  r.payment = PAYMENT;
  startRepayment(r);
  char shown[AMOUNT_TEXT_SIZE];
  while (canRepayMonth(r)) benchmark::DoNotOptimize(repayMonth(r, shown));
  return r.monthCount;
}

int32_t planWalk(const LoanPlan& plan) {
  const PlanWalk walk =
      walkPlan(plan, false, [](const PlanMonth& m) { benchmark::DoNotOptimize(m.interest); });
  return walk.repayment.monthCount;
}

// The plan's walk against the plain loop over the same 12000 months, timed side by side.
void BM_planWalkOverRepayMonthLoop(benchmark::State& state) {
  LoanPlan plan;
  plan.loan = LOAN;
  plan.annualRate = RATE;
  plan.rateText = "12";
  plan.payment = PAYMENT;
  SideBySide timed;
  int32_t walked = 0, looped = 0;
  for (auto _ : state) {
    timeInTurn(
        timed, [&] { walked = planWalk(plan); }, [&] { looped = plainLoop(); });
  }
  if (walked != MONTH_LIMIT || looped != MONTH_LIMIT) {
    state.SkipWithError("the walk or the loop did not run 12000 months");
  }
  reportSideBySide(state, timed, "walk", "loop");
}
BENCHMARK(BM_planWalkOverRepayMonthLoop)->Unit(benchmark::kMillisecond);

}  // namespace
