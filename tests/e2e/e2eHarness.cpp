// Starting, watching and ending the program under test, and the files around it.

#include "e2e/e2eHarness.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "e2e/childProcess.h"
#include "e2e/harnessSteps.h"
#include "e2e/xvfbDisplay.h"
#include "support/scratchDirectory.h"

namespace e2e {

namespace {

namespace fs = std::filesystem;

constexpr size_t OUTPUT_SHOWN = 3000;  // the end of the program's output shown in a failure

bool writeWholeFile(const fs::path& name, const std::string& bytes) {
  std::error_code error;
  fs::create_directories(name.parent_path(), error);
  std::ofstream file(name, std::ios::binary | std::ios::trunc);
  file << bytes;
  return static_cast<bool>(file);
}

std::vector<std::string> programEnvironment(const Quillo& quillo, const std::string& display) {
  // Library leaks that LeakSanitizer would count against the program (libdbus keeps allocations
  // for the life of the process).
  std::string suppressions = "suppressions=" QUILLO_SOURCE_DIR "/tests/e2e/lsanSuppressions.txt";
  const char* lsan = std::getenv("LSAN_OPTIONS");
  std::string lsanOptions = lsan && *lsan ? std::string(lsan) + ":" + suppressions : suppressions;
  std::vector<std::string> environment = {"DISPLAY=" + display, "SDL_AUDIODRIVER=disk",
                                          "SDL_DISKAUDIOFILE=" + quillo.runDirectory + "/audio.raw",
                                          "LSAN_OPTIONS=" + lsanOptions,
                                          // The tests' window belongs on the private display, never
                                          // on a desktop's, at the size the test asks for.
                                          "WAYLAND_DISPLAY", "SDL_VIDEODRIVER", "QUILLO_SCALE"};
  auto name = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
  for (const std::string& change : quillo.environment) {
    std::erase_if(environment, [&](const std::string& e) { return name(e) == name(change); });
    environment.push_back(change);
  }
  return environment;
}

bool programStillRuns(Quillo& quillo) {
  if (quillo.ended) return false;
  int status = 0;
  if (childProcess::waitForEnd(quillo.pid, 0, status)) {
    quillo.ended = true;
    quillo.exitStatus = childProcess::exitCode(status);
    return false;
  }
  return true;
}

bool waitForWindow(Quillo& quillo) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(WINDOW_TIMEOUT_MS);
  std::string display = xvfbDisplay::displayState.name;
  while (std::chrono::steady_clock::now() < deadline) {
    if (!programStillRuns(quillo)) {
      reportFailure(quillo, "the program ended with status " + std::to_string(quillo.exitStatus) +
                                " before its window appeared");
      return false;
    }
    std::string output;
    // Searching by process finds the window whatever its caption.
    if (childProcess::run(
            {"xdotool", "search", "--onlyvisible", "--pid", std::to_string(quillo.pid)},
            {"DISPLAY=" + display}, TOOL_TIMEOUT_MS, output)) {
      std::istringstream lines(output);  // stderr is mixed in: take the first window id
      for (std::string line; std::getline(lines, line);) {
        if (!line.empty() &&
            std::all_of(line.begin(), line.end(), [](char c) { return c >= '0' && c <= '9'; })) {
          quillo.window = line;
          return true;
        }
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  reportFailure(quillo, "no window appeared within " + std::to_string(WINDOW_TIMEOUT_MS) + " ms");
  return false;
}

std::string outputTail(const Quillo& quillo) {
  std::string output = programOutput(quillo);
  if (output.size() > OUTPUT_SHOWN) output = "..." + output.substr(output.size() - OUTPUT_SHOWN);
  return output;
}

}  // namespace

Quillo::~Quillo() {
  stop(*this);
}

bool start(Quillo& quillo, const std::vector<WorkFile>& files) {
  stop(quillo);
  std::string error;
  std::string display = xvfbDisplay::ensureDisplay(error);
  if (display.empty()) {
    ADD_FAILURE() << "no X display for the test: " << error;
    return false;
  }
  char runName[] = "/tmp/quilloE2eRunXXXXXX";
  if (!mkdtemp(runName)) {
    ADD_FAILURE() << "cannot make a directory for the run";
    return false;
  }
  quillo.runDirectory = runName;
  quillo.workDirectory = quillo.runDirectory + "/work";
  fs::create_directory(quillo.workDirectory);
  for (const WorkFile& file : files) {
    if (!writeWholeFile(fs::path(quillo.workDirectory) / file.name, file.bytes)) {
      ADD_FAILURE() << "cannot write " << file.name << " for the program";
      return false;
    }
  }
  childProcess::Spawn spawn;
  spawn.argv = {QUILLO_BINARY};
  spawn.argv.insert(spawn.argv.end(), quillo.arguments.begin(), quillo.arguments.end());
  spawn.environment = programEnvironment(quillo, display);
  spawn.workingDirectory = quillo.workDirectory;
  spawn.outputFile = quillo.runDirectory + "/output.txt";
  quillo.pid = childProcess::start(spawn);
  if (quillo.pid < 0) {
    ADD_FAILURE() << "cannot start " << QUILLO_BINARY;
    return false;
  }
  return waitForWindow(quillo);
}

bool startAtForm(Quillo& quillo, Screen& screen, const std::vector<WorkFile>& files) {
  return start(quillo, files) && waitForText(quillo, "QUILLO 2.1", screen);
}

void endWith(Quillo& quillo, std::string_view how) {
  if (how == CLOSE_BUTTON) {
    ASSERT_TRUE(pressCloseButton(quillo));
  } else if (how != ALREADY_SENT) {
    ASSERT_TRUE(pressKeys(quillo, std::string(how)));
  }
  ASSERT_TRUE(waitForExit(quillo));
  EXPECT_EQ(quillo.exitStatus, 0) << programOutput(quillo);
}

void stop(Quillo& quillo) {
  if (quillo.pid > 0 && !quillo.ended) childProcess::stop(quillo.pid, 0);
  if (!quillo.runDirectory.empty()) {
    std::error_code error;
    fs::remove_all(quillo.runDirectory, error);
  }
  const xwdImage::PaletteLevels* palette = quillo.palette;
  quillo.pid = -1;
  quillo.window.clear();
  quillo.runDirectory.clear();
  quillo.workDirectory.clear();
  quillo.ended = false;
  quillo.exitStatus = -1;
  quillo.palette = palette;
}

bool waitForExit(Quillo& quillo, int timeoutMs) {
  if (quillo.ended) return true;
  int status = 0;
  if (childProcess::waitForEnd(quillo.pid, timeoutMs, status)) {
    quillo.ended = true;
    quillo.exitStatus = childProcess::exitCode(status);
    return true;
  }
  reportFailure(quillo, "the program did not end within " + std::to_string(timeoutMs) + " ms");
  childProcess::stop(quillo.pid, 0);
  quillo.ended = true;
  quillo.exitStatus = -1;
  return false;
}

bool suspend(Quillo& quillo) {
  if (!programStillRuns(quillo) || kill(quillo.pid, SIGSTOP) != 0) {
    reportFailure(quillo, "cannot suspend the program: it has ended");
    return false;
  }
  return true;
}

bool resume(Quillo& quillo) {
  if (quillo.ended || kill(quillo.pid, SIGCONT) != 0) {
    reportFailure(quillo, "cannot resume the program: it has ended");
    return false;
  }
  return true;
}

bool windowExists(const Quillo& quillo) {
  std::string output;
  return !quillo.window.empty() &&
         childProcess::run({"xdotool", "getwindowgeometry", quillo.window},
                           {"DISPLAY=" + xvfbDisplay::displayState.name}, TOOL_TIMEOUT_MS, output);
}

std::string programOutput(const Quillo& quillo) {
  return quillo.runDirectory.empty() ? std::string()
                                     : scratch::readFile(quillo.runDirectory + "/output.txt");
}

bool soundWasPlayed(const Quillo& quillo) {
  std::string samples = scratch::readFile(quillo.runDirectory + "/audio.raw");
  return std::any_of(samples.begin(), samples.end(), [](char byte) { return byte != 0; });
}

bool waitForSound(Quillo& quillo, int timeoutMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!soundWasPlayed(quillo)) {
    if (std::chrono::steady_clock::now() >= deadline) {
      reportFailure(quillo, "no sound played within " + std::to_string(timeoutMs) + " ms");
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

std::string readWorkFile(const Quillo& quillo, const std::string& name) {
  return scratch::readFile(quillo.workDirectory + "/" + name);
}

std::vector<std::string> workFileNames(const Quillo& quillo) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(quillo.workDirectory, error)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool runXTool(Quillo& quillo, const std::vector<std::string>& argv, const std::string& doing,
              std::string& output) {
  if (childProcess::run(argv, {"DISPLAY=" + xvfbDisplay::displayState.name}, TOOL_TIMEOUT_MS,
                        output)) {
    return true;
  }
  std::string command;
  for (const std::string& word : argv) command += word + " ";
  reportFailure(quillo, "cannot " + doing + ": " + command + "said: " + output);
  return false;
}

void reportFailure(Quillo& quillo, const std::string& what, const Screen* screen) {
  Screen fresh;
  std::string screenText = "(no window to show)";
  if (!screen && !quillo.window.empty() && windowExists(quillo)) {
    // A screenshot that fails here must not report again.
    std::string output;
    std::string file = quillo.runDirectory + "/failure.xwd";
    if (childProcess::run({"xwd", "-id", quillo.window, "-silent", "-out", file},
                          {"DISPLAY=" + xvfbDisplay::displayState.name}, TOOL_TIMEOUT_MS, output)) {
      fresh.xwd = scratch::readFile(file);
      std::string error;
      if (xwdImage::parse(fresh.xwd, fresh.rgb, error) && shrinkToSurface(fresh.rgb, error)) {
        fresh.colours = xwdImage::colourNumbers(fresh.rgb, *quillo.palette);
        screen = &fresh;
      }
    }
  }
  if (screen) screenText = describeScreen(*screen);
  std::string png;
  const char* shots = std::getenv("QUILLO_E2E_SCREENSHOTS");
  if (shots && *shots && screen) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    png = std::string(shots) + "/" +
          (test ? std::string(test->test_suite_name()) + "." + test->name() : std::string("e2e")) +
          ".png";
    if (!savePng(*screen, png)) png = "(cannot save " + png + ")";
  }
  ADD_FAILURE() << what << "\nThe screen showed:\n"
                << screenText << (png.empty() ? "" : "\nScreenshot: " + png)
                << "\nThe program's output:\n"
                << outputTail(quillo);
}

}  // namespace e2e
