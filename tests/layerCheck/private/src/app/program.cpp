// A program file that reaches into the screen layer's private state.
#include "screen/private/surfaceState.h"
