#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/childProcess.h"
#include "e2e/e2eHarness.h"
#include "e2e/xvfbDisplay.h"
#include "support/mainScreenScript.h"
#include "support/scheduleLine.h"
#include "support/screenReader.h"

// Copy and paste go through the desktop's real clipboard, both ways.

namespace {

using ClipboardE2e = e2e::ProgramRun;

bool loanFieldShows(e2e::Quillo& quillo, const std::string& text, e2e::Screen& screen) {
  return e2e::waitForScreen(
      quillo,
      [&](const e2e::Screen& s) { return mainScript::fieldText(FOCUS_LOAN, s.pixels()) == text; },
      "\"" + text + "\" in the loan amount field", screen);
}

// Another program (xclip) holds `text` on the clipboard while Ctrl+V is pressed, until the loan
// amount field shows `shown`.
void pasteFromAnotherProgram(e2e::Quillo& quillo, const std::string& text, const std::string& shown,
                             e2e::Screen& screen) {
  std::string error;
  const std::string display = xvfbDisplay::ensureDisplay(error);
  ASSERT_FALSE(display.empty()) << error;
  const std::string source = quillo.runDirectory + "/copied.txt";
  std::ofstream(source) << text;
  childProcess::Spawn owner;
  owner.argv = {"xclip", "-quiet", "-selection", "clipboard", "-i", source};
  owner.environment = {"DISPLAY=" + display};
  pid_t ownerPid = childProcess::start(owner);
  ASSERT_GT(ownerPid, 0);

  // xclip takes the selection a moment after it starts. Until then the clipboard holds no text
  // and the paste types "unavailable", which the amount field refuses letter by letter.
  bool pasted = false;
  for (int attempt = 0; attempt < 20 && !pasted; ++attempt) {
    ASSERT_TRUE(e2e::pressKeys(quillo, "ctrl+v"));
    for (int look = 0; look < 10 && !pasted; ++look) {
      usleep(50 * 1000);
      ASSERT_TRUE(e2e::takeScreenshot(quillo, screen));
      // The window is drawn while a large paste is read, so only the whole text counts.
      pasted = mainScript::fieldText(FOCUS_LOAN, screen.pixels()) == shown;
    }
  }
  childProcess::stop(ownerPid, 0);
  ASSERT_TRUE(pasted) << e2e::describeScreen(screen);
  ASSERT_TRUE(loanFieldShows(quillo, shown, screen));
}

TEST_F(ClipboardE2e, CtrlVPastesWhatAnotherProgramCopiedAndCtrlCCopiesTheField) {
  ASSERT_TRUE(e2e::start(quillo));
  ASSERT_TRUE(e2e::waitForText(quillo, "Loan Amount:", screen));
  pasteFromAnotherProgram(quillo, "98765", "98765", screen);
  if (HasFatalFailure()) return;

  ASSERT_TRUE(e2e::typeText(quillo, "4"));
  ASSERT_TRUE(loanFieldShows(quillo, "987654", screen));
  ASSERT_TRUE(e2e::pressKeys(quillo, "ctrl+c"));
  std::string error;
  const std::string display = xvfbDisplay::ensureDisplay(error);
  std::string copied;
  bool read = false;
  for (int attempt = 0; attempt < 20 && copied != "987654"; ++attempt) {
    read = childProcess::run({"xclip", "-o", "-selection", "clipboard"}, {"DISPLAY=" + display},
                             5000, copied);
  }
  EXPECT_TRUE(read);
  EXPECT_EQ(copied, "987654");
  // While the program holds the clipboard itself, its paste is answered too.
  ASSERT_TRUE(e2e::pressKeys(quillo, "ctrl+v"));
  ASSERT_TRUE(loanFieldShows(quillo, "987654987654", screen));

  endWith("Escape");
}

// A text of any size fills the 16-place loan amount field from its start, the rest refused; one
// of several megabytes is sent by the X server in pieces.
TEST_F(ClipboardE2e, APasteOfAnySizeFillsTheFieldToItsWidth) {
  for (size_t size : {size_t{40}, size_t{5} * 1024 * 1024}) {
    SCOPED_TRACE(size);
    e2e::Quillo quillo;
    ASSERT_TRUE(e2e::start(quillo));
    e2e::Screen screen;
    ASSERT_TRUE(e2e::waitForText(quillo, "Loan Amount:", screen));
    std::string digits;
    while (digits.size() < size) digits += "1234567890";
    pasteFromAnotherProgram(quillo, digits, "1234567890123456", screen);
    if (HasFatalFailure()) return;
    e2e::endWith(quillo, "Escape");
  }
}

// A schedule with a change of rate, stepped to its end, copied with Ctrl+C: the clipboard
// holds every month, not only the lines on the screen.
TEST_F(ClipboardE2e, CtrlCOnAFinishedScheduleCopiesEveryMonth) {
  ASSERT_TRUE(atForm());
  ASSERT_TRUE(e2e::typeInputs(quillo, "5000", "12", "200"));
  ASSERT_TRUE(e2e::pressKeys(quillo, "Return Return Next"));
  ASSERT_TRUE(e2e::waitForScheduleMonth(quillo, 12, screen));
  ASSERT_TRUE(e2e::click(quillo, mainScript::controlX(2), mainScript::controlY(2)));
  ASSERT_TRUE(e2e::waitForScreen(
      quillo, [](const e2e::Screen& s) { return mainScript::controlInk(4, s.pixels()) == 2; },
      "Continue back", screen));
  ASSERT_TRUE(e2e::pressKeys(quillo, "Delete Delete"));
  ASSERT_TRUE(e2e::typeText(quillo, "18"));
  ASSERT_TRUE(e2e::pressKeys(quillo, "Return Return Return ctrl+Next"));
  ASSERT_TRUE(e2e::waitForText(quillo, "(2 years and 6 months)", screen));
  const std::vector<std::string> rows = mainScript::scheduleRows(screen.pixels());
  ASSERT_GE(rows.size(), 2u);
  const std::string lastOnScreen = rows[rows.size() - 2];
  ASSERT_EQ(lastOnScreen, scheduleLine(30, "2.24", "149.53", "0.00", "951.77"));

  std::string error;
  const std::string display = xvfbDisplay::ensureDisplay(error);
  ASSERT_FALSE(display.empty()) << error;
  ASSERT_TRUE(e2e::pressKeys(quillo, "ctrl+c"));
  std::string copied;
  for (int attempt = 0; attempt < 20 && copied.find("months)") == std::string::npos; ++attempt) {
    childProcess::run({"xclip", "-o", "-selection", "clipboard"}, {"DISPLAY=" + display}, 5000,
                      copied);
  }
  std::vector<std::string> lines;
  std::istringstream stream(copied);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 32u) << copied;
  EXPECT_EQ(lines[0], "Month\tRate\tPayment\tInterest\tPrincipal\tRemainder\tTotal interest");
  for (size_t month = 1; month <= 30; ++month) {
    EXPECT_EQ(lines[month].substr(0, lines[month].find('\t')), std::to_string(month));
  }
  EXPECT_EQ(lines[1], "1\t12\t200.00\t50.00\t150.00\t4850.00\t50.00");
  EXPECT_EQ(lines[13].substr(0, 6), "13\t18\t");
  // The last month as the screen's last line shows it, the amounts without their commas; its
  // payment is what that month took, 2.24 + 149.53.
  std::string screenFields;
  std::istringstream words(lastOnScreen);
  for (std::string word; words >> word;) {
    word.erase(std::remove(word.begin(), word.end(), ','), word.end());
    screenFields += "\t" + word;
    if (screenFields == "\t30") screenFields += "\t18\t151.77";
  }
  EXPECT_EQ("\t" + lines[30], screenFields);
  EXPECT_EQ(lines[31], "(2 years and 6 months)");

  endWith("Escape");
}

}  // namespace
