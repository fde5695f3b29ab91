#pragma once

// What the file services need from the operating system, one realisation per system
// (posix/hostFiles.cpp, windows/hostFiles.cpp). Names are the program's own bytes; the Windows
// side reads them in code page 437, as the grid shows them.

#include <cstdint>
#include <cstdio>
#include <string>

namespace screen::host {

// createScratch's error when the scratch name is in use already: another name is tried.
constexpr int32_t NAME_TAKEN = -1;

// A regular file opened for reading, never waiting: a FIFO, a device, a folder (and on Windows
// a reserved device name or a reparse point) is refused. Null with `error` set to a file error
// number otherwise.
std::FILE* openForReading(const std::string& name, int32_t& error);

// Creates `scratchName` exclusively, locked against the stale-file removal of another start
// until it is closed, with the permissions the replaced file `name` should keep. Refuses a
// `name` whose file the user cannot or would not have replaced (read-only, and on Windows a
// device name, a folder or a reparse point). Null with `error` set otherwise.
std::FILE* createScratch(const std::string& name, const std::string& scratchName, int32_t& error);

// Puts the scratch file's bytes on the disk, then moves it over `name` so that the new name
// reaches the disk too. The stream is closed either way; false when the old file stays.
bool replaceWithScratch(std::FILE* scratch, const std::string& scratchName,
                        const std::string& name);

void removeFile(const std::string& name);
int64_t fileSize(std::FILE* file);

// Removes `path` if it is this user's regular file, older than `seconds` and no program holds
// its lock.
void removeIfStale(const std::string& path, int seconds);

// The system calls that put a save on the disk, so that the tests can watch them being made (a
// save that skipped one could come back empty, or as the old file, after a power cut), and on
// Windows the look at what stands in the file's place, so that they can show the writer things
// the system under test cannot make (Wine makes no reparse points).
struct FileCalls {
#ifdef _WIN32
  int (*flushFileBuffers)(void* handle);
  int (*moveFileEx)(const wchar_t* from, const wchar_t* to, unsigned long flags);
  unsigned long (*getFileAttributes)(const wchar_t* name);
#else
  int (*fsync)(int descriptor);
  int (*rename)(const char* from, const char* to);
#endif
};
extern FileCalls fileCalls;

}  // namespace screen::host
