#include "support/keyLetters.h"

#include "screen/private/headless.h"

namespace keyLetters {

bool scriptLetter(char letter, std::span<const KeyLetter> table) {
  for (const KeyLetter& entry : table) {
    if (entry.letter != letter) continue;
    if (entry.typed != nullptr) {
      headless::key(entry.typed);
    } else {
      headless::extendedKey(entry.extendedKey);
    }
    return true;
  }
  return false;
}

}  // namespace keyLetters
