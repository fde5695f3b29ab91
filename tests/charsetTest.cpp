#include <gtest/gtest.h>

#include <string>

#include "screen/charset.h"

namespace {

// Text the window types and the clipboard holds is UTF-8; the program's own is code page 437.
TEST(Charset, CharactersOfCodePage437ConvertBothWays) {
  struct Case {
    std::string utf8, cp437;
  };
  const Case cases[] = {
      {"plain 123,.", "plain 123,."},
      {"é", "\x82"},
      {"░", "\xb0"},
      {"ü", "\x81"},
      {"£", "\x9c"},
      {"ß", "\xe1"},
      {"█", "\xdb"},
      {"½", "\xab"},
      {"Ä 250,000", "\x8e 250,000"},
      {"\t\r\n", "\t\r\n"},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(screen::utf8ToCp437(c.utf8), c.cp437) << c.utf8;
    EXPECT_EQ(screen::cp437ToUtf8(c.cp437), c.utf8) << c.utf8;
  }
}

TEST(Charset, WhatCodePage437CannotShowIsDropped) {
  struct Case {
    const char* what;
    std::string utf8, cp437;
  };
  const Case cases[] = {
      {"euro sign", "1€2", "12"},
      {"emoji",
       "a\xf0\x9f\x98\x80"
       "b",
       "ab"},
      {"stray continuation byte",
       "a\x80"
       "b",
       "ab"},
      {"sequence cut short at the end", "ab\xc3", "ab"},
      {"lead byte without its continuation",
       "a\xc3"
       "b",
       "ab"},
  };
  for (const Case& c : cases) EXPECT_EQ(screen::utf8ToCp437(c.utf8), c.cp437) << c.what;
}

}  // namespace
