#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
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

// 16-bit samples from the first one that is not silent; every `stride`th one.
std::vector<int> samplesFromTheFirstSound(const std::string& bytes, size_t stride) {
  std::vector<int> samples;
  for (size_t at = 0; at + 1 < bytes.size(); at += 2 * stride) {
    int sample = static_cast<int16_t>(static_cast<uint8_t>(bytes[at]) |
                                      static_cast<uint8_t>(bytes[at + 1]) << 8);
    if (sample != 0 || !samples.empty()) samples.push_back(sample);
  }
  return samples;
}

size_t threadCount(const e2e::Quillo& quillo) {
  std::error_code error;
  auto tasks =
      std::filesystem::directory_iterator("/proc/" + std::to_string(quillo.pid) + "/task", error);
  return static_cast<size_t>(std::distance(begin(tasks), end(tasks)));
}

bool waitForThreads(const e2e::Quillo& quillo, size_t count) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (threadCount(quillo) != count) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// The sound device is closed while nothing plays, so that its thread does not wake the machine,
// and opened again for the next sound: each warning reaches the output whole, from its first
// sample (the output file starts afresh whenever the device opens).
TEST(WarningSoundE2e, TheDeviceSleepsBetweenSoundsAndEachPlaysWhole) {
  std::string sound = warningSound();
  ASSERT_GT(sound.size(), 44u);
  // The file's mono samples after its 44-byte header; the output is stereo.
  const std::vector<int> played = samplesFromTheFirstSound(sound.substr(44), 1);
  e2e::Quillo quillo;
  e2e::Screen screen;
  ASSERT_TRUE(e2e::startAtForm(quillo, screen, {{"illegalChar.wav", sound}}));
  EXPECT_TRUE(waitForThreads(quillo, 1)) << "the sound device is awake before any sound";
  for (const char* key : {"x", "y"}) {
    SCOPED_TRACE(key);
    ASSERT_TRUE(e2e::typeText(quillo, key));
    ASSERT_TRUE(waitForThreads(quillo, 2)) << "the sound device did not wake";
    ASSERT_TRUE(e2e::waitForSound(quillo));
    ASSERT_TRUE(waitForThreads(quillo, 1)) << "the sound device stays awake after the sound";
    std::vector<int> output =
        samplesFromTheFirstSound(scratch::readFile(quillo.runDirectory + "/audio.raw"), 2);
    ASSERT_GE(output.size(), played.size());
    size_t differing = 0;
    for (size_t i = 0; i < played.size(); ++i) differing += std::abs(output[i] - played[i]) > 2;
    EXPECT_EQ(differing, 0u);
  }
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
