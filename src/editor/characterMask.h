#pragma once

// Character masks: strings of bracketed groups such as "(0-9)(.)(,)" naming the characters an
// entry field admits.

#include <string_view>

constexpr int MAX_MASK_GROUPS = 30;

struct MaskEntry {
  unsigned char low = 0;  // 0 ends the table
  unsigned char high = 0;
};

struct MaskTable {
  MaskEntry entries[MAX_MASK_GROUPS] = {};
};

// Holds only the last mask built.
extern MaskTable maskTable;

void buildMaskTable(std::string_view mask);
// Whether the first character of the text is admitted; an empty text is not.
bool charInMask(std::string_view text);
bool charInMask(char ch);
// The warning for a refused or surplus character.
void playIllegalChar();
