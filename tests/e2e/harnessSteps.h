#pragma once

// What the harness's program, input and screen steps share.

#include <string>
#include <vector>

#include "e2e/e2eHarness.h"
#include "e2e/xwdImage.h"

namespace e2e {

// Runs an X tool on the tests' display; records a failure (saying what was being done) and
// returns false when the tool fails or takes too long.
bool runXTool(Quillo& quillo, const std::vector<std::string>& argv, const std::string& doing,
              std::string& output);
// A window N times the surface's size becomes the surface's size, provided every N by N block
// of it is one colour, as a crisp integer scale shows it.
bool shrinkToSurface(xwdImage::RgbImage& rgb, std::string& error);
// Records a test failure with the screen (the given one, or a fresh screenshot) and the
// program's output.
void reportFailure(Quillo& quillo, const std::string& what, const Screen* screen = nullptr);

}  // namespace e2e
