#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "colours/builtInPalettes.h"
#include "e2e/e2eHarness.h"
#include "support/colourDialogSupport.h"
#include "support/screenReader.h"

// The options panel and the colour editor in the real window.

namespace {

using ColoursE2e = e2e::ProgramRun;

using colourDialogs::Point;

constexpr const char* LIGHT_ON_DARK_OPTIONS = "\"ding.wav\"\r\n1\r\n";

bool click(e2e::Quillo& quillo, Point at) {
  return e2e::click(quillo, at.x, at.y);
}

uint32_t rgbOf(const int32_t (&levels)[3]) {
  return xwdImage::rgbOfLevels(levels[0], levels[1], levels[2]);
}

// Waits for the colour editor of the current scheme, opened from the "Options" control.
bool openColourEditor(e2e::Quillo& quillo, e2e::Screen& screen) {
  return e2e::waitForText(quillo, "QUILLO 2.1", screen) && click(quillo, colourDialogs::OPTIONS) &&
         e2e::waitForText(quillo, "Color palette:", screen) &&
         click(quillo, colourDialogs::CHANGE_A_COLOR) &&
         e2e::waitForText(quillo, "Change a Color", screen);
}

std::vector<std::string> builtInLines(int scheme) {
  std::vector<std::string> lines;
  for (const auto& levels : builtInPalettes[scheme]) {
    lines.push_back(
        colourDialogs::paletteLine(colourDialogs::pack(levels[0], levels[1], levels[2])));
  }
  return lines;
}

std::string asFile(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

TEST_F(ColoursE2e, LightOnDarkRecoloursTheWholeScreenAtOnce) {
  ASSERT_TRUE(atForm());
  ASSERT_TRUE(click(quillo, colourDialogs::OPTIONS));
  ASSERT_TRUE(e2e::waitForText(quillo, "Color palette:", screen));
  ASSERT_TRUE(click(quillo, colourDialogs::LIGHT_ON_DARK));

  // Only once every pixel shows a colour of the new palette does the text read again.
  quillo.palette = &builtInPalettes[SCHEME_LIGHT_ON_DARK];
  ASSERT_TRUE(e2e::waitForScreen(
      quillo,
      [](const e2e::Screen& s) {
        for (uint8_t colour : s.colours) {
          if (colour == xwdImage::NO_COLOUR) return false;
        }
        return true;
      },
      "every pixel in the colours of Light on Dark", screen));
  EXPECT_EQ(screenReader::textAt(5, 10, 13, screen.pixels()), "Light on Dark")
      << e2e::describeScreen(screen);
  const screenReader::Cell title = screenReader::readCell(1, 35, screen.pixels());
  EXPECT_EQ(title.ink, 14);
  EXPECT_EQ(title.paper, 0);
  const uint32_t nearBlackBlue = rgbOf(builtInPalettes[SCHEME_LIGHT_ON_DARK][0]);
  EXPECT_EQ(screen.rgb.pixels[479 * 640 + 320], nearBlackBlue) << "the background too";

  ASSERT_TRUE(click(quillo, colourDialogs::PANEL_OK));
  ASSERT_TRUE(e2e::waitForScreen(
      quillo,
      [](const e2e::Screen& s) {
        return screenReader::textAt(4, 4, 14, s.pixels()) != "Color palette:";
      },
      "the panel closed", screen));
  endWith("Escape");
  EXPECT_EQ(e2e::readWorkFile(quillo, "quilloOptions.txt"), LIGHT_ON_DARK_OPTIONS);
  EXPECT_EQ(e2e::workFileNames(quillo), std::vector<std::string>{"quilloOptions.txt"});
}

TEST_F(ColoursE2e, AnEditedTitleColourIsShownAndSaved) {
  ASSERT_TRUE(e2e::start(quillo, {{"quilloOptions.txt", LIGHT_ON_DARK_OPTIONS}}));
  quillo.palette = &builtInPalettes[SCHEME_LIGHT_ON_DARK];
  ASSERT_TRUE(openColourEditor(quillo, screen));
  // "Titles" and red are chosen on the first opening; Down takes the level down one step.
  ASSERT_TRUE(e2e::pressKeys(quillo, "Down Down Down"));
  ASSERT_TRUE(e2e::waitForText(quillo, "60     63     11", screen));
  ASSERT_TRUE(click(quillo, colourDialogs::EDITOR_OK));

  xwdImage::PaletteLevels edited;
  std::memcpy(edited, builtInPalettes[SCHEME_LIGHT_ON_DARK], sizeof edited);
  edited[14][0] = 60;
  quillo.palette = &edited;
  ASSERT_TRUE(e2e::waitForScreen(
      quillo,
      [](const e2e::Screen& s) {
        return screenReader::textAt(14, 51, 14, s.pixels()) != "Change a Color" &&
               screenReader::readCell(1, 35, s.pixels()).ink == 14;
      },
      "the editor closed, the titles in the new colour", screen));
  EXPECT_EQ(screenReader::textAt(1, 35, 10, screen.pixels()), "QUILLO 2.1");
  const uint32_t newTitles = xwdImage::rgbOfLevels(60, 63, 11);
  int titlePixels = 0;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 640; ++x) titlePixels += screen.rgb.pixels[y * 640 + x] == newTitles;
  }
  EXPECT_GT(titlePixels, 100) << "the three title lines";

  ASSERT_TRUE(click(quillo, colourDialogs::PANEL_OK));
  endWith("Escape");
  std::vector<std::string> lines = builtInLines(SCHEME_LIGHT_ON_DARK);
  lines[14] = "60,63,11";
  EXPECT_EQ(e2e::readWorkFile(quillo, "lightOnDarkPalette.txt"), asFile(lines));
}

TEST_F(ColoursE2e, TheCloseButtonInTheEditorEndsTheProgramAndWritesBothFiles) {
  ASSERT_TRUE(e2e::start(quillo, {{"quilloOptions.txt", LIGHT_ON_DARK_OPTIONS}}));
  quillo.palette = &builtInPalettes[SCHEME_LIGHT_ON_DARK];
  ASSERT_TRUE(openColourEditor(quillo, screen));
  ASSERT_TRUE(e2e::pressKeys(quillo, "Tab Tab Up"));
  ASSERT_TRUE(e2e::waitForText(quillo, "63     63     12", screen));
  endWith(e2e::CLOSE_BUTTON);
  std::vector<std::string> lines = builtInLines(SCHEME_LIGHT_ON_DARK);
  lines[14] = "63,63,12";
  EXPECT_EQ(e2e::readWorkFile(quillo, "lightOnDarkPalette.txt"), asFile(lines));
  EXPECT_EQ(e2e::readWorkFile(quillo, "quilloOptions.txt"), LIGHT_ON_DARK_OPTIONS);
}

}  // namespace
