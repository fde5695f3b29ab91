// The file services' system side on Linux and other POSIX systems.

#include "screen/private/hostFiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>

#include "screen/private/fileTable.h"

namespace screen::host {

FileCalls fileCalls = {::fsync, std::rename};

namespace {

int32_t errorFor(int err) {
  switch (err) {
    case ENOENT:
      return FILE_NOT_FOUND;
    case ENAMETOOLONG:
    case EINVAL:
      return BAD_FILE_NAME;
    default:
      return PATH_ACCESS_ERROR;
  }
}

// A FIFO or a device under one of the program's file names would block open() for good or feed
// it without end: anything that is not a regular file is refused before it is opened, and once
// more after, in case it was swapped in between.
int openRegularFile(const char* name) {
  struct stat info;
  if (stat(name, &info) != 0) return -1;
  // Set before the checks: a name that is there but no regular file must not be reported with
  // whatever errno an earlier call left, "not found" say.
  errno = EISDIR;
  int descriptor = -1;
  if (S_ISREG(info.st_mode)) descriptor = open(name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor >= 0 && (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode))) {
    close(descriptor);
    descriptor = -1;
    errno = EISDIR;
  }
  if (descriptor < 0) {
    if (errno != ENOENT) errno = EISDIR;
    return -1;
  }
  fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
  return descriptor;
}

mode_t currentUmask() {
  mode_t mask = umask(0);
  umask(mask);
  return mask;
}

std::FILE* streamOf(int descriptor, const char* mode, int32_t& error) {
  std::FILE* stream = descriptor >= 0 ? fdopen(descriptor, mode) : nullptr;
  if (!stream) {
    error = errorFor(errno);
    if (descriptor >= 0) close(descriptor);
  }
  return stream;
}

// Once renamed, the new file's name must reach the disk too, or a power cut could bring back
// the old directory entry, or none.
void syncDirectoryOf(const std::string& name) {
  std::filesystem::path parent = std::filesystem::path(name).parent_path();
  int descriptor = open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  fileCalls.fsync(descriptor);
  close(descriptor);
}

}  // namespace

std::FILE* openForReading(const std::string& name, int32_t& error) {
  return streamOf(openRegularFile(name.c_str()), "rb", error);
}

// Made exclusively and never through a link, so nothing planted under the name can redirect
// the write. It takes the permissions of the regular file it will replace, never a set-id bit;
// anything else under the name (a link included, which the rename replaces, not its target)
// counts as missing and gives a new file's mode. A file the user cannot write, or has made
// read-only, is not replaced. The lock tells another start's clean-up that this save is alive.
std::FILE* createScratch(const std::string& name, const std::string& scratchName, int32_t& error) {
  struct stat old;
  bool exists = lstat(name.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  if (exists && (access(name.c_str(), W_OK) != 0 || (old.st_mode & 0222) == 0)) {
    error = PATH_ACCESS_ERROR;
    return nullptr;
  }
  mode_t mode = exists ? old.st_mode & 0777 : 0666 & ~currentUmask();
  int descriptor =
      open(scratchName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (descriptor < 0) {
    error = errno == EEXIST ? NAME_TAKEN : errorFor(errno);
    return nullptr;
  }
  if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
    close(descriptor);
    unlink(scratchName.c_str());
    error = PATH_ACCESS_ERROR;
    return nullptr;
  }
  fchmod(descriptor, mode);
  return streamOf(descriptor, "wb", error);
}

// The bytes must be on the disk before the name points at them: a power cut then leaves the
// old file or the new one, never an empty one. The lock is held until the rename is done.
bool replaceWithScratch(std::FILE* scratch, const std::string& scratchName,
                        const std::string& name) {
  bool ok =
      std::fflush(scratch) == 0 && !std::ferror(scratch) && fileCalls.fsync(fileno(scratch)) == 0;
  if (ok) ok = fileCalls.rename(scratchName.c_str(), name.c_str()) == 0;
  ok = std::fclose(scratch) == 0 && ok;
  if (ok) syncDirectoryOf(name);
  return ok;
}

void removeFile(const std::string& name) {
  unlink(name.c_str());
}

int64_t fileSize(std::FILE* file) {
  struct stat info;
  return fstat(fileno(file), &info) == 0 ? info.st_size : -1;
}

// Opened without following a link, and removed only while this process holds the file's lock:
// a save in progress holds it from the file's creation to its rename.
void removeIfStale(const std::string& path, int seconds) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != geteuid() ||
      time(nullptr) - info.st_mtime <= seconds) {
    return;
  }
  int descriptor = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return;
  struct stat opened;
  if (fstat(descriptor, &opened) == 0 && opened.st_ino == info.st_ino &&
      opened.st_dev == info.st_dev && flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
    unlink(path.c_str());
  }
  close(descriptor);
}

}  // namespace screen::host
