#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "e2e/childProcess.h"
#include "support/scheduleLine.h"

namespace {

// Started where there is no display, the program says so and ends at once instead of running
// without a window nobody can see or close.
TEST(NoDisplayE2e, TheProgramEndsWithAnErrorWhenThereIsNoDisplay) {
  char directory[] = "/tmp/quilloE2eNoDisplayXXXXXX";
  ASSERT_NE(mkdtemp(directory), nullptr);
  childProcess::Spawn spawn;
  spawn.argv = {QUILLO_BINARY};
  spawn.environment = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER", "SDL_AUDIODRIVER=dummy"};
  spawn.workingDirectory = directory;
  spawn.outputFile = std::string(directory) + "/output.txt";
  pid_t pid = childProcess::start(spawn);
  ASSERT_GT(pid, 0);
  int status = 0;
  bool ended = childProcess::waitForEnd(pid, 15000, status);
  if (!ended) childProcess::stop(pid, 0);
  std::string output;
  childProcess::run({"cat", spawn.outputFile}, {}, 5000, output);
  std::filesystem::remove_all(directory);
  ASSERT_TRUE(ended) << "the program kept running without a display";
  EXPECT_EQ(childProcess::exitCode(status), 1) << output;
  EXPECT_NE(output.find("no display"), std::string::npos) << output;
}

// The schedule command prints without a window, so it works where there is no display.
TEST(NoDisplayE2e, TheScheduleCommandNeedsNoDisplay) {
  std::string output;
  const bool ran = childProcess::run(
      {QUILLO_BINARY, "schedule", "1000", "12", "100", "--format", "text"},
      {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER", "SDL_AUDIODRIVER=dummy"}, 15000, output);
  EXPECT_TRUE(ran) << output;
  const std::string first = scheduleLine(1, "10.00", "90.00", "910.00", "10.00") + "\n";
  // The header's two lines, as the window shows them, then the months.
  const std::string header = "Total Interest\n";
  const size_t months = output.find(header);
  ASSERT_NE(months, std::string::npos) << output;
  EXPECT_EQ(output.substr(months + header.size(), first.size()), first);
  EXPECT_NE(output.find("\n(0 years and 11 months)\n"), std::string::npos) << output;
}

}  // namespace
