#pragma once

// The colour roles: what each of the colour numbers the program draws with is used for. The
// number behind a role is the same in every scheme; only the palette entry differs.

#include <cstdint>
#include <span>
#include <string>

#include "controls/roleColours.h"

struct ColourRole {
  std::string name;
  int32_t colourNumber = 0;
};

// Roles 1 to 7 come from fillColourRoles; role 8 is the background, added by the options dialog.
constexpr int ROLE_COUNT = 8;
constexpr int FILLED_ROLES = 7;
constexpr const char* BACKGROUND_ROLE_NAME = "(backGround)";

// Fills roles 1 to 7 of a role list numbered from 1 (element 0 unused). A list too short for
// eight roles is left untouched.
void fillColourRoles(std::span<ColourRole> roles);
