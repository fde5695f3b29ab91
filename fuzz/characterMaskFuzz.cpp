// Feeds arbitrary masks to the mask reader and checks every character against a plain reading
// of the mask rules: groups "(c)" and "(l-h)", spaces between groups, reading stops at anything
// else, at a group starting on the last character, or after thirty groups.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/characterMask.h"

namespace {

struct Range {
  unsigned low, high;
};

std::vector<Range> readMask(const std::string& mask) {
  auto at = [&](size_t i) -> unsigned {
    return i < mask.size() ? static_cast<unsigned char>(mask[i]) : 0;
  };
  std::vector<Range> groups;
  size_t p = 0;
  while (groups.size() < MAX_MASK_GROUPS && p < mask.size() && mask[p] == '(') {
    bool single = at(p + 2) == ')';
    groups.push_back(single ? Range{at(p + 1), at(p + 1)} : Range{at(p + 1), at(p + 3)});
    p += single ? 3 : 5;
    while (p < mask.size() && mask[p] == ' ') ++p;
    if (p + 1 >= mask.size()) break;
  }
  return groups;
}

bool admits(const std::vector<Range>& groups, unsigned code) {
  for (const Range& g : groups) {
    if (g.low == 0) return false;  // a group of character 0 ends the table
    if (code >= g.low && code <= g.high) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string mask(reinterpret_cast<const char*>(data), size);
  // A table left over from a longer mask must not leak into this one.
  buildMaskTable("(\x01-\xff)(\x01-\xff)(\x01-\xff)(\x01-\xff)(\x01-\xff)(\x01-\xff)");
  buildMaskTable(mask);
  std::vector<Range> groups = readMask(mask);
  for (unsigned code = 0; code < 256; ++code) {
    char ch = static_cast<char>(code);
    if (charInMask(ch) != admits(groups, code)) {
      std::fprintf(stderr, "characterMaskFuzz: character %u read differently\n", code);
      std::abort();
    }
    if (charInMask(std::string_view(&ch, 1)) != charInMask(ch)) std::abort();
  }
  if (charInMask(std::string_view())) std::abort();
  return 0;
}
