#include <benchmark/benchmark.h>

#include "money/paymentForTerm.h"
#include "sideBySide.h"

namespace {

// Solving a 1000-year term against stepping one 1000-year schedule (a payment that only covers
// the interest, so it runs every month), timed side by side.
void BM_paymentForTerm12000MonthsOverStepping(benchmark::State& state) {
  constexpr double LOAN = 100000, RATE = 12, INTEREST_ONLY = 1000;
  constexpr int32_t MONTHS = 12000;
  SideBySide timed;
  double payment = 0;
  for (auto _ : state) {
    const auto step = [&] {
      bool repaid = false;
      benchmark::DoNotOptimize(monthsToRepay(LOAN, RATE, 0, INTEREST_ONLY, MONTHS, repaid));
    };
    timeInTurn(
        timed, [&] { payment = paymentForTerm(LOAN, RATE, 0, MONTHS); }, step);
  }
  if (payment != 1000.01) state.SkipWithError("not the payment for 1000 years");
  reportSideBySide(state, timed, "solving", "stepping");
}
BENCHMARK(BM_paymentForTerm12000MonthsOverStepping)->Unit(benchmark::kMillisecond);

}  // namespace
