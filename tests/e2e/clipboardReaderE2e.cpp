#include <gtest/gtest.h>
#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <string>
#include <vector>

#include "e2e/hostileOwner.h"
#include "e2e/xvfbDisplay.h"
#include "screen/private/x11Clipboard.h"

// The program's clipboard reader against owners that send slowly, without end, too much, or
// amid a storm of changes: it takes at most 16 MB and gives up on the whole paste after a few
// seconds.

// The address sanitizer's allocation hooks; absent from a build without it.
extern "C" {
__attribute__((weak)) size_t __sanitizer_get_allocated_size(const volatile void* pointer);
__attribute__((weak)) int __sanitizer_install_malloc_and_free_hooks(
    void (*onMalloc)(const volatile void*, size_t), void (*onFree)(const volatile void*));
}

namespace {

constexpr size_t LIMIT = 16 * 1024 * 1024;
// The paste's deadline, and what the reader may take beyond it to notice.
constexpr double GIVE_UP_SECONDS = 5.0;
constexpr double SLACK_SECONDS = 1.5;  // generous: a busy machine under the sanitizers

bool keepWaiting() {
  return true;
}
bool stopWaiting() {
  return false;
}

// The most heap the process held at once since the last reset, counted by the address
// sanitizer's allocation hooks: freed memory it keeps aside does not count.
struct HeapPeak {
  std::atomic<long long> live{0}, peak{0};
};
HeapPeak heap;

void onMalloc(const volatile void*, size_t size) {
  const long long now = heap.live += static_cast<long long>(size);
  long long peak = heap.peak.load();
  while (now > peak && !heap.peak.compare_exchange_weak(peak, now)) {
  }
}
void onFree(const volatile void* pointer) {
  heap.live -= static_cast<long long>(__sanitizer_get_allocated_size(pointer));
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

// A property twice the limit costs the reader the limit's worth of memory, not the property's.
// (The X server builds a larger property too slowly for the paste's deadline.)
TEST(ClipboardReaderE2e, ALargePropertyIsFetchedOnlyUpToTheLimit) {
  std::string error;
  const std::string display = xvfbDisplay::ensureDisplay(error);
  ASSERT_FALSE(display.empty()) << error;
  setenv("DISPLAY", display.c_str(), 1);
  if (!__sanitizer_install_malloc_and_free_hooks) GTEST_SKIP() << "needs the address sanitizer";
  e2e::HostileOwner owner;
  ASSERT_TRUE(e2e::startHostileOwner(owner, {"whole", std::to_string(2 * LIMIT), "4194304", "60"}));
  std::string text;
  __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree);
  const x11Clipboard::Result result = x11Clipboard::readText(text, keepWaiting);
  __sanitizer_install_malloc_and_free_hooks(nullptr, nullptr);
  ASSERT_EQ(result, x11Clipboard::Result::Text);
  EXPECT_EQ(text.size(), LIMIT);
  EXPECT_LT(heap.peak.load(), static_cast<long long>(LIMIT + LIMIT / 2)) << heap.peak << " bytes";
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
