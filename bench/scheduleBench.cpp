#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "app/calculatorState.h"
#include "app/chartWindow.h"
#include "app/program.h"
#include "app/schedule.h"
#include "cli/scheduleCommand.h"
#include "money/moneyFormat.h"
#include "screen/private/headless.h"
#include "sideBySide.h"

namespace {

// The payment covers exactly the interest: never repaid, so every run lasts 12000 months.
constexpr double LOAN = 100000;
constexpr double RATE = 12;
constexpr double PAYMENT = 1000;
constexpr int MONTHS = 12000;
constexpr int AMOUNTS_PER_LINE = 4;

void startTheSchedule() {
  headless::reset();
  openProgramScreen();
  calc.loanAmount = LOAN;
  calc.annualRate = RATE;
  calc.payment = PAYMENT;
  calc.inputsConfirmed = true;
  startSchedule();
}

// The four amounts of every line of that schedule, as the lines show them.
std::vector<double> scheduleAmounts() {
  startTheSchedule();
  std::vector<double> amounts;
  amounts.reserve(MONTHS * AMOUNTS_PER_LINE);
  while (calc.walk.repayment.monthCount < MONTHS) {
    stepMonth();
    amounts.insert(amounts.end(),
                   {calc.walk.repayment.monthInterest, calc.walk.repayment.monthPrincipal,
                    calc.walk.repayment.balance, calc.walk.repayment.totalInterest});
  }
  return amounts;
}

// Amounts from a cent up to a billion, with fractions of a cent.
std::vector<double> typicalAmounts() {
  std::mt19937_64 random(1);
  std::uniform_real_distribution<double> exponent(-2, 9);
  std::vector<double> amounts(MONTHS * AMOUNTS_PER_LINE);
  for (double& amount : amounts) amount = std::pow(10.0, exponent(random));
  return amounts;
}

void formatEach(const std::vector<double>& amounts) {
  for (double amount : amounts) benchmark::DoNotOptimize(formatAmount(amount, 2, false));
}

void formatAll(benchmark::State& state, const std::vector<double>& amounts) {
  for (auto _ : state) formatEach(amounts);
  state.counters["calls"] = static_cast<double>(amounts.size());
}

void BM_stepToEnd12000Months(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    startTheSchedule();
    state.ResumeTiming();
    stepToEnd();
  }
  if (calc.walk.repayment.monthCount != MONTHS)
    state.SkipWithError("the schedule did not run 12000 months");
}
BENCHMARK(BM_stepToEnd12000Months)->Unit(benchmark::kMillisecond);

void BM_stepDown12000Months(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    startTheSchedule();
    state.ResumeTiming();
    while (calc.stepping) stepDown();
  }
  if (calc.walk.repayment.monthCount != MONTHS)
    state.SkipWithError("the schedule did not run 12000 months");
}
BENCHMARK(BM_stepDown12000Months)->Unit(benchmark::kMillisecond);

void BM_format48000ScheduleAmounts(benchmark::State& state) {
  formatAll(state, scheduleAmounts());
}
BENCHMARK(BM_format48000ScheduleAmounts)->Unit(benchmark::kMillisecond);

void BM_format48000TypicalAmounts(benchmark::State& state) {
  formatAll(state, typicalAmounts());
}
BENCHMARK(BM_format48000TypicalAmounts)->Unit(benchmark::kMillisecond);

// Ctrl+Page Down against formatting the same schedule's amounts, timed side by side.
void BM_stepToEndOverFormatting(benchmark::State& state) {
  const std::vector<double> amounts = scheduleAmounts();
  SideBySide timed;
  for (auto _ : state) {
    state.PauseTiming();
    startTheSchedule();
    state.ResumeTiming();
    timeInTurn(timed, stepToEnd, [&] { formatEach(amounts); });
  }
  if (calc.walk.repayment.monthCount != MONTHS)
    state.SkipWithError("the schedule did not run 12000 months");
  reportSideBySide(state, timed, "stepping", "formatting");
}
BENCHMARK(BM_stepToEndOverFormatting)->Unit(benchmark::kMillisecond);

// `quillo schedule 100000 12 1000`, its 12000 months as CSV, against formatting the schedule's
// amounts alone, timed side by side. The command hands its text on in pieces, as it does to
// standard output; here they are dropped, as standard output sent to /dev/null would, and the
// last piece is kept to check the end.
void BM_scheduleCommandCsvOverFormatting(benchmark::State& state) {
  const std::vector<double> amounts = scheduleAmounts();
  const char* const argv[] = {"quillo", "schedule", "100000", "12", "1000"};
  std::string last;
  SideBySide timed;
  for (auto _ : state) {
    std::string out, err;
    int status = 0;
    const auto command = [&] {
      status = scheduleCommand(5, argv, out, err, [](std::string& piece) {
        piece.clear();
        return true;
      });
    };
    timeInTurn(timed, command, [&] { formatEach(amounts); });
    if (status != 0) state.SkipWithError("the command failed");
    last.swap(out);
  }
  if (last.find("(1000 years and 0 months)") == std::string::npos) {
    state.SkipWithError("the command did not print 12000 months");
  }
  reportSideBySide(state, timed, "command", "formatting");
}
BENCHMARK(BM_scheduleCommandCsvOverFormatting)->Unit(benchmark::kMillisecond);

// F3's chart of a loan of 12000 months, laid out and drawn: once with every month stepped, once
// with all of them still to be projected. One frame lasts 16 ms.
void BM_chartOf12000Months(benchmark::State& state) {
  startTheSchedule();
  if (state.range(0) == 1) stepToEnd();
  for (auto _ : state) drawChart();
  if (calc.walk.repayment.monthCount != (state.range(0) == 1 ? MONTHS : 0)) {
    state.SkipWithError("the schedule did not stand where it should");
  }
}
BENCHMARK(BM_chartOf12000Months)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// `quillo schedule 100000 12 1000 --format svg`: the same chart as a picture.
void BM_scheduleCommandSvg(benchmark::State& state) {
  const char* const argv[] = {"quillo", "schedule", "100000", "12", "1000", "--format", "svg"};
  for (auto _ : state) {
    std::string out, err;
    if (scheduleCommand(7, argv, out, err) != 0) state.SkipWithError("the command failed");
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_scheduleCommandSvg)->Unit(benchmark::kMillisecond);

}  // namespace
