// Keys, text, the mouse and the close button, sent through the X server like a user's own.

#include <cstdlib>
#include <sstream>

#include "e2e/childProcess.h"
#include "e2e/e2eHarness.h"
#include "e2e/harnessSteps.h"
#include "e2e/xvfbDisplay.h"

namespace e2e {

namespace {

bool xdotool(Quillo& quillo, std::vector<std::string> arguments, const std::string& doing) {
  if (quillo.window.empty()) {
    reportFailure(quillo, "cannot " + doing + ": the program has no window");
    return false;
  }
  arguments.insert(arguments.begin(), "xdotool");
  std::string output;
  if (childProcess::run(arguments, {"DISPLAY=" + xvfbDisplay::displayState.name}, TOOL_TIMEOUT_MS,
                        output)) {
    return true;
  }
  // A key that ends the program can take the window away before xdotool has sent its release;
  // the program then got what was sent, and how it ended is for waitForExit to check. The key is
  // let go here, or the X server would repeat it into the next program's window.
  if (!windowExists(quillo)) {
    if (arguments[1] == "key") {
      std::vector<std::string> release = {"xdotool", "keyup"};
      release.insert(release.end(), arguments.begin() + 4, arguments.end());
      childProcess::run(release, {"DISPLAY=" + xvfbDisplay::displayState.name}, TOOL_TIMEOUT_MS,
                        output);
    }
    return true;
  }
  reportFailure(quillo, "cannot " + doing + ": xdotool said: " + output);
  return false;
}

std::string buttonNumber(MouseButton button) {
  return std::to_string(static_cast<int>(button));
}

}  // namespace

bool pressKeys(Quillo& quillo, const std::string& keys) {
  std::vector<std::string> arguments = {"key", "--window", quillo.window};
  std::istringstream words(keys);
  for (std::string key; words >> key;) arguments.push_back(key);
  return xdotool(quillo, arguments, "press " + keys);
}

bool typeText(Quillo& quillo, const std::string& text) {
  return xdotool(quillo, {"type", "--window", quillo.window, "--delay", "15", "--", text},
                 "type \"" + text + "\"");
}

bool typeInputs(Quillo& quillo, const std::string& loan, const std::string& rate,
                const std::string& payment) {
  return typeText(quillo, loan) && pressKeys(quillo, "Tab") && typeText(quillo, rate) &&
         pressKeys(quillo, "Tab") && typeText(quillo, payment);
}

bool moveMouse(Quillo& quillo, int x, int y) {
  return xdotool(quillo,
                 {"mousemove", "--window", quillo.window, std::to_string(x), std::to_string(y)},
                 "move the mouse");
}

bool click(Quillo& quillo, int x, int y, MouseButton button) {
  return xdotool(quillo,
                 {"mousemove", "--window", quillo.window, std::to_string(x), std::to_string(y),
                  "click", buttonNumber(button)},
                 "click at " + std::to_string(x) + "," + std::to_string(y));
}

bool pressButton(Quillo& quillo, MouseButton button) {
  return xdotool(quillo, {"mousedown", buttonNumber(button)}, "press a mouse button");
}

bool releaseButton(Quillo& quillo, MouseButton button) {
  return xdotool(quillo, {"mouseup", buttonNumber(button)}, "release a mouse button");
}

bool turnWheel(Quillo& quillo, int steps) {
  if (steps == 0) return true;
  // X reports the wheel as buttons: 4 away from the user, 5 towards.
  return xdotool(quillo,
                 {"click", "--repeat", std::to_string(std::abs(steps)), "--delay", "20",
                  steps > 0 ? "4" : "5"},
                 "turn the wheel");
}

bool pressCloseButton(Quillo& quillo) {
  if (quillo.window.empty()) {
    reportFailure(quillo, "cannot press the close button: the program has no window");
    return false;
  }
  std::string output;
  return runXTool(quillo, {SEND_CLOSE_BINARY, quillo.window}, "press the close button", output);
}

}  // namespace e2e
