// Screenshots of the program's window, read as colour numbers and as text.

#include <chrono>
#include <fstream>
#include <thread>

#include "e2e/childProcess.h"
#include "e2e/e2eHarness.h"
#include "e2e/harnessSteps.h"
#include "e2e/xvfbDisplay.h"
#include "screen/charset.h"
#include "screen/screen.h"
#include "support/mainScreenScript.h"
#include "support/scratchDirectory.h"
#include "support/screenReader.h"

// Xlib last: its macros (None, Bool) would clash with names in the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace e2e {

namespace {

constexpr int SCREENSHOT_INTERVAL_MS = 50;
constexpr int ROWS = 30;

}  // namespace

bool shrinkToSurface(xwdImage::RgbImage& rgb, std::string& error) {
  int scale = rgb.width / screen::SCREEN_WIDTH;
  if (scale < 1 || rgb.width != scale * screen::SCREEN_WIDTH ||
      rgb.height != scale * screen::SCREEN_HEIGHT) {
    error = "the window is " + std::to_string(rgb.width) + "x" + std::to_string(rgb.height) +
            ", not 640x480 or a whole multiple of it";
    return false;
  }
  if (scale == 1) return true;
  xwdImage::RgbImage shrunk{screen::SCREEN_WIDTH, screen::SCREEN_HEIGHT, {}};
  shrunk.pixels.resize(static_cast<size_t>(shrunk.width) * shrunk.height);
  for (int y = 0; y < rgb.height; ++y) {
    for (int x = 0; x < rgb.width; ++x) {
      uint32_t pixel = rgb.pixels[static_cast<size_t>(y) * rgb.width + x];
      uint32_t& kept = shrunk.pixels[static_cast<size_t>(y / scale) * shrunk.width + x / scale];
      if (x % scale == 0 && y % scale == 0) {
        kept = pixel;
      } else if (pixel != kept) {
        error = "the window pixel " + std::to_string(x) + "," + std::to_string(y) +
                " differs from the others that show surface pixel " + std::to_string(x / scale) +
                "," + std::to_string(y / scale);
        return false;
      }
    }
  }
  rgb = std::move(shrunk);
  return true;
}

bool takeScreenshot(Quillo& quillo, Screen& screen) {
  screen = {};
  if (quillo.window.empty()) {
    reportFailure(quillo, "cannot take a screenshot: the program has no window");
    return false;
  }
  std::string file = quillo.runDirectory + "/screen.xwd", output;
  if (!runXTool(quillo, {"xwd", "-id", quillo.window, "-silent", "-out", file}, "take a screenshot",
                output)) {
    return false;
  }
  screen.xwd = scratch::readFile(file);
  std::string error;
  if (!xwdImage::parse(screen.xwd, screen.rgb, error) || !shrinkToSurface(screen.rgb, error)) {
    reportFailure(quillo, "cannot read the screenshot: " + error);
    return false;
  }
  screen.colours = xwdImage::colourNumbers(screen.rgb, *quillo.palette);
  return true;
}

bool waitForScreen(Quillo& quillo, const std::function<bool(const Screen&)>& ready,
                   const std::string& what, Screen& screen, int timeoutMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (!takeScreenshot(quillo, screen)) return false;
    if (ready(screen)) return true;
    if (std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(SCREENSHOT_INTERVAL_MS));
  }
  reportFailure(quillo, what + " did not show within " + std::to_string(timeoutMs) + " ms",
                &screen);
  return false;
}

bool waitForText(Quillo& quillo, const std::string& text, Screen& screen, int timeoutMs) {
  return waitForScreen(
      quillo,
      [&](const Screen& shown) {
        int row = 0, column = 0;
        return screenReader::findText(text, row, column, shown.pixels());
      },
      "\"" + text + "\"", screen, timeoutMs);
}

bool waitForScheduleMonth(Quillo& quillo, int month, Screen& screen, int timeoutMs) {
  const std::string start = std::to_string(month) + " ";
  return waitForScreen(
      quillo,
      [&](const Screen& shown) {
        const std::vector<std::string> rows = mainScript::scheduleRows(shown.pixels());
        return !rows.empty() && rows.back().starts_with(start);
      },
      "month " + std::to_string(month) + " on the last schedule line", screen, timeoutMs);
}

std::string describeScreen(const Screen& screen) {
  if (screen.colours.size() != static_cast<size_t>(screen::SCREEN_WIDTH) * screen::SCREEN_HEIGHT) {
    return "(no screenshot)";
  }
  std::string text;
  for (int row = 1; row <= ROWS; ++row) {
    std::string line = screenReader::rowText(row, screen.pixels());
    if (line.empty()) continue;
    // Cells that match no glyph, and glyphs of control codes, would garble the report.
    for (char& c : line) {
      if (static_cast<unsigned char>(c) < 32) c = '?';
    }
    line = screen::cp437ToUtf8(line);
    char number[8];
    std::snprintf(number, sizeof number, "%2d|", row);
    text += number + line + "\n";
  }
  return text.empty() ? "(a blank screen)\n" : text;
}

bool savePng(const Screen& screen, const std::string& path) {
  std::string xwdFile = path + ".xwd";
  {
    std::ofstream file(xwdFile, std::ios::binary | std::ios::trunc);
    file << screen.xwd;
    if (!file) return false;
  }
  std::string output;
  bool saved = childProcess::run(
      {"python3", QUILLO_SOURCE_DIR "/scripts/xwdToPng.py", xwdFile, path}, {}, 30000, output);
  std::remove(xwdFile.c_str());
  return saved;
}

std::vector<unsigned long> serverPixels(int x, int y, int width, int height) {
  static Display* display = nullptr;
  static std::string displayName;
  if (!display || displayName != xvfbDisplay::displayState.name) {
    if (display) XCloseDisplay(display);
    displayName = xvfbDisplay::displayState.name;
    display = XOpenDisplay(displayName.c_str());
  }
  std::vector<unsigned long> pixels;
  XImage* image = display ? XGetImage(display, DefaultRootWindow(display), x, y, width, height,
                                      AllPlanes, ZPixmap)
                          : nullptr;
  if (!image) return pixels;
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) pixels.push_back(XGetPixel(image, column, row));
  }
  XDestroyImage(image);
  return pixels;
}

}  // namespace e2e
