#include <gtest/gtest.h>

#include "app/program.h"
#include "screen/private/headless.h"
#include "support/screenReader.h"

TEST(TitleScreen, TitlesAreCentredInTheTitleColour) {
  headless::reset();
  headless::key("\x1b");
  runProgram();
  struct Expected {
    int row, column;
    std::string text;
  };
  for (const Expected& e : {Expected{1, 35, "QUILLO 2.1"}, Expected{2, 32, "Quillo Calculator"},
                            Expected{3, 23, "with variable rate/payment feature"}}) {
    EXPECT_EQ(screenReader::textAt(e.row, e.column, static_cast<int>(e.text.size())), e.text);
    EXPECT_EQ(screenReader::readCell(e.row, e.column).ink, 14);
    EXPECT_EQ(screenReader::readCell(e.row, e.column - 1).character, ' ');
  }
}
