#pragma once

// The real program in a real window: started on the test program's private Xvfb display in a
// fresh working directory, driven with xdotool, read back from screenshots. Every step is
// bounded in time. A step that goes wrong records a test failure that shows the screen as text
// and the program's output, and returns false so that the test can stop there:
//
//   using MyE2e = e2e::AtForm;  // the program started at its form for every test of the suite
//   TEST_F(MyE2e, WhatTheUserDoes) {
//     ASSERT_TRUE(e2e::typeInputs(quillo, "1000", "12", "100"));
//     ASSERT_TRUE(e2e::waitForText(quillo, "...", screen));
//     endWith("Escape");  // ends the program and checks it went out with status 0
//   }
//
// Set QUILLO_E2E_SCREENSHOTS to a directory to get a PNG of the screen for every failure.
// QUILLO_SCALE is removed from the program's environment. The display is 640x480, so the window
// fills it and the pointer cannot leave the window; a test program that needs room around it sets
// xvfbDisplay::displayState.width and .height before its first start.

#include <gtest/gtest.h>
#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "colours/builtInPalettes.h"
#include "e2e/xwdImage.h"

namespace e2e {

// Start-up is slow under the sanitizers on a busy machine; a window that takes longer is broken.
constexpr int WINDOW_TIMEOUT_MS = 30000;
constexpr int TOOL_TIMEOUT_MS = 10000;
constexpr int EXIT_TIMEOUT_MS = 15000;
constexpr int SCREEN_TIMEOUT_MS = 10000;

struct WorkFile {
  std::string name;  // relative to the working directory
  std::string bytes;
};

enum class MouseButton { Left = 1, Middle = 2, Right = 3 };

// One run of the program. Ending the test ends the program and removes its directories.
struct Quillo {
  pid_t pid = -1;
  std::string window;         // the X window id, in decimal
  std::string runDirectory;   // holds the working directory, the output and the audio file
  std::string workDirectory;  // the program's working directory
  bool ended = false;
  int exitStatus = -1;  // the exit code, or 128 + the signal that ended it
  // The palette screenshots are read with; point it at another one after a scheme change.
  const xwdImage::PaletteLevels* palette = &builtInPalettes[SCHEME_DARK_ON_LIGHT];
  // Changes to the program's environment at its next start, over the harness's own settings:
  // NAME=value sets a variable, a bare NAME removes it.
  std::vector<std::string> environment;
  // The program's command-line arguments at its next start.
  std::vector<std::string> arguments;

  Quillo() = default;
  ~Quillo();
  Quillo(const Quillo&) = delete;
  Quillo& operator=(const Quillo&) = delete;
};

struct Screen {
  std::string xwd;  // the screenshot as xwd wrote it
  // At the surface's size: a window scaled by N is read back one pixel of every N by N block,
  // and a block that is not all one colour fails the screenshot.
  xwdImage::RgbImage rgb;
  // 640x480 colour numbers, NO_COLOUR where a pixel shows none of the palette's colours: the
  // `pixels` argument of the screen reader.
  std::vector<uint8_t> colours;
  const uint8_t* pixels() const { return colours.data(); }
};

// ---- The program ----
// Starts the program with these files in its working directory and waits for its window.
bool start(Quillo& quillo, const std::vector<WorkFile>& files = {});
// start, then waits for the form's title.
bool startAtForm(Quillo& quillo, Screen& screen, const std::vector<WorkFile>& files = {});
// Kills the program if it still runs and removes its directories.
void stop(Quillo& quillo);
// Waits for the program to end and records its status; kills it and fails after the timeout.
bool waitForExit(Quillo& quillo, int timeoutMs = EXIT_TIMEOUT_MS);
// Stops and continues the process (SIGSTOP, SIGCONT): lets a test look at the window before
// the program can react to what was sent to it.
bool suspend(Quillo& quillo);
bool resume(Quillo& quillo);
bool windowExists(const Quillo& quillo);
// What the program printed on stdout and stderr so far.
std::string programOutput(const Quillo& quillo);
// Whether the sound output holds anything but silence.
bool soundWasPlayed(const Quillo& quillo);
// Waits for a sound to reach the sound output (it plays in the background, a little later).
bool waitForSound(Quillo& quillo, int timeoutMs = SCREEN_TIMEOUT_MS);
std::string readWorkFile(const Quillo& quillo, const std::string& name);
// The names in the working directory, sorted.
std::vector<std::string> workFileNames(const Quillo& quillo);

// The options file of a run that changed no option.
constexpr std::string_view DEFAULT_OPTIONS = "\"ding.wav\"\r\n2\r\n";
// endWith's ways out besides keys: the window's close button, or what the test already sent.
constexpr std::string_view CLOSE_BUTTON = "(the close button)";
constexpr std::string_view ALREADY_SENT = "";
// Ends the program with these keys (as pressKeys takes them), the close button or what the test
// already sent, waits for it to end, and checks that it went out through its exit path: status 0.
void endWith(Quillo& quillo, std::string_view how = "Escape");

// The fixture of a test that runs the program: the run, its last screenshot, and the way out.
// Alias it to the suite's name so that the tests keep their names. A suite whose every test
// starts at the form uses AtForm, which starts it there before each test, with `files` in the
// working directory (set them in a fixture's constructor).
struct ProgramRun : testing::Test {
  Quillo quillo;
  Screen screen;
  bool atForm(const std::vector<WorkFile>& files = {}) {
    return startAtForm(quillo, screen, files);
  }
  void endWith(std::string_view how = "Escape") { e2e::endWith(quillo, how); }
};

struct AtForm : ProgramRun {
  std::vector<WorkFile> files;
  void SetUp() override { ASSERT_TRUE(atForm(files)); }
};

// ---- Input, sent as the X server's own events ----
// Key names as xdotool spells them, several separated by spaces: "Return", "shift+Tab ctrl+Next".
bool pressKeys(Quillo& quillo, const std::string& keys);
// Printable text, UTF-8; a line end needs pressKeys(quillo, "Return").
bool typeText(Quillo& quillo, const std::string& text);
// The loan, rate and payment typed into the form from the loan field on, a Tab between them.
bool typeInputs(Quillo& quillo, const std::string& loan, const std::string& rate,
                const std::string& payment);
// Positions are window pixels.
bool moveMouse(Quillo& quillo, int x, int y);
bool click(Quillo& quillo, int x, int y, MouseButton button = MouseButton::Left);
bool pressButton(Quillo& quillo, MouseButton button);
bool releaseButton(Quillo& quillo, MouseButton button);
// Positive steps turn the wheel away from the user.
bool turnWheel(Quillo& quillo, int steps);
// The window's close button, as a window manager sends it (WM_DELETE_WINDOW).
bool pressCloseButton(Quillo& quillo);

// ---- The screen ----
bool takeScreenshot(Quillo& quillo, Screen& screen);
// Pixels of the X server's screen as it holds them now, row by row, in its own pixel values: one
// small read, far quicker than a screenshot, for timing what the program shows. Empty when the
// server cannot be read.
std::vector<unsigned long> serverPixels(int x, int y, int width, int height);
// Takes screenshots until `ready` holds; fails after the timeout, naming `what` was awaited.
bool waitForScreen(Quillo& quillo, const std::function<bool(const Screen&)>& ready,
                   const std::string& what, Screen& screen, int timeoutMs = SCREEN_TIMEOUT_MS);
bool waitForText(Quillo& quillo, const std::string& text, Screen& screen,
                 int timeoutMs = SCREEN_TIMEOUT_MS);
// Waits until the schedule's last line shown is that month's.
bool waitForScheduleMonth(Quillo& quillo, int month, Screen& screen,
                          int timeoutMs = SCREEN_TIMEOUT_MS);
// The screen as text, one numbered line per row that is not blank.
std::string describeScreen(const Screen& screen);
bool savePng(const Screen& screen, const std::string& path);

}  // namespace e2e
