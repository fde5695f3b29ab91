// The headless platform: a scripted keyboard and mouse, a virtual clock, an in-memory clipboard
// and a log of sounds played.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "screen/platform.h"
#include "screen/private/headless.h"
#include "screen/private/surfaceState.h"

namespace headless {

HeadlessState headlessState;

namespace {

// A program that keeps ignoring the close button would spin forever in a test; stop it loudly.
constexpr long CLOSE_REPORT_LIMIT = 1'000'000;

void push(Step step) {
  headlessState.script.push_back(std::move(step));
}

bool previousStepTaken() {
  return !screen::inputWaiting() && headlessState.clockMs >= headlessState.waitUntilMs;
}

void deliver(const Step& step) {
  switch (step.kind) {
    case Step::Key:
      screen::queueKey(step.text);
      break;
    case Step::Mouse:
      if (step.inside) {
        screen::wheelTurned(step.wheelSteps);
        screen::mouseChange(step.x, step.y, step.buttons);
      } else {
        screen::pointerLeft();
      }
      break;
    case Step::Wait:
      headlessState.waitUntilMs = headlessState.clockMs + step.milliseconds;
      break;
    case Step::Active:
      headlessState.active = step.inside;
      break;
    case Step::Clipboard:
      headlessState.clipboard = step.text;
      headlessState.clipboardHoldsText = true;
      break;
    case Step::Snapshot:
      headlessState.snapshots.emplace_back(std::begin(screen::surface.pixels),
                                           std::end(screen::surface.pixels));
      break;
    case Step::Quit:
      screen::requestQuit();
      break;
    case Step::SessionEnd:
      screen::endSessionNow();
  }
}

}  // namespace

void reset() {
  headlessState = {};
  screen::resetScreenState();
}

void key(std::string_view pollResult) {
  Step step;
  step.text = std::string(pollResult);
  push(step);
}

void extendedKey(int code) {
  key(std::string{screen::EXTENDED, static_cast<char>(code)});
}

void type(std::string_view text) {
  for (char ch : text) key(std::string_view(&ch, 1));
}

void mouse(int x, int y, int buttons, int wheelSteps) {
  Step step;
  step.kind = Step::Mouse;
  step.x = x;
  step.y = y;
  step.buttons = buttons;
  step.wheelSteps = wheelSteps;
  push(step);
}

void mouseOutside() {
  Step step;
  step.kind = Step::Mouse;
  step.inside = false;
  push(step);
}

void click(int x, int y) {
  mouse(x, y, 1);
  mouse(x, y, 0);
}

void wait(double milliseconds) {
  Step step;
  step.kind = Step::Wait;
  step.milliseconds = milliseconds;
  push(step);
}

void setActive(bool active) {
  Step step;
  step.kind = Step::Active;
  step.inside = active;
  push(step);
}

void setClipboard(std::string_view text) {
  Step step;
  step.kind = Step::Clipboard;
  step.text = std::string(text);
  push(step);
}

void snapshot() {
  Step step;
  step.kind = Step::Snapshot;
  push(step);
}

void quitSignal() {
  Step step;
  step.kind = Step::Quit;
  push(step);
}

void sessionEnd() {
  Step step;
  step.kind = Step::SessionEnd;
  push(step);
}

bool scriptFinished() {
  return headlessState.script.empty();
}

}  // namespace headless

namespace platform {

using headless::headlessState;

bool openWindow(int) {
  headlessState.windowOpen = true;
  return true;
}

void closeWindow() {
  headlessState.windowOpen = false;
}

namespace {

// A script that has run out stands for a user who closes the window, but only once the program
// looks for input again: work that merely keeps the window served is left to finish.
void pump(bool reading) {
  if (headlessState.onPump) headlessState.onPump();
  screen::Surface& surface = screen::surface;
  if (surface.pixelsChanged || surface.paletteChanged) {
    ++headlessState.presents;
    surface.pixelsChanged = surface.paletteChanged = false;
  }
  // Steps that need no observation (activity, clipboard) go through together with the next one.
  while (headless::previousStepTaken()) {
    if (headlessState.script.empty()) {
      if (!reading) return;
      if (++headlessState.closeReports > headless::CLOSE_REPORT_LIMIT) {
        std::fprintf(stderr, "headless: the program ignored the close button too often\n");
        std::abort();
      }
      screen::queueKey(std::string{screen::EXTENDED, screen::KEY_CLOSE});
      return;
    }
    headless::Step step = std::move(headlessState.script.front());
    headlessState.script.pop_front();
    headless::deliver(step);
    if (step.kind != headless::Step::Active && step.kind != headless::Step::Clipboard &&
        step.kind != headless::Step::Snapshot) {
      return;
    }
  }
}

}  // namespace

void pumpEvents() {
  pump(true);
}

void serviceEvents() {
  pump(false);
}

double seconds() {
  return headlessState.clockMs / 1000.0;
}

void sleepMs(int milliseconds) {
  if (milliseconds > 0) headlessState.clockMs += milliseconds;
}

// The user does nothing until the script's current wait is over; any other step comes at once.
void waitForEvent(int milliseconds) {
  ++headlessState.idleWaits;
  double due = std::max(headlessState.clockMs, headlessState.waitUntilMs);
  if (milliseconds >= 0) due = std::min(due, headlessState.clockMs + milliseconds);
  headlessState.clockMs = due;
}

int loadWave(std::string_view waveBytes) {
  headlessState.wavesLoaded.emplace_back(waveBytes);
  return static_cast<int>(headlessState.wavesLoaded.size()) - 1;
}

void playWave(int sound, const std::string& name) {
  headlessState.soundsPlayed.push_back(name);
  headlessState.wavesPlayed.push_back(sound);
}

bool windowActive() {
  return headlessState.windowOpen && headlessState.active;
}

bool clipboardHasText() {
  return headlessState.clipboardHoldsText;
}

std::string clipboardText() {
  return headlessState.clipboardHoldsText ? headlessState.clipboard : std::string();
}

void setClipboardText(std::string_view text) {
  headlessState.clipboard = std::string(text);
  headlessState.clipboardHoldsText = true;
}

}  // namespace platform
