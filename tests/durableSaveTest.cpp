// How a save reaches the disk, and that nothing another start does can undo it, on Linux and
// on Windows alike.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "screen/private/hostFiles.h"
#include "screen/screen.h"
#include "support/scratchDirectory.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

namespace fs = std::filesystem;
using screen::host::fileCalls;

// The calls the save made, in order, each with what it was given.
std::vector<std::string> callsMade;
screen::host::FileCalls systemCalls;
void (*whileFlushing)() = nullptr;

std::string nameKind(const fs::path& path) {
  const std::string name = path.filename().string();
  if (name == "quilloOptions.txt") return "the file";
  // Named as the next start's clean-up knows a scratch file: six letters or digits between.
  if (name.size() == std::string_view("quilloOptions.txt.quillo-XXXXXX.tmp~").size() &&
      name.starts_with("quilloOptions.txt.quillo-") && name.ends_with(".tmp~")) {
    return "scratch";
  }
  return "directory";
}

#ifdef _WIN32
fs::path pathOf(void* handle) {
  wchar_t name[MAX_PATH];
  DWORD length = GetFinalPathNameByHandleW(handle, name, MAX_PATH, 0);
  return length > 0 && length < MAX_PATH ? fs::path(std::wstring(name, length)) : fs::path();
}

int watchedFlush(void* handle) {
  callsMade.push_back("flush " + nameKind(pathOf(handle)));
  if (whileFlushing) whileFlushing();
  return systemCalls.flushFileBuffers(handle);
}

int watchedMove(const wchar_t* from, const wchar_t* to, unsigned long flags) {
  callsMade.push_back("move " + nameKind(from) + " to " + nameKind(to) + " flags " +
                      std::to_string(flags));
  return systemCalls.moveFileEx(from, to, flags);
}

// Microsoft's MoveFileEx: MOVEFILE_REPLACE_EXISTING is 0x1, MOVEFILE_WRITE_THROUGH 0x8.
const std::vector<std::string> DURABLE_SAVE = {"flush scratch", "move scratch to the file flags 9"};

struct WatchedCalls {
  WatchedCalls() {
    systemCalls = fileCalls;
    fileCalls = {watchedFlush, watchedMove, systemCalls.getFileAttributes};
    callsMade.clear();
  }
  ~WatchedCalls() {
    fileCalls = systemCalls;
    whileFlushing = nullptr;
  }
};
#else
int watchedFsync(int descriptor) {
  callsMade.push_back("flush " +
                      nameKind(fs::read_symlink("/proc/self/fd/" + std::to_string(descriptor))));
  if (whileFlushing) whileFlushing();
  return systemCalls.fsync(descriptor);
}

int watchedRename(const char* from, const char* to) {
  callsMade.push_back("move " + nameKind(from) + " to " + nameKind(to));
  return systemCalls.rename(from, to);
}

const std::vector<std::string> DURABLE_SAVE = {"flush scratch", "move scratch to the file",
                                               "flush directory"};

struct WatchedCalls {
  WatchedCalls() {
    systemCalls = fileCalls;
    fileCalls = {watchedFsync, watchedRename};
    callsMade.clear();
  }
  ~WatchedCalls() {
    fileCalls = systemCalls;
    whileFlushing = nullptr;
  }
};
#endif

bool save(const std::string& text) {
  int file = screen::freeFileNumber();
  if (screen::openFile("quilloOptions.txt", screen::FileMode::WriteText, file) != 0) return false;
  screen::writeItem(file, text, screen::Separator::LineEnd);
  screen::closeFile(file);
  return screen::lastError() == 0;
}

// A power cut must find the old file or the new one whole: the new bytes reach the disk before
// the new name points at them, and the name's change reaches it too.
TEST(DurableSave, TheBytesReachTheDiskBeforeTheNameAndTheNameWithThem) {
  ScratchDirectory directory;
  for (bool oldFile : {false, true}) {
    if (oldFile) scratch::writeFile("quilloOptions.txt", "old");
    WatchedCalls watched;
    ASSERT_TRUE(save("new"));
    EXPECT_EQ(callsMade, DURABLE_SAVE) << (oldFile ? "replacing" : "a new file");
    EXPECT_EQ(scratch::readFile("quilloOptions.txt"), "\"new\"\r\n");
    EXPECT_EQ(scratch::fileNames(), std::vector<std::string>{"quilloOptions.txt"});
  }
}

#ifdef _WIN32
int failingFlush(void*) {
  return 0;
}
#else
int failingFlush(int) {
  return -1;
}
#endif

// A disk that cannot take the bytes (an I/O error, a full network share) must not get the new
// name: the old file stays whole and no scratch file is left.
TEST(DurableSave, AFlushThatFailsKeepsTheOldFile) {
  ScratchDirectory directory;
  scratch::writeFile("quilloOptions.txt", "old");
  WatchedCalls watched;
#ifdef _WIN32
  fileCalls.flushFileBuffers = failingFlush;
#else
  fileCalls.fsync = failingFlush;
#endif
  EXPECT_FALSE(save("new"));
  EXPECT_EQ(scratch::readFile("quilloOptions.txt"), "old");
  EXPECT_EQ(scratch::fileNames(), std::vector<std::string>{"quilloOptions.txt"});
}

#ifdef _WIN32
// Only the attributes are opened for, so a save holding the file does not stand in the way.
void makeOld(const std::string& name) {
  HANDLE file = CreateFileA(name.c_str(), FILE_WRITE_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER time = {{now.dwLowDateTime, now.dwHighDateTime}};
  time.QuadPart -= 3600ULL * 10'000'000;  // an hour, in 100 ns steps
  const FILETIME old = {time.LowPart, time.HighPart};
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &old)) << name;
  CloseHandle(file);
}
#else
void makeOld(const std::string& name) {
  fs::last_write_time(name, fs::file_time_type::clock::now() - std::chrono::hours(1));
}
#endif

// A second start in the same folder, while a save is slow (a network home, a busy disk), removes
// the scratch files that killed saves left behind. The save in progress holds its own, and a
// user's file that merely looks like one is not the program's.
TEST(DurableSave, ASaveInProgressOutlivesASecondStart) {
  ScratchDirectory directory;
  scratch::writeFile("quilloOptions.txt", "old");
  const std::vector<std::string> kept = {
      "quilloOptions.txt", "quilloOptions.txt.backup.tmp~", "quilloOptions.txt.old.tmp~",
      "quilloOptions.txt.quillo-abc.tmp~", "quilloOptions.txt.quillo-fresh1.tmp~"};
  for (const std::string& name : kept) {
    if (name == "quilloOptions.txt") continue;
    scratch::writeFile(name, "the user's");
    // A third start's save that has only just begun is no killed one either.
    if (name != "quilloOptions.txt.quillo-fresh1.tmp~") makeOld(name);
  }
  scratch::writeFile("quilloOptions.txt.quillo-Zq09aB.tmp~", "a killed save's");
  makeOld("quilloOptions.txt.quillo-Zq09aB.tmp~");
  WatchedCalls watched;
  whileFlushing = [] {
    for (const std::string& name : scratch::fileNames()) {
      if (nameKind(name) == "scratch" && name != "quilloOptions.txt.quillo-Zq09aB.tmp~" &&
          name != "quilloOptions.txt.quillo-fresh1.tmp~") {
        makeOld(name);  // as if this save had taken an hour
      }
    }
    screen::removeStaleScratchFiles("quilloOptions.txt");  // the second start
  };
  ASSERT_TRUE(save("saved"));
  EXPECT_EQ(scratch::readFile("quilloOptions.txt"), "\"saved\"\r\n");
  EXPECT_EQ(scratch::fileNames(), kept);
  EXPECT_EQ(scratch::readFile("quilloOptions.txt.backup.tmp~"), "the user's");
}

#ifdef _WIN32
unsigned long reparsePoint(const wchar_t*) {
  return FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_ARCHIVE;
}

// Whatever stands in the file's place that is not a plain file of the user's is refused:
// nothing is written through it and nothing is lost. Wine makes no reparse points (links,
// junctions), so the writer is shown one through the look it takes.
TEST(DurableSave, WhatIsNoPlainFileIsNeitherWrittenNorReadThrough) {
  enum Kind { ReadOnly, Folder, Device, ReparsePoint };
  struct Case {
    const char* name;
    Kind kind;
  };
  for (const Case& c : {Case{"quilloOptions.txt", ReadOnly}, Case{"quilloOptions.txt", Folder},
                        Case{"NUL", Device}, Case{"con.mac", Device}, Case{"COM1", Device},
                        Case{"lpt1.txt", Device}, Case{"quilloOptions.txt", ReparsePoint}}) {
    SCOPED_TRACE(c.name + std::string(" ") + std::to_string(c.kind));
    ScratchDirectory directory;
    scratch::writeFile("victim.txt", "untouched");
    if (c.kind == ReadOnly || c.kind == ReparsePoint) scratch::writeFile(c.name, "old");
    if (c.kind == ReadOnly) SetFileAttributesA(c.name, FILE_ATTRIBUTE_READONLY);
    if (c.kind == Folder) fs::create_directory(c.name);
    const std::vector<std::string> before = scratch::fileNames();
    const screen::host::FileCalls system = fileCalls;
    if (c.kind == ReparsePoint) fileCalls.getFileAttributes = reparsePoint;
    int file = screen::freeFileNumber();
    EXPECT_NE(screen::openFile(c.name, screen::FileMode::WriteText, file), 0);
    screen::writeItem(file, "new", screen::Separator::LineEnd);
    screen::closeFile(file);
    fileCalls = system;
    EXPECT_EQ(scratch::fileNames(), before);
    EXPECT_EQ(scratch::readFile("victim.txt"), "untouched");
    if (c.kind == ReadOnly || c.kind == ReparsePoint) {
      EXPECT_EQ(scratch::readFile(c.name), "old");
    }
    if (c.kind == ReadOnly) SetFileAttributesA(c.name, FILE_ATTRIBUTE_NORMAL);
    if (c.kind == Folder) {
      EXPECT_TRUE(fs::is_directory(c.name));
    }
    if (c.kind == Device) {
      EXPECT_NE(screen::openFile(c.name, screen::FileMode::ReadText, file), 0);
      screen::closeFile(file);
    }
  }
}
#endif

}  // namespace
