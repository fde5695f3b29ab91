#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "app/program.h"
#include "screen/private/fileTable.h"
#include "screen/private/headless.h"
#include "screen/private/surfaceState.h"
#include "screen/screen.h"
#include "support/colourDialogSupport.h"
#include "support/environmentScope.h"
#include "support/fileFaults.h"
#include "support/macroRun.h"
#include "support/mainScreenScript.h"
#include "support/scratchDirectory.h"
#include "support/screenReader.h"

namespace {

constexpr int EXIT = 6;
constexpr const char* DEFAULT_OPTIONS = "\"ding.wav\"\r\n2\r\n";

struct State {
  const char* name;
  std::function<void()> reach;
};

// Every state the screen can be in when the user ends the program.
const std::vector<State> STATES = {
    {"entering inputs", [] { headless::type("12"); }},
    {"focus on Continue", [] { mainScript::enterInputs("1000", "12", "100"); }},
    {"payment message shown",
     [] {
       mainScript::enterInputs("250000", "6", "1000");
       headless::key("\r");
     }},
    {"schedule running",
     [] {
       mainScript::enterInputs("1000", "12", "100");
       headless::key("\r");
       headless::extendedKey(screen::KEY_PAGE_DOWN);
     }},
    {"schedule held",
     [] {
       mainScript::enterInputs("1000", "12", "100");
       headless::key("\r");
       headless::extendedKey(screen::KEY_DOWN);
       mainScript::clickControl(3);
       headless::type("5");
       headless::key("\t");
     }},
    {"schedule finished",
     [] {
       mainScript::enterInputs("1000", "12", "100");
       headless::key("\r");
       headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
     }},
};

struct Ending {
  const char* name;
  std::function<void()> script;
};

const std::vector<Ending> ENDINGS = {
    {"Escape", [] { headless::key("\x1b"); }},
    {"right-button release",
     [] {
       headless::mouse(300, 300, 2);
       headless::mouse(310, 310, 0);
     }},
    {"close button", [] { headless::extendedKey(screen::KEY_CLOSE); }},
    {"Exit", [] { mainScript::clickControl(EXIT); }},
};

// Where a death test's child is a new run of this program (Windows), its own ScratchDirectory is
// a fresh folder: the child works in its parent's instead, named in the environment, and leaves
// none of its own behind.
constexpr const char* FOLDER_VARIABLE = "QUILLO_TEST_PARENT_FOLDER";

// The parent names its folder; a child keeps the name it inherited.
std::string folderForChild(const ScratchDirectory& own) {
  const char* inherited = std::getenv(FOLDER_VARIABLE);
  return inherited ? inherited : own.path.string();
}

void enterParentFolder(const ScratchDirectory& own) {
  const std::filesystem::path parent = std::getenv(FOLDER_VARIABLE);
  if (parent == own.path) return;
  std::error_code error;
  std::filesystem::current_path(parent, error);
  std::filesystem::remove_all(own.path, error);
}

}  // namespace

TEST(ExitPath, EveryWayOutWritesTheOptionsFileAndStopsAtOnceInEveryState) {
  for (const State& state : STATES) {
    for (const Ending& ending : ENDINGS) {
      SCOPED_TRACE(std::string(state.name) + " / " + ending.name);
      ScratchDirectory dir;
      headless::reset();
      state.reach();
      ending.script();
      headless::type("9");  // never read: the program has ended
      runProgram();
      EXPECT_EQ(scratch::readFile("quilloOptions.txt"), DEFAULT_OPTIONS);
      EXPECT_EQ(headless::headlessState.script.size(), 1u);
      EXPECT_EQ(headless::headlessState.closeReports, 0);
      for (const auto& block : screen::imageStore.blocks) {
        EXPECT_TRUE(block.pixels.empty()) << "an image outlived the program";
      }
    }
  }
}

// A signal (a session logging out) ends the program through its one exit path wherever it is,
// dialogs and macros included, and whatever input is still to come.
TEST(ExitPath, AQuitSignalEndsTheProgramFromEveryState) {
  std::vector<State> states = STATES;
  states.push_back({"options panel open", [] { mainScript::clickControl(10); }});
  states.push_back({"colour editor open", [] {
                      mainScript::clickControl(10);
                      headless::click(colourDialogs::CHANGE_A_COLOR.x,
                                      colourDialogs::CHANGE_A_COLOR.y);
                    }});
  states.push_back({"macro waiting at ?", [] {
                      scratch::writeFile("7.mac", "12?34");
                      macroRun::startMacro("7");
                    }});
  // Its last keys would type 11111 into the loan amount, were it played to the end.
  states.push_back({"long macro playing", [] {
                      std::string homeKeys;
                      for (int i = 0; i < 200'000; ++i) homeKeys += "\xffG";
                      scratch::writeFile("7.mac", homeKeys + "11111");
                      macroRun::startMacro("7");
                    }});
  constexpr size_t KEYS_AFTER = 50;
  for (const State& state : states) {
    SCOPED_TRACE(state.name);
    ScratchDirectory dir;
    headless::reset();
    state.reach();
    headless::quitSignal();
    headless::type(std::string(KEYS_AFTER, '9'));
    runProgram();
    EXPECT_EQ(scratch::readFile("quilloOptions.txt"), DEFAULT_OPTIONS);
    EXPECT_GE(headless::headlessState.script.size(), KEYS_AFTER - 5)
        << "input read after the signal";
    EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN).find("11111"), std::string::npos)
        << "a macro played on after the signal";
    for (const auto& block : screen::imageStore.blocks) {
      EXPECT_TRUE(block.pixels.empty()) << "an image outlived the program";
    }
  }
}

TEST(ExitPath, ARightButtonPressOnlyHighlightsExit) {
  ScratchDirectory dir;
  headless::reset();
  headless::snapshot();
  headless::mouse(300, 300, 2);
  headless::snapshot();
  headless::type("7");
  headless::mouse(300, 300, 0);
  headless::type("8");
  runProgram();
  EXPECT_EQ(mainScript::controlInk(EXIT, mainScript::snapshot(0)), 2);
  EXPECT_EQ(mainScript::controlInk(EXIT, mainScript::snapshot(1)), 13);
  // Still running after the press: the 7 reached the loan field; the release ended the run.
  EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN), "7");
  EXPECT_EQ(headless::headlessState.script.size(), 1u);
  EXPECT_EQ(scratch::readFile("quilloOptions.txt"), DEFAULT_OPTIONS);
}

TEST(ExitPath, ASchemeReadFromTheFileIsWrittenBack) {
  ScratchDirectory dir;
  scratch::writeFile("quilloOptions.txt", "\"bell.wav\"\r\n1\r\n");
  headless::reset();
  mainScript::enterInputs("1000", "12", "100");
  headless::key("\r");
  mainScript::clickControl(EXIT);
  runProgram();
  EXPECT_EQ(scratch::readFile("quilloOptions.txt"), "\"bell.wav\"\r\n1\r\n");
}

TEST(ExitPath, AFailedWriteDuringASchedulesEndIsSilent) {
  ScratchDirectory dir;
  headless::reset();
  mainScript::enterInputs("1000", "12", "100");
  headless::key("\r");
  headless::extendedKey(screen::KEY_PAGE_DOWN);
  mainScript::clickControl(EXIT);
  FileFaultScope faults({.writeBudget = 0});
  runProgram();
  EXPECT_TRUE(scratch::fileNames().empty());
  EXPECT_EQ(screenReader::rowText(1).find("QUILLO 2.1"), 34u);
  EXPECT_EQ(mainScript::scheduleRows().size(), 12u);
}

TEST(ExitPath, TheCloseButtonWhileTheOptionsPanelIsOpenEndsTheProgram) {
  ScratchDirectory dir;
  headless::reset();
  mainScript::clickControl(10);
  runProgram();
  EXPECT_EQ(headless::headlessState.closeReports, 1) << "one close, and the program ended";
  EXPECT_EQ(scratch::readFile("quilloOptions.txt"), DEFAULT_OPTIONS);
}

// Logging off or shutting down Windows does not wait for the program to come round to its exit
// path: the options are saved at once, wherever the program stands, and it ends with status 0.
TEST(ExitPath, TheSessionEndingSavesTheOptionsAtOnceInEveryState) {
  std::vector<State> states = STATES;
  states.push_back({"options panel open", [] { mainScript::clickControl(10); }});
  for (const State& state : states) {
    SCOPED_TRACE(state.name);
    ScratchDirectory dir;
    EnvironmentScope folder(FOLDER_VARIABLE, folderForChild(dir).c_str());
    EXPECT_EXIT(
        {
          enterParentFolder(dir);
          headless::reset();
          state.reach();
          headless::sessionEnd();
          headless::type("9");
          runProgram();
          std::exit(3);  // the program went on
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EQ(scratch::readFile("quilloOptions.txt"), DEFAULT_OPTIONS);
  }
}
