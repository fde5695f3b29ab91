#include "e2e/childProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "support/scratchDirectory.h"

extern char** environ;

namespace childProcess {

namespace {

std::string variableName(const std::string& entry) {
  return entry.substr(0, entry.find('='));
}

std::vector<std::string> mergedEnvironment(const std::vector<std::string>& changes) {
  std::vector<std::string> merged;
  for (char** entry = environ; *entry; ++entry) {
    std::string current = *entry;
    bool replaced = false;
    for (const std::string& change : changes) {
      replaced = replaced || variableName(change) == variableName(current);
    }
    if (!replaced) merged.push_back(current);
  }
  for (const std::string& change : changes) {
    if (change.find('=') != std::string::npos) merged.push_back(change);
  }
  return merged;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
  std::vector<char*> result;
  for (std::string& s : strings) result.push_back(s.data());
  result.push_back(nullptr);
  return result;
}

// Runs in the child between fork and exec: only async-signal-safe calls from here on.
[[noreturn]] void becomeChild(const Spawn& spawn, pid_t parent, char** argv, char** envp) {
  prctl(PR_SET_PDEATHSIG, spawn.deathSignal);
  if (getppid() != parent) _exit(127);  // the parent died before the signal was armed
  if (!spawn.workingDirectory.empty() && chdir(spawn.workingDirectory.c_str()) != 0) _exit(127);
  int input = open("/dev/null", O_RDONLY);
  if (input >= 0) dup2(input, 0);
  const char* outputName = spawn.outputFile.empty() ? "/dev/null" : spawn.outputFile.c_str();
  int output = open(outputName, O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (output >= 0) {
    dup2(output, 1);
    dup2(output, 2);
  }
  if (spawn.keepDescriptor >= 0) {
    if (spawn.keepDescriptor == 3) {
      fcntl(3, F_SETFD, 0);
    } else {
      dup2(spawn.keepDescriptor, 3);
    }
  }
  execvpe(argv[0], argv, envp);
  _exit(127);
}

}  // namespace

pid_t start(const Spawn& spawn) {
  if (spawn.argv.empty()) return -1;
  std::vector<std::string> argvStrings = spawn.argv;
  std::vector<std::string> envStrings = mergedEnvironment(spawn.environment);
  std::vector<char*> argv = pointers(argvStrings);
  std::vector<char*> envp = pointers(envStrings);
  pid_t parent = getpid();
  pid_t pid = fork();
  if (pid == 0) becomeChild(spawn, parent, argv.data(), envp.data());
  return pid;
}

bool waitForEnd(pid_t pid, int timeoutMs, int& status) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) return true;
    if (done < 0) {
      status = -1;
      return true;  // not our child, or reaped already: nothing left to wait for
    }
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void stop(pid_t pid, int graceMs) {
  if (pid <= 0) return;
  int status = 0;
  if (graceMs > 0) {
    kill(pid, SIGTERM);
    kill(pid, SIGCONT);  // a stopped process would not act on the TERM
    if (waitForEnd(pid, graceMs, status)) return;
  }
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
}

bool run(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
         int timeoutMs, std::string& output) {
  output.clear();
  char outputName[] = "/tmp/quilloE2eToolXXXXXX";
  int outputFd = mkstemp(outputName);
  if (outputFd < 0) return false;
  close(outputFd);
  Spawn spawn;
  spawn.argv = argv;
  spawn.environment = environment;
  spawn.outputFile = outputName;
  spawn.deathSignal = SIGKILL;
  pid_t pid = start(spawn);
  int status = -1;
  bool ended = pid > 0 && waitForEnd(pid, timeoutMs, status);
  if (pid > 0 && !ended) stop(pid, 0);
  output = scratch::readFile(outputName);
  unlink(outputName);
  if (pid > 0 && !ended) output += "\n(killed after " + std::to_string(timeoutMs) + " ms)";
  return ended && status >= 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int exitCode(int status) {
  if (status < 0) return -1;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace childProcess
