#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
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

// A directory that may be entered but not listed (mode 0311), as its owner sees it: the file is
// still found under either spelling, read, and written back in place with the scheme switched. Root
// lists any directory, so as root the run is made as the unprivileged user "nobody", who owns the
// directory.
TEST(OptionsFileNameCase, ADirectoryThatCannotBeListedKeepsTheSettings) {
  constexpr uid_t NOBODY = 65534;
  struct Case {
    const char* name;  // nullptr: no file
    std::vector<std::string> namesAfter;
    std::string after;
    bool directoryAsReadName = false;  // a directory named QuilloOptions.txt is no options file
  };
  for (const Case& c : {Case{"quilloOptions.txt", {"quilloOptions.txt"}, "\"bell.wav\"\r\n2\r\n"},
                        Case{"QuilloOptions.txt", {"QuilloOptions.txt"}, "\"bell.wav\"\r\n2\r\n"},
                        Case{nullptr, {"quilloOptions.txt"}, "\"ding.wav\"\r\n1\r\n"},
                        Case{"quilloOptions.txt",
                             {"QuilloOptions.txt", "quilloOptions.txt"},
                             "\"bell.wav\"\r\n2\r\n",
                             true}}) {
    SCOPED_TRACE(c.name ? c.name : "no file");
    ScratchDirectory dir;
    headless::reset();
    const bool root = geteuid() == 0;
    if (c.directoryAsReadName) std::filesystem::create_directory("QuilloOptions.txt");
    if (c.name) scratch::writeFile(c.name, "\"bell.wav\"\r\n1\r\n");
    if (root) {
      ASSERT_EQ(chown(".", NOBODY, NOBODY), 0);
      if (c.name) {
        ASSERT_EQ(chown(c.name, NOBODY, NOBODY), 0);
      }
    }
    ASSERT_EQ(chmod(".", 0311), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (root && (setgid(NOBODY) != 0 || setuid(NOBODY) != 0)) _exit(3);
      // The run can tell it cannot list: otherwise the case proves nothing.
      if (opendir(".") != nullptr) _exit(4);
      readOptions();
      colourSchemeState.colourScheme = 3 - colourSchemeState.colourScheme;
      writeOptions();
      _exit(0);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(chmod(".", 0700), 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_EQ(scratch::fileNames(), c.namesAfter);
    EXPECT_EQ(scratch::readFile(c.namesAfter.back()), c.after);
  }
}
