#pragma once

// The hostile clipboard owner of tests/e2e/tools on the tests' display: it offers "1234567890"
// repeated, and answers as its arguments say (see the tool).

#include <sys/types.h>

#include <string>
#include <vector>

namespace e2e {

struct HostileOwner {
  pid_t pid = -1;
  std::string outputFile;
  HostileOwner() = default;
  ~HostileOwner();
  HostileOwner(const HostileOwner&) = delete;
  HostileOwner& operator=(const HostileOwner&) = delete;
};

// Starts the owner and waits until it holds the clipboard.
bool startHostileOwner(HostileOwner& owner, const std::vector<std::string>& arguments);
// The text the owner offers, from its start.
std::string hostileOwnerText(size_t length);

}  // namespace e2e
