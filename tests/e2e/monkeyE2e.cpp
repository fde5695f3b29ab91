#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "e2e/childProcess.h"
#include "e2e/e2eHarness.h"
#include "e2e/harnessSteps.h"
#include "support/colourDialogSupport.h"
#include "support/mainScreenScript.h"
#include "support/programInvariants.h"

// A short storm of random input in the real window, through the X server: keys the headless
// runs never see (keypad, function keys, Alt and Ctrl combinations, characters beyond one byte),
// clicks, drags and the wheel on the controls and dialogs, and a macro. The program must take
// it all, end through its close button with status 0, with no sanitizer report, and leave whole
// files behind.

namespace {

using MonkeyE2e = e2e::ProgramRun;

constexpr int ACTIONS = 240;
constexpr int ACTIONS_PER_CALL = 12;
constexpr int EXIT_CONTROL = 6;
constexpr int SECOND_CLOSE_AFTER_MS = 3000;

const std::vector<std::string> KEYS = {
    "1",      "2",         "3",         "5",          "7",         "0",      "period",
    "comma",  "a",         "x",         "space",      "minus",     "Return", "KP_Enter",
    "Tab",    "shift+Tab", "BackSpace", "Delete",     "Insert",    "Home",   "End",
    "Up",     "Down",      "Left",      "Right",      "Next",      "Prior",  "ctrl+Next",
    "ctrl+c", "ctrl+v",    "ctrl+x",    "ctrl+1",     "alt+a",     "F1",     "F10",
    "KP_1",   "KP_5",      "KP_9",      "KP_Decimal", "KP_Insert", "Menu",   "ctrl+shift+Return"};

struct Storm {
  std::mt19937 random;
  std::vector<std::string> command;  // xdotool arguments of the call being built
  std::string window;
  int queued = 0;
};

int below(Storm& storm, int bound) {
  return static_cast<int>(storm.random() % static_cast<unsigned>(bound));
}

void add(Storm& storm, std::initializer_list<std::string> words) {
  storm.command.insert(storm.command.end(), words);
  ++storm.queued;
}

// Where a user would click: the controls but "Exit", the panel's and the editor's buttons, the
// fields, anywhere.
void aim(Storm& storm, int& x, int& y) {
  using colourDialogs::Point;
  static const std::vector<Point> TARGETS = {colourDialogs::LIGHT_ON_DARK,
                                             colourDialogs::DARK_ON_LIGHT,
                                             colourDialogs::CHANGE_A_COLOR,
                                             colourDialogs::PANEL_OK,
                                             colourDialogs::RED,
                                             colourDialogs::GREEN,
                                             colourDialogs::BLUE,
                                             colourDialogs::UP,
                                             colourDialogs::DOWN,
                                             colourDialogs::EDITOR_OK,
                                             colourDialogs::CANCEL,
                                             colourDialogs::rolePoint(1),
                                             colourDialogs::rolePoint(8)};
  const int roll = below(storm, 10);
  if (roll < 4) {
    int k = 1 + below(storm, 10);
    if (k == EXIT_CONTROL) k = 10;
    x = mainScript::controlX(k);
    y = mainScript::controlY(k);
  } else if (roll < 7) {
    const Point p = TARGETS[below(storm, static_cast<int>(TARGETS.size()))];
    x = p.x;
    y = p.y;
  } else if (roll < 8) {
    x = 150 + below(storm, 140);
    y = 50 + below(storm, 44);
  } else {
    x = below(storm, 640);
    y = below(storm, 440);  // above the row of "Exit"
  }
}

void randomAction(Storm& storm) {
  const int roll = below(storm, 100);
  int x = 0, y = 0;
  if (roll < 55) {
    add(storm, {"key", "--window", storm.window, "--delay", "8",
                KEYS[below(storm, static_cast<int>(KEYS.size()))]});
  } else if (roll < 75) {
    aim(storm, x, y);
    add(storm, {"mousemove", "--window", storm.window, std::to_string(x), std::to_string(y),
                "click", "1"});
  } else if (roll < 85) {
    aim(storm, x, y);
    add(storm, {"mousemove", "--window", storm.window, std::to_string(x), std::to_string(y),
                "mousedown", "1", "sleep", "0.05"});
    aim(storm, x, y);
    add(storm, {"mousemove", "--window", storm.window, std::to_string(x), std::to_string(y),
                "mouseup", "1"});
  } else if (roll < 95) {
    add(storm, {"click", below(storm, 2) ? "4" : "5"});
  } else if (roll < 97) {
    add(storm, {"click", "2"});
  } else {
    // A macro named in the field: it fills the form and steps the schedule.
    add(storm, {"key", "--window", storm.window, "End", "BackSpace", "BackSpace", "BackSpace", "1",
                "ctrl+Return"});
  }
}

// Sends what was built; false once the program has gone (the tool then fails on its window).
bool send(Storm& storm, e2e::Quillo& quillo) {
  if (storm.command.empty()) return true;
  std::vector<std::string> argv = {"xdotool"};
  argv.insert(argv.end(), storm.command.begin(), storm.command.end());
  storm.command.clear();
  storm.queued = 0;
  std::string output;
  return e2e::runXTool(quillo, argv, "send random input", output);
}

}  // namespace

TEST_F(MonkeyE2e, RandomInputInTheRealWindowEndsCleanly) {
  for (unsigned seed : {1u, 2u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    e2e::Quillo quillo;
    e2e::Screen screen;
    ASSERT_TRUE(e2e::startAtForm(quillo, screen, {{"1.mac", "250000;6;2000;;\xffQ\xffQ?7;"}}));
    Storm storm;
    storm.random.seed(seed);
    storm.window = quillo.window;
    for (int i = 0; i < ACTIONS; ++i) {
      randomAction(storm);
      if (storm.queued >= ACTIONS_PER_CALL) {
        ASSERT_TRUE(send(storm, quillo));
      }
    }
    add(storm, {"mouseup", "1"});
    ASSERT_TRUE(send(storm, quillo));
    // A macro waiting for an entry takes the first close as the end of the macro.
    ASSERT_TRUE(e2e::pressCloseButton(quillo));
    int status = 0;
    if (childProcess::waitForEnd(quillo.pid, SECOND_CLOSE_AFTER_MS, status)) {
      quillo.ended = true;
      quillo.exitStatus = childProcess::exitCode(status);
    } else {
      e2e::endWith(quillo, e2e::CLOSE_BUTTON);
    }
    const std::string output = e2e::programOutput(quillo);
    EXPECT_EQ(quillo.exitStatus, 0) << output;
    EXPECT_EQ(output.find("Sanitizer"), std::string::npos) << output;
    EXPECT_EQ(output.find("runtime error"), std::string::npos) << output;
    EXPECT_TRUE(invariants::isWholeOptionsFile(e2e::readWorkFile(quillo, "quilloOptions.txt")));
    for (const std::string& name : e2e::workFileNames(quillo)) {
      EXPECT_EQ(name.find(".tmp~"), std::string::npos) << name << " was left behind";
      if (name.find("Palette") != std::string::npos) {
        EXPECT_TRUE(invariants::isWholePaletteFile(e2e::readWorkFile(quillo, name))) << name;
      }
    }
  }
}
