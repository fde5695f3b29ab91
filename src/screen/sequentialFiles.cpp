// Sequential text files: comma and line separated items, and byte-wise reading.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>

#include "money/amountText.h"
#include "screen/private/fileTable.h"
#include "screen/private/hostFiles.h"
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

// A scratch file is the real name, a marker no one would type, six random letters or digits
// and a suffix: quilloOptions.txt.quillo-Xa3k9Q.tmp~. A user's own quilloOptions.txt.old.tmp~
// is never taken for one.
constexpr std::string_view SCRATCH_MARKER = ".quillo-";
constexpr size_t SCRATCH_RANDOM_LENGTH = 6;
constexpr std::string_view SCRATCH_SUFFIX = ".tmp~";
constexpr std::string_view SCRATCH_LETTERS =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
// Names tried before a save gives up: only a folder full of scratch files uses more than one.
constexpr int SCRATCH_NAME_TRIES = 100;

std::string scratchNameFor(const std::string& name) {
  static std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, SCRATCH_LETTERS.size() - 1);
  std::string scratch = name + std::string(SCRATCH_MARKER);
  for (size_t i = 0; i < SCRATCH_RANDOM_LENGTH; ++i) scratch += SCRATCH_LETTERS[pick(generator)];
  return scratch + std::string(SCRATCH_SUFFIX);
}

// The scratch file a write goes to, beside the real one: a fresh name each time, made
// exclusively, so two programs saving at once cannot mix their bytes.
std::FILE* createScratchFile(const std::string& name, std::string& scratchName, int32_t& error) {
  error = host::NAME_TAKEN;
  for (int i = 0; i < SCRATCH_NAME_TRIES && error == host::NAME_TAKEN; ++i) {
    scratchName = scratchNameFor(name);
    if (std::FILE* stream = host::createScratch(name, scratchName, error)) return stream;
  }
  scratchName.clear();
  if (error == host::NAME_TAKEN) error = PATH_ACCESS_ERROR;
  return nullptr;
}

bool isScratchNameOf(std::string_view entry, std::string_view name) {
  const size_t prefix = name.size() + SCRATCH_MARKER.size();
  if (entry.size() != prefix + SCRATCH_RANDOM_LENGTH + SCRATCH_SUFFIX.size() ||
      !entry.starts_with(name) ||
      entry.substr(name.size()).substr(0, SCRATCH_MARKER.size()) != SCRATCH_MARKER ||
      !entry.ends_with(SCRATCH_SUFFIX)) {
    return false;
  }
  std::string_view random = entry.substr(prefix, SCRATCH_RANDOM_LENGTH);
  return random.find_first_not_of(SCRATCH_LETTERS) == std::string_view::npos;
}

// A UTF-8 byte order mark, as some editors write, is not part of the first item.
void skipByteOrderMark(std::FILE* f) {
  unsigned char head[3] = {};
  size_t got = std::fread(head, 1, sizeof head, f);
  if (got == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) return;
  std::rewind(f);
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
  int32_t error = FILE_OK;
  file.stream = file.writing ? createScratchFile(file.name, file.scratchName, error)
                             : host::openForReading(file.name, error);
  if (!file.stream) {
    file = {};
    return fileTable.lastError = error;
  }
  if (mode == FileMode::ReadText) skipByteOrderMark(file.stream);
  return fileTable.lastError = FILE_OK;
}

bool readWholeFile(std::string_view name, size_t maxBytes, std::string& bytes) {
  bytes.clear();
  if (name.empty() || name.find('\0') != std::string_view::npos) return false;
  int32_t error = FILE_OK;
  std::FILE* file = host::openForReading(std::string(name), error);
  if (!file) return false;
  int64_t size = host::fileSize(file);
  bool fits = size >= 0 && static_cast<uint64_t>(size) <= maxBytes;
  // Read one byte more than allowed, so a file that grew since it was measured is refused too.
  if (fits) bytes.resize(static_cast<size_t>(size) + 1);
  size_t got = fits ? std::fread(bytes.data(), 1, bytes.size(), file) : 0;
  fits = fits && !std::ferror(file) && got <= maxBytes;
  std::fclose(file);
  bytes.resize(fits ? got : 0);
  return fits;
}

int64_t fileLength(int fileNumber) {
  FileTable::OpenFile* file = findFile(fileNumber);
  return file ? host::fileSize(file->stream) : -1;
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
    if (file.writing) host::removeFile(file.scratchName);
  }
  fileTable = {};
}

void removeStaleScratchFiles(std::string_view name) {
  std::filesystem::path path(name);
  std::filesystem::path directory = path.has_parent_path() ? path.parent_path() : ".";
  const std::string base = path.filename().string();
  std::error_code error;
  std::filesystem::directory_iterator entry(directory, error);
  for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
    if (isScratchNameOf(entry->path().filename().string(), base)) {
      host::removeIfStale(entry->path().string(), STALE_SCRATCH_SECONDS);
    }
  }
}

void closeFile(int fileNumber) {
  FileTable::OpenFile* file = findFile(fileNumber);
  if (!file) return;
  bool ok = false;
  if (!file->writing) {
    ok = std::fclose(file->stream) == 0;
  } else if (file->failed) {
    std::fclose(file->stream);
  } else {
    ok = host::replaceWithScratch(file->stream, file->scratchName, file->name);
  }
  if (file->writing && !ok) host::removeFile(file->scratchName);
  fileTable.lastError = ok ? FILE_OK : DEVICE_IO_ERROR;
  *file = {};
}

}  // namespace screen
