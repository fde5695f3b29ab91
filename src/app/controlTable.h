#pragma once

// The ten controls of the main screen, as data, and the one way they are created.

#include <cstdint>
#include <string_view>

#include "app/calculatorState.h"

struct ControlSpec {
  std::string_view caption;
  int32_t column;
  int32_t row;
  int32_t extraY;    // pixels below the top of the row
  int32_t sizeCode;  // 1: small glyphs on 8-pixel rows, 2: the screen font
  bool framed;
  int32_t normalColour;
  int32_t highlightColour;
  int32_t extraLeft;
  int32_t extraRight;
};

// Indexed 1 to 10 like controlIds.
extern const ControlSpec CONTROL_TABLE[CONTROL_COUNT + 1];

// Creates control k into calc.controlIds[k]; nothing happens while that entry is not 0.
void createControl(int k);
