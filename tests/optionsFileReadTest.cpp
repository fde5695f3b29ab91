#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/optionsFile.h"
#include "colours/colourScheme.h"
#include "screen/private/headless.h"
#include "support/posixFiles.h"
#include "support/scratchDirectory.h"

namespace {

struct ReadCase {
  const char* what;
  std::string content;  // written as QuilloOptions.txt
  std::string soundFileName;
  int32_t colourScheme;
};

const std::string DEFAULT_SOUND = "ding.wav";

// A string literal with its NUL bytes kept.
template <size_t N>
std::string bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

std::vector<ReadCase> readCases() {
  const std::string name4096(4096, 'n');
  return {
      {"as written", "\"ding.wav\"\r\n2\r\n", "ding.wav", 2},
      {"byte order mark first", "\xEF\xBB\xBF\"bell.wav\"\r\n1\r\n", "bell.wav", 1},
      {"light on dark", "\"bell.wav\"\r\n1\r\n", "bell.wav", 1},
      {"empty file", "", DEFAULT_SOUND, 2},
      {"only one line", "\"bell.wav\"\r\n", DEFAULT_SOUND, 2},
      {"scheme 0", "\"bell.wav\"\r\n0\r\n", DEFAULT_SOUND, 2},
      {"scheme 3 drops the name too", "\"bell.wav\"\r\n3\r\n", DEFAULT_SOUND, 2},
      {"negative scheme", "\"bell.wav\"\r\n-1\r\n", DEFAULT_SOUND, 2},
      {"scheme past 32 bits", "\"bell.wav\"\r\n4294967297\r\n", DEFAULT_SOUND, 2},
      {"1.6 rounds to 2", "\"bell.wav\"\r\n1.6\r\n", "bell.wav", 2},
      {"2.5 rounds to the even 2", "\"bell.wav\"\r\n2.5\r\n", "bell.wav", 2},
      {"1.5 rounds to the even 2", "\"bell.wav\"\r\n1.5\r\n", "bell.wav", 2},
      {"0.5 rounds to the even 0", "\"bell.wav\"\r\n0.5\r\n", DEFAULT_SOUND, 2},
      {"exponent E", "\"bell.wav\"\r\n1E0\r\n", "bell.wav", 1},
      {"exponent d", "\"bell.wav\"\r\n0.1d1\r\n", "bell.wav", 1},
      {"scheme not a number", "\"bell.wav\"\r\none\r\n", DEFAULT_SOUND, 2},
      {"empty name line", "\r\n1\r\n", "", 1},
      {"empty quoted name", "\"\"\r\n1\r\n", "", 1},
      {"unquoted name with a comma", "ding,wav\r\n1\r\n", DEFAULT_SOUND, 2},
      {"quoted name keeps commas and blanks", "\"a, b .wav\"\r\n1\r\n", "a, b .wav", 1},
      {"unquoted name keeps inner and trailing blanks", "my bell.wav  \r\n1\r\n", "my bell.wav  ",
       1},
      {"blanks and tabs around items", " \t\"bell.wav\" \t\r\n \t1 \t\r\n", "bell.wav", 1},
      {"line feeds only", "\"bell.wav\"\n1\n", "bell.wav", 1},
      {"carriage returns only", "\"bell.wav\"\r1\r", "bell.wav", 1},
      {"no final line end", "\"bell.wav\"\r\n1", "bell.wav", 1},
      {"one line, comma separated", "\"bell.wav\",1\r\n", "bell.wav", 1},
      {"unquoted, comma separated", "bell.wav,1", "bell.wav", 1},
      {"quoted name runs over a line end", "\"two\r\nlines\"\r\n1\r\n", "two\r\nlines", 1},
      {"unclosed quote", "\"bell.wav\r\n1\r\n", DEFAULT_SOUND, 2},
      {"third line ignored", "\"bell.wav\"\r\n1\r\n2\r\n", "bell.wav", 1},
      {"binary garbage", bytes("\x00\xff\x7f\"\x01\r\x02\n\xfe"), DEFAULT_SOUND, 2},
      {"NUL inside a name", bytes("\"a\0b\"\r\n1\r\n"), bytes("a\0b"), 1},
      {"name of 4096 characters", name4096 + "\r\n1\r\n", name4096, 1},
      // Reading the name stops at 4096 characters; the scheme is then read from what is left.
      {"name of 4097 characters", name4096 + "n\r\n1\r\n", DEFAULT_SOUND, 2},
      {"quoted name of 4097 characters", "\"" + name4096 + "n\"\r\n1\r\n", DEFAULT_SOUND, 2},
      {"10 MB line", std::string(10'000'000, 'x') + "\r\n1\r\n", DEFAULT_SOUND, 2},
      {"10 MB of digits", "\"bell.wav\"\r\n" + std::string(10'000'000, '1'), DEFAULT_SOUND, 2},
  };
}

}  // namespace

TEST(OptionsFileRead, EachFileGivesItsSettingsOrTheDefaults) {
  for (const ReadCase& c : readCases()) {
    SCOPED_TRACE(c.what);
    ScratchDirectory dir;
    headless::reset();
    scratch::writeFile("QuilloOptions.txt", c.content);
    options.soundFileName = "stale.wav";
    colourSchemeState.colourScheme = 1;
    readOptions();
    EXPECT_EQ(options.soundFileName, c.soundFileName);
    EXPECT_EQ(colourSchemeState.colourScheme, c.colourScheme);
    EXPECT_EQ(scratch::fileNames(), std::vector<std::string>{"QuilloOptions.txt"})
        << "reading must leave the directory as it was";
  }
}

TEST(OptionsFileRead, NoFileGivesTheDefaults) {
  ScratchDirectory dir;
  headless::reset();
  options.soundFileName = "stale.wav";
  colourSchemeState.colourScheme = 1;
  readOptions();
  EXPECT_EQ(options.soundFileName, "ding.wav");
  EXPECT_EQ(colourSchemeState.colourScheme, 2);
  EXPECT_TRUE(scratch::fileNames().empty());
}

// A FIFO under the options file's name would keep a blocking open waiting for a writer forever.
TEST(OptionsFileRead, AnUnreadableFileGivesTheDefaults) {
  for (const char* kind : {"directory", "fifo", "endless device"}) {
    SCOPED_TRACE(kind);
    ScratchDirectory dir;
    headless::reset();
    std::error_code error;
    const std::string made = kind;
    if (made == "directory") {
      std::filesystem::create_directory("QuilloOptions.txt", error);
    } else if (made == "fifo") {
      ASSERT_EQ(mkfifo("QuilloOptions.txt", 0644), 0);
    } else {
      std::filesystem::create_symlink("/dev/zero", "QuilloOptions.txt");
    }
    options.soundFileName = "stale.wav";
    colourSchemeState.colourScheme = 1;
    readOptions();
    EXPECT_EQ(options.soundFileName, "ding.wav");
    EXPECT_EQ(colourSchemeState.colourScheme, 2);
  }
}
