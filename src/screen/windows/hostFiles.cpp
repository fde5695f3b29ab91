// The file services' system side on Windows.

#include "screen/private/hostFiles.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "screen/private/fileTable.h"
#include "screen/private/windowsRules.h"

namespace screen::host {

namespace {

int flushFileBuffers(void* handle) {
  return FlushFileBuffers(handle);
}

int moveFileEx(const wchar_t* from, const wchar_t* to, unsigned long flags) {
  return MoveFileExW(from, to, flags);
}

unsigned long getFileAttributes(const wchar_t* name) {
  return GetFileAttributesW(name);
}

}  // namespace

FileCalls fileCalls = {flushFileBuffers, moveFileEx, getFileAttributes};

namespace {

// The grid shows code page 437, so a name typed into a field is read in it.
constexpr UINT NAME_CODE_PAGE = 437;

std::wstring wide(const std::string& name) {
  UINT page = IsValidCodePage(NAME_CODE_PAGE) ? NAME_CODE_PAGE : CP_ACP;
  int length = MultiByteToWideChar(page, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(page, 0, name.data(), static_cast<int>(name.size()), text.data(), length);
  return text;
}

int32_t errorFor(DWORD err) {
  switch (err) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return FILE_NOT_FOUND;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
      return BAD_FILE_NAME;
    default:
      return PATH_ACCESS_ERROR;
  }
}

// Folders, links and junctions (reparse points) and anything that is not a file on a disk.
constexpr DWORD NOT_A_PLAIN_FILE =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;

bool isPlainFile(HANDLE handle, BY_HANDLE_FILE_INFORMATION& info) {
  return GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &info) &&
         (info.dwFileAttributes & NOT_A_PLAIN_FILE) == 0;
}

std::FILE* streamOf(HANDLE handle, int flags, const char* mode, int32_t& error) {
  int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), flags | _O_BINARY);
  std::FILE* stream = descriptor >= 0 ? _fdopen(descriptor, mode) : nullptr;
  if (stream) return stream;
  if (descriptor >= 0) {
    _close(descriptor);
  } else {
    CloseHandle(handle);
  }
  error = PATH_ACCESS_ERROR;
  return nullptr;
}

}  // namespace

// Opened as itself, never through a link or junction, and refused unless it is a plain file
// on a disk: a device name (CON would wait for the keyboard) is refused before it is opened.
std::FILE* openForReading(const std::string& name, int32_t& error) {
  if (windowsRules::isDeviceName(name)) {
    error = PATH_ACCESS_ERROR;
    return nullptr;
  }
  HANDLE handle = CreateFileW(wide(name).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    error = errorFor(GetLastError());
    return nullptr;
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (!isPlainFile(handle, info)) {
    CloseHandle(handle);
    error = PATH_ACCESS_ERROR;
    return nullptr;
  }
  return streamOf(handle, _O_RDONLY, "rb", error);
}

// Nothing is written through a device name, a folder, a link or junction, or over a file the
// user made read-only. The scratch file is shared for reading and renaming only: another
// start's clean-up, which opens it unshared, cannot touch it while this save holds it.
std::FILE* createScratch(const std::string& name, const std::string& scratchName, int32_t& error) {
  error = PATH_ACCESS_ERROR;
  if (windowsRules::isDeviceName(name) || windowsRules::isDeviceName(scratchName)) return nullptr;
  DWORD attributes = fileCalls.getFileAttributes(wide(name).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (NOT_A_PLAIN_FILE | FILE_ATTRIBUTE_READONLY)) != 0) {
    return nullptr;
  }
  HANDLE handle =
      CreateFileW(wide(scratchName).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                  nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    DWORD err = GetLastError();
    error = err == ERROR_FILE_EXISTS || err == ERROR_ALREADY_EXISTS ? NAME_TAKEN : errorFor(err);
    return nullptr;
  }
  return streamOf(handle, _O_WRONLY, "wb", error);
}

// The bytes reach the disk before the scratch file takes the name, and the move itself is
// written through, so a power cut leaves the old file or the new one. The move is made while
// the scratch file is still held, so no clean-up can take it in between.
bool replaceWithScratch(std::FILE* scratch, const std::string& scratchName,
                        const std::string& name) {
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(scratch)));
  bool ok =
      std::fflush(scratch) == 0 && !std::ferror(scratch) && fileCalls.flushFileBuffers(handle);
  const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  const std::wstring from = wide(scratchName), to = wide(name);
  bool moved = ok && fileCalls.moveFileEx(from.c_str(), to.c_str(), flags);
  ok = std::fclose(scratch) == 0 && ok;
  // A file system that cannot rename an open file: moved once it is closed.
  if (ok && !moved) moved = fileCalls.moveFileEx(from.c_str(), to.c_str(), flags);
  return ok && moved;
}

void removeFile(const std::string& name) {
  DeleteFileW(wide(name).c_str());
}

int64_t fileSize(std::FILE* file) {
  LARGE_INTEGER size;
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  return GetFileSizeEx(handle, &size) ? static_cast<int64_t>(size.QuadPart) : -1;
}

// Opened unshared, so a save in progress (which holds its scratch file open) makes the open
// fail and the file stays; a link or junction is opened as itself and left alone.
void removeIfStale(const std::string& path, int seconds) {
  HANDLE handle = CreateFileW(wide(path).c_str(), DELETE | FILE_READ_ATTRIBUTES, 0, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return;
  BY_HANDLE_FILE_INFORMATION info;
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  auto ticks = [](const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  };
  constexpr uint64_t TICKS_PER_SECOND = 10'000'000;
  if (isPlainFile(handle, info) &&
      ticks(now) >
          ticks(info.ftLastWriteTime) + static_cast<uint64_t>(seconds) * TICKS_PER_SECOND) {
    FILE_DISPOSITION_INFO disposition = {TRUE};
    SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition);
  }
  CloseHandle(handle);
}

}  // namespace screen::host
