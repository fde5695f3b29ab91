#include "colours/colourRoles.h"

namespace {

struct RoleEntry {
  const char* name;
  int32_t colourNumber;
};

constexpr RoleEntry ROLES[FILLED_ROLES] = {
    {"Titles", 14},
    {"Expressions", 15},
    {"Button (not selected)", 2},
    {"Button (selected)", 13},
    {"Dropdowns", 8},
    {"Error messages", 12},
    {"Replacable text", 7},
};

}  // namespace

void fillColourRoles(std::span<ColourRole> roles) {
  if (roles.size() < ROLE_COUNT + 1) return;
  for (int i = 0; i < FILLED_ROLES; ++i) {
    roles[i + 1].name = ROLES[i].name;
    roles[i + 1].colourNumber = ROLES[i].colourNumber;
  }
}
