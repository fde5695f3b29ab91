// Sequential text files: comma and line separated items, and byte-wise reading.

#include "screen/files.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdio>

#include "screen/screen.h"

namespace screen {

FileTable fileTable;

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
  if (fileTable.writeBudget >= 0 && static_cast<long>(allowed) > fileTable.writeBudget) {
    allowed = static_cast<size_t>(fileTable.writeBudget);
  }
  size_t written = std::fwrite(bytes.data(), 1, allowed, file.stream);
  if (fileTable.writeBudget >= 0) fileTable.writeBudget -= static_cast<long>(written);
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
  if (mode == FileMode::WriteText) {
    // Written beside the real file and renamed over it on close, so a crash or a full disk
    // never leaves half a file behind.
    file.scratchName = file.name + ".tmp~";
    file.stream = std::fopen(file.scratchName.c_str(), "wb");
    file.writing = true;
  } else {
    file.stream = std::fopen(file.name.c_str(), "rb");
    struct stat info;
    if (file.stream && (fstat(fileno(file.stream), &info) != 0 || !S_ISREG(info.st_mode))) {
      std::fclose(file.stream);  // a directory or a device is not a file the program can read
      file.stream = nullptr;
      errno = EISDIR;
    }
  }
  if (!file.stream) {
    int32_t error = errorFor(errno);
    file = {};
    return fileTable.lastError = error;
  }
  return fileTable.lastError = FILE_OK;
}

void readItem(int fileNumber, std::string& item) {
  FileTable::OpenFile* file = findFile(fileNumber);
  item = file && !file->writing ? readItemText(file->stream, false) : std::string();
}

void readItem(int fileNumber, int32_t& item) {
  FileTable::OpenFile* file = findFile(fileNumber);
  item = 0;
  if (!file || file->writing) return;
  double value = std::nearbyint(leadingNumber(readItemText(file->stream, true)));
  if (std::isnan(value)) return;
  if (value > INT32_MAX) value = INT32_MAX;
  if (value < INT32_MIN) value = INT32_MIN;
  item = static_cast<int32_t>(value);
}

void writeItem(int fileNumber, std::string_view item, Separator separator) {
  FileTable::OpenFile* file = findFile(fileNumber);
  if (!file || !file->writing) return;
  std::string text;
  text.reserve(item.size() + 4);
  text += '"';
  text += item;
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
  if (fileTable.readBudget >= 0 && static_cast<long>(allowed) > fileTable.readBudget) {
    allowed = static_cast<size_t>(fileTable.readBudget);
  }
  std::string bytes(allowed, '\0');
  size_t got = std::fread(bytes.data(), 1, allowed, file->stream);
  bytes.resize(got);
  if (fileTable.readBudget >= 0) fileTable.readBudget -= static_cast<long>(got);
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

void closeFile(int fileNumber) {
  FileTable::OpenFile* file = findFile(fileNumber);
  if (!file) return;
  bool ok = !file->failed && std::fflush(file->stream) == 0 && !std::ferror(file->stream);
  ok = std::fclose(file->stream) == 0 && ok;
  if (file->writing) {
    if (ok) ok = std::rename(file->scratchName.c_str(), file->name.c_str()) == 0;
    if (!ok) std::remove(file->scratchName.c_str());
  }
  fileTable.lastError = ok ? FILE_OK : DEVICE_IO_ERROR;
  *file = {};
}

}  // namespace screen
