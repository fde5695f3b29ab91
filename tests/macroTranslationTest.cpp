#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/macroTranslation.h"

// A macro longer than the buffer may hold stops at a whole key: never half a key code.

TEST(MacroTranslation, AFullBufferStopsReadingAtAWholeKey) {
  struct Case {
    std::string file;
    std::string buffer;
    bool readToTheEnd;
  };
  const std::vector<Case> cases = {
      {"12345678", "12345678", true},
      {"1234567890ab", "1234567890", false},
      {";;;;;;", "\xff\r\xff\r\xff\r\xff\r\xff\r", false},
      {"12345678#1", "12345678\xff;", true},
      {"123456789#1", "123456789", false},
      {"123456789\n\n", "123456789", true},
      {"123456789///", "123456789", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    MacroTranslation translation;
    translation.limit = 10;
    bool reading = true;
    for (char byte : c.file) {
      reading = translateMacroByte(translation, static_cast<unsigned char>(byte));
      if (!reading) break;
    }
    finishMacroTranslation(translation);
    EXPECT_EQ(translation.buffer, c.buffer);
    EXPECT_EQ(reading, c.readToTheEnd);
  }
}
