#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "app/mainScreen.h"
#include "app/optionsFile.h"
#include "app/program.h"
#include "colours/colourEditor.h"
#include "colours/colourScheme.h"
#include "colours/optionsDialog.h"
#include "controls/inputLoop.h"
#include "screen/private/fileTable.h"
#include "screen/private/headless.h"
#include "screen/private/surfaceState.h"
#include "support/fileFaults.h"
#include "support/monkeyEvents.h"
#include "support/programInvariants.h"
#include "support/scratchDirectory.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

// Storms of seeded random input through the whole program, headless: keys of every kind, bytes,
// clicks on the buttons registered at that moment, drags, the wheel, macros started from the
// fields, the window losing focus, the clipboard, writes that fail half way and files that are
// missing, garbled or directories. The program is looked at every time it polls for input.
//
// `make test` runs 100000 events in all, over several seeds. The long form, by hand:
//   QUILLO_MONKEY_EVENTS=1000000 ./quillo_tests --gtest_filter='Monkey.*'
// spreads that many over the same seeds; QUILLO_MONKEY_SEED=n storms with that seed alone.
// A failure names its seed and the events that led to it.

namespace {

constexpr long SHORT_FORM_EVENTS = 100000;
constexpr unsigned SEEDS[] = {1, 2, 3, 4};
// A macro waiting at "?" swallows one close, the next ends the program.
constexpr long MOST_CLOSE_REPORTS = 3;

long environmentNumber(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtol(text, nullptr, 10) : fallback;
}

// How many runs reached each state at least once: a storm that never gets anywhere tests little.
// How many runs reached each state; for one run, 1 where it got there.
struct Coverage {
  long schedule = 0, finished = 0, panel = 0, editor = 0, macro = 0, macroWait = 0;
};

void addCoverage(Coverage& total, const Coverage& more) {
  total.schedule += more.schedule;
  total.finished += more.finished;
  total.panel += more.panel;
  total.editor += more.editor;
  total.macro += more.macro;
  total.macroWait += more.macroWait;
}

struct StormReport {
  long runs = 0;
  long events = 0;
  std::string failure;
  Coverage coverage;
};

monkey::Storm* stormInProgress = nullptr;

#if defined(__SANITIZE_ADDRESS__)
void printRecentEvents() {
  if (!stormInProgress) return;
  std::fprintf(stderr, "monkey: the last events before the sanitizer's report:\n%s",
               monkey::recentEvents(*stormInProgress).c_str());
}
#endif

bool isEditorOpen() {
  return colourEditor.area.saved != 0;
}

// The palette files hold what was planted or a whole file the program wrote, never a part.
std::string checkPaletteFiles(monkey::Storm& storm) {
  for (int s = 0; s < 2; ++s) {
    monkey::DirectoryEntry now = monkey::lookAt(monkey::PALETTE_FILE_NAMES[s]);
    monkey::DirectoryEntry& before = storm.files.palettes[s];
    const bool whole = now.exists && !now.directory && invariants::isWholePaletteFile(now.bytes);
    if (!(now == before) && !whole) {
      return std::string(monkey::PALETTE_FILE_NAMES[s]) + " is neither as it was nor whole: \"" +
             now.bytes + "\"";
    }
    before = now;
  }
  return {};
}

std::string expectedOptionsFile() {
  return "\"" + options.soundFileName + "\"\r\n" + std::to_string(colourSchemeState.colourScheme) +
         "\r\n";
}

// Written whole where the program looks for it, or left as it was when a write failed.
std::string checkOptionsFile(const monkey::Storm& storm) {
  const std::string expected = expectedOptionsFile();
  if (!invariants::isWholeOptionsFile(expected)) return "the options are not writable: " + expected;
  const monkey::PlantedFiles& files = storm.files;
  const monkey::DirectoryEntry planted = files.options;
  std::string target = files.optionsName;
  if (planted.directory) {
    if (!monkey::lookAt(target).directory) return target + " was a directory and is not any more";
    // A directory is no options file: the program writes beside it, unless the directory holds
    // the name written too, as on a file system that ignores letter case (Windows).
    std::error_code error;
    if (target == "quilloOptions.txt" ||
        std::filesystem::equivalent(target, "quilloOptions.txt", error)) {
      return {};
    }
  }
  if (!planted.exists || planted.directory) target = "quilloOptions.txt";
  const monkey::DirectoryEntry now = monkey::lookAt(target);
  if (now.exists && !now.directory && now.bytes == expected) return {};
  const bool unchanged = target == files.optionsName ? now == planted : !now.exists;
  if (unchanged && storm.writeBudgetSet) return {};
  return target + " holds \"" + now.bytes + "\" instead of \"" + expected + "\"";
}

std::string checkAfterRun(monkey::Storm& storm) {
  if (!mainLoop.programEnded) return "the program returned without ending";
  if (headless::headlessState.closeReports > MOST_CLOSE_REPORTS) {
    return "the close button had to be pressed " +
           std::to_string(headless::headlessState.closeReports) + " times";
  }
  for (const auto& block : screen::imageStore.blocks) {
    if (block.width > 0) return "an image outlived the program";
  }
  std::string problem = invariants::checkResources();
  if (problem.empty()) problem = checkPaletteFiles(storm);
  if (problem.empty()) problem = checkOptionsFile(storm);
  for (const std::string& name : scratch::fileNames()) {
    if (name.ends_with(".tmp~")) problem = "a scratch file is left behind: " + name;
  }
  return problem;
}

// One run of the program, from start-up to its end, fed by the storm.
std::string runOnce(monkey::Storm& storm, Coverage& reach) {
  monkey::plantFiles(storm.random, storm.files);
  FileFaultScope faults({});
  storm.writeBudgetSet = false;
  if (monkey::chance(storm, 15)) {
    screen::fileFaults.writeBudget = monkey::randomBelow(storm, 60);
    storm.writeBudgetSet = true;
  }
  headless::reset();
  storm.buttons = 0;
  std::string problem;
  bool editorWasOpen = false;
  headless::headlessState.onPump = [&] {
    if (problem.empty()) problem = invariants::checkProgram();
    if (problem.empty() && editorWasOpen && !isEditorOpen()) problem = checkPaletteFiles(storm);
    editorWasOpen = isEditorOpen();
    reach.schedule = reach.schedule || calc.stepping;
    reach.finished = reach.finished || (!calc.stepping && !calc.inertControls.empty());
    reach.panel = reach.panel || optionsDialog.area.saved != 0;
    reach.editor = reach.editor || editorWasOpen;
    reach.macro = reach.macro || inputLoop.macroPlaying;
    reach.macroWait = reach.macroWait || inputLoop.macroWaiting;
    if (!problem.empty()) {
      storm.eventsLeft = 0;  // let the run end
      storm.buttons = 0;
    }
    if (headless::headlessState.script.empty()) monkey::scriptNextEvents(storm);
  };
  runProgram();
  headless::headlessState.onPump = nullptr;
  if (problem.empty()) problem = checkAfterRun(storm);
  return problem;
}

StormReport storm(unsigned seed, long events) {
  StormReport report;
  ScratchDirectory directory;
  monkey::Storm storm;
  storm.random.seed(seed);
  storm.eventsLeft = events;
  stormInProgress = &storm;
  while (storm.eventsLeft > 0 && report.failure.empty()) {
    ++report.runs;
    const long eventsBefore = storm.eventsGiven;
    Coverage reach;
    std::string problem = runOnce(storm, reach);
    addCoverage(report.coverage, reach);
    if (!problem.empty()) {
      report.failure = "seed " + std::to_string(seed) + ", run " + std::to_string(report.runs) +
                       ", after event " + std::to_string(storm.eventsGiven) + " (" +
                       std::to_string(storm.eventsGiven - eventsBefore) +
                       " in this run): " + problem + "\nthe last events:\n" +
                       monkey::recentEvents(storm);
    }
  }
  stormInProgress = nullptr;
  report.events = storm.eventsGiven;
  return report;
}

}  // namespace

TEST(Monkey, RandomInputNeverBreaksTheProgram) {
#if defined(__SANITIZE_ADDRESS__)
  __sanitizer_set_death_callback(printRecentEvents);
#endif
  const long events = environmentNumber("QUILLO_MONKEY_EVENTS", SHORT_FORM_EVENTS);
  std::vector<unsigned> seeds(std::begin(SEEDS), std::end(SEEDS));
  if (const long seed = environmentNumber("QUILLO_MONKEY_SEED", 0); seed > 0) {
    seeds = {static_cast<unsigned>(seed)};
  }
  const auto started = std::chrono::steady_clock::now();
  long runs = 0, given = 0;
  Coverage reached;
  for (unsigned seed : seeds) {
    const StormReport report = storm(seed, events / static_cast<long>(seeds.size()));
    runs += report.runs;
    given += report.events;
    addCoverage(reached, report.coverage);
    EXPECT_EQ(report.failure, "");
    if (!report.failure.empty()) break;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf(
      "monkey: %ld events in %ld runs, %.1f s; runs that reached a schedule %ld, its end "
      "%ld, the options panel %ld, the colour editor %ld, a macro %ld, a macro's wait %ld\n",
      given, runs, seconds, reached.schedule, reached.finished, reached.panel, reached.editor,
      reached.macro, reached.macroWait);
}
