#include <gtest/gtest.h>

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
        return mainScript::fieldText(1, s.pixels()).find("25") != std::string::npos;
      },
      "25 in the loan amount", screen));
  EXPECT_FALSE(e2e::soundWasPlayed(quillo));
  ASSERT_TRUE(e2e::typeText(quillo, "x"));
  EXPECT_TRUE(e2e::waitForSound(quillo));
  ASSERT_TRUE(e2e::pressKeys(quillo, "Escape"));
  ASSERT_TRUE(e2e::waitForExit(quillo));
}

}  // namespace
