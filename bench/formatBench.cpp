#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "money/moneyFormat.h"

namespace {

// Schedule-like amounts from a cent up to a billion, with fractions of a cent.
std::vector<double> typicalAmounts() {
  std::mt19937_64 random(1);
  std::uniform_real_distribution<double> exponent(-2, 9);
  std::vector<double> amounts(4096);
  for (double& amount : amounts) amount = std::pow(10.0, exponent(random));
  return amounts;
}

template <typename Format>
void overTypicalAmounts(benchmark::State& state, Format format) {
  const std::vector<double> amounts = typicalAmounts();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(format(amounts[i]));
    i = (i + 1) % amounts.size();
  }
}

void BM_formatAmount(benchmark::State& state) {
  overTypicalAmounts(state, [](double x) { return formatAmount(x, 2, false); });
}
BENCHMARK(BM_formatAmount);

void BM_formatAmountTrimmed(benchmark::State& state) {
  overTypicalAmounts(state, [](double x) { return formatAmount(x, 2, true); });
}
BENCHMARK(BM_formatAmountTrimmed);

void BM_numberText(benchmark::State& state) {
  overTypicalAmounts(state, numberText);
}
BENCHMARK(BM_numberText);

}  // namespace
