#pragma once

// Child processes of the real-window tests. Every wait is bounded, and a child is ended with the
// test program if that dies first, so no run leaves a display or a window behind.

#include <sys/types.h>

#include <csignal>
#include <string>
#include <vector>

namespace childProcess {

struct Spawn {
  std::vector<std::string> argv;
  // NAME=value entries added to the test program's own environment (replacing same names);
  // a bare NAME removes that variable.
  std::vector<std::string> environment;
  std::string workingDirectory;  // empty: the test program's own
  std::string outputFile;        // stdout and stderr both; empty: discarded
  int keepDescriptor = -1;       // handed to the child as descriptor 3
  int deathSignal = SIGTERM;     // sent to the child when the test program dies
};

// The child's process id, or -1 when it could not be started.
pid_t start(const Spawn& spawn);
// Waits at most timeoutMs for the child to end; true, with its wait status, when it did.
bool waitForEnd(pid_t pid, int timeoutMs, int& status);
// Ends the child: SIGTERM, then SIGKILL once graceMs have passed (at once for 0), and reaps it.
void stop(pid_t pid, int graceMs);
// Runs a tool to its end. False when it cannot start, ends with a non-zero status or takes longer
// than timeoutMs (it is killed then); output receives what it printed either way.
bool run(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
         int timeoutMs, std::string& output);
// A wait status as a shell shows it: the exit code, or 128 + the signal that ended the process.
int exitCode(int status);

}  // namespace childProcess
