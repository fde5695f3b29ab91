#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/program.h"
#include "controls/eventCodes.h"
#include "screen/private/headless.h"
#include "support/editorTestSupport.h"
#include "support/macroRun.h"
#include "support/mainScreenScript.h"
#include "support/posixFiles.h"
#include "support/scheduleLine.h"
#include "support/scratchDirectory.h"
#include "support/screenReader.h"

// Starting a macro with Ctrl+Enter: which file the field text names, what a missing one shows,
// and a macro that fills the whole form and steps the schedule on its own.

namespace {

constexpr int MESSAGE_COLOUR = 11;

void expectMessage(const std::string& message) {
  EXPECT_EQ(screenReader::textAt(1, 1, static_cast<int>(message.size())), message);
  EXPECT_EQ(screenReader::readCell(1, 1).ink, MESSAGE_COLOUR);
}

}  // namespace

TEST(MacroStart, TheFieldTextNamesTheFile) {
  struct Case {
    const char* typed;
    std::vector<std::pair<std::string, std::string>> files;
    std::string message;  // at row 1; empty: none
    std::string loanField;
  };
  const std::vector<Case> cases = {
      {"7", {{"7.mac", "12"}}, "", "12"},
      {"7.5", {{"7.5", "34"}, {"7.5.mac", "56"}}, "", "34"},
      {"5.", {{"5.", "9"}, {"5..mac", "8"}}, "", "9"},
      {"9", {{"7.mac", "12"}}, "Could not find macro file 9.mac", ""},
      {"7.5", {{"7.5.mac", "56"}}, "Could not find macro file 7.5", ""},
      {"", {{"7.mac", "12"}}, "Could not find macro file .mac", ""},
      {"3", {}, "Could not find macro file 3.mac", ""},
      {"6", {}, "Could not find macro file 6.mac", ""},
      {"8", {}, "Could not find macro file 8.mac", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ScratchDirectory scratchDirectory;
    for (const auto& [name, bytes] : c.files) scratch::writeFile(name, bytes);
    std::filesystem::create_directory("3.mac");
    ASSERT_EQ(mkfifo("6.mac", 0644), 0);  // no writer: a blocking open would wait for good
    std::filesystem::create_symlink("/dev/zero", "8.mac");
    headless::reset();
    macroRun::startMacro(c.typed);
    runProgram();
    int row = 0, column = 0;
    if (c.message.empty()) {
      EXPECT_FALSE(screenReader::findText("Could not", row, column));
    } else {
      expectMessage(c.message);
    }
    EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN), c.loanField);
  }
}

TEST(MacroStart, AFileThatIsNotFoundLeavesAnEmptyFieldToTypeIn) {
  ScratchDirectory scratchDirectory;
  headless::reset();
  macroRun::startMacro("2500");
  headless::type("5\t");
  runProgram();
  expectMessage("Could not find macro file 2500.mac");
  EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN), "5");
  EXPECT_EQ(screenReader::readCell(4, 19).ink, 15);
  EXPECT_EQ(screenReader::readCell(1, 40).ink, 14);  // the title is left as it was
}

TEST(MacroStart, AFailedLoadLeavesAWaitingMacroWaiting) {
  ScratchDirectory scratchDirectory;
  // At the wait the user tries a macro that does not exist, then answers the wait.
  macroRun::run("?5", [] {
    macroRun::startMacro("9");
    headless::type("3\r");
  });
  expectMessage("Could not find macro file 9.mac");
  EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN), "35");
  EXPECT_EQ(mainScript::fieldText(FOCUS_RATE), "");
}

TEST(MacroStart, AMacroFillsTheFormAndStepsTheSchedule) {
  ScratchDirectory scratchDirectory;
  macroRun::run("250000;6;2000;;\xffQ");
  EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN), "250,000");
  EXPECT_EQ(mainScript::fieldText(FOCUS_RATE), "6");
  EXPECT_EQ(mainScript::fieldText(FOCUS_PAYMENT), "2,000.00");
  const std::vector<std::string> rows = mainScript::scheduleRows();
  ASSERT_EQ(rows.size(), 12u);
  EXPECT_EQ(rows[0], scheduleLine(1, "1,250.00", "750.00", "249,250.00", "1,250.00"));
  EXPECT_EQ(rows[11].substr(0, 2), "12");
}

TEST(MacroStart, AMacroStartsFromAnyField) {
  ScratchDirectory scratchDirectory;
  scratch::writeFile("8.mac", "5;1500;");
  headless::reset();
  headless::type("1000\t");
  macroRun::startMacro("8");
  runProgram();
  EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN), "1,000");
  EXPECT_EQ(mainScript::fieldText(FOCUS_RATE), "5");
  EXPECT_EQ(mainScript::fieldText(FOCUS_PAYMENT), "1,500.00");
}

TEST(MacroStart, ATextEndingInALineFeedStartsTheMacroItNames) {
  ScratchDirectory scratchDirectory;
  scratch::writeFile("7.mac", "12");
  editorTest::resetWorld();
  headless::key("\t");
  auto run = editorTest::runField("7\n", 8, "(0-9)");
  EXPECT_EQ(run.text, "12");
  EXPECT_EQ(run.event, EVENT_TAB);
}
