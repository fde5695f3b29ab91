#include <gtest/gtest.h>

#include <string>

#include "screen/headless.h"
#include "screen/screen.h"

namespace {

const std::string CLOSE_BUTTON{screen::EXTENDED, static_cast<char>(screen::KEY_CLOSE)};

TEST(InputPoll, KeysComeInOrderThenTheCloseButton) {
  headless::reset();
  headless::key("a");
  headless::extendedKey(screen::KEY_DOWN);
  EXPECT_EQ(screen::pollKey(), "a");
  EXPECT_EQ(screen::pollKey(), (std::string{screen::EXTENDED, screen::KEY_DOWN}));
  EXPECT_EQ(screen::pollKey(), CLOSE_BUTTON);
  EXPECT_EQ(CLOSE_BUTTON, std::string("\xff\x6b"));
}

TEST(InputPoll, TheMouseReportsPositionButtonsAndTheWheelTotal) {
  struct Expected {
    int x, y, wheel, buttons;
  };
  headless::reset();
  headless::mouse(100, 200, 1, 2);
  headless::mouse(101, 201, 0, -3);
  headless::mouseOutside();
  headless::mouse(639, 479, 2);
  headless::mouse(640, 100, 1);  // beyond the right edge while a button is held
  headless::mouse(10, -1, 1);
  headless::mouse(0, 0, 4);
  const Expected expected[] = {{100, 200, 2, 1},  {101, 201, -1, 0}, {-1, -1, -1, -1},
                               {639, 479, -1, 2}, {-1, -1, -1, -1},  {-1, -1, -1, -1},
                               {0, 0, -1, 4}};
  for (size_t i = 0; i < std::size(expected); ++i) {
    int x = 0, y = 0, wheel = 0, buttons = 0;
    screen::pollMouse(x, y, wheel, buttons);
    EXPECT_EQ(x, expected[i].x) << "state " << i;
    EXPECT_EQ(y, expected[i].y) << "state " << i;
    EXPECT_EQ(wheel, expected[i].wheel) << "state " << i;
    EXPECT_EQ(buttons, expected[i].buttons) << "state " << i;
  }
}

TEST(InputPoll, SleepingAdvancesTheClock) {
  headless::reset();
  double before = screen::readSeconds();
  screen::sleepMs(200);
  EXPECT_NEAR(screen::readSeconds() - before, 0.2, 1e-9);
}

}  // namespace
