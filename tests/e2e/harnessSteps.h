#pragma once

// What the harness's program, input and screen steps share.

#include <string>
#include <vector>

#include "e2e/e2eHarness.h"

namespace e2e {

// Runs an X tool on the tests' display; records a failure (saying what was being done) and
// returns false when the tool fails or takes too long.
bool runXTool(Quillo& quillo, const std::vector<std::string>& argv, const std::string& doing,
              std::string& output);
// Records a test failure with the screen (the given one, or a fresh screenshot) and the
// program's output.
void reportFailure(Quillo& quillo, const std::string& what, const Screen* screen = nullptr);

}  // namespace e2e
