#include "editor/characterMask.h"

#include "screen/screen.h"

MaskTable maskTable;

namespace {

// A position past the end reads as code 0, so a group cut short by the end of the mask admits
// nothing.
unsigned char codeAt(std::string_view mask, size_t position) {
  return position < mask.size() ? static_cast<unsigned char>(mask[position]) : 0;
}

}  // namespace

void buildMaskTable(std::string_view mask) {
  size_t p = 0;
  int n = 0;
  // Masks longer than the table would write past it; their surplus groups are ignored.
  while (n < MAX_MASK_GROUPS && p < mask.size() && mask[p] == '(') {
    MaskEntry& entry = maskTable.entries[n++];
    if (codeAt(mask, p + 2) == ')') {
      entry.low = entry.high = codeAt(mask, p + 1);
      p += 3;
    } else {
      entry.low = codeAt(mask, p + 1);
      entry.high = codeAt(mask, p + 3);
      p += 5;
    }
    while (p < mask.size() && mask[p] == ' ') ++p;
    // A group that would start at the last character is not read.
    if (p + 1 >= mask.size()) break;
  }
  if (n < MAX_MASK_GROUPS) maskTable.entries[n].low = 0;
}

bool charInMask(char ch) {
  unsigned char code = static_cast<unsigned char>(ch);
  for (const MaskEntry& entry : maskTable.entries) {
    if (entry.low == 0) break;
    if (code >= entry.low && code <= entry.high) return true;
  }
  return false;
}

bool charInMask(std::string_view text) {
  return !text.empty() && charInMask(text[0]);
}

void playIllegalChar() {
  screen::playSound("illegalChar.wav");
}
