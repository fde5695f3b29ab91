#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "editor/characterMask.h"
#include "support/editorTestSupport.h"

namespace {

std::string admittedBy(const std::string& mask) {
  buildMaskTable(mask);
  std::string admitted;
  for (int code = 1; code < 256; ++code) {
    if (charInMask(static_cast<char>(code))) admitted += static_cast<char>(code);
  }
  return admitted;
}

std::string thirtyGroups(int count) {
  std::string mask;
  for (int i = 0; i < count; ++i) mask += "(" + std::string(1, static_cast<char>('A' + i)) + ")";
  return mask;
}

struct MaskCase {
  const char* name;
  std::string mask;
  std::string admitted;  // every character from 1 to 255 the mask admits, in code order
  // Listed by name, not as the bytes of the case.
  friend void PrintTo(const MaskCase& c, std::ostream* os) { *os << c.name; }
};

class MaskAdmits : public testing::TestWithParam<MaskCase> {};

TEST_P(MaskAdmits, ExactlyTheListedCharacters) {
  EXPECT_EQ(admittedBy(GetParam().mask), GetParam().admitted);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, MaskAdmits,
    testing::Values(MaskCase{"amount", "(0-9)(.)(,)", ",.0123456789"},
                    MaskCase{"rate", "(0-9)(.)", ".0123456789"},
                    MaskCase{"spacesBetweenGroups", "(0-9)   (.)", ".0123456789"},
                    MaskCase{"empty", "", ""}, MaskCase{"leadingSpace", " (0-9)", ""},
                    MaskCase{"stopsAtStrayCharacter", "(0-9)x(a-c)", "0123456789"},
                    MaskCase{"rightBracketAsSingle", "())", ")"},
                    MaskCase{"spaceAsSingle", "( )", " "},
                    MaskCase{"rangeSeparatorsNotLookedAt", "(a*c]", "abc"},
                    MaskCase{"invertedRangeAdmitsNothing", "(9-0)(.)", "."},
                    MaskCase{"groupCutShortByTheEnd", "(.)(0-", "."},
                    MaskCase{"groupAtTheLastCharacterIsNotRead", "(.)(", "."},
                    MaskCase{"highCodesAreUnsigned", "(\xf0-\xf2)", "\xf0\xf1\xf2"},
                    MaskCase{"thirtyGroups", thirtyGroups(30), "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^"},
                    MaskCase{"groupsPastThirtyIgnored", thirtyGroups(31),
                             "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^"}),
    [](const testing::TestParamInfo<MaskCase>& info) { return std::string(info.param.name); });

TEST(CharacterMask, OnlyTheLastMaskBuiltCounts) {
  buildMaskTable("(a-z)");
  buildMaskTable("(0-9)");
  EXPECT_FALSE(charInMask('q'));
  EXPECT_TRUE(charInMask('7'));
}

TEST(CharacterMask, TestsTheFirstCharacterOfAText) {
  buildMaskTable("(0-9)");
  EXPECT_TRUE(charInMask(std::string_view("5x")));
  EXPECT_FALSE(charInMask(std::string_view("x5")));
  EXPECT_FALSE(charInMask(std::string_view("")));
}

TEST(CharacterMask, IllegalCharacterSound) {
  editorTest::resetWorld();
  playIllegalChar();
  EXPECT_EQ(editorTest::soundCount(), 1);
}

}  // namespace
