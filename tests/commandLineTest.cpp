#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include "cli/commandLine.h"
#include "cli/scheduleCommand.h"
#include "screen/private/headless.h"
#include "screen/private/surfaceState.h"
#include "support/environmentScope.h"
#include "support/scratchDirectory.h"

// How the program is started: the options and QUILLO_SCALE, what it prints and how it ends, and
// the data directory it works in.

namespace {

namespace fs = std::filesystem;

struct StartCase {
  std::vector<std::string> arguments;
  const char* scaleVariable;
  CommandAction action;
  int scale = 0;
  bool changeDirectory = false;
  std::string dataDirectory = "";
  bool warns = false;
};

constexpr CommandAction RUN = CommandAction::Run, BAD = CommandAction::UsageError;

// A case's name in the test list: its arguments and QUILLO_SCALE, as they would be typed.
void PrintTo(const StartCase& c, std::ostream* out) {
  const auto quoted = [](const std::string& text) {
    return text.empty() || text.find(' ') != std::string::npos ? "'" + text + "'" : text;
  };
  std::string shown = c.arguments.empty() ? "no arguments" : "";
  for (const std::string& argument : c.arguments) {
    shown += (shown.empty() ? "" : " ") + quoted(argument);
  }
  if (c.scaleVariable != nullptr) shown += " with QUILLO_SCALE=" + quoted(c.scaleVariable);
  *out << shown;
}

class CommandLineCases : public testing::TestWithParam<StartCase> {};

TEST_P(CommandLineCases, ReadAsTheUserMeantOrRefused) {
  const StartCase& c = GetParam();
  CommandLine line = parseCommandLine(c.arguments, c.scaleVariable, screen::MAX_WINDOW_SCALE);
  EXPECT_EQ(line.action, c.action);
  if (c.action == BAD) {
    EXPECT_FALSE(line.error.empty());
    return;
  }
  EXPECT_EQ(line.scale, c.scale);
  EXPECT_EQ(line.warning.empty(), !c.warns) << line.warning;
  EXPECT_EQ(line.changeDirectory, c.changeDirectory);
  EXPECT_EQ(line.dataDirectory, c.dataDirectory);
}

INSTANTIATE_TEST_SUITE_P(
    StartOptions, CommandLineCases,
    testing::Values(
        StartCase{{}, nullptr, RUN, 0, false, ""}, StartCase{{"--scale", "3"}, nullptr, RUN, 3},
        StartCase{{"--scale=8"}, nullptr, RUN, 8}, StartCase{{"--scale", "1"}, nullptr, RUN, 1},
        StartCase{{"--scale", "9"}, nullptr, BAD}, StartCase{{"--scale", "0"}, nullptr, BAD},
        StartCase{{"--scale", "-2"}, nullptr, BAD}, StartCase{{"--scale", "2x"}, nullptr, BAD},
        StartCase{{"--scale"}, nullptr, BAD}, StartCase{{"--scale="}, nullptr, BAD},
        // A bad variable is reported and the scale fits the display; empty is not set.
        StartCase{{}, "4", RUN, 4}, StartCase{{}, "12", RUN, 0, false, "", true},
        StartCase{{}, "0", RUN, 0, false, "", true}, StartCase{{}, "", RUN, 0},
        StartCase{{}, "big", RUN, 0, false, "", true}, StartCase{{}, " 2", RUN, 0, false, "", true},
        StartCase{{"--data-dir"}, "x", RUN, 0, true, "", true},
        // The flag wins over the variable, even over one that would be refused.
        StartCase{{"--scale", "2"}, "5", RUN, 2}, StartCase{{"--scale", "2"}, "big", RUN, 2},
        StartCase{{"--data-dir"}, nullptr, RUN, 0, true, ""},
        StartCase{{"--data-dir", "/tmp/q"}, nullptr, RUN, 0, true, "/tmp/q"},
        StartCase{{"--data-dir=rel/q"}, nullptr, RUN, 0, true, "rel/q"},
        StartCase{{"--data-dir", "--scale", "2"}, nullptr, RUN, 2, true, ""},
        StartCase{{"--scale", "2", "--data-dir"}, "3", RUN, 2, true, ""},
        StartCase{{"--data-dir="}, nullptr, BAD},
        StartCase{{"--help"}, nullptr, CommandAction::PrintHelp},
        StartCase{{"--version"}, nullptr, CommandAction::PrintVersion},
        StartCase{{"--version", "--help"}, nullptr, CommandAction::PrintHelp},
        StartCase{{"--help", "--version"}, nullptr, CommandAction::PrintHelp},
        StartCase{{"--help=x"}, nullptr, BAD}, StartCase{{"--version=2"}, nullptr, BAD},
        StartCase{{"--help", "--bogus"}, nullptr, BAD}, StartCase{{"schedule"}, nullptr, BAD},
        StartCase{{"-h"}, nullptr, BAD}, StartCase{{"--scales", "2"}, nullptr, BAD},
        StartCase{{"loan.txt"}, nullptr, BAD}, StartCase{{""}, nullptr, BAD}));

TEST(DataDirectory, TheUsersComesFromXdgDataHomeOrElseHome) {
  struct Case {
    const char *xdgDataHome, *home;
    std::string directory;
  };
  for (const Case& c : {Case{"/data", "/home/u", "/data/quillo"},
                        Case{nullptr, "/home/u", "/home/u/.local/share/quillo"},
                        Case{"", "/home/u", "/home/u/.local/share/quillo"},
                        Case{"data", "/home/u", "/home/u/.local/share/quillo"},
                        Case{"/data", nullptr, "/data/quillo"}, Case{nullptr, "", ""},
                        Case{nullptr, nullptr, ""}}) {
    EXPECT_EQ(screen::xdgDataDirectory(c.xdgDataHome, c.home), c.directory)
        << (c.xdgDataHome ? c.xdgDataHome : "(unset)") << " " << (c.home ? c.home : "(unset)");
  }
}

TEST(DataDirectory, IsMadeWithItsParentsAndBecomesTheWorkingDirectory) {
  ScratchDirectory scratch;
  fs::path nested = scratch.path / "share" / "quillo";
  std::string error;
  ASSERT_TRUE(screen::enterDataDirectory(true, nested.string(), error)) << error;
  EXPECT_EQ(fs::current_path(), nested);
  scratch::writeFile("kept.txt", "x");
  ASSERT_TRUE(screen::enterDataDirectory(true, nested.string(), error)) << error;
  EXPECT_EQ(scratch::fileNames(), std::vector<std::string>{"kept.txt"});

  fs::current_path(scratch.path);
  scratch::writeFile("plain", "a file, not a directory");
  EXPECT_FALSE(
      screen::enterDataDirectory(true, (scratch.path / "plain" / "quillo").string(), error));
  EXPECT_NE(error.find("plain"), std::string::npos) << error;
  EXPECT_EQ(fs::current_path(), scratch.path);
}

// What `quillo ...` prints, where, and the status it ends with.
TEST(StartOptions, PrintOrRefuseAndEndOrGoOn) {
  struct Case {
    std::vector<std::string> arguments;
    bool runs;
    int status;
    std::string stdoutPattern, stderrPattern;
    const char* scaleVariable = nullptr;
    int scale = 3;
    bool withoutHome = false;  // HOME and XDG_DATA_HOME unset
  };
  const std::string usage = "usage: quillo \\[--scale N\\] \\[--data-dir \\[DIR\\]\\]\n[^]*";
  for (const Case& c : {
           Case{{"--help"}, false, 0, usage, ""},
           Case{{"--version"}, false, 0, "quillo [0-9]+\\.[0-9]+\\.[0-9]+\n", ""},
           Case{{"--bogus"}, false, 2, "", "quillo: unknown argument: --bogus\n" + usage},
           Case{{"--scale", "10"}, false, 2, "", "quillo: --scale needs [^]*"},
           Case{{"--scale", "3", "--data-dir", "data"}, true, 0, "", ""},
           Case{{"--data-dir"},
                false,
                1,
                "",
                "quillo: no data directory: HOME is not set\n",
                nullptr,
                3,
                true},
           Case{{"--data-dir", "data"},
                true,
                0,
                "",
                "quillo: QUILLO_SCALE needs a whole number from 1 to 8; the scale fits the "
                "display\n",
                "9",
                0},
           Case{{"--scale", "0"}, false, 2, "", "quillo: --scale needs [^]*", "2"},
       }) {
    SCOPED_TRACE(c.arguments[0]);
    ScratchDirectory scratch;
    EnvironmentScope home("HOME", c.withoutHome ? nullptr : std::getenv("HOME"));
    EnvironmentScope dataHome("XDG_DATA_HOME",
                              c.withoutHome ? nullptr : std::getenv("XDG_DATA_HOME"));
    headless::reset();
    std::vector<char*> argv = {const_cast<char*>("quillo")};
    for (const std::string& a : c.arguments) argv.push_back(const_cast<char*>(a.c_str()));
    if (c.scaleVariable) setenv("QUILLO_SCALE", c.scaleVariable, 1);
    int status = -1;
    int scale = -1;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    bool runs = prepareRun(static_cast<int>(argv.size()), argv.data(), screen::MAX_WINDOW_SCALE,
                           screen::enterDataDirectory, scale, status);
    std::string out = testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();
    unsetenv("QUILLO_SCALE");
    EXPECT_EQ(runs, c.runs);
    EXPECT_EQ(status, c.status);
    EXPECT_TRUE(std::regex_match(out, std::regex(c.stdoutPattern))) << out;
    EXPECT_TRUE(std::regex_match(err, std::regex(c.stderrPattern))) << err;
    if (c.runs) {
      EXPECT_EQ(fs::current_path(), scratch.path / "data");
      EXPECT_EQ(scale, c.scale);
    }
  }
}

// What the command line prints meets a full disk or a reader that went away. The command runs
// in a child process whose standard output is /dev/full or a pipe nobody reads; its status, its
// signal and what it said on standard error are what a shell sees.
TEST(StartOptions, AFailedWriteOfWhatIsPrintedIsNoSuccess) {
  enum Output { FullDisk, ClosedPipe, ClosedPipeIgnored };
  struct Case {
    std::vector<std::string> arguments;
    Output output;
    int status;  // -1: ended by SIGPIPE
    std::string stderrPattern;
  };
  const std::string noSpace = ": standard output could not be written: No space left on device\n";
  for (const Case& c : {
           Case{{"--help"}, FullDisk, 1, "quillo" + noSpace},
           Case{{"--version"}, FullDisk, 1, "quillo" + noSpace},
           Case{{"schedule", "--help"}, FullDisk, 1, "quillo schedule" + noSpace},
           Case{{"schedule", "1000", "12", "100"}, FullDisk, 1, "quillo schedule" + noSpace},
           // Like any command-line tool, it ends quietly by SIGPIPE when the reader is gone
           // (`| head -1`), and with status 1 where SIGPIPE is ignored.
           Case{{"schedule", "250000", "6"}, ClosedPipe, -1, ""},
           Case{{"schedule", "250000", "6"},
                ClosedPipeIgnored,
                1,
                "quillo schedule: standard output could not be written: Broken pipe\n"},
       }) {
    SCOPED_TRACE(testing::PrintToString(c.arguments));
    std::vector<char*> argv = {const_cast<char*>("quillo")};
    for (const std::string& a : c.arguments) argv.push_back(const_cast<char*>(a.c_str()));
    int errors[2], reader[2];
    ASSERT_EQ(pipe(errors), 0);
    ASSERT_EQ(pipe(reader), 0);
    std::fflush(nullptr);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      const int out = c.output == FullDisk ? open("/dev/full", O_WRONLY) : reader[1];
      close(reader[0]);
      dup2(out, STDOUT_FILENO);
      dup2(errors[1], STDERR_FILENO);
      signal(SIGPIPE, c.output == ClosedPipeIgnored ? SIG_IGN : SIG_DFL);
      int status = 0, scale = 0;
      if (c.arguments[0] == "schedule") {
        status = runScheduleCommand(static_cast<int>(argv.size()), argv.data());
      } else {
        prepareRun(static_cast<int>(argv.size()), argv.data(), 8, screen::enterDataDirectory, scale,
                   status);
      }
      _exit(status);
    }
    close(errors[1]);
    close(reader[0]);
    close(reader[1]);
    std::string said;
    char buffer[512];
    for (ssize_t n; (n = read(errors[0], buffer, sizeof buffer)) > 0;) said.append(buffer, n);
    close(errors[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (c.status < 0) {
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGPIPE) << status;
    } else {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == c.status) << status;
    }
    EXPECT_TRUE(std::regex_match(said, std::regex(c.stderrPattern))) << said;
  }
}

TEST(DefaultScale, TheLargestWindowInTwoThirdsOfTheUsableArea) {
  struct Case {
    int width, height, scale;
  };
  for (const Case& c :
       {Case{640, 480, 1}, Case{1920, 1080, 1}, Case{1280, 960, 1}, Case{1920, 1440, 2},
        Case{1919, 1440, 1}, Case{2560, 1600, 2}, Case{3840, 2160, 3}, Case{3840, 2112, 2},
        Case{5120, 2880, 4}, Case{7680, 4320, 6}, Case{20000, 20000, 8}, Case{0, 0, 1}}) {
    EXPECT_EQ(screen::fittingWindowScale(c.width, c.height), c.scale) << c.width << "x" << c.height;
  }
}

}  // namespace
