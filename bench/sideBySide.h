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

// Runs `first`, then `second`, and records both times and their ratio.
template <typename First, typename Second>
void timeInTurn(SideBySide& timed, First&& first, Second&& second) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  first();
  const Clock::time_point middle = Clock::now();
  second();
  const Clock::time_point end = Clock::now();
  const double firstMs = std::chrono::duration<double, std::milli>(middle - start).count();
  const double secondMs = std::chrono::duration<double, std::milli>(end - middle).count();
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
