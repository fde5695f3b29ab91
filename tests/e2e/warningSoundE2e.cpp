#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "e2e/e2eHarness.h"

// The warning sound reaches the sound output when a refused key is typed into a field.

namespace {

std::string warningSound() {
  std::ifstream file(QUILLO_SOURCE_DIR "/run/illegalChar.wav", std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

TEST(WarningSoundE2e, OnlyARefusedCharacterSounds) {
  std::string sound = warningSound();
  ASSERT_FALSE(sound.empty()) << "run/illegalChar.wav is made by the build";
  struct Case {
    const char* typed;
    bool sounds;
  };
  for (const Case& c : {Case{"25", false}, Case{"x", true}}) {
    e2e::Quillo quillo;
    ASSERT_TRUE(e2e::start(quillo, {{"illegalChar.wav", sound}}));
    e2e::Screen screen;
    ASSERT_TRUE(e2e::waitForText(quillo, "Loan Amount:", screen));
    ASSERT_TRUE(e2e::typeText(quillo, c.typed));
    // The field shows what it took; then the program has handled the keys.
    ASSERT_TRUE(e2e::pressKeys(quillo, "Escape"));
    ASSERT_TRUE(e2e::waitForExit(quillo));
    EXPECT_EQ(e2e::soundWasPlayed(quillo), c.sounds) << c.typed;
  }
}

}  // namespace
