#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "e2e/childProcess.h"
#include "e2e/e2eHarness.h"
#include "e2e/hostileOwner.h"
#include "e2e/xvfbDisplay.h"
#include "support/mainScreenScript.h"

// Pasting from a clipboard whose owner has gone away, or hangs, while the program runs: nothing
// breaks, the field keeps its text (or shows what the program got), and typing goes on.

namespace {

using ClipboardOwnerE2e = e2e::ProgramRun;

constexpr int OFFER_TIMEOUT_MS = 5000;
// A paste whose owner has not sent it all is given up on after this long.
constexpr int PASTE_GIVEN_UP_MS = 5000;
constexpr int ANSWERS_WITHIN_MS = 1000;
// What xdotool and the screenshots add on a busy machine, measured from the key's sending.
constexpr int HARNESS_MS = 2000;
constexpr int ENDS_WITHIN_MS = 1500;
constexpr int CLOSE_BUTTON = -1;

// Another program owning the clipboard: xclip serving the text until it is ended.
struct ClipboardOwner {
  pid_t pid = -1;
  std::string file;
  ~ClipboardOwner() {
    childProcess::stop(pid, 0);
    if (!file.empty()) std::remove(file.c_str());
  }
};

std::string clipboardNow() {
  std::string output;
  childProcess::run({"xclip", "-o", "-selection", "clipboard"},
                    {"DISPLAY=" + xvfbDisplay::displayState.name}, 2000, output);
  return output;
}

bool offer(ClipboardOwner& owner, const std::string& text) {
  char name[] = "/tmp/quilloE2eClipXXXXXX";
  const int fd = mkstemp(name);
  if (fd < 0) return false;
  close(fd);
  owner.file = name;
  std::ofstream(owner.file, std::ios::binary) << text;
  childProcess::Spawn spawn;
  spawn.argv = {"xclip", "-quiet", "-selection", "clipboard", "-i", owner.file};
  spawn.environment = {"DISPLAY=" + xvfbDisplay::displayState.name};
  spawn.deathSignal = SIGKILL;
  owner.pid = childProcess::start(spawn);
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(OFFER_TIMEOUT_MS);
  while (std::chrono::steady_clock::now() < deadline) {
    if (clipboardNow() == text) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

// The loan amount field's text; the cell after it may show the blinking cursor.
std::string loanField(const e2e::Screen& screen) {
  std::string text = mainScript::fieldText(FOCUS_LOAN, screen.pixels());
  const size_t end = text.find_first_not_of("0123456789.,");
  return text.substr(0, end);
}

struct OwnerFate {
  const char* name;
  bool hang;  // stopped, so it holds the clipboard but never answers; else killed
};

TEST_F(ClipboardOwnerE2e, PastingAfterTheOwnerWentAwayOrHangsBreaksNothing) {
  for (OwnerFate fate : {OwnerFate{"owner killed", false}, OwnerFate{"owner hung", true}}) {
    SCOPED_TRACE(fate.name);
    e2e::Quillo quillo;
    ASSERT_TRUE(e2e::start(quillo));
    e2e::Screen screen;
    ASSERT_TRUE(e2e::waitForText(quillo, "Loan Amount:", screen));
    ClipboardOwner owner;
    ASSERT_TRUE(offer(owner, "4321")) << "xclip did not take the clipboard";
    // While the owner is there, the paste works.
    ASSERT_TRUE(e2e::pressKeys(quillo, "ctrl+v"));
    ASSERT_TRUE(e2e::waitForScreen(
        quillo, [](const e2e::Screen& s) { return loanField(s) == "4321"; }, "the pasted 4321",
        screen));
    if (fate.hang) {
      ASSERT_EQ(kill(owner.pid, SIGSTOP), 0);
    } else {
      childProcess::stop(owner.pid, 0);
      owner.pid = -1;
    }
    ASSERT_TRUE(e2e::pressKeys(quillo, "ctrl+v"));
    ASSERT_TRUE(e2e::typeText(quillo, "5"));
    // The paste gave either nothing the field admits or the text once more.
    ASSERT_TRUE(e2e::waitForScreen(
        quillo,
        [](const e2e::Screen& s) {
          const std::string text = loanField(s);
          return text == "43215" || text == "432143215";
        },
        "the key typed after the paste", screen, PASTE_GIVEN_UP_MS + e2e::SCREEN_TIMEOUT_MS));
    // The close button rather than a key: the program may be gone before a key is let go.
    e2e::endWith(quillo, e2e::CLOSE_BUTTON);
  }
}

// An owner that trickles its pieces or floods the program's window with changes holds a paste
// for a few seconds at most: the window answers a key within a second of that, and a quit
// request during the paste ends the program at once, through its exit path.
struct Hostile {
  const char* name;
  std::vector<std::string> owner;
  int quit;  // a signal, the close button, or 0 for a key typed after the paste
};

TEST_F(ClipboardOwnerE2e, AHostileOwnerHoldsAPasteAFewSecondsAtMost) {
  const std::vector<std::string> trickle = {"incr", "100000", "10000", "1500", "30"};
  const std::vector<std::string> flood = {"flood", "1", "30"};
  for (const Hostile& c :
       {Hostile{"trickle, a key", trickle, 0}, Hostile{"flood, a key", flood, 0},
        Hostile{"trickle, SIGTERM", trickle, SIGTERM}, Hostile{"flood, SIGHUP", flood, SIGHUP},
        Hostile{"trickle, the close button", trickle, CLOSE_BUTTON}}) {
    SCOPED_TRACE(c.name);
    e2e::Quillo quillo;
    e2e::Screen screen;
    ASSERT_TRUE(e2e::startAtForm(quillo, screen));
    e2e::HostileOwner owner;
    ASSERT_TRUE(e2e::startHostileOwner(owner, c.owner));
    const auto pasted = std::chrono::steady_clock::now();
    ASSERT_TRUE(e2e::pressKeys(quillo, "ctrl+v"));
    if (c.quit == 0) {
      ASSERT_TRUE(e2e::typeText(quillo, "5"));
      const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
          std::chrono::steady_clock::now() - pasted);
      ASSERT_TRUE(e2e::waitForScreen(
          quillo, [](const e2e::Screen& s) { return loanField(s) == "5"; },
          "the key typed during the paste", screen,
          PASTE_GIVEN_UP_MS + ANSWERS_WITHIN_MS + HARNESS_MS - static_cast<int>(spent.count())));
      ASSERT_TRUE(e2e::pressCloseButton(quillo));
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the paste under way
      ASSERT_TRUE(c.quit == CLOSE_BUTTON ? e2e::pressCloseButton(quillo)
                                         : kill(quillo.pid, c.quit) == 0);
      ASSERT_TRUE(e2e::waitForExit(quillo, ENDS_WITHIN_MS));
    }
    ASSERT_TRUE(e2e::waitForExit(quillo));
    EXPECT_EQ(quillo.exitStatus, 0) << e2e::programOutput(quillo);
    EXPECT_NE(e2e::readWorkFile(quillo, "quilloOptions.txt"), "");
  }
}

}  // namespace
