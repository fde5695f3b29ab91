#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "controls/inputLoop.h"
#include "editor/fieldEditor.h"
#include "screen/private/headless.h"
#include "support/editorTestSupport.h"
#include "support/screenReader.h"

namespace {

constexpr int ROW = 7, COLUMN = 20;

struct OptionCase {
  const char* name;
  std::string script;  // editorTest::script keys; a Tab follows
  std::string text = "";
  std::string result = "";
  int options = 0;
  int width = 8;
  int viewLength = 0;
  int cursorIn = 0;
  std::string mask = "(0-9)(.)";
  const char* clipboard = nullptr;  // none: the clipboard holds no text
  int sounds = 0;
  const char* shown = nullptr;  // the field's cells after editing; default: the result, padded
  EventCode event = EVENT_TAB;
  const char* clipboardAfter = nullptr;
  int cursorOut = -1;
  // Listed by name, not as the bytes of the case.
  friend void PrintTo(const OptionCase& c, std::ostream* os) { *os << c.name; }
};

class EditOptions : public testing::TestWithParam<OptionCase> {};

TEST_P(EditOptions, Behave) {
  const OptionCase& c = GetParam();
  editorTest::resetWorld();
  setEditOptions(c.options);
  if (c.clipboard) headless::setClipboard(c.clipboard);
  editorTest::script(c.script + "\t");
  auto run = editorTest::runField(c.text, c.width, c.mask, ROW, COLUMN, GRAPHICS_SCREEN_MODE,
                                  c.viewLength, c.cursorIn);
  EXPECT_EQ(run.text, c.result);
  EXPECT_EQ(run.event, c.event);
  EXPECT_EQ(editorTest::soundCount(), c.sounds);
  int cells = c.viewLength > 0 ? c.viewLength : c.width;
  std::string shown = c.shown ? c.shown : c.result + std::string(cells - c.result.size(), ' ');
  EXPECT_EQ(screenReader::textAt(ROW, COLUMN, cells), shown);
  if (c.clipboardAfter) {
    EXPECT_EQ(headless::headlessState.clipboard, c.clipboardAfter);
  }
  if (c.cursorOut >= 0) {
    EXPECT_EQ(run.cursorPos, c.cursorOut);
  }
  // The dim display never outlives the edit.
  EXPECT_FALSE(fieldEditor.editOptions & EDIT_DIM_TEXT);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, EditOptions,
    testing::Values(
        // Copy and paste.
        OptionCase{.name = "pasteLetterBetweenDigits",
                   .script = "V",
                   .result = "1234",
                   .clipboard = "12a34",
                   .sounds = 1},
        OptionCase{.name = "pasteFillsTheFieldAndDropsTheRest",
                   .script = "EV",
                   .text = "123",
                   .result = "123456",
                   .width = 6,
                   .clipboard = "45678",
                   .sounds = 1},
        OptionCase{.name = "pasteIntoTheMiddle",
                   .script = ">V",
                   .text = "19",
                   .result = "1789",
                   .clipboard = "78",
                   .cursorOut = 3},
        OptionCase{.name = "pasteWithoutTextRefusesUnavailable", .script = "V", .sounds = 11},
        OptionCase{.name = "pasteWithoutTextTypesUnavailable",
                   .script = "V",
                   .result = "unavailable",
                   .width = 12,
                   .mask = "(a-z)"},
        OptionCase{.name = "copyTakesTheWholeText",
                   .script = "C",
                   .text = "250.5",
                   .result = "250.5",
                   .clipboard = "old",
                   .clipboardAfter = "250.5"},
        OptionCase{.name = "copyOfAnEmptyFieldChangesNothing",
                   .script = "C",
                   .clipboard = "old",
                   .clipboardAfter = "old"},
        OptionCase{.name = "copyOffEndsEditing",
                   .script = "C",
                   .text = "5",
                   .result = "5",
                   .options = EDIT_COPY_OFF,
                   .clipboard = "old",
                   .event = EVENT_CTRL_C,
                   .clipboardAfter = "old"},
        OptionCase{.name = "pasteOffEndsEditing",
                   .script = "V",
                   .text = "5",
                   .result = "5",
                   .options = EDIT_PASTE_OFF,
                   .clipboard = "7",
                   .event = EVENT_CTRL_V},
        // Option bits.
        OptionCase{.name = "noTypingRefusesTypingPasteAndDeleteButBackspaceDeletes",
                   .script = "E5V<DB",
                   .text = "123",
                   .result = "13",
                   .options = EDIT_NO_TYPING,
                   .clipboard = "4",
                   .sounds = 3},
        OptionCase{.name = "dimTextReplacedByTyping",
                   .script = "7",
                   .text = "500",
                   .result = "7",
                   .options = EDIT_DIM_TEXT},
        OptionCase{.name = "dimTextReplacedByPaste",
                   .script = "V",
                   .text = "500",
                   .result = "42",
                   .options = EDIT_DIM_TEXT,
                   .clipboard = "42"},
        OptionCase{.name = "dimTextKeptByACursorMove",
                   .script = ">7",
                   .text = "500",
                   .result = "5700",
                   .options = EDIT_DIM_TEXT},
        OptionCase{.name = "dimTextClearedByDelete",
                   .script = "D",
                   .text = "500",
                   .options = EDIT_DIM_TEXT},
        OptionCase{.name = "dimTextLeftAlone",
                   .script = "",
                   .text = "500",
                   .result = "500",
                   .options = EDIT_DIM_TEXT},
        OptionCase{.name = "keepPositions",
                   .script = "9",
                   .text = "1234",
                   .result = "12934",
                   .options = EDIT_KEEP_POSITIONS,
                   .cursorIn = 2,
                   .cursorOut = 3},
        OptionCase{.name = "keepPositionsOutOfRange",
                   .script = "9",
                   .text = "1234",
                   .result = "12349",
                   .options = EDIT_KEEP_POSITIONS,
                   .cursorIn = 99,
                   .cursorOut = 5},
        OptionCase{.name = "positionsStartAtZeroWithoutKeep",
                   .script = "9",
                   .text = "1234",
                   .result = "91234",
                   .cursorIn = 2,
                   .cursorOut = 1},
        OptionCase{.name = "startInOvertype",
                   .script = "9",
                   .text = "123",
                   .result = "923",
                   .options = EDIT_START_OVERTYPE},
        OptionCase{.name = "insertEndsTheStartInOvertype",
                   .script = "I9",
                   .text = "123",
                   .result = "9123",
                   .options = EDIT_START_OVERTYPE},
        OptionCase{.name = "rightAligned",
                   .script = "E4",
                   .text = "123",
                   .result = "1234",
                   .options = EDIT_RIGHT_ALIGNED,
                   .shown = "    1234"},
        // Scrolling fields.
        OptionCase{.name = "scrollsToKeepTheCursorInView",
                   .script = "123456",
                   .result = "123456",
                   .width = 10,
                   .viewLength = 4,
                   .shown = "3456"},
        OptionCase{.name = "homeScrollsBack",
                   .script = "123456H",
                   .result = "123456",
                   .width = 10,
                   .viewLength = 4,
                   .shown = "1234"},
        OptionCase{.name = "shiftTabScrollsBackAndStays",
                   .script = "123456S",
                   .result = "123456",
                   .width = 10,
                   .viewLength = 4,
                   .shown = "1234"},
        OptionCase{.name = "scrollingFieldStillStopsAtItsWidth",
                   .script = "12345678901",
                   .result = "1234567890",
                   .width = 10,
                   .viewLength = 4,
                   .sounds = 1,
                   .shown = "7890"},
        OptionCase{.name = "rightAlignedScrolling",
                   .script = "123456",
                   .result = "123456",
                   .options = EDIT_RIGHT_ALIGNED,
                   .width = 10,
                   .viewLength = 4,
                   .shown = "3456"},
        OptionCase{.name = "rightAlignedScrollingShortText",
                   .script = "12",
                   .result = "12",
                   .options = EDIT_RIGHT_ALIGNED,
                   .width = 10,
                   .viewLength = 4,
                   .shown = "  12"},
        OptionCase{.name = "viewAsWideAsTheFieldDoesNotScroll",
                   .script = "12345",
                   .result = "12345",
                   .width = 5,
                   .viewLength = 5}),
    [](const testing::TestParamInfo<OptionCase>& info) { return std::string(info.param.name); });

TEST(EditOptionsAcrossFields, OvertypeFromTheOptionEndsWhenTheOptionIsCleared) {
  editorTest::resetWorld();
  setEditOptions(EDIT_START_OVERTYPE);
  editorTest::script("\t9\t");
  editorTest::runField("11", 8, "(0-9)", ROW, COLUMN);
  clearEditOptions(EDIT_START_OVERTYPE);
  EXPECT_EQ(editorTest::runField("22", 8, "(0-9)", ROW + 1).text, "922");
}

TEST(EditOptionsAcrossFields, DimDisplayEndsWithTheEdit) {
  editorTest::resetWorld();
  setEditOptions(EDIT_DIM_TEXT);
  editorTest::script("\t9\t");
  editorTest::runField("11", 8, "(0-9)", ROW, COLUMN);
  EXPECT_EQ(screenReader::readCell(ROW, COLUMN).ink, 15);
  EXPECT_EQ(editorTest::runField("22", 8, "(0-9)", ROW + 1).text, "922");
}

}  // namespace
