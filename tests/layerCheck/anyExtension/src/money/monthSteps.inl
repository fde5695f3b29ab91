#pragma once
// Included by a money file; the program is a layer above it.
#include "app/program.h"
