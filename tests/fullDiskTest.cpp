#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/program.h"
#include "screen/private/fileTable.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/colourDialogSupport.h"
#include "support/fileFaults.h"
#include "support/mainScreenScript.h"
#include "support/programInvariants.h"
#include "support/scratchDirectory.h"

// A disk that fills up at any byte of the program's writes, through a whole run: the palette
// file written when the colour editor closes, then the options file written at the end. Each
// file is either written whole or left exactly as it was, and no scratch file stays behind.

namespace {

constexpr int OPTIONS_CONTROL = 10;
constexpr const char* PALETTE = "darkOnLightPalette.txt";
constexpr const char* OPTIONS = "quilloOptions.txt";

std::string oldPalette() {
  std::string bytes;
  for (int entry = 0; entry < 16; ++entry) bytes += "1,2,3\r\n";
  return bytes;
}

// The trailing line is dropped when the program writes the file again.
const std::string OLD_OPTIONS = "\"old.wav\"\r\n2\r\nsomething else\r\n";

struct Written {
  std::string palette;
  std::string options;
  std::vector<std::string> names;
};

// Opens the colour editor, raises the titles' red level once, closes the editor with "OK" and
// the panel with its "OK"; the script's end then ends the program. The disk takes `budget`
// bytes, or any number when it is negative.
Written runWithDisk(long budget, bool oldFiles) {
  ScratchDirectory directory;
  if (oldFiles) {
    scratch::writeFile(PALETTE, oldPalette());
    scratch::writeFile(OPTIONS, OLD_OPTIONS);
  }
  headless::reset();
  mainScript::clickControl(OPTIONS_CONTROL);
  headless::click(colourDialogs::CHANGE_A_COLOR.x, colourDialogs::CHANGE_A_COLOR.y);
  headless::extendedKey(screen::KEY_UP);
  headless::click(colourDialogs::EDITOR_OK.x, colourDialogs::EDITOR_OK.y);
  headless::click(colourDialogs::PANEL_OK.x, colourDialogs::PANEL_OK.y);
  FileFaultScope faults({.writeBudget = budget});
  runProgram();
  return {scratch::readFile(PALETTE), scratch::readFile(OPTIONS), scratch::fileNames()};
}

}  // namespace

TEST(FullDisk, EveryFileIsWrittenWholeOrLeftAsItWas) {
  for (bool oldFiles : {true, false}) {
    SCOPED_TRACE(oldFiles ? "old files present" : "no old files");
    const Written whole = runWithDisk(-1, oldFiles);
    ASSERT_TRUE(invariants::isWholePaletteFile(whole.palette)) << whole.palette;
    ASSERT_NE(whole.palette, oldPalette()) << "the editor did not change the palette";
    ASSERT_EQ(whole.options, "\"" + std::string(oldFiles ? "old.wav" : "ding.wav") + "\"\r\n2\r\n");
    const std::string palette = oldFiles ? oldPalette() : "";
    const std::string options = oldFiles ? OLD_OPTIONS : "";
    const long paletteSize = static_cast<long>(whole.palette.size());
    const long total = paletteSize + static_cast<long>(whole.options.size());
    for (long budget = 0; budget <= total; ++budget) {
      SCOPED_TRACE("the disk takes " + std::to_string(budget) + " bytes");
      const Written written = runWithDisk(budget, oldFiles);
      EXPECT_EQ(written.palette, budget >= paletteSize ? whole.palette : palette);
      EXPECT_EQ(written.options, budget >= total ? whole.options : options);
      for (const std::string& name : written.names) {
        EXPECT_EQ(name.find(".tmp"), std::string::npos) << name << " was left behind";
      }
    }
  }
}
