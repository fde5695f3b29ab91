#include <benchmark/benchmark.h>

#include <chrono>

#include "money/paymentForTerm.h"

namespace {

// Solving a 1000-year term against stepping one 1000-year schedule (a payment that only covers
// the interest, so it runs every month), timed in turn within every iteration so that a busy
// machine weighs on both alike; the counter is the ratio of the two.
void BM_paymentForTerm12000MonthsOverStepping(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  constexpr double LOAN = 100000, RATE = 12, INTEREST_ONLY = 1000;
  constexpr int32_t MONTHS = 12000;
  Clock::duration solving{}, stepping{};
  double payment = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    payment = paymentForTerm(LOAN, RATE, 0, MONTHS);
    const Clock::time_point solved = Clock::now();
    bool repaid = false;
    benchmark::DoNotOptimize(monthsToRepay(LOAN, RATE, 0, INTEREST_ONLY, MONTHS, repaid));
    stepping += Clock::now() - solved;
    solving += solved - start;
  }
  if (payment != 1000.01) state.SkipWithError("not the payment for 1000 years");
  state.counters["ratio"] = std::chrono::duration<double>(solving).count() /
                            std::chrono::duration<double>(stepping).count();
}
BENCHMARK(BM_paymentForTerm12000MonthsOverStepping)->Unit(benchmark::kMillisecond);

}  // namespace
