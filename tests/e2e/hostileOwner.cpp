#include "e2e/hostileOwner.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "e2e/childProcess.h"
#include "e2e/xvfbDisplay.h"

namespace e2e {

constexpr int READY_TIMEOUT_MS = 10000;

HostileOwner::~HostileOwner() {
  childProcess::stop(pid, 0);
  if (!outputFile.empty()) std::remove(outputFile.c_str());
}

bool startHostileOwner(HostileOwner& owner, const std::vector<std::string>& arguments) {
  std::string error;
  const std::string display = xvfbDisplay::ensureDisplay(error);
  if (display.empty()) return false;
  char name[] = "/tmp/quilloHostileOwnerXXXXXX";
  const int fd = mkstemp(name);
  if (fd < 0) return false;
  close(fd);
  owner.outputFile = name;
  childProcess::Spawn spawn;
  spawn.argv = {HOSTILE_OWNER_BINARY};
  spawn.argv.insert(spawn.argv.end(), arguments.begin(), arguments.end());
  spawn.environment = {"DISPLAY=" + display};
  spawn.outputFile = owner.outputFile;
  spawn.deathSignal = SIGKILL;
  owner.pid = childProcess::start(spawn);
  if (owner.pid < 0) return false;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(READY_TIMEOUT_MS);
  while (std::chrono::steady_clock::now() < deadline) {
    std::ostringstream output;
    output << std::ifstream(owner.outputFile).rdbuf();
    if (output.str().find("ready") != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

std::string hostileOwnerText(size_t length) {
  std::string text;
  text.reserve(length);
  for (size_t i = 0; i < length; ++i) text += static_cast<char>('0' + (i + 1) % 10);
  return text;
}

}  // namespace e2e
