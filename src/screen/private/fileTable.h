#pragma once

// The open files behind the sequential file services.

#include <cstdio>
#include <string>

namespace screen {

constexpr int MAX_FILES = 255;

// Error numbers of the file services, as the rest of the program sees them.
enum FileError : int32_t {
  FILE_OK = 0,
  BAD_FILE_NUMBER = 52,
  FILE_NOT_FOUND = 53,
  FILE_ALREADY_OPEN = 55,
  DEVICE_IO_ERROR = 57,
  INPUT_PAST_END = 62,
  BAD_FILE_NAME = 64,
  PATH_ACCESS_ERROR = 75,
};

struct FileTable {
  struct OpenFile {
    std::FILE* stream = nullptr;
    bool writing = false;
    bool failed = false;      // a write failed: the old file must survive
    std::string name;         // the name the caller gave
    std::string scratchName;  // written first, renamed over name on a clean close
  };
  OpenFile files[MAX_FILES + 1];
  int32_t lastError = FILE_OK;
};

// Faults the tests play out through the file services; none in the program.
struct FileFaults {
  // Bytes that may still be written before writes start failing; negative means no limit: a
  // disk that fills up half way through a file.
  long writeBudget = -1;
  // Bytes that readBytes may still deliver before its reads fail; negative means no limit: a
  // file that cannot be read to its end.
  long readBudget = -1;
};

extern FileTable fileTable;
extern FileFaults fileFaults;

}  // namespace screen
