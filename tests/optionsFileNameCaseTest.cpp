#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/optionsFile.h"
#include "colours/colourScheme.h"
#include "screen/private/headless.h"
#include "support/scratchDirectory.h"

// The file is read as QuilloOptions.txt and written as quilloOptions.txt; on a file system that
// tells case apart both must still reach the one file there is, whatever its spelling.
TEST(OptionsFileNameCase, AnySpellingIsReadAndRewrittenInPlace) {
  for (const char* name : {"QuilloOptions.txt", "quilloOptions.txt", "QUILLOOPTIONS.TXT",
                           "quillooptions.txt", "qUiLlOoPtIoNs.TxT"}) {
    SCOPED_TRACE(name);
    ScratchDirectory dir;
    headless::reset();
    scratch::writeFile(name, "\"bell.wav\"\r\n1\r\n");
    readOptions();
    EXPECT_EQ(options.soundFileName, "bell.wav");
    EXPECT_EQ(colourSchemeState.colourScheme, 1);

    colourSchemeState.colourScheme = 2;
    writeOptions();
    EXPECT_EQ(scratch::fileNames(), std::vector<std::string>{name});
    EXPECT_EQ(scratch::readFile(name), "\"bell.wav\"\r\n2\r\n");
  }
}

TEST(OptionsFileNameCase, WithNoFileTheWrittenNameIsLowerCamelCase) {
  ScratchDirectory dir;
  headless::reset();
  readOptions();
  writeOptions();
  EXPECT_EQ(scratch::fileNames(), std::vector<std::string>{"quilloOptions.txt"});
}

// Two spellings side by side can only be made outside the program; it keeps to one of them.
TEST(OptionsFileNameCase, WithTwoSpellingsTheSameOneIsReadAndWritten) {
  ScratchDirectory dir;
  headless::reset();
  scratch::writeFile("quilloOptions.txt", "\"lower.wav\"\r\n2\r\n");
  scratch::writeFile("QuilloOptions.txt", "\"upper.wav\"\r\n1\r\n");
  readOptions();
  EXPECT_EQ(options.soundFileName, "upper.wav");
  colourSchemeState.colourScheme = 2;
  writeOptions();
  EXPECT_EQ(scratch::readFile("QuilloOptions.txt"), "\"upper.wav\"\r\n2\r\n");
  EXPECT_EQ(scratch::readFile("quilloOptions.txt"), "\"lower.wav\"\r\n2\r\n");
}

TEST(OptionsFileNameCase, SimilarNamesAreNotTheOptionsFile) {
  ScratchDirectory dir;
  headless::reset();
  for (const char* other : {"QuilloOptions.txt.bak", "xQuilloOptions.txt", "QuilloOptions.tx"}) {
    scratch::writeFile(other, "\"bell.wav\"\r\n1\r\n");
  }
  readOptions();
  EXPECT_EQ(colourSchemeState.colourScheme, 2);
  writeOptions();
  EXPECT_EQ(scratch::readFile("quilloOptions.txt"), "\"ding.wav\"\r\n2\r\n");
}
