#pragma once

#include <cstdint>

// The palettes each colour scheme starts with while it has no palette file of its own.
constexpr int SCHEME_LIGHT_ON_DARK = 1;
constexpr int SCHEME_DARK_ON_LIGHT = 2;
constexpr int SCHEME_COLOURS = 16;

// [scheme][colour number][red, green, blue]; row 0 is unused so schemes index from 1.
extern const int32_t builtInPalettes[3][SCHEME_COLOURS][3];
