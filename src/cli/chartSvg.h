#pragma once

// The chart as a standalone SVG picture: the layout's 640x480 scaled to 960x720, in the colours
// of the Light on Dark scheme, its texts as text.

#include <string>

#include "layout/chartLayout.h"

void appendChartSvg(std::string& out, const ChartLayout& layout);
