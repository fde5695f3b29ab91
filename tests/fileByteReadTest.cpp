#include <gtest/gtest.h>

#include <string>

#include "screen/screen.h"
#include "support/scratchDirectory.h"

namespace {

// Macro files are read byte by byte, each byte checked with lastError and atEndOfFile.
TEST(FileByteRead, EveryByteComesBackThenTheEndIsAnError) {
  const std::string bytes("A;\r\n\0\xff", 6);
  ScratchDirectory directory;
  scratch::writeFile("keys.mac", bytes);
  int file = screen::freeFileNumber();
  ASSERT_EQ(screen::openFile("keys.mac", screen::FileMode::ReadBinary, file), 0);
  for (size_t i = 0; i < bytes.size(); ++i) {
    EXPECT_FALSE(screen::atEndOfFile(file)) << "before byte " << i;
    EXPECT_EQ(screen::readByte(file), bytes.substr(i, 1)) << "byte " << i;
    EXPECT_EQ(screen::lastError(), 0) << "byte " << i;
  }
  EXPECT_TRUE(screen::atEndOfFile(file));
  EXPECT_EQ(screen::readByte(file), "");
  EXPECT_NE(screen::lastError(), 0);
  screen::closeFile(file);
}

TEST(FileByteRead, AnEmptyFileIsAtItsEndAtOnce) {
  ScratchDirectory directory;
  scratch::writeFile("empty.mac", "");
  int file = screen::freeFileNumber();
  ASSERT_EQ(screen::openFile("empty.mac", screen::FileMode::ReadBinary, file), 0);
  EXPECT_TRUE(screen::atEndOfFile(file));
  screen::closeFile(file);
}

TEST(FileByteRead, AMissingFileIsAnErrorResult) {
  ScratchDirectory directory;
  for (screen::FileMode mode : {screen::FileMode::ReadBinary, screen::FileMode::ReadText}) {
    int file = screen::freeFileNumber();
    int32_t result = screen::openFile("absent.mac", mode, file);
    EXPECT_GT(result, 0);
    EXPECT_EQ(screen::lastError(), result);
    EXPECT_EQ(screen::freeFileNumber(), file);  // the number stays free
  }
}

}  // namespace
