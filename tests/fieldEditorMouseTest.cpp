#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "controls/inputLoop.h"
#include "editor/fieldEditor.h"
#include "screen/private/headless.h"
#include "support/editorTestSupport.h"

namespace {

constexpr int ROW = 5, COLUMN = 10;

struct ClickCase {
  const char* name;
  std::string text;
  int options;
  int clickRow, clickColumn;
  int screenMode;
  // A click that moves the cursor is followed by a typed "9"; one that ends editing is returned.
  std::string result;
  EventCode event;
  // Listed by name, not as the bytes of the case.
  friend void PrintTo(const ClickCase& c, std::ostream* os) { *os << c.name; }
};

class FieldClicks : public testing::TestWithParam<ClickCase> {};

TEST_P(FieldClicks, MoveTheCursorOrEndEditing) {
  const ClickCase& c = GetParam();
  editorTest::resetWorld();
  setEditOptions(c.options);
  int x = editorTest::cellX(c.clickColumn), y = editorTest::cellY(c.clickRow);
  headless::mouse(x, y, 1);
  headless::mouse(x, y, 0);
  headless::type("9\t");
  auto run = editorTest::runField(c.text, 8, "(0-9)", ROW, COLUMN, c.screenMode);
  EXPECT_EQ(run.text, c.result);
  EXPECT_EQ(run.event, c.event);
  if (c.event == EVENT_LEFT_PRESS) {
    bool cells = c.screenMode == 0;
    EXPECT_EQ(run.pointerX, cells ? c.clickColumn : x);
    EXPECT_EQ(run.pointerY, cells ? c.clickRow : y);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, FieldClicks,
    testing::Values(
        ClickCase{"firstCell", "1234", 0, ROW, COLUMN, 12, "91234", EVENT_TAB},
        ClickCase{"insideTheText", "1234", 0, ROW, COLUMN + 2, 12, "12934", EVENT_TAB},
        ClickCase{"cellJustAfterTheText", "1234", 0, ROW, COLUMN + 4, 12, "12349", EVENT_TAB},
        ClickCase{"oneCellFurtherEnds", "1234", 0, ROW, COLUMN + 5, 12, "1234", EVENT_LEFT_PRESS},
        ClickCase{"leftOfTheFieldEnds", "1234", 0, ROW, COLUMN - 1, 12, "1234", EVENT_LEFT_PRESS},
        ClickCase{"otherRowEnds", "1234", 0, ROW + 1, COLUMN + 1, 12, "1234", EVENT_LEFT_PRESS},
        ClickCase{"rightAlignedFirstTextCell", "123", EDIT_RIGHT_ALIGNED, ROW, COLUMN + 5, 12,
                  "9123", EVENT_TAB},
        ClickCase{"rightAlignedCellAfterTheField", "123", EDIT_RIGHT_ALIGNED, ROW, COLUMN + 8, 12,
                  "1239", EVENT_TAB},
        ClickCase{"rightAlignedPaddingEnds", "123", EDIT_RIGHT_ALIGNED, ROW, COLUMN + 4, 12, "123",
                  EVENT_LEFT_PRESS},
        ClickCase{"dimTextKeptByAClick", "500", EDIT_DIM_TEXT, ROW, COLUMN + 1, 12, "5900",
                  EVENT_TAB},
        ClickCase{"textScreenInsideTheText", "1234", 0, ROW, COLUMN + 1, 0, "19234", EVENT_TAB},
        ClickCase{"textScreenOneCellFurtherEnds", "1234", 0, ROW, COLUMN + 5, 0, "1234",
                  EVENT_LEFT_PRESS}),
    [](const testing::TestParamInfo<ClickCase>& info) { return std::string(info.param.name); });

TEST(FieldDrag, CursorFollowsAHeldButtonAlongTheText) {
  editorTest::resetWorld();
  int y = editorTest::cellY(ROW);
  headless::mouse(editorTest::cellX(COLUMN), y, 1);
  headless::mouse(editorTest::cellX(COLUMN + 3), y, 1);
  headless::mouse(editorTest::cellX(COLUMN + 3), y, 0);
  headless::type("9\t");
  EXPECT_EQ(editorTest::runField("1234", 8, "(0-9)", ROW, COLUMN).text, "12394");
}

}  // namespace
