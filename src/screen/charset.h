#pragma once

// Conversion between the program's 8-bit code page 437 text and UTF-8, for the window's text
// input and the system clipboard.

#include <string>
#include <string_view>

namespace screen {

std::string cp437ToUtf8(std::string_view text);
// Characters that code page 437 cannot show are dropped.
std::string utf8ToCp437(std::string_view text);

}  // namespace screen
