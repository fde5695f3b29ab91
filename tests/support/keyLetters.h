#pragma once

// Key scripts written as strings, one letter a key, with a table of the letters that stand for
// some other key.

#include <span>

namespace keyLetters {

struct KeyLetter {
  char letter;
  int extendedKey = 0;          // the key code of an extended key, or
  const char* typed = nullptr;  // the poll result of an ordinary one
};

// Scripts the key `letter` stands for in `table`; false when the table does not hold it.
bool scriptLetter(char letter, std::span<const KeyLetter> table);

}  // namespace keyLetters
