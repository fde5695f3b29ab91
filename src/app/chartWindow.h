#pragma once

#include "layout/chartLayout.h"

// F3: the chart of the loan over the main screen, until a key, a click or the close button.
// The main screen comes back exactly as it was; the close button then ends the program.
void showChart();

// The chart of the schedule as it stands, drawn on the whole surface in the role colours.
void drawChart();

// One line of the chart in its ink's role colour. A dotted one is two pixels on, two off,
// counted along the whole polyline so the rhythm runs on around its corners; its end is drawn.
void drawChartLine(const ChartLine& line);
