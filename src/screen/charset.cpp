#include "screen/charset.h"

#include <cstdint>

#include "screen/fonts.h"

namespace screen {

namespace {

void appendUtf8(std::string& out, unsigned u) {
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xc0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3f));
  } else {
    out += static_cast<char>(0xe0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3f));
    out += static_cast<char>(0x80 | (u & 0x3f));
  }
}

int codeFor(unsigned u) {
  if (u < 0x80) return static_cast<int>(u);
  for (int i = 0; i < UNICODE_TO_CP437_COUNT; ++i) {
    if (UNICODE_TO_CP437[i].codePoint == u) return UNICODE_TO_CP437[i].code;
  }
  return -1;
}

}  // namespace

std::string cp437ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    auto code = static_cast<unsigned char>(ch);
    appendUtf8(out, code < 0x80 ? code : CP437_UPPER_TO_UNICODE[code - 0x80]);
  }
  return out;
}

std::string utf8ToCp437(std::string_view text) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    auto lead = static_cast<unsigned char>(text[i]);
    int extra = lead < 0x80 ? 0 : lead >= 0xf0 ? 3 : lead >= 0xe0 ? 2 : lead >= 0xc0 ? 1 : -1;
    if (extra < 0 || (extra > 0 && i + extra >= text.size())) {
      ++i;  // a stray continuation byte or a sequence cut short
      continue;
    }
    unsigned u = extra == 0 ? lead : lead & (0x3f >> extra);
    bool valid = true;
    for (int k = 1; k <= extra; ++k) {
      auto next = static_cast<unsigned char>(text[i + k]);
      valid = valid && (next & 0xc0) == 0x80;
      u = (u << 6) | (next & 0x3f);
    }
    i += valid ? extra + 1 : 1;
    if (!valid) continue;
    int code = codeFor(u);
    if (code >= 0) out += static_cast<char>(code);
  }
  return out;
}

}  // namespace screen
