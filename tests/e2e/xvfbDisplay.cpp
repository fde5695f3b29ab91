#include "e2e/xvfbDisplay.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "e2e/childProcess.h"
#include "support/scratchDirectory.h"

namespace xvfbDisplay {

DisplayState displayState;

namespace {

bool numberLooksTaken(int number) {
  std::error_code error;
  std::string n = std::to_string(number);
  return std::filesystem::exists("/tmp/.X11-unix/X" + n, error) ||
         std::filesystem::exists("/tmp/.X" + n + "-lock", error);
}

// Starts Xvfb on one display number; true once it accepts connections.
bool tryNumber(int number, std::string& error) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) {
    error = "cannot make a pipe";
    return false;
  }
  std::string screen =
      std::to_string(displayState.width) + "x" + std::to_string(displayState.height) + "x24";
  childProcess::Spawn spawn;
  // -noreset: the server stays as it is between the tests' programs, and does not announce its
  // number again on every reset.
  spawn.argv = {"Xvfb",       ":" + std::to_string(number),
                "-screen",    "0",
                screen,       "-nolisten",
                "tcp",        "-noreset",
                "-displayfd", "3"};
  spawn.outputFile = displayState.logFile;
  spawn.keepDescriptor = ends[1];
  pid_t pid = childProcess::start(spawn);
  close(ends[1]);
  if (pid < 0) {
    close(ends[0]);
    error = "cannot start Xvfb";
    return false;
  }
  pollfd ready = {ends[0], POLLIN, 0};
  char answer[16] = {};
  bool announced = poll(&ready, 1, START_TIMEOUT_MS) == 1 && read(ends[0], answer, 15) > 0;
  if (!announced) {
    close(ends[0]);
    childProcess::stop(pid, 1000);
    error = "Xvfb :" + std::to_string(number) +
            " did not start: " + scratch::readFile(displayState.logFile);
    return false;
  }
  displayState.pid = pid;
  displayState.number = number;
  displayState.readyDescriptor = ends[0];
  displayState.name = ":" + std::to_string(number);
  return true;
}

}  // namespace

std::string ensureDisplay(std::string& error) {
  if (displayState.pid > 0) return displayState.name;
  char logName[] = "/tmp/quilloE2eXvfbXXXXXX";
  int logFd = mkstemp(logName);
  if (logFd >= 0) close(logFd);
  displayState.logFile = logName;
  static bool stopRegistered = false;
  if (!stopRegistered) {
    std::atexit(stopDisplay);
    stopRegistered = true;
  }
  for (int number = FIRST_NUMBER; number < FIRST_NUMBER + NUMBERS_TRIED; ++number) {
    // Another test program may take a number between the check and the start; Xvfb then
    // fails on its lock and the next number is tried.
    if (numberLooksTaken(number)) continue;
    if (tryNumber(number, error)) return displayState.name;
  }
  if (error.empty()) error = "no free display number";
  return {};
}

void stopDisplay() {
  if (displayState.pid > 0) childProcess::stop(displayState.pid, 3000);
  if (displayState.readyDescriptor >= 0) close(displayState.readyDescriptor);
  if (!displayState.logFile.empty()) unlink(displayState.logFile.c_str());
  int width = displayState.width, height = displayState.height;
  displayState = {};
  displayState.width = width;
  displayState.height = height;
}

}  // namespace xvfbDisplay
