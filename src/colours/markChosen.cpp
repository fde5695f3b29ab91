#include "colours/markChosen.h"

#include <algorithm>

void markChosen(std::span<const ButtonId> buttons, int count, int chosen) {
  // Element 0 is not a button, so a list holds at most size - 1 of them.
  const int last = std::min(count, static_cast<int>(buttons.size()) - 1);
  for (int i = 1; i <= last; ++i) {
    if (i == chosen) {
      markOptionOn(buttons[i]);
    } else {
      markOptionOff(buttons[i]);
    }
  }
}
