#include "support/monkeyEvents.h"

#include <functional>
#include <string_view>
#include <vector>

#include "colours/colourEditor.h"
#include "colours/optionsDialog.h"
#include "controls/buttonRegistry.h"
#include "screen/private/fileTable.h"
#include "screen/private/headless.h"
#include "screen/screen.h"

namespace monkey {

namespace {

constexpr size_t RECENT_EVENTS = 40;
constexpr int LEFT = 1, RIGHT = 2, MIDDLE = 4;

void note(Storm& storm, std::string what) {
  storm.recent.push_back(std::move(what));
  if (storm.recent.size() > RECENT_EVENTS) storm.recent.pop_front();
}

void key(Storm& storm, const std::string& pollResult, const std::string& what) {
  headless::key(pollResult);
  ++storm.eventsGiven;
  --storm.eventsLeft;
  note(storm, what);
}

void extended(Storm& storm, int code, const std::string& what) {
  key(storm, std::string{screen::EXTENDED, static_cast<char>(code)}, what);
}

void mouseTo(Storm& storm, int x, int y, int buttons, int wheel = 0) {
  storm.x = x;
  storm.y = y;
  storm.buttons = buttons;
  headless::mouse(x, y, buttons, wheel);
  ++storm.eventsGiven;
  --storm.eventsLeft;
  note(storm, "mouse " + std::to_string(x) + "," + std::to_string(y) + " buttons " +
                  std::to_string(buttons) + (wheel ? " wheel " + std::to_string(wheel) : ""));
}

// The buttons of the dialog on top, if one is open.
std::vector<int> dialogButtons() {
  std::vector<int> slots;
  if (colourEditor.area.saved != 0) {
    for (ButtonId id : colourEditor.fixedButtons) {
      if (id != 0) slots.push_back(id);
    }
    for (ButtonId id : colourEditor.roleButtons) {
      if (id != 0) slots.push_back(id);
    }
  } else if (optionsDialog.area.saved != 0) {
    for (ButtonId id : {optionsDialog.schemeButtons[1], optionsDialog.schemeButtons[2],
                        optionsDialog.changeButton, optionsDialog.okButton}) {
      if (id != 0) slots.push_back(id);
    }
  }
  return slots;
}

// A point of a registered button's hit rectangle, edges included, often one of the open
// dialog's; the middle of the screen when none is registered.
void pointOnAButton(Storm& storm, int& x, int& y) {
  std::vector<int> slots = dialogButtons();
  if (slots.empty() || chance(storm, 30)) {
    slots.clear();
    for (int slot = 1; slot <= MAX_BUTTONS; ++slot) {
      if (!buttonRegistry.label[slot].empty()) slots.push_back(slot);
    }
  }
  if (slots.empty()) {
    x = 320;
    y = 240;
    return;
  }
  const int slot = slots[randomBelow(storm, static_cast<int>(slots.size()))];
  const int width = buttonRegistry.right[slot] - buttonRegistry.left[slot] + 1;
  const int height = buttonRegistry.bottom[slot] - buttonRegistry.top[slot] + 1;
  x = buttonRegistry.left[slot] + randomBelow(storm, std::max(width, 1));
  y = buttonRegistry.top[slot] + randomBelow(storm, std::max(height, 1));
}

void randomPoint(Storm& storm, int& x, int& y) {
  x = randomBelow(storm, screen::SCREEN_WIDTH);
  y = randomBelow(storm, screen::SCREEN_HEIGHT);
}

// Somewhere on the three entry fields' rows, text or not.
void pointOnAField(Storm& storm, int& x, int& y) {
  x = 18 * 8 + randomBelow(storm, 20 * 8);
  y = 3 * 16 + randomBelow(storm, 3 * 16);
}

std::string amountText(Storm& storm) {
  static constexpr std::string_view DIGITS = "0123456789";
  std::string text;
  const int length = chance(storm, 10) ? 16 + randomBelow(storm, 3) : 1 + randomBelow(storm, 7);
  for (int i = 0; i < length; ++i) {
    const int roll = randomBelow(storm, 20);
    text += roll == 0 ? '.' : roll == 1 ? ',' : DIGITS[randomBelow(storm, 10)];
  }
  return text;
}

// While the left button is down only the mouse moves on: the colour editor's arrows poll the
// mouse and nothing else until the button is let go.
void dragOrRelease(Storm& storm) {
  int x = storm.x, y = storm.y;
  const int roll = randomBelow(storm, 10);
  if (roll < 5) {
    mouseTo(storm, x, y, storm.buttons & ~LEFT);
  } else if (roll < 6) {
    pointOnAButton(storm, x, y);
    mouseTo(storm, x, y, chance(storm, 50) ? storm.buttons & ~LEFT : storm.buttons);
  } else if (roll < 8) {
    randomPoint(storm, x, y);
    mouseTo(storm, x, y, storm.buttons);
  } else if (roll < 9) {
    // A held button takes the pointer's moves beyond the window's edges with it.
    x = randomBelow(storm, screen::SCREEN_WIDTH + 100) - 50;
    y = randomBelow(storm, screen::SCREEN_HEIGHT + 100) - 50;
    mouseTo(storm, x, y, chance(storm, 70) ? storm.buttons : storm.buttons & ~LEFT);
  } else {
    mouseTo(storm, x, y, storm.buttons, randomBelow(storm, 5) - 2);
  }
}

using Action = std::function<void(Storm&)>;

struct WeightedAction {
  int weight;
  Action act;
};

const std::vector<WeightedAction>& actions() {
  static const std::vector<WeightedAction> table = {
      {180,
       [](Storm& s) {
         for (char c : amountText(s)) key(s, std::string(1, c), std::string("type ") + c);
       }},
      {10,
       [](Storm& s) {
         // A huge amount shows as its number text (1E+16), whose exponent can be edited.
         if (chance(s, 50)) {
           for (int i = 0; i < 16; ++i) key(s, "9", "type 9");
           return;
         }
         extended(s, screen::KEY_END, "End");
         key(s, "\b", "Backspace");
         key(s, "\b", "Backspace");
         for (char c : std::to_string(290 + randomBelow(s, 30))) {
           key(s, std::string(1, c), std::string("type ") + c);
         }
       }},
      {60,
       [](Storm& s) {
         static constexpr int EDIT_KEYS[] = {
             screen::KEY_HOME,   screen::KEY_LEFT,   screen::KEY_RIGHT,    screen::KEY_END,
             screen::KEY_INSERT, screen::KEY_DELETE, screen::KEY_SHIFT_TAB};
         const int code = EDIT_KEYS[randomBelow(s, 7)];
         extended(s, code, "extended key " + std::to_string(code));
       }},
      {40, [](Storm& s) { key(s, "\t", "Tab"); }},
      {50, [](Storm& s) { key(s, "\r", "Enter"); }},
      {20, [](Storm& s) { extended(s, screen::KEY_UP, "Up"); }},
      {40, [](Storm& s) { extended(s, screen::KEY_DOWN, "Down"); }},
      {25, [](Storm& s) { extended(s, screen::KEY_PAGE_DOWN, "Page Down"); }},
      {8, [](Storm& s) { extended(s, screen::KEY_CTRL_PAGE_DOWN, "Ctrl+Page Down"); }},
      {30, [](Storm& s) { key(s, "\b", "Backspace"); }},
      {10, [](Storm& s) { key(s, "\x03", "Ctrl+C"); }},
      {15, [](Storm& s) { key(s, "\x16", "Ctrl+V"); }},
      {5, [](Storm& s) { key(s, "\x18", "Ctrl+X"); }},
      {5, [](Storm& s) { key(s, "\n", "Ctrl+Enter"); }},
      {1, [](Storm& s) { key(s, "\x1b", "Esc"); }},
      {1, [](Storm& s) { extended(s, screen::KEY_CLOSE, "close button"); }},
      {12,
       [](Storm& s) {
         // A macro named in a cleared field; "8" names none.
         extended(s, screen::KEY_END, "End");
         for (int i = 0; i < 20; ++i) key(s, "\b", "Backspace");
         const char name = "1234589"[randomBelow(s, 7)];
         key(s, std::string(1, name), std::string("type ") + name);
         key(s, "\n", "Ctrl+Enter");
       }},
      {40,
       [](Storm& s) {
         const int byte = randomBelow(s, 256);
         key(s, std::string(1, static_cast<char>(byte)), "byte " + std::to_string(byte));
       }},
      {10,
       [](Storm& s) {
         const int code = randomBelow(s, 256);
         extended(s, code, "extended key " + std::to_string(code));
       }},
      {40,
       [](Storm& s) {
         int x, y;
         randomPoint(s, x, y);
         mouseTo(s, x, y, s.buttons);
       }},
      {70,
       [](Storm& s) {
         int x, y;
         pointOnAButton(s, x, y);
         mouseTo(s, x, y, s.buttons | LEFT);
       }},
      {20,
       [](Storm& s) {
         int x, y;
         pointOnAField(s, x, y);
         mouseTo(s, x, y, s.buttons | LEFT);
       }},
      {15,
       [](Storm& s) {
         int x, y;
         randomPoint(s, x, y);
         mouseTo(s, x, y, s.buttons | LEFT);
       }},
      {2, [](Storm& s) { mouseTo(s, s.x, s.y, s.buttons | RIGHT); }},
      {3, [](Storm& s) { mouseTo(s, s.x, s.y, s.buttons & ~RIGHT); }},
      {3, [](Storm& s) { mouseTo(s, s.x, s.y, s.buttons ^ MIDDLE); }},
      {30, [](Storm& s) { mouseTo(s, s.x, s.y, s.buttons, chance(s, 50) ? 1 : -1); }},
      {5, [](Storm& s) { mouseTo(s, s.x, s.y, s.buttons, randomBelow(s, 13) - 6); }},
      {10,
       [](Storm& s) {
         headless::mouseOutside();
         ++s.eventsGiven;
         --s.eventsLeft;
         note(s, "mouse outside");
       }},
      {15,
       [](Storm& s) {
         const int ms = randomBelow(s, 1300);
         headless::wait(ms);
         ++s.eventsGiven;
         --s.eventsLeft;
         note(s, "wait " + std::to_string(ms) + " ms");
       }},
      {10,
       [](Storm& s) {
         const bool active = chance(s, 50);
         headless::setActive(active);
         note(s, active ? "window active" : "window inactive");
       }},
      {8,
       [](Storm& s) {
         std::string text = chance(s, 50) ? amountText(s) : std::string();
         for (int i = randomBelow(s, 6); i > 0; --i) {
           text += static_cast<char>(randomBelow(s, 256));
         }
         headless::setClipboard(text);
         note(s, "clipboard \"" + text + "\"");
       }},
      {4,
       [](Storm& s) {
         const long budget = chance(s, 30) ? -1 : randomBelow(s, 80);
         screen::fileFaults.writeBudget = budget;
         s.writeBudgetSet = s.writeBudgetSet || budget >= 0;
         note(s, "write budget " + std::to_string(budget));
       }},
      {4, [](Storm& s) { note(s, changeAFile(s.random, s.files)); }},
  };
  return table;
}

}  // namespace

int randomBelow(Storm& storm, int bound) {
  return bound <= 0 ? 0 : static_cast<int>(storm.random() % static_cast<unsigned>(bound));
}

bool chance(Storm& storm, int percent) {
  return randomBelow(storm, 100) < percent;
}

void scriptNextEvents(Storm& storm) {
  if (storm.eventsLeft <= 0) {
    if (storm.buttons != 0) mouseTo(storm, storm.x, storm.y, 0);
    return;
  }
  if (storm.buttons & LEFT) {
    dragOrRelease(storm);
    return;
  }
  static const int total = [] {
    int sum = 0;
    for (const WeightedAction& a : actions()) sum += a.weight;
    return sum;
  }();
  // Activity, clipboard, budget and file changes are no steps of their own: an event follows
  // at once, or the script's end would close the window.
  const long given = storm.eventsGiven;
  while (storm.eventsGiven == given) {
    int roll = randomBelow(storm, total);
    for (const WeightedAction& a : actions()) {
      if (roll < a.weight) {
        a.act(storm);
        break;
      }
      roll -= a.weight;
    }
  }
}

std::string recentEvents(const Storm& storm) {
  std::string text;
  for (const std::string& event : storm.recent) text += "  " + event + "\n";
  return text;
}

}  // namespace monkey
