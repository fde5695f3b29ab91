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

using WarningSoundE2e = e2e::ProgramRun;

std::string warningSound() {
  return scratch::readFile(QUILLO_SOURCE_DIR "/run/illegalChar.wav");
}

TEST_F(WarningSoundE2e, OnlyARefusedCharacterSounds) {
  std::string sound = warningSound();
  ASSERT_FALSE(sound.empty()) << "run/illegalChar.wav is made by the build";
  ASSERT_TRUE(e2e::start(quillo, {{"illegalChar.wav", sound}}));
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
  endWith("Escape");
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
TEST_F(WarningSoundE2e, TheDeviceSleepsBetweenSoundsAndEachPlaysWhole) {
  std::string sound = warningSound();
  ASSERT_GT(sound.size(), 44u);
  // The file's mono samples after its 44-byte header; the output is stereo.
  const std::vector<int> played = samplesFromTheFirstSound(sound.substr(44), 1);
  ASSERT_TRUE(atForm({{"illegalChar.wav", sound}}));
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
  endWith("Escape");
}

// A quiet tone of this many seconds as a wave file: 22,050 Hz, 16-bit mono PCM.
std::string toneWave(int seconds) {
  const uint32_t rate = 22050, samples = rate * static_cast<uint32_t>(seconds);
  std::string wave;
  const auto add = [&wave](uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) wave += static_cast<char>(value >> (8 * i) & 0xff);
  };
  wave += "RIFF";
  add(36 + 2 * samples, 4);
  wave += "WAVEfmt ";
  add(16, 4), add(1, 2), add(1, 2), add(rate, 4), add(2 * rate, 4), add(2, 2), add(16, 2);
  wave += "data";
  add(2 * samples, 4);
  for (uint32_t i = 0; i < samples; ++i) add(i / 50 % 2 ? 2000 : 0x10000 - 2000, 2);
  return wave;
}

// Once a sound is over the device closes also while the program waits at "Continue", where no
// cursor blinks to wake it; it never closes while the sound still plays.
TEST_F(WarningSoundE2e, TheDeviceClosesAfterALongSoundAlsoWhileIdle) {
  ASSERT_TRUE(atForm({{"illegalChar.wav", toneWave(3)}}));
  ASSERT_TRUE(waitForThreads(quillo, 1)) << "the sound device is awake before any sound";
  ASSERT_TRUE(e2e::typeText(quillo, "x"));
  ASSERT_TRUE(e2e::pressKeys(quillo, "Tab Tab Tab"));
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(waitForThreads(quillo, 2)) << "the sound device did not wake";
  const auto playing = start + std::chrono::milliseconds(2500);
  while (std::chrono::steady_clock::now() < playing) {
    ASSERT_EQ(threadCount(quillo), 2u) << "the device closed while the sound played";
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_TRUE(waitForThreads(quillo, 1)) << "the idle program keeps the device open";
  endWith("Escape");
}

// A sound file the sound library could choke on is never handed to it: the built-in chime plays
// instead, as it does when there is no file at all.
TEST_F(WarningSoundE2e, AHostileOrMissingSoundFilePlaysTheBuiltInChime) {
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
    e2e::endWith(quillo, "Escape");
  }
}

}  // namespace
