#pragma once

// F5, "totals": the summary of the plan as it stands, computed so far and projected to the end,
// with the same figures as the schedule command's summary; any key or click closes it.

// Leaves the window's close button in inputLoop.lastEvent for the main loop.
void runTotalsPanel();
