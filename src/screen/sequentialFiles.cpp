// Sequential text files: comma and line separated items, and byte-wise reading.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "money/amountText.h"
#include "screen/private/fileTable.h"
#include "screen/screen.h"

namespace screen {

FileTable fileTable;
FileFaults fileFaults;

namespace {

FileTable::OpenFile* findFile(int fileNumber) {
  if (fileNumber < 1 || fileNumber > MAX_FILES || !fileTable.files[fileNumber].stream) {
    fileTable.lastError = BAD_FILE_NUMBER;
    return nullptr;
  }
  return &fileTable.files[fileNumber];
}

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

void writeBytes(FileTable::OpenFile& file, std::string_view bytes) {
  if (file.failed) return;
  size_t allowed = bytes.size();
  if (fileFaults.writeBudget >= 0 && static_cast<long>(allowed) > fileFaults.writeBudget) {
    allowed = static_cast<size_t>(fileFaults.writeBudget);
  }
  size_t written = std::fwrite(bytes.data(), 1, allowed, file.stream);
  if (fileFaults.writeBudget >= 0) fileFaults.writeBudget -= static_cast<long>(written);
  if (written != bytes.size()) {
    file.failed = true;
    fileTable.lastError = DEVICE_IO_ERROR;
  } else {
    fileTable.lastError = FILE_OK;
  }
}

bool isLineEnd(int ch) {
  return ch == '\r' || ch == '\n';
}

// Consumes one line end: CR LF, LF or CR.
void skipLineEnd(std::FILE* f, int ch) {
  if (ch == '\r') {
    int next = std::getc(f);
    if (next != '\n' && next != EOF) std::ungetc(next, f);
  }
}

void skipBlanks(std::FILE* f) {
  int ch;
  do ch = std::getc(f);
  while (ch == ' ' || ch == '\t');
  if (ch != EOF) std::ungetc(ch, f);
}

// Consumes the separator after an item: blanks, then one comma or line end if present.
void endItem(std::FILE* f) {
  skipBlanks(f);
  int ch = std::getc(f);
  if (ch == ',' || ch == EOF) return;
  if (isLineEnd(ch)) {
    skipLineEnd(f, ch);
  } else {
    std::ungetc(ch, f);
  }
}

// The longest items kept. The rest of a longer item is left for the next read, so a file of
// one endless line costs no more memory than a short one.
constexpr size_t MAX_TEXT_ITEM = 4096;
constexpr size_t MAX_NUMBER_ITEM = 67;

// Reads the raw text of the next item; numbers also end at a blank.
std::string readItemText(std::FILE* f, bool number) {
  const size_t limit = number ? MAX_NUMBER_ITEM : MAX_TEXT_ITEM;
  std::string text;
  skipBlanks(f);
  int ch = std::getc(f);
  if (ch == EOF) {
    fileTable.lastError = INPUT_PAST_END;
    return text;
  }
  fileTable.lastError = FILE_OK;
  if (ch == '"' && !number) {
    while ((ch = std::getc(f)) != EOF && ch != '"') {
      if (text.size() == limit) {
        std::ungetc(ch, f);
        return text;
      }
      text += static_cast<char>(ch);
    }
    endItem(f);
    return text;
  }
  while (ch != EOF && ch != ',' && !isLineEnd(ch) && !(number && (ch == ' ' || ch == '\t'))) {
    if (text.size() == limit) {
      std::ungetc(ch, f);
      return text;
    }
    text += static_cast<char>(ch);
    ch = std::getc(f);
  }
  if (isLineEnd(ch)) {
    skipLineEnd(f, ch);
  } else if (ch == ' ' || ch == '\t') {
    endItem(f);
  }
  return text;
}

// Opens a regular file for reading without ever waiting: a FIFO or a device under one of the
// program's file names would otherwise block open() for good or feed it without end. Anything
// that is not a regular file is refused before it is opened, and once more after, in case it
// was swapped in between. -1 with errno set on failure.
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

// Creates the scratch file a write goes to, beside the real one: a fresh name each time, made
// exclusively, so no link planted under a known name can redirect the write and two programs
// saving at once cannot mix their bytes. It takes the mode of the file it will replace. A file
// the user cannot write, or has made read-only, is not replaced.
int createScratchFile(const std::string& name, std::string& scratchName) {
  struct stat old;
  bool exists = stat(name.c_str(), &old) == 0;
  if (exists && (access(name.c_str(), W_OK) != 0 || (old.st_mode & 0222) == 0)) {
    errno = EACCES;
    return -1;
  }
  constexpr std::string_view SUFFIX = ".tmp~";
  std::string pattern = name + ".XXXXXX" + std::string(SUFFIX);
  int descriptor = mkostemps(pattern.data(), static_cast<int>(SUFFIX.size()), O_CLOEXEC);
  if (descriptor < 0) return -1;
  scratchName = pattern;
  mode_t mode = exists ? old.st_mode & 07777 : 0666 & ~currentUmask();
  fchmod(descriptor, mode);
  return descriptor;
}

// A UTF-8 byte order mark, as some editors write, is not part of the first item.
void skipByteOrderMark(std::FILE* f) {
  unsigned char head[3] = {};
  size_t got = std::fread(head, 1, sizeof head, f);
  if (got == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) return;
  std::rewind(f);
}

// Once renamed, the new file's name must reach the disk too, or a power cut could bring back
// the old directory entry, or none.
void syncDirectoryOf(const std::string& name) {
  std::filesystem::path parent = std::filesystem::path(name).parent_path();
  int descriptor = open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  fsync(descriptor);
  close(descriptor);
}

}  // namespace

int freeFileNumber() {
  for (int n = 1; n <= MAX_FILES; ++n) {
    if (!fileTable.files[n].stream) return n;
  }
  return 0;
}

int32_t openFile(std::string_view name, FileMode mode, int fileNumber) {
  if (fileNumber < 1 || fileNumber > MAX_FILES) return fileTable.lastError = BAD_FILE_NUMBER;
  FileTable::OpenFile& file = fileTable.files[fileNumber];
  if (file.stream) return fileTable.lastError = FILE_ALREADY_OPEN;
  if (name.empty() || name.find('\0') != std::string_view::npos) {
    return fileTable.lastError = BAD_FILE_NAME;
  }
  file = {};
  file.name = std::string(name);
  file.writing = mode == FileMode::WriteText;
  int descriptor = file.writing ? createScratchFile(file.name, file.scratchName)
                                : openRegularFile(file.name.c_str());
  if (descriptor >= 0) {
    file.stream = fdopen(descriptor, file.writing ? "wb" : "rb");
    if (!file.stream) close(descriptor);
  }
  if (!file.stream) {
    int32_t error = errorFor(errno);
    if (!file.scratchName.empty()) unlink(file.scratchName.c_str());
    file = {};
    return fileTable.lastError = error;
  }
  if (mode == FileMode::ReadText) skipByteOrderMark(file.stream);
  return fileTable.lastError = FILE_OK;
}

bool readWholeFile(std::string_view name, size_t maxBytes, std::string& bytes) {
  bytes.clear();
  if (name.empty() || name.find('\0') != std::string_view::npos) return false;
  int descriptor = openRegularFile(std::string(name).c_str());
  if (descriptor < 0) return false;
  struct stat info;
  bool fits = fstat(descriptor, &info) == 0 && static_cast<uintmax_t>(info.st_size) <= maxBytes;
  // Read one byte more than allowed, so a file that grew since it was measured is refused too.
  if (fits) bytes.resize(static_cast<size_t>(info.st_size) + 1);
  size_t got = 0;
  while (fits && got < bytes.size()) {
    ssize_t n = read(descriptor, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fits = false;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  close(descriptor);
  fits = fits && got <= maxBytes;
  bytes.resize(fits ? got : 0);
  return fits;
}

int64_t fileLength(int fileNumber) {
  FileTable::OpenFile* file = findFile(fileNumber);
  struct stat info;
  if (!file || fstat(fileno(file->stream), &info) != 0) return -1;
  return info.st_size;
}

void readItem(int fileNumber, std::string& item) {
  FileTable::OpenFile* file = findFile(fileNumber);
  item = file && !file->writing ? readItemText(file->stream, false) : std::string();
}

void readItem(int fileNumber, int32_t& item) {
  FileTable::OpenFile* file = findFile(fileNumber);
  item = 0;
  if (!file || file->writing) return;
  double value = std::nearbyint(numberValue(readItemText(file->stream, true)));
  if (std::isnan(value)) return;
  if (value > INT32_MAX) value = INT32_MAX;
  if (value < INT32_MIN) value = INT32_MIN;
  item = static_cast<int32_t>(value);
}

void writeItem(int fileNumber, std::string_view item, Separator separator) {
  FileTable::OpenFile* file = findFile(fileNumber);
  if (!file || !file->writing) return;
  // A quote would end the item early and a longer text would be split when read back: what
  // the format cannot carry is dropped, so the file always reads back as written.
  std::string text;
  text.reserve(std::min(item.size(), MAX_TEXT_ITEM) + 4);
  text += '"';
  for (char ch : item) {
    if (text.size() > MAX_TEXT_ITEM) break;
    if (ch != '"') text += ch;
  }
  text += '"';
  text += separator == Separator::Comma ? "," : "\r\n";
  writeBytes(*file, text);
}

void writeItem(int fileNumber, int32_t item, Separator separator) {
  FileTable::OpenFile* file = findFile(fileNumber);
  if (!file || !file->writing) return;
  char buffer[16];
  int length = std::snprintf(buffer, sizeof buffer, "%d%s", static_cast<int>(item),
                             separator == Separator::Comma ? "," : "\r\n");
  writeBytes(*file, std::string_view(buffer, length));
}

std::string readByte(int fileNumber) {
  FileTable::OpenFile* file = findFile(fileNumber);
  if (!file || file->writing) return {};
  int ch = std::getc(file->stream);
  if (ch == EOF) {
    fileTable.lastError = INPUT_PAST_END;
    return {};
  }
  fileTable.lastError = FILE_OK;
  return std::string(1, static_cast<char>(ch));
}

std::string readBytes(int fileNumber, size_t count) {
  FileTable::OpenFile* file = findFile(fileNumber);
  if (!file || file->writing) return {};
  size_t allowed = count;
  if (fileFaults.readBudget >= 0 && static_cast<long>(allowed) > fileFaults.readBudget) {
    allowed = static_cast<size_t>(fileFaults.readBudget);
  }
  std::string bytes(allowed, '\0');
  size_t got = std::fread(bytes.data(), 1, allowed, file->stream);
  bytes.resize(got);
  if (fileFaults.readBudget >= 0) fileFaults.readBudget -= static_cast<long>(got);
  bool budgetSpent = allowed < count && got == allowed;
  fileTable.lastError = std::ferror(file->stream) || budgetSpent ? DEVICE_IO_ERROR : FILE_OK;
  return bytes;
}

int32_t lastError() {
  return fileTable.lastError;
}

bool atEndOfFile(int fileNumber) {
  FileTable::OpenFile* file = findFile(fileNumber);
  if (!file || file->writing) return true;
  int ch = std::getc(file->stream);
  if (ch == EOF) return true;
  std::ungetc(ch, file->stream);
  return false;
}

void closeAllFiles() {
  for (FileTable::OpenFile& file : fileTable.files) {
    if (!file.stream) continue;
    std::fclose(file.stream);
    if (file.writing) std::remove(file.scratchName.c_str());
  }
  fileTable = {};
}

void closeFile(int fileNumber) {
  FileTable::OpenFile* file = findFile(fileNumber);
  if (!file) return;
  bool ok = !file->failed && std::fflush(file->stream) == 0 && !std::ferror(file->stream);
  // The bytes must be on the disk before the name points at them: a power cut then leaves the
  // old file or the new one, never an empty one.
  if (file->writing && ok) ok = fsync(fileno(file->stream)) == 0;
  ok = std::fclose(file->stream) == 0 && ok;
  if (file->writing) {
    if (ok) ok = std::rename(file->scratchName.c_str(), file->name.c_str()) == 0;
    if (ok) syncDirectoryOf(file->name);
    if (!ok) std::remove(file->scratchName.c_str());
  }
  fileTable.lastError = ok ? FILE_OK : DEVICE_IO_ERROR;
  *file = {};
}

}  // namespace screen
