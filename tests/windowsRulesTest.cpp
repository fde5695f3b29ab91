#include <gtest/gtest.h>

#include <string>

#include "screen/private/windowsRules.h"

namespace {

using namespace screen::windowsRules;

// Names Windows opens as a device wherever they stand (Microsoft's "Naming Files, Paths, and
// Namespaces"): reading one would wait on the console or a port, writing one would go nowhere.
TEST(WindowsRules, DeviceNamesAreKnownInEveryDisguise) {
  struct Case {
    const char* name;
    bool device;
  };
  for (const Case& c : {Case{"CON", true},
                        Case{"con", true},
                        Case{"Con.mac", true},
                        Case{"NUL", true},
                        Case{"nul.txt", true},
                        Case{"PRN", true},
                        Case{"aux.wav", true},
                        Case{"COM1", true},
                        Case{"com9.mac", true},
                        Case{"LPT1", true},
                        Case{"lpt0.txt", true},
                        Case{"COM\xFD", true},
                        Case{"CONIN$", true},
                        Case{"conout$", true},
                        Case{"CON .txt", true},
                        Case{"NUL.tar.gz", true},
                        Case{"macros\\nul.mac", true},
                        Case{"C:/data/com1.mac", true},
                        Case{"CON:", true},
                        Case{"CONSOLE", false},
                        Case{"COM10", false},
                        Case{"COM", false},
                        Case{"LPT", false},
                        Case{"xcon", false},
                        Case{"nul_", false},
                        Case{"con\\notes.txt", false},
                        Case{"quilloOptions.txt", false},
                        Case{"ding.wav", false},
                        Case{"", false}}) {
    EXPECT_EQ(isDeviceName(c.name), c.device) << c.name;
  }
}

// Installed, the program's folder is shared by every user of the machine (and under Program
// Files only administrators may write it); unpacked from the zip, the files stay beside the
// program, as a portable program's should, unless that folder is read-only.
TEST(WindowsRules, WhereTheFilesLive) {
  const std::string appData = "C:\\Users\\ann\\AppData\\Roaming";
  const std::string program = "D:\\tools\\quillo";
  struct Case {
    const char* what;
    bool installed, programFolderWritable;
    std::string appData, expected;
  };
  for (const Case& c :
       {Case{"installed", true, false, appData, "C:\\Users\\ann\\AppData\\Roaming\\Quillo"},
        Case{"installed, run by an administrator", true, true, appData,
             "C:\\Users\\ann\\AppData\\Roaming\\Quillo"},
        Case{"unpacked where it may write", false, true, appData, program},
        Case{"unpacked where it may not write", false, false, appData,
             "C:\\Users\\ann\\AppData\\Roaming\\Quillo"},
        Case{"application data ends in a backslash", true, false, "C:\\Roaming\\",
             "C:\\Roaming\\Quillo"},
        Case{"unpacked, read-only, no application data", false, false, "", ""},
        Case{"unpacked, no application data", false, true, "", program}}) {
    EXPECT_EQ(defaultDataDirectory(c.installed, c.programFolderWritable, program, c.appData),
              c.expected)
        << c.what;
  }
  EXPECT_EQ(userDataDirectory(appData), "C:\\Users\\ann\\AppData\\Roaming\\Quillo");
  EXPECT_EQ(userDataDirectory(""), "");
}

// The clipboard of Windows ends lines with CR LF (Excel splits pasted rows on it); the program's
// own text, and what it reads back, ends them with LF.
TEST(WindowsRules, ClipboardLineEnds) {
  struct Case {
    std::string program, clipboard;
  };
  for (const Case& c :
       {Case{"1\t0.00\n2\t0.00\n", "1\t0.00\r\n2\t0.00\r\n"}, Case{"\n\n", "\r\n\r\n"},
        Case{"one line", "one line"}, Case{"", ""}, Case{"a\rb", "a\rb"}}) {
    EXPECT_EQ(crlfLineEnds(c.program), c.clipboard) << c.program;
    EXPECT_EQ(lfLineEnds(c.clipboard), c.program) << c.program;
  }
  // Already ended as Windows ends them: nothing doubled.
  EXPECT_EQ(crlfLineEnds("a\r\nb\n"), "a\r\nb\r\n");
  EXPECT_EQ(lfLineEnds("a\r\r\nb\r"), "a\r\nb\r");
}

}  // namespace
