#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "editor/characterMask.h"
#include "layout/fieldGeometry.h"
#include "money/amountText.h"
#include "screen/private/headless.h"
#include "screen/warningChime.h"
#include "support/editorTestSupport.h"
#include "support/posixFiles.h"
#include "support/scratchDirectory.h"

namespace {

std::string admittedBy(const std::string& mask) {
  buildMaskTable(mask);
  std::string admitted;
  for (int code = 1; code < 256; ++code) {
    if (charInMask(static_cast<char>(code))) admitted += static_cast<char>(code);
  }
  return admitted;
}

std::string thirtyGroups(int count) {
  std::string mask;
  for (int i = 0; i < count; ++i) mask += "(" + std::string(1, static_cast<char>('A' + i)) + ")";
  return mask;
}

struct MaskCase {
  const char* name;
  std::string mask;
  std::string admitted;  // every character from 1 to 255 the mask admits, in code order
  // Listed by name, not as the bytes of the case.
  friend void PrintTo(const MaskCase& c, std::ostream* os) { *os << c.name; }
};

class MaskAdmits : public testing::TestWithParam<MaskCase> {};

TEST_P(MaskAdmits, ExactlyTheListedCharacters) {
  EXPECT_EQ(admittedBy(GetParam().mask), GetParam().admitted);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, MaskAdmits,
    testing::Values(MaskCase{"amount", std::string(AMOUNT_MASK), ",.0123456789"},
                    MaskCase{"rate", std::string(RATE_MASK), ".0123456789"},
                    MaskCase{"spacesBetweenGroups", "(0-9)   (.)", ".0123456789"},
                    MaskCase{"empty", "", ""}, MaskCase{"leadingSpace", " (0-9)", ""},
                    MaskCase{"stopsAtStrayCharacter", "(0-9)x(a-c)", "0123456789"},
                    MaskCase{"rightBracketAsSingle", "())", ")"},
                    MaskCase{"spaceAsSingle", "( )", " "},
                    MaskCase{"rangeSeparatorsNotLookedAt", "(a*c]", "abc"},
                    MaskCase{"invertedRangeAdmitsNothing", "(9-0)(.)", "."},
                    MaskCase{"groupCutShortByTheEnd", "(.)(0-", "."},
                    MaskCase{"groupAtTheLastCharacterIsNotRead", "(.)(", "."},
                    MaskCase{"highCodesAreUnsigned", "(\xf0-\xf2)", "\xf0\xf1\xf2"},
                    MaskCase{"thirtyGroups", thirtyGroups(30), "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^"},
                    MaskCase{"groupsPastThirtyIgnored", thirtyGroups(31),
                             "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^"}),
    [](const testing::TestParamInfo<MaskCase>& info) { return std::string(info.param.name); });

// The fields and `quillo schedule` take the same characters.
TEST(CharacterMask, AmountAndRateMasksAdmitTheirCharacterSets) {
  for (auto [mask, characters] :
       {std::pair{AMOUNT_MASK, AMOUNT_CHARACTERS}, std::pair{RATE_MASK, RATE_CHARACTERS}}) {
    std::string sorted(characters);
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(admittedBy(std::string(mask)), sorted) << mask;
  }
}

TEST(CharacterMask, OnlyTheLastMaskBuiltCounts) {
  buildMaskTable("(a-z)");
  buildMaskTable("(0-9)");
  EXPECT_FALSE(charInMask('q'));
  EXPECT_TRUE(charInMask('7'));
}

TEST(CharacterMask, TestsTheFirstCharacterOfAText) {
  buildMaskTable("(0-9)");
  EXPECT_TRUE(charInMask(std::string_view("5x")));
  EXPECT_FALSE(charInMask(std::string_view("x5")));
  EXPECT_FALSE(charInMask(std::string_view("")));
}

TEST(CharacterMask, IllegalCharacterSound) {
  editorTest::resetWorld();
  playIllegalChar();
  EXPECT_EQ(editorTest::soundCount(), 1);
}

// A wave file as its header describes it: PCM unless told otherwise, `dataBytes` of silence.
struct Wave {
  int rate = 44100, channels = 1, bits = 16, tag = 1;
  uint32_t dataBytes = 2000;
  uint32_t declaredData = 0;  // the data chunk's size field, when it is to lie
  bool formatFirst = true;
  uint32_t byteRate = 0;    // when it is to disagree with the rate and the block size
  std::string before = "";  // chunks between the format and the data
};

std::string little(uint32_t value, int size) {
  std::string bytes;
  for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xff);
  return bytes;
}

std::string waveBytes(const Wave& w) {
  uint32_t block = static_cast<uint32_t>(w.channels * w.bits / 8);
  std::string format = "fmt " + little(16, 4) + little(static_cast<uint32_t>(w.tag), 2) +
                       little(static_cast<uint32_t>(w.channels), 2) +
                       little(static_cast<uint32_t>(w.rate), 4) +
                       little(w.byteRate ? w.byteRate : static_cast<uint32_t>(w.rate) * block, 4) +
                       little(block, 2) + little(static_cast<uint32_t>(w.bits), 2);
  std::string data = "data" + little(w.declaredData ? w.declaredData : w.dataBytes, 4) +
                     std::string(w.dataBytes, '\x80');
  std::string chunks = w.formatFirst ? format + w.before + data : data + format;
  return "RIFF" + little(static_cast<uint32_t>(chunks.size() + 4), 4) + "WAVE" + chunks;
}

// The sound library trusts a wave file's header, so a file is played only when it is plainly a
// short PCM sound; anything else, a missing file included, plays the built-in chime. Each name
// is looked at once, however many keys are refused.
TEST(CharacterMask, OnlyASafeWaveFileIsPlayedOtherwiseTheChime) {
  struct Case {
    const char* what;
    std::string file;  // empty: no file
    bool played;
    const char* special = nullptr;  // "fifo", or the device the file is a link to
  };
  const Case cases[] = {
      {"44.1 kHz 16-bit mono", waveBytes({}), true},
      {"8 kHz 8-bit stereo", waveBytes({.rate = 8000, .channels = 2, .bits = 8}), true},
      {"192 kHz", waveBytes({.rate = 192000}), true},
      {"1 Hz, as crafted to overflow the loader",
       waveBytes({.rate = 1, .bits = 8, .dataBytes = 219000}), false},
      {"100 Hz", waveBytes({.rate = 100, .bits = 8, .dataBytes = 600000}), false},
      {"7999 Hz", waveBytes({.rate = 7999}), false},
      {"75 seconds", waveBytes({.rate = 8000, .bits = 8, .dataBytes = 600000}), false},
      {"192001 Hz", waveBytes({.rate = 192001}), false},
      {"three channels", waveBytes({.channels = 3}), false},
      {"24 bits", waveBytes({.bits = 24}), false},
      {"not PCM", waveBytes({.tag = 3}), false},
      {"data before the format", waveBytes({.formatFirst = false}), false},
      {"data chunk running past the end", waveBytes({.declaredData = 4000}), false},
      {"data chunk size near 4 GB", waveBytes({.declaredData = 0xfffffff0u}), false},
      {"cut off in the header", waveBytes({}).substr(0, 30), false},
      {"not a wave file", "RIFF....AVI LIST", false},
      {"over 16 MB", waveBytes({.rate = 192000, .channels = 2, .dataBytes = 17u << 20}), false},
      // A file of 44 header bytes and the data; 192 kHz 16-bit stereo is 768,000 bytes a second.
      {"exactly 16 MiB", waveBytes({.rate = 192000, .channels = 2, .dataBytes = (16u << 20) - 44}),
       true},
      {"16 MiB and a byte",
       waveBytes({.rate = 192000, .channels = 2, .dataBytes = (16u << 20) - 43}), false},
      {"exactly 60 seconds", waveBytes({.rate = 8000, .bits = 8, .dataBytes = 480000}), true},
      {"60 seconds and a sample", waveBytes({.rate = 8000, .bits = 8, .dataBytes = 480001}), false},
      {"an empty data chunk", waveBytes({.bits = 8, .dataBytes = 0}), false},
      {"less data than one frame", waveBytes({.channels = 2, .dataBytes = 3}), false},
      {"an odd-sized chunk before the data, padded",
       waveBytes({.before = "LIST" + little(3, 4) + "abc" + std::string(1, '\0')}), true},
      {"a byte rate that is not rate times frame size", waveBytes({.byteRate = 88201}), false},
      {"no file", "", false},
      {"a link to an endless device", "", false, "/dev/zero"},
      {"a link to a random device", "", false, "/dev/urandom"},
      {"a FIFO nobody writes to", "", false, "fifo"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDirectory directory;
    editorTest::resetWorld();
    if (!c.file.empty()) scratch::writeFile("illegalChar.wav", c.file);
    if (c.special && std::string(c.special) == "fifo") {
      ASSERT_EQ(mkfifo("illegalChar.wav", 0644), 0);
    } else if (c.special) {
      std::filesystem::create_symlink(c.special, "illegalChar.wav");
    }
    playIllegalChar();
    playIllegalChar();
    EXPECT_EQ(editorTest::soundCount(), 2);
    const headless::HeadlessState& h = headless::headlessState;
    ASSERT_EQ(h.wavesLoaded.size(), 1u) << "the file was looked at more than once";
    EXPECT_EQ(h.wavesPlayed, (std::vector<int>{0, 0}));
    EXPECT_EQ(h.wavesLoaded[0], c.played ? c.file : screen::warningChimeWave());
  }
}

}  // namespace
