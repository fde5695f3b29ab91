#include <gtest/gtest.h>

#include <string>

#include "controls/inputLoop.h"
#include "editor/fieldEditor.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/editorTestSupport.h"
#include "support/screenReader.h"

// How the field editor takes keys from a playing macro and deals with one that waits.

namespace {

constexpr int ROW = 5, COLUMN = 10;

void play(const std::string& buffer) {
  inputLoop.macroBuffer = buffer;
  inputLoop.macroReadPos = 1;
  inputLoop.macroPlaying = true;
}

class MacroInField : public testing::Test {
 protected:
  void SetUp() override { editorTest::resetWorld(); }
};

TEST_F(MacroInField, PlayedCharactersAreCheckedAgainstTheMask) {
  play("1a2");
  headless::key("\t");
  auto run = editorTest::runField("", 8, "(0-9)", ROW, COLUMN);
  EXPECT_EQ(run.text, "12");
  EXPECT_EQ(editorTest::soundCount(), 1);
}

TEST_F(MacroInField, WaitingMacroLetsTheUserTypeAndSwallowsWhatWouldEndTheEdit) {
  play("12?");
  editorTest::script("3\t");
  headless::extendedKey(screen::KEY_DOWN);
  editorTest::script("\r4\t");
  auto run = editorTest::runField("", 8, "(0-9)", ROW, COLUMN);
  // Tab and Down were swallowed, Enter went on with the macro, the last Tab ended the edit.
  EXPECT_EQ(run.text, "1234");
  EXPECT_EQ(run.event, EVENT_TAB);
}

TEST_F(MacroInField, EnterAtTheWaitResumesPlayback) {
  play("1?5");
  editorTest::script("2\r");
  headless::wait(50);
  headless::key("\t");
  auto run = editorTest::runField("", 8, "(0-9)", ROW, COLUMN);
  EXPECT_EQ(run.text, "125");
  EXPECT_EQ(run.event, EVENT_TAB);
}

TEST_F(MacroInField, EscAtTheWaitEndsTheMacroWithAMessage) {
  play("1?5");
  editorTest::script(
      "\x1b"
      "2\t");
  auto run = editorTest::runField("", 8, "(0-9)", ROW, COLUMN);
  EXPECT_EQ(run.text, "12");
  EXPECT_FALSE(inputLoop.macroPlaying);
  EXPECT_EQ(screenReader::textAt(1, 1, 30), "Macro processing terminated - ");
  EXPECT_EQ(screenReader::readCell(1, 1).ink, 11);
}

TEST_F(MacroInField, ClickOutsideEndsTheWaitAndTheEdit) {
  play("1?5");
  headless::click(editorTest::cellX(60), editorTest::cellY(20));
  auto run = editorTest::runField("", 8, "(0-9)", ROW, COLUMN);
  EXPECT_EQ(run.event, EVENT_LEFT_PRESS);
  EXPECT_FALSE(inputLoop.macroWaiting);
  EXPECT_TRUE(inputLoop.macroPlaying);
}

TEST_F(MacroInField, KeyCodesOfTheMacroWorkLikeKeys) {
  play(
      "12\xff\x4b"
      "3\xff\x48");
  auto run = editorTest::runField("", 8, "(0-9)", ROW, COLUMN);
  EXPECT_EQ(run.text, "132");
  EXPECT_EQ(run.event, EVENT_UP);
}

TEST_F(MacroInField, CtrlEnterEmptiesTheField) {
  editorTest::script("\n\t");
  auto run = editorTest::runField("7", 8, "(0-9)", ROW, COLUMN);
  EXPECT_EQ(run.text, "");
  EXPECT_EQ(screenReader::textAt(ROW, COLUMN, 8), "        ");
}

TEST_F(MacroInField, TextEndingInALineFeedIsANameNotAnEdit) {
  editorTest::script("\x1b");
  auto run = editorTest::runField("7\n", 8, "(0-9)", ROW, COLUMN);
  EXPECT_EQ(run.text, "");
  EXPECT_EQ(run.event, EVENT_ESC);
  EXPECT_EQ(screenReader::textAt(ROW, COLUMN, 8), "        ");
}

TEST_F(MacroInField, RecallOfAnEmptySlotDoesNothing) {
  play(std::string("1\xff\x03", 3));
  headless::key("\t");
  EXPECT_EQ(editorTest::runField("", 8, "(0-9)", ROW, COLUMN).text, "1");
}

}  // namespace
