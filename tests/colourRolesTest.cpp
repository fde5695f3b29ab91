#include <gtest/gtest.h>

#include <string>

#include "colours/colourRoles.h"

// The names are what the colour editor lists; the numbers decide which colour each edit changes.
TEST(ColourRoles, FillsRolesOneToSevenInOrder) {
  struct Expected {
    const char* name;
    int32_t colourNumber;
  };
  const Expected expected[FILLED_ROLES + 1] = {{"", 0},
                                               {"Titles", 14},
                                               {"Expressions", 15},
                                               {"Button (not selected)", 2},
                                               {"Button (selected)", 13},
                                               {"Dropdowns", 8},
                                               {"Error messages", 12},
                                               {"Replacable text", 7}};
  ColourRole roles[ROLE_COUNT + 1];
  roles[0] = {"untouched", 99};
  roles[ROLE_COUNT] = {BACKGROUND_ROLE_NAME, BACKGROUND_COLOUR};
  fillColourRoles(roles);
  for (int i = 1; i <= FILLED_ROLES; ++i) {
    EXPECT_EQ(roles[i].name, expected[i].name) << i;
    EXPECT_EQ(roles[i].colourNumber, expected[i].colourNumber) << i;
  }
  EXPECT_EQ(roles[0].name, "untouched");
  EXPECT_EQ(roles[ROLE_COUNT].name, "(backGround)");
  EXPECT_EQ(roles[ROLE_COUNT].colourNumber, 0);
}

TEST(ColourRoles, AListTooShortIsLeftAlone) {
  ColourRole roles[ROLE_COUNT];
  fillColourRoles(roles);
  for (const ColourRole& role : roles) EXPECT_EQ(role.name, "");
}
