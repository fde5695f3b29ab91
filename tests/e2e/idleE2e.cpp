#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "e2e/e2eHarness.h"

// While the program waits for the user it sleeps until the next event or the cursor's next blink:
// the cursor must still blink at its half-second period, and a key must still show at once after
// a long sleep. Screenshots take too long here on a busy machine; a few pixels are read straight
// from the X server instead.

namespace {

using IdleE2e = e2e::AtForm;

using Clock = std::chrono::steady_clock;

// The tip of the insert caret under the loan amount field's first cell (row 4, column 19): the
// pixel column just left of the cell, the cell's second lowest pixel line.
constexpr int CARET_TIP_X = 18 * 8 - 1, CARET_TIP_Y = 4 * 16 - 2;
// The field's first cell without its two lowest pixel lines, where the caret blinks.
constexpr int CELL_X = 18 * 8, CELL_Y = 3 * 16, CELL_W = 8, CELL_H = 13;
// A pixel of plain background, right of every text.
constexpr int BACKGROUND_X = 630, BACKGROUND_Y = 300;

bool caretShown() {
  return e2e::serverPixels(CARET_TIP_X, CARET_TIP_Y, 1, 1) !=
         e2e::serverPixels(BACKGROUND_X, BACKGROUND_Y, 1, 1);
}

std::vector<unsigned long> firstCell() {
  return e2e::serverPixels(CELL_X, CELL_Y, CELL_W, CELL_H);
}

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

TEST_F(IdleE2e, TheCursorKeepsItsBlinkAndAKeyAfterALongIdleShowsAtOnce) {
  ASSERT_FALSE(firstCell().empty()) << "cannot read the X server's screen";

  // The moments the caret changed, over about six periods.
  std::vector<double> edges;
  Clock::time_point start = Clock::now();
  bool shown = caretShown();
  while (secondsSince(start) < 3.2) {
    if (caretShown() != shown) {
      shown = !shown;
      edges.push_back(secondsSince(start));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  ASSERT_GE(edges.size(), 5u) << "the cursor did not blink";
  for (size_t i = 1; i < edges.size(); ++i) {
    EXPECT_NEAR(edges[i] - edges[i - 1], 0.5, 0.1) << "between edges " << i - 1 << " and " << i;
  }

  std::this_thread::sleep_for(std::chrono::seconds(30));
  const std::vector<unsigned long> empty = firstCell();
  ASSERT_TRUE(e2e::typeText(quillo, "7"));
  start = Clock::now();
  while (firstCell() == empty && secondsSince(start) < 5) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  // At once: well before the cursor's next blink could have brought it.
  EXPECT_LT(secondsSince(start), 0.2) << "the key typed after a long idle showed late";
  endWith("Escape");
}

}  // namespace
