#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screen/files.h"
#include "screen/screen.h"
#include "support/scratchDirectory.h"

namespace {

using screen::Separator;

TEST(FileItemWrite, ItemsAreWrittenInTheirFileForm) {
  struct Case {
    const char* what;
    void (*write)(int file);
    std::string expected;
  };
  const Case cases[] = {
      {"three levels on a line",
       [](int f) {
         screen::writeItem(f, 63, Separator::Comma);
         screen::writeItem(f, 0, Separator::Comma);
         screen::writeItem(f, 21, Separator::LineEnd);
       },
       "63,0,21\r\n"},
      {"a name in quotes",
       [](int f) { screen::writeItem(f, std::string_view("ding.wav"), Separator::LineEnd); },
       "\"ding.wav\"\r\n"},
      {"negative numbers",
       [](int f) {
         screen::writeItem(f, -5, Separator::Comma);
         screen::writeItem(f, -2147483647 - 1, Separator::LineEnd);
       },
       "-5,-2147483648\r\n"},
      {"nothing in a text is escaped",
       [](int f) {
         screen::writeItem(f, std::string_view("a,b"), Separator::Comma);
         screen::writeItem(f, std::string_view(""), Separator::LineEnd);
       },
       "\"a,b\",\"\"\r\n"},
  };
  for (const Case& c : cases) {
    ScratchDirectory directory;
    int file = screen::freeFileNumber();
    ASSERT_EQ(screen::openFile("out.txt", screen::FileMode::WriteText, file), 0) << c.what;
    c.write(file);
    screen::closeFile(file);
    EXPECT_EQ(scratch::readFile("out.txt"), c.expected) << c.what;
    EXPECT_EQ(scratch::fileNames(), std::vector<std::string>{"out.txt"}) << c.what;
  }
}

TEST(FileItemWrite, WhatIsWrittenReadsBack) {
  ScratchDirectory directory;
  int file = screen::freeFileNumber();
  ASSERT_EQ(screen::openFile("round.txt", screen::FileMode::WriteText, file), 0);
  screen::writeItem(file, std::string_view("C:, my sounds"), Separator::LineEnd);
  screen::writeItem(file, 42, Separator::Comma);
  screen::writeItem(file, -7, Separator::LineEnd);
  screen::closeFile(file);
  ASSERT_EQ(screen::openFile("round.txt", screen::FileMode::ReadText, file), 0);
  std::string name;
  int32_t first = 0, second = 0;
  screen::readItem(file, name);
  screen::readItem(file, first);
  screen::readItem(file, second);
  screen::closeFile(file);
  EXPECT_EQ(name, "C:, my sounds");
  EXPECT_EQ(first, 42);
  EXPECT_EQ(second, -7);
}

// The old file stays whole until the new one is complete, and a write that fails half way
// leaves it untouched with no scratch file beside it.
TEST(FileItemWrite, TheOldFileSurvivesUntilACompleteNewOneReplacesIt) {
  const std::string old = "\"old.wav\"\r\n1\r\n";
  struct Case {
    const char* what;
    long budget;  // bytes the disk takes before it is full; -1 for no limit
    std::string expected;
  };
  for (const Case& c : {Case{"complete write", -1, "\"new.wav\"\r\n2\r\n"},
                        Case{"disk full half way", 5, old}, Case{"disk full at once", 0, old}}) {
    ScratchDirectory directory;
    scratch::writeFile("options.txt", old);
    int file = screen::freeFileNumber();
    ASSERT_EQ(screen::openFile("options.txt", screen::FileMode::WriteText, file), 0) << c.what;
    screen::fileTable.writeBudget = c.budget;
    screen::writeItem(file, std::string_view("new.wav"), Separator::LineEnd);
    EXPECT_EQ(scratch::readFile("options.txt"), old) << c.what << ": replaced before the close";
    screen::writeItem(file, 2, Separator::LineEnd);
    screen::closeFile(file);
    screen::fileTable.writeBudget = -1;
    EXPECT_EQ(scratch::readFile("options.txt"), c.expected) << c.what;
    EXPECT_EQ(scratch::fileNames(), std::vector<std::string>{"options.txt"}) << c.what;
  }
}

TEST(FileItemWrite, AFailedWriteOfANewFileLeavesNoFile) {
  ScratchDirectory directory;
  int file = screen::freeFileNumber();
  ASSERT_EQ(screen::openFile("new.txt", screen::FileMode::WriteText, file), 0);
  screen::fileTable.writeBudget = 3;
  screen::writeItem(file, 123456, Separator::LineEnd);
  screen::closeFile(file);
  screen::fileTable.writeBudget = -1;
  EXPECT_TRUE(scratch::fileNames().empty());
}

}  // namespace
