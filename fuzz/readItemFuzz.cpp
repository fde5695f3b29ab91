// Feeds arbitrary bytes to the item reader as a file: the first byte picks which items are read
// as strings and which as integers, the rest is the file, read until its end. Every read must
// take at least one byte, every text item must lie in the file after the one before it and stay
// within the longest item kept, and the items must come back unchanged once written and read.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "scratchDirectory.h"
#include "screen/screen.h"

namespace {

constexpr size_t MAX_TEXT_ITEM = 4096;

void fail(const char* what, size_t itemIndex) {
  std::fprintf(stderr, "readItemFuzz: %s (item %zu)\n", what, itemIndex);
  std::abort();
}

void writeInput(const char* name, std::string_view bytes) {
  std::FILE* file = std::fopen(name, "wb");
  if (!file) std::abort();
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
    std::abort();
  }
  std::fclose(file);
}

struct Item {
  bool isText;
  std::string text;
  int32_t number;
};

std::vector<Item> readAllItems(const char* name, uint8_t kinds, size_t fileSize) {
  std::vector<Item> items;
  const int file = screen::freeFileNumber();
  if (screen::openFile(name, screen::FileMode::ReadText, file) != 0) std::abort();
  while (!screen::atEndOfFile(file)) {
    if (items.size() > fileSize) fail("a read took no byte of the file", items.size());
    Item item{((kinds >> (items.size() % 8)) & 1) != 0, {}, 0};
    if (item.isText) {
      screen::readItem(file, item.text);
    } else {
      screen::readItem(file, item.number);
    }
    // Only blanks left before the end make a read fail.
    if (screen::lastError() != 0 && !screen::atEndOfFile(file)) {
      fail("a read failed before the end", items.size());
    }
    items.push_back(std::move(item));
  }
  screen::closeFile(file);
  return items;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzScratch::enter("quilloItemFuzz");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t kinds = data[0];
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  writeInput("items.txt", bytes);
  const std::vector<Item> items = readAllItems("items.txt", kinds, bytes.size());

  size_t from = 0;
  for (size_t i = 0; i < items.size(); ++i) {
    const Item& item = items[i];
    if (!item.isText) continue;
    if (item.text.size() > MAX_TEXT_ITEM) fail("a text item beyond the longest kept", i);
    const size_t at = bytes.find(item.text, from);
    if (at == std::string_view::npos) fail("a text item not in the file in order", i);
    from = at + item.text.size();
  }

  // The writer escapes nothing, so a text holding a double quote cannot come back whole.
  std::vector<Item> kept;
  for (const Item& item : items) {
    if (!item.isText || item.text.find('"') == std::string::npos) kept.push_back(item);
  }
  if (kept.empty()) return 0;
  const int file = screen::freeFileNumber();
  if (screen::openFile("written.txt", screen::FileMode::WriteText, file) != 0) std::abort();
  for (size_t i = 0; i < kept.size(); ++i) {
    const screen::Separator separator =
        i + 1 < kept.size() && i % 5 != 4 ? screen::Separator::Comma : screen::Separator::LineEnd;
    if (kept[i].isText) {
      screen::writeItem(file, kept[i].text, separator);
    } else {
      screen::writeItem(file, kept[i].number, separator);
    }
  }
  screen::closeFile(file);
  if (screen::lastError() != 0) std::abort();

  // Read back item by item with the kind each was written as.
  const int again = screen::freeFileNumber();
  if (screen::openFile("written.txt", screen::FileMode::ReadText, again) != 0) std::abort();
  for (size_t i = 0; i < kept.size(); ++i) {
    if (kept[i].isText) {
      std::string text;
      screen::readItem(again, text);
      if (text != kept[i].text) fail("a written text item read back differently", i);
    } else {
      int32_t number = 0;
      screen::readItem(again, number);
      if (number != kept[i].number) fail("a written integer item read back differently", i);
    }
  }
  if (!screen::atEndOfFile(again)) fail("more items read back than were written", kept.size());
  screen::closeFile(again);
  return 0;
}
