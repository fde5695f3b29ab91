#pragma once

#include <span>

#include "controls/buttonRegistry.h"

// Marks buttons[chosen] with a filled square and buttons[1] to buttons[count] otherwise with a
// hollow one: a radio group whose list is indexed from 1. A chosen number outside 1 to count
// marks every button off.
void markChosen(std::span<const ButtonId> buttons, int count, int chosen);
