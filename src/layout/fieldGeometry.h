#pragma once

// The entry fields of the form as the window shows them and the schedule command reads them:
// how many characters a field holds and the character masks of its amounts and rates.

#include <string_view>

// The same sets as AMOUNT_CHARACTERS and RATE_CHARACTERS, as an entry field's character mask.
constexpr std::string_view AMOUNT_MASK = "(0-9)(.)(,)";
constexpr std::string_view RATE_MASK = "(0-9)(.)";
// The most characters a field holds; the schedule command takes no longer rate, which it
// repeats on every line.
constexpr int FIELD_TEXT_WIDTH = 16;
