#pragma once

// Reads the chart of the loan back off a surface of colour numbers: its axes from their ticks
// and labels, so that a test can tell where a month and an amount stand, and the lines drawn in
// a colour.

#include <cstdint>
#include <string>
#include <vector>

namespace chartReader {

struct Axes {
  int axisX = -1;  // x of month 0
  int axisY = -1;  // y of the amount 0
  std::vector<int> yearTickX;
  std::vector<long> years;       // the labels under the year ticks
  std::vector<int> amountTickY;  // from the bottom up
  std::vector<double> amounts;   // the labels beside them
  double monthX(double month) const;
  double amountY(double amount) const;
};

// False, with what is missing in `error`, when the surface shows no chart.
bool readAxes(const uint8_t* pixels, Axes& axes, std::string& error);
// For each x from x1 to x2, the highest y above the year axis drawn in `colour`; -1 for none.
std::vector<int> highestPixels(const uint8_t* pixels, const Axes& axes, int colour, int x1, int x2);
// Whether a pixel within one of (x, y) shows `colour`.
bool showsNear(const uint8_t* pixels, int colour, double x, double y);
// The columns that show `colour` somewhere between the highest amount tick and the year axis.
std::vector<int> columnsShowing(const uint8_t* pixels, const Axes& axes, int colour);

}  // namespace chartReader
