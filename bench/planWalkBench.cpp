#include <benchmark/benchmark.h>

#include <chrono>

#include "money/loanPlan.h"
#include "money/repayment.h"

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

// The plan's walk against the plain loop over the same 12000 months, timed in turn within every
// iteration so that load on the machine weighs on both alike; the counter is the ratio.
void BM_planWalkOverRepayMonthLoop(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  LoanPlan plan;
  plan.loan = LOAN;
  plan.annualRate = RATE;
  plan.rateText = "12";
  plan.payment = PAYMENT;
  Clock::duration walking{}, looping{};
  int32_t walked = 0, looped = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    looped = plainLoop();
    const Clock::time_point middle = Clock::now();
    walked = planWalk(plan);
    walking += Clock::now() - middle;
    looping += middle - start;
  }
  if (walked != MONTH_LIMIT || looped != MONTH_LIMIT) {
    state.SkipWithError("the walk or the loop did not run 12000 months");
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["ratio"] = std::chrono::duration<double>(walking).count() /
                            std::chrono::duration<double>(looping).count();
  state.counters["walkMs"] =
      std::chrono::duration<double, std::milli>(walking).count() / iterations;
  state.counters["loopMs"] =
      std::chrono::duration<double, std::milli>(looping).count() / iterations;
}
BENCHMARK(BM_planWalkOverRepayMonthLoop)->Unit(benchmark::kMillisecond);

}  // namespace
