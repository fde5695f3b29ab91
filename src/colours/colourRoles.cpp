#include "colours/colourRoles.h"

namespace {

struct RoleEntry {
  const char* name;
  int32_t colourNumber;
};

constexpr RoleEntry ROLES[FILLED_ROLES] = {
    {"Titles", TITLES_COLOUR},
    {"Expressions", EXPRESSIONS_COLOUR},
    {"Button (not selected)", BUTTON_COLOUR},
    {"Button (selected)", BUTTON_SELECTED_COLOUR},
    {"Dropdowns", DROPDOWNS_COLOUR},
    {"Error messages", ERROR_MESSAGES_COLOUR},
    {"Replacable text", REPLACEABLE_TEXT_COLOUR},
};

}  // namespace

void fillColourRoles(std::span<ColourRole> roles) {
  if (roles.size() < ROLE_COUNT + 1) return;
  for (int i = 0; i < FILLED_ROLES; ++i) {
    roles[i + 1].name = ROLES[i].name;
    roles[i + 1].colourNumber = ROLES[i].colourNumber;
  }
}
