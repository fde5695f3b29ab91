#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "screen/private/fileTable.h"
#include "screen/screen.h"
#include "support/fileFaults.h"
#include "support/scratchDirectory.h"

// The regular files (by inode) the program asked to be put on the disk.
std::set<ino_t> syncedFiles;

extern "C" int fsync(int descriptor) {
  struct stat info;
  if (fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode)) syncedFiles.insert(info.st_ino);
  using Fsync = int (*)(int);
  static const Fsync realFsync = reinterpret_cast<Fsync>(dlsym(RTLD_NEXT, "fsync"));
  return realFsync(descriptor);
}

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
      {"a quote would end the text early and is dropped",
       [](int f) { screen::writeItem(f, std::string_view("say \"hi\".wav"), Separator::LineEnd); },
       "\"say hi.wav\"\r\n"},
      {"a text longer than a read takes is cut to what reads back",
       [](int f) { screen::writeItem(f, std::string(5000, 'n'), Separator::LineEnd); },
       "\"" + std::string(4096, 'n') + "\"\r\n"},
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
    FileFaultScope faults({.writeBudget = c.budget});
    screen::writeItem(file, std::string_view("new.wav"), Separator::LineEnd);
    EXPECT_EQ(scratch::readFile("options.txt"), old) << c.what << ": replaced before the close";
    screen::writeItem(file, 2, Separator::LineEnd);
    syncedFiles.clear();
    screen::closeFile(file);
    EXPECT_EQ(scratch::readFile("options.txt"), c.expected) << c.what;
    // A new file's bytes reach the disk before its name does.
    struct stat info;
    ASSERT_EQ(stat("options.txt", &info), 0);
    EXPECT_EQ(syncedFiles.count(info.st_ino), c.expected == old ? 0u : 1u) << c.what;
    EXPECT_EQ(scratch::fileNames(), std::vector<std::string>{"options.txt"}) << c.what;
  }
}

// The scratch file is a new one each time, made where no planted link can lead the write
// elsewhere; the new file keeps the old one's permissions, and one the user made read-only
// stays as it is.
TEST(FileItemWrite, TheReplacedFileKeepsItsPermissionsAndNoLinkIsFollowed) {
  const mode_t umaskNow = umask(022);
  struct Case {
    const char* what;
    int oldMode;  // -1: no old file
    bool replaced;
    int newMode;
  };
  for (const Case& c :
       {Case{"a new file", -1, true, 0644}, Case{"an ordinary file", 0644, true, 0644},
        Case{"a private file", 0600, true, 0600}, Case{"a group-writable file", 0664, true, 0664},
        Case{"a read-only file", 0444, false, 0444},
        Case{"a file nobody may write", 0400, false, 0400}}) {
    ScratchDirectory directory;
    scratch::writeFile("victim.txt", "untouched");
    std::filesystem::create_symlink("victim.txt", "options.txt.tmp~");
    if (c.oldMode >= 0) {
      scratch::writeFile("options.txt", "old");
      chmod("options.txt", static_cast<mode_t>(c.oldMode));
    }
    int file = screen::freeFileNumber();
    int32_t opened = screen::openFile("options.txt", screen::FileMode::WriteText, file);
    EXPECT_EQ(opened == 0, c.replaced) << c.what;
    screen::writeItem(file, 2, Separator::LineEnd);
    screen::closeFile(file);
    struct stat info = {};
    ASSERT_EQ(stat("options.txt", &info), 0) << c.what;
    EXPECT_EQ(info.st_mode & 07777, static_cast<mode_t>(c.newMode)) << c.what;
    EXPECT_EQ(scratch::readFile("options.txt"), c.replaced ? "2\r\n" : "old") << c.what;
    EXPECT_EQ(scratch::readFile("victim.txt"), "untouched") << c.what;
    EXPECT_EQ(scratch::fileNames(),
              (std::vector<std::string>{"options.txt", "options.txt.tmp~", "victim.txt"}))
        << c.what;
  }
  umask(umaskNow);
}

TEST(FileItemWrite, AFailedWriteOfANewFileLeavesNoFile) {
  ScratchDirectory directory;
  int file = screen::freeFileNumber();
  ASSERT_EQ(screen::openFile("new.txt", screen::FileMode::WriteText, file), 0);
  FileFaultScope faults({.writeBudget = 3});
  screen::writeItem(file, 123456, Separator::LineEnd);
  screen::closeFile(file);
  EXPECT_TRUE(scratch::fileNames().empty());
}

}  // namespace
