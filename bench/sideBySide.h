#pragma once

// Two pieces of work timed in turn within every iteration of a benchmark, so that a busy machine
// weighs on both alike. This machine is shared: now and then one side runs two or four times
// slower than the other. The median of the iterations' ratios keeps to the quiet iterations,
// where a ratio of sums would follow the noisy ones.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

struct SideBySide {
  std::vector<double> firstMs, secondMs, ratios;
};

// Runs `first` and `second`, each first in every other iteration so that neither gains from
// the other's warm caches, and records both times and their ratio.
template <typename First, typename Second>
void timeInTurn(SideBySide& timed, First&& first, Second&& second) {
  using Clock = std::chrono::steady_clock;
  const auto timeOf = [](auto& work) {
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  };
  double firstMs = 0, secondMs = 0;
  if (timed.ratios.size() % 2 == 0) {
    firstMs = timeOf(first);
    secondMs = timeOf(second);
  } else {
    secondMs = timeOf(second);
    firstMs = timeOf(first);
  }
  timed.firstMs.push_back(firstMs);
  timed.secondMs.push_back(secondMs);
  timed.ratios.push_back(firstMs / secondMs);
}

inline double median(std::vector<double> values) {
  if (values.empty()) return 0;
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

// The counters: "ratio", the median of first over second, and each side's median time.
inline void reportSideBySide(benchmark::State& state, const SideBySide& timed,
                             const std::string& firstName, const std::string& secondName) {
  state.counters["ratio"] = median(timed.ratios);
  state.counters[firstName + "Ms"] = median(timed.firstMs);
  state.counters[secondName + "Ms"] = median(timed.secondMs);
}
