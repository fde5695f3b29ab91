#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/program.h"
#include "editor/fieldEditor.h"
#include "screen/private/headless.h"
#include "support/editorTestSupport.h"
#include "support/mainScreenScript.h"
#include "support/scratchDirectory.h"

// The window loses the focus, or is minimised, while the user types into a field, and gets it
// back: the cursor hides and comes back blinking, and typing goes on regardless.

namespace {

using editorTest::CursorShape;

constexpr int LOAN_ROW = 4, LOAN_COLUMN = 19;

struct Sample {
  double ms;
  bool active;
  CursorShape cursor;
  std::string field;
};

// What the user saw each time the program looked for input.
std::vector<Sample> watchTheLoanField() {
  std::vector<Sample> samples;
  headless::headlessState.onPump = [&samples] {
    const headless::HeadlessState& h = headless::headlessState;
    samples.push_back({h.clockMs, h.active,
                       editorTest::cursorShapeAt(LOAN_ROW, LOAN_COLUMN + fieldEditor.cursorPos),
                       mainScript::fieldText(FOCUS_LOAN)});
  };
  runProgram();
  headless::headlessState.onPump = nullptr;
  return samples;
}

// The cursor shapes seen from `fromMs` up to `toMs`.
std::vector<CursorShape> shapesBetween(const std::vector<Sample>& samples, double fromMs,
                                       double toMs) {
  std::vector<CursorShape> shapes;
  for (const Sample& s : samples) {
    if (s.ms >= fromMs && s.ms < toMs) shapes.push_back(s.cursor);
  }
  return shapes;
}

bool blinks(const std::vector<CursorShape>& shapes) {
  bool shown = false, hidden = false;
  for (CursorShape shape : shapes) {
    shown = shown || shape == CursorShape::Caret;
    hidden = hidden || shape == CursorShape::None;
  }
  return shown && hidden;
}

}  // namespace

TEST(WindowFocus, TheCursorHidesWhileTheWindowIsInactiveAndTypingGoesOn) {
  ScratchDirectory directory;
  headless::reset();
  headless::type("12");
  headless::wait(1200);  // 0 to 1200 ms: editing in front
  headless::setActive(false);
  headless::wait(1500);  // to 2700 ms: behind another window
  headless::type("3");
  headless::wait(1500);  // to 4200 ms: still behind, a key typed
  headless::setActive(true);
  headless::wait(1500);  // to 5700 ms: in front again
  const std::vector<Sample> samples = watchTheLoanField();

  EXPECT_TRUE(blinks(shapesBetween(samples, 0, 1200)));
  // The first idle poll after the focus went hides the cursor.
  for (CursorShape shape : shapesBetween(samples, 1220, 4200)) {
    EXPECT_EQ(shape, CursorShape::None);
  }
  bool typedWhileInactive = false;
  for (const Sample& s : samples) {
    typedWhileInactive = typedWhileInactive || (!s.active && s.field == "123");
  }
  EXPECT_TRUE(typedWhileInactive) << "the key typed behind another window did not show";
  const std::vector<CursorShape> back = shapesBetween(samples, 4220, 5700);
  ASSERT_FALSE(back.empty());
  EXPECT_EQ(back.front(), CursorShape::Caret) << "the cursor is not back at once";
  EXPECT_TRUE(blinks(back));
  EXPECT_EQ(mainScript::fieldText(FOCUS_LOAN), "123");
}
