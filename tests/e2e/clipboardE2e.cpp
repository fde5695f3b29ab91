#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "e2e/childProcess.h"
#include "e2e/e2eHarness.h"
#include "e2e/xvfbDisplay.h"
#include "support/mainScreenScript.h"

// Copy and paste go through the desktop's real clipboard, both ways.

namespace {

bool loanFieldShows(e2e::Quillo& quillo, const std::string& text, e2e::Screen& screen) {
  return e2e::waitForScreen(
      quillo, [&](const e2e::Screen& s) { return mainScript::fieldText(1, s.pixels()) == text; },
      "\"" + text + "\" in the loan amount field", screen);
}

TEST(ClipboardE2e, CtrlVPastesWhatAnotherProgramCopiedAndCtrlCCopiesTheField) {
  e2e::Quillo quillo;
  ASSERT_TRUE(e2e::start(quillo));
  e2e::Screen screen;
  ASSERT_TRUE(e2e::waitForText(quillo, "Loan Amount:", screen));

  std::string error;
  const std::string display = xvfbDisplay::ensureDisplay(error);
  ASSERT_FALSE(display.empty()) << error;
  const std::string source = quillo.runDirectory + "/copied.txt";
  std::ofstream(source) << "98765";
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
      pasted = mainScript::fieldText(1, screen.pixels()).find("98765") != std::string::npos;
    }
  }
  childProcess::stop(ownerPid, 0);
  ASSERT_TRUE(pasted) << e2e::describeScreen(screen);
  ASSERT_TRUE(loanFieldShows(quillo, "98765", screen));

  ASSERT_TRUE(e2e::typeText(quillo, "4"));
  ASSERT_TRUE(loanFieldShows(quillo, "987654", screen));
  ASSERT_TRUE(e2e::pressKeys(quillo, "ctrl+c"));
  std::string copied;
  bool read = false;
  for (int attempt = 0; attempt < 20 && copied != "987654"; ++attempt) {
    read = childProcess::run({"xclip", "-o", "-selection", "clipboard"}, {"DISPLAY=" + display},
                             5000, copied);
  }
  EXPECT_TRUE(read);
  EXPECT_EQ(copied, "987654");

  ASSERT_TRUE(e2e::pressKeys(quillo, "Escape"));
  ASSERT_TRUE(e2e::waitForExit(quillo));
  EXPECT_EQ(quillo.exitStatus, 0);
}

}  // namespace
