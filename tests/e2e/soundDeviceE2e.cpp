#include <gtest/gtest.h>

#include <string>

#include "e2e/e2eHarness.h"
#include "support/mainScreenScript.h"
#include "support/scratchDirectory.h"

// Without a working sound device the program runs silent: a refused key, which would sound the
// warning, changes nothing else, and the program ends as usual.

namespace {

using SoundDeviceE2e = e2e::ProgramRun;

std::string warningSound() {
  return scratch::readFile(QUILLO_SOURCE_DIR "/run/illegalChar.wav");
}

// The field's text; the cell after it may show the blinking cursor.
bool loanFieldStartsWith(const e2e::Screen& screen, const std::string& text) {
  return mainScript::fieldText(FOCUS_LOAN, screen.pixels()).rfind(text, 0) == 0;
}

TEST_F(SoundDeviceE2e, TheProgramRunsSilentWhenTheSoundDeviceFails) {
  // An unknown driver fails at once; ALSA without a sound card fails when the device opens.
  for (const char* driver : {"bogus", "alsa"}) {
    SCOPED_TRACE(driver);
    e2e::Quillo quillo;
    quillo.environment = {std::string("SDL_AUDIODRIVER=") + driver};
    ASSERT_TRUE(e2e::start(quillo, {{"illegalChar.wav", warningSound()}}));
    e2e::Screen screen;
    ASSERT_TRUE(e2e::waitForText(quillo, "Loan Amount:", screen));
    ASSERT_TRUE(e2e::typeText(quillo, "1x2x3"));
    ASSERT_TRUE(e2e::waitForScreen(
        quillo, [](const e2e::Screen& s) { return loanFieldStartsWith(s, "123"); },
        "123 in the loan amount", screen));
    EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN, screen.pixels()).find('x'), std::string::npos);
    // The close button rather than a key: the program may be gone before a key is let go.
    e2e::endWith(quillo, e2e::CLOSE_BUTTON);
    EXPECT_EQ(e2e::readWorkFile(quillo, "quilloOptions.txt"), e2e::DEFAULT_OPTIONS);
  }
}

}  // namespace
