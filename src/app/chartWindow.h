#pragma once

// F3: the chart of the loan over the main screen, until a key, a click or the close button.
// The main screen comes back exactly as it was; the close button then ends the program.
void showChart();

// The chart of the schedule as it stands, drawn on the whole surface in the role colours.
void drawChart();
