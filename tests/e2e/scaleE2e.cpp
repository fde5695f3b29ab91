#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/mainScreen.h"
#include "e2e/e2eHarness.h"
#include "e2e/xvfbDisplay.h"
#include "support/mainScreenScript.h"
#include "support/screenReader.h"

// The window shown twice as large, on a screen with room for it.

namespace {

const std::string PROMPT = "Press \x19 to step by month.";

// A schedule stepped by a click on the year control and one turn of the wheel, then read back
// at the surface's size, and its chart (F3); `windowWidth` is the window's own width.
bool stepAndRead(e2e::Quillo& quillo, int scale, e2e::Screen& screen, e2e::Screen& chart,
                 int& windowWidth) {
  if (!e2e::startAtForm(quillo, screen) || !e2e::typeInputs(quillo, "250000", "6", "1500") ||
      !e2e::pressKeys(quillo, "Return Return") || !e2e::waitForText(quillo, PROMPT, screen) ||
      !e2e::click(quillo, scale * mainScript::controlX(CONTROL_STEP_YEAR),
                  scale * mainScript::controlY(CONTROL_STEP_YEAR)) ||
      !e2e::waitForScreen(
          quillo,
          [](const e2e::Screen& s) { return mainScript::scheduleRows(s.pixels()).size() == 12; },
          "twelve months", screen) ||
      !e2e::turnWheel(quillo, -1) || !e2e::waitForScheduleMonth(quillo, 13, screen)) {
    return false;
  }
  xwdImage::RgbImage window;
  std::string error;
  windowWidth = xwdImage::parse(screen.xwd, window, error) ? window.width : -1;
  return e2e::pressKeys(quillo, "F3") &&
         e2e::waitForScreen(
             quillo,
             [](const e2e::Screen& s) {
               return screenReader::rowText(1, s.pixels()).find("Loan") != std::string::npos;
             },
             "the chart", chart) &&
         e2e::pressKeys(quillo, "Escape") && e2e::waitForText(quillo, PROMPT, screen) &&
         e2e::pressKeys(quillo, "Escape") && e2e::waitForExit(quillo);
}

// A screen of its own for the test, and the usual one again for the tests after it.
struct DisplaySize {
  DisplaySize(int width, int height) { resize(width, height); }
  ~DisplaySize() { resize(640, 480); }
  static void resize(int width, int height) {
    xvfbDisplay::stopDisplay();
    xvfbDisplay::displayState.width = width;
    xvfbDisplay::displayState.height = height;
  }
};

TEST(ScaleE2e,
     AtScaleTwoTheScreenAndTheChartAreTheSameAndClicksAtTwiceTheCoordinatesPressControls) {
  DisplaySize screenSize(1280, 960);
  std::vector<uint32_t> shown[2], charts[2];
  for (int scale : {1, 2}) {
    SCOPED_TRACE("scale " + std::to_string(scale));
    e2e::Quillo quillo;
    // Two thirds of this screen hold no window larger than 640x480: scale 1 is the default.
    if (scale == 2) quillo.arguments = {"--scale", "2"};
    e2e::Screen screen, chart;
    int windowWidth = 0;
    ASSERT_TRUE(stepAndRead(quillo, scale, screen, chart, windowWidth));
    EXPECT_EQ(windowWidth, 640 * scale);
    EXPECT_EQ(quillo.exitStatus, 0) << e2e::programOutput(quillo);
    shown[scale - 1] = screen.rgb.pixels;
    charts[scale - 1] = chart.rgb.pixels;
  }
  for (const auto* pictures : {shown, charts}) {
    size_t differing = 0;
    for (size_t i = 0; i < pictures[0].size() && i < pictures[1].size(); ++i) {
      differing += pictures[0][i] != pictures[1][i];
    }
    EXPECT_EQ(pictures[0].size(), pictures[1].size());
    EXPECT_EQ(differing, 0u) << "pixels that differ between scale 1 and scale 2"
                             << (pictures == charts ? " in the chart" : "");
  }
}

}  // namespace
