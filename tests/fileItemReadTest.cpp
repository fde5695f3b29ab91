#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screen/screen.h"
#include "support/scratchDirectory.h"

namespace {

struct Item {
  bool number;
  std::string text;
  int32_t value;
};

Item text(std::string t) {
  return {false, std::move(t), 0};
}

Item number(int32_t v) {
  return {true, "", v};
}

struct Case {
  const char* what;
  std::string file;
  std::vector<Item> items;
};

TEST(FileItemRead, ItemsComeBackAsTheFileHoldsThem) {
  const Case cases[] = {
      {"options file", "\"ding.wav\"\r\n2\r\n", {text("ding.wav"), number(2)}},
      {"palette line", "63,0,21\r\n", {number(63), number(0), number(21)}},
      {"LF line ends", "1\n2\nlast\n", {number(1), number(2), text("last")}},
      {"CR line ends", "1\r2\rlast\r", {number(1), number(2), text("last")}},
      {"quoted text keeps its commas", "\"a, b,c\",x\r\n", {text("a, b,c"), text("x")}},
      {"spaces and one comma after the closing quote",
       "\"a\"  ,\"b\" \r\nc",
       {text("a"), text("b"), text("c")}},
      {"unquoted text keeps inner and trailing spaces",
       "  two words  ,next\r\n",
       {text("two words  "), text("next")}},
      {"blanks before an item are skipped", "\t 7,\t8\r\n", {number(7), number(8)}},
      {"a number ends at a blank", "12 34\r\n", {number(12), number(34)}},
      {"text that is not a number reads 0", "abc,5\r\n", {number(0), number(5)}},
      {"halves round to the even neighbour",
       "2.5,3.5,-2.5,0.5,1.5\r\n",
       {number(2), number(4), number(-2), number(0), number(2)}},
      {"decimals and exponents round to the nearest",
       "2.4999,7.6,1e1,-3.7\r\n",
       {number(2), number(8), number(10), number(-4)}},
      {"empty items between separators", ",,\r\n", {text(""), text(""), text("")}},
      {"an empty line is an empty item", "\r\nx\r\n", {text(""), text("x")}},
      {"a file that ends early gives empty items",
       "\"only\"",
       {text("only"), text(""), number(0), text("")}},
      {"an empty file", "", {number(0), text("")}},
  };
  for (const Case& c : cases) {
    ScratchDirectory directory;
    scratch::writeFile("items.txt", c.file);
    int file = screen::freeFileNumber();
    ASSERT_EQ(screen::openFile("items.txt", screen::FileMode::ReadText, file), 0) << c.what;
    for (size_t i = 0; i < c.items.size(); ++i) {
      const Item& expected = c.items[i];
      if (expected.number) {
        int32_t value = -999;
        screen::readItem(file, value);
        EXPECT_EQ(value, expected.value) << c.what << ", item " << i + 1;
      } else {
        std::string value = "unread";
        screen::readItem(file, value);
        EXPECT_EQ(value, expected.text) << c.what << ", item " << i + 1;
      }
    }
    screen::closeFile(file);
  }
}

TEST(FileItemRead, TheEndOfTheFileIsSeenAfterTheLastItem) {
  ScratchDirectory directory;
  scratch::writeFile("options.txt", "\"ding.wav\"\r\n2\r\n");
  int file = screen::freeFileNumber();
  ASSERT_EQ(screen::openFile("options.txt", screen::FileMode::ReadText, file), 0);
  std::string sound;
  int32_t scheme = 0;
  screen::readItem(file, sound);
  EXPECT_FALSE(screen::atEndOfFile(file));
  screen::readItem(file, scheme);
  EXPECT_EQ(screen::lastError(), 0);
  EXPECT_TRUE(screen::atEndOfFile(file));
  screen::readItem(file, scheme);
  EXPECT_NE(screen::lastError(), 0);  // reading past the end
  screen::closeFile(file);
}

}  // namespace
