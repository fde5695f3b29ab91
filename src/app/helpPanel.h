#pragma once

// F1: every key and action of the main screen in one panel; any key or click closes it and puts
// back what it covered.

// Leaves the window's close button in inputLoop.lastEvent for the main loop.
void runHelpPanel();
