#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "colours/markChosen.h"
#include "controls/buttonRegistry.h"
#include "screen/private/headless.h"
#include "screen/screen.h"

namespace {

constexpr int X = 120, FIRST_Y = 100, NORMAL = 2;

// Three unframed radio buttons, one per text row, as the options dialog lays out its schemes.
void createGroup(ButtonId (&ids)[4]) {
  headless::reset();
  buttonRegistry = {};
  screen::openScreen();
  screen::setTextGrid(80, 30);
  const char* labels[] = {"", "Light on Dark", "Dark on Light", "Third"};
  for (int i = 1; i <= 3; ++i) {
    ids[i] = 0;
    createButton(ids[i], {labels[i], X, FIRST_Y + 16 * (i - 1), 2, NORMAL, 13, false, 32, 0, 0});
  }
}

// What is shown in front of each label: "on" a filled square, "off" a hollow one, "-" nothing.
std::string marks() {
  std::string shown;
  for (int i = 0; i < 3; ++i) {
    const int y = FIRST_Y + 16 * i;
    const int inside = screen::pixelAt(X - 12, y + 7), corner = screen::pixelAt(X - 16, y + 3);
    if (!shown.empty()) shown += ' ';
    shown += inside == NORMAL ? "on" : corner == NORMAL && inside == 0 ? "off" : "-";
  }
  return shown;
}

}  // namespace

TEST(MarkChosen, OnlyTheChosenButtonOfTheGroupIsFilled) {
  struct Case {
    int count, chosen;
    const char* shown;
  };
  for (const Case& c :
       {Case{3, 1, "on off off"}, Case{3, 2, "off on off"}, Case{3, 3, "off off on"},
        Case{3, 0, "off off off"}, Case{3, 4, "off off off"}, Case{3, -1, "off off off"},
        Case{2, 2, "off on -"}, Case{2, 3, "off off -"}, Case{0, 1, "- - -"},
        Case{10, 2, "off on off"}}) {
    SCOPED_TRACE(testing::Message() << "count " << c.count << ", chosen " << c.chosen);
    ButtonId ids[4];
    createGroup(ids);
    markChosen(ids, c.count, c.chosen);
    EXPECT_EQ(marks(), c.shown);
  }
}

TEST(MarkChosen, ChoosingAnotherButtonEmptiesTheOldMark) {
  ButtonId ids[4];
  createGroup(ids);
  std::vector<std::string> shown;
  for (int chosen : {1, 2, 3, 0}) {
    markChosen(ids, 3, chosen);
    shown.push_back(marks());
  }
  EXPECT_EQ(shown,
            (std::vector<std::string>{"on off off", "off on off", "off off on", "off off off"}));
}
