#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/e2eHarness.h"
#include "support/mainScreenScript.h"
#include "support/scratchDirectory.h"

// The warning sound reaches the sound output when a refused key is typed into a field.

namespace {

std::string warningSound() {
  return scratch::readFile(QUILLO_SOURCE_DIR "/run/illegalChar.wav");
}

TEST(WarningSoundE2e, OnlyARefusedCharacterSounds) {
  std::string sound = warningSound();
  ASSERT_FALSE(sound.empty()) << "run/illegalChar.wav is made by the build";
  e2e::Quillo quillo;
  ASSERT_TRUE(e2e::start(quillo, {{"illegalChar.wav", sound}}));
  e2e::Screen screen;
  ASSERT_TRUE(e2e::waitForText(quillo, "Loan Amount:", screen));
  ASSERT_TRUE(e2e::typeText(quillo, "25"));
  ASSERT_TRUE(e2e::waitForScreen(
      quillo,
      [](const e2e::Screen& s) {
        return mainScript::fieldText(FOCUS_LOAN, s.pixels()).find("25") != std::string::npos;
      },
      "25 in the loan amount", screen));
  EXPECT_FALSE(e2e::soundWasPlayed(quillo));
  ASSERT_TRUE(e2e::typeText(quillo, "x"));
  EXPECT_TRUE(e2e::waitForSound(quillo));
  ASSERT_TRUE(e2e::pressKeys(quillo, "Escape"));
  ASSERT_TRUE(e2e::waitForExit(quillo));
}

// A sound file the sound library could choke on is never handed to it: the built-in chime plays
// instead, as it does when there is no file at all.
TEST(WarningSoundE2e, AHostileOrMissingSoundFilePlaysTheBuiltInChime) {
  std::string crafted = warningSound().substr(0, 44);
  crafted.replace(24, 4, std::string("\x01\0\0\0", 4));  // one sample a second
  crafted += std::string(219000, '\x80');
  struct Case {
    const char* what;
    std::vector<e2e::WorkFile> files;
  };
  for (const Case& c : {Case{"no file", {}}, Case{"a 1 Hz file", {{"illegalChar.wav", crafted}}}}) {
    SCOPED_TRACE(c.what);
    e2e::Quillo quillo;
    e2e::Screen screen;
    ASSERT_TRUE(e2e::startAtForm(quillo, screen, c.files));
    ASSERT_TRUE(e2e::typeText(quillo, "x"));
    EXPECT_TRUE(e2e::waitForSound(quillo));
    ASSERT_TRUE(e2e::typeText(quillo, "y"));
    ASSERT_TRUE(e2e::pressKeys(quillo, "Escape"));
    ASSERT_TRUE(e2e::waitForExit(quillo));
    EXPECT_EQ(quillo.exitStatus, 0) << e2e::programOutput(quillo);
  }
}

}  // namespace
