#pragma once

// The scripted stand-in for the window, used by the tests. A script of keys, mouse states,
// waits and window-activity changes is handed to the program one step at a time: a key when
// the key queue is empty, a mouse state once the program has polled the previous one, a wait
// once the virtual clock has advanced past it. When the script runs out, every pump reports
// the window's close button, so a scripted run ends through the program's own exit path.

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace headless {

struct Step {
  enum Kind { Key, Mouse, Wait, Active, Clipboard, Snapshot, Quit, SessionEnd } kind = Key;
  std::string text;  // Key: the poll result; Clipboard: the new text
  int x = -1, y = -1, buttons = 0, wheelSteps = 0;
  bool inside = true;  // Mouse; Active: the new activity
  double milliseconds = 0;
};

struct HeadlessState {
  std::deque<Step> script;
  double clockMs = 0;
  double waitUntilMs = -1;
  bool windowOpen = false;
  bool active = true;
  bool clipboardHoldsText = false;
  std::string clipboard;
  std::vector<std::string> soundsPlayed;
  std::vector<std::string> wavesLoaded;  // the bytes of every sound made playable, in order
  std::vector<int> wavesPlayed;          // for each sound played, its index in wavesLoaded
  long closeReports = 0;                 // pumps since the script ran out
  long presents = 0;
  long idleWaits = 0;  // times the program slept waiting for input
  // Copies of the surface's colour numbers, one per snapshot step, in script order.
  std::vector<std::vector<uint8_t>> snapshots;
  // Called at the start of every pump, when the program looks at its input or lets the window
  // be served: a test may check the program's state there and feed it further steps.
  std::function<void()> onPump;
};

extern HeadlessState headlessState;

// Resets the script, the clock, the clipboard and the sound log, and the whole screen state.
void reset();
void key(std::string_view pollResult);
void extendedKey(int code);
// One key per character.
void type(std::string_view text);
void mouse(int x, int y, int buttons, int wheelSteps = 0);
void mouseOutside();
void click(int x, int y);  // press and release at one place
void wait(double milliseconds);
void setActive(bool active);
void setClipboard(std::string_view text);
// Copies the surface into headlessState.snapshots once the program has taken the previous step
// and asks for input again, so a test can see a screen that later steps change.
void snapshot();
// The program is asked to end, as a signal asks the real one.
void quitSignal();
// The session ends and will not wait, as logging off ends the real program on Windows.
void sessionEnd();
bool scriptFinished();

}  // namespace headless
