#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "e2e/hostileOwner.h"
#include "e2e/xvfbDisplay.h"
#include "screen/private/x11Clipboard.h"

// The program's clipboard reader against owners that send slowly, without end, too much, or
// amid a storm of changes: it takes at most 16 MB and gives up on the whole paste after a few
// seconds.

namespace {

constexpr size_t LIMIT = 16 * 1024 * 1024;
// The paste's deadline, and what the reader may take beyond it to notice.
constexpr double GIVE_UP_SECONDS = 5.0;
constexpr double SLACK_SECONDS = 0.5;

bool keepWaiting() {
  return true;
}
bool stopWaiting() {
  return false;
}

// Kilobytes of a line of /proc/self/status.
long statusKb(const std::string& name) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(name + ":", 0) == 0) return std::stol(line.substr(name.size() + 1));
  }
  return -1;
}

struct Case {
  const char* name;
  std::vector<std::string> owner;
  size_t expected;  // bytes of the owner's text read; 0: none
  double withinSeconds;
};

TEST(ClipboardReaderE2e, TakesTheOwnersTextUpToTheLimitAndGivesUpOnTheWholePasteInTime) {
  std::string error;
  const std::string display = xvfbDisplay::ensureDisplay(error);
  ASSERT_FALSE(display.empty()) << error;
  setenv("DISPLAY", display.c_str(), 1);
  const double deadline = GIVE_UP_SECONDS + SLACK_SECONDS;
  const std::string lifetime = "20";
  for (const Case& c : {
           Case{"in pieces, the owner's bytes alone",
                {"incr", "3000000", "100000", "0", lifetime},
                3000000,
                deadline},
           Case{"in pieces, the limit exactly",
                {"incr", std::to_string(LIMIT), "1048576", "0", lifetime},
                LIMIT,
                deadline},
           Case{"in pieces, the limit inside a piece and a word",
                {"incr", std::to_string(LIMIT + 1), "1234567", "0", lifetime},
                LIMIT,
                deadline},
           Case{"in pieces without end", {"incr", "0", "1000003", "0", lifetime}, LIMIT, deadline},
           Case{
               "one piece every 1.5 s", {"incr", "100000", "10000", "1500", lifetime}, 0, deadline},
           Case{"a change of the reader's window every millisecond",
                {"flood", "1", lifetime},
                0,
                deadline},
           Case{"one property past the limit",
                {"whole", std::to_string(LIMIT + 1), "1048576", lifetime},
                LIMIT,
                deadline},
       }) {
    SCOPED_TRACE(c.name);
    e2e::HostileOwner owner;
    ASSERT_TRUE(e2e::startHostileOwner(owner, c.owner));
    std::string text;
    const auto start = std::chrono::steady_clock::now();
    const x11Clipboard::Result result = x11Clipboard::readText(text, keepWaiting);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    EXPECT_LE(took.count(), c.withinSeconds);
    EXPECT_EQ(result, c.expected > 0 ? x11Clipboard::Result::Text : x11Clipboard::Result::NoText)
        << "after " << took.count() << " s";
    ASSERT_EQ(text.size(), c.expected);
    EXPECT_TRUE(text == e2e::hostileOwnerText(c.expected)) << text.substr(0, 40);
  }
}

// A property twice the limit costs the reader the limit's worth of memory, not the property's:
// under the address sanitizer, what was fetched and freed stays resident once more. (The X
// server builds a larger property too slowly for the paste's deadline.)
TEST(ClipboardReaderE2e, ALargePropertyIsFetchedOnlyUpToTheLimit) {
  std::string error;
  const std::string display = xvfbDisplay::ensureDisplay(error);
  ASSERT_FALSE(display.empty()) << error;
  setenv("DISPLAY", display.c_str(), 1);
  e2e::HostileOwner owner;
  ASSERT_TRUE(e2e::startHostileOwner(owner, {"whole", std::to_string(2 * LIMIT), "4194304", "60"}));
  std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
  const long before = statusKb("VmRSS");
  std::string text;
  ASSERT_EQ(x11Clipboard::readText(text, keepWaiting), x11Clipboard::Result::Text);
  const long grown = statusKb("VmHWM") - before;
  EXPECT_EQ(text.size(), LIMIT);
  EXPECT_LT(grown, 5 * static_cast<long>(LIMIT / 1024) / 2) << grown << " kB";
}

// The program asked to end (a signal, the close button) ends the wait at once.
TEST(ClipboardReaderE2e, AQuitRequestEndsTheWaitAtOnce) {
  std::string error;
  const std::string display = xvfbDisplay::ensureDisplay(error);
  ASSERT_FALSE(display.empty()) << error;
  setenv("DISPLAY", display.c_str(), 1);
  for (const std::vector<std::string>& hostile :
       {std::vector<std::string>{"incr", "100000", "10000", "1500", "20"},
        std::vector<std::string>{"flood", "1", "20"}}) {
    SCOPED_TRACE(hostile[0]);
    e2e::HostileOwner owner;
    ASSERT_TRUE(e2e::startHostileOwner(owner, hostile));
    std::string text;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(x11Clipboard::readText(text, stopWaiting), x11Clipboard::Result::NoText);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took.count(), SLACK_SECONDS);
    EXPECT_TRUE(text.empty());
  }
}

}  // namespace
