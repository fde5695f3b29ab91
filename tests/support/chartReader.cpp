#include "support/chartReader.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "controls/roleColours.h"
#include "support/screenReader.h"

namespace chartReader {

namespace {

constexpr int WIDTH = 640;
constexpr int HEIGHT = 480;
constexpr int YEAR_LABEL_ROW = 27;

// Outside the surface nothing is drawn, so that a chart drawn wrong fails a test, not the tests.
uint8_t at(const uint8_t* pixels, int x, int y) {
  if (x < 0 || x >= WIDTH || y < 0 || y >= HEIGHT) return 255;
  return pixels[static_cast<size_t>(y) * WIDTH + static_cast<size_t>(x)];
}

// The row or column of the axis colour that holds the most of it.
int fullestLine(const uint8_t* pixels, bool rows) {
  int best = -1, bestCount = 0;
  for (int a = 0; a < (rows ? HEIGHT : WIDTH); ++a) {
    int count = 0;
    for (int b = 0; b < (rows ? WIDTH : HEIGHT); ++b) {
      count += (rows ? at(pixels, b, a) : at(pixels, a, b)) == DROPDOWNS_COLOUR;
    }
    if (count > bestCount) {
      best = a;
      bestCount = count;
    }
  }
  return bestCount > 100 ? best : -1;
}

std::string withoutCommas(const std::string& text) {
  std::string plain;
  for (char c : text) {
    if (c != ',') plain += c;
  }
  return plain;
}

}  // namespace

double Axes::monthX(double month) const {
  return axisX + month * (yearTickX.back() - axisX) / (12.0 * static_cast<double>(years.back()));
}

double Axes::amountY(double amount) const {
  return axisY - amount * (axisY - amountTickY.back()) / amounts.back();
}

bool readAxes(const uint8_t* pixels, Axes& axes, std::string& error) {
  axes = {};
  axes.axisY = fullestLine(pixels, true);
  axes.axisX = fullestLine(pixels, false);
  if (axes.axisY < 0 || axes.axisX < 2) {
    error = "no axes";
    return false;
  }
  for (int x = 0; x < WIDTH; ++x) {
    if (at(pixels, x, axes.axisY + 3) == DROPDOWNS_COLOUR) axes.yearTickX.push_back(x);
  }
  std::istringstream years(screenReader::rowText(YEAR_LABEL_ROW, pixels));
  for (long year; years >> year;) axes.years.push_back(year);
  for (int y = axes.axisY; y >= 0; --y) {
    if (at(pixels, axes.axisX - 2, y) != DROPDOWNS_COLOUR) continue;
    axes.amountTickY.push_back(y);
    // The label ends before the column of the ticks.
    const int row = y / 16 + 1;
    std::istringstream label(
        withoutCommas(screenReader::textAt(row, 1, (axes.axisX - 8) / 8, pixels)));
    double amount = -1;
    label >> amount;
    axes.amounts.push_back(amount);
  }
  if (axes.yearTickX.size() < 2 || axes.yearTickX.size() != axes.years.size() ||
      axes.amountTickY.size() < 2 || axes.amounts.back() <= 0) {
    error = "the ticks and their labels do not match: " + std::to_string(axes.yearTickX.size()) +
            " year ticks, " + std::to_string(axes.years.size()) + " year labels, " +
            std::to_string(axes.amountTickY.size()) + " amount ticks";
    return false;
  }
  return true;
}

std::vector<int> highestPixels(const uint8_t* pixels, const Axes& axes, int colour, int x1,
                               int x2) {
  std::vector<int> highest;
  for (int x = x1; x <= x2; ++x) {
    int found = -1;
    for (int y = 0; y <= axes.axisY && found < 0; ++y) {
      if (at(pixels, x, y) == colour && y >= axes.amountTickY.back() - 2) found = y;
    }
    highest.push_back(found);
  }
  return highest;
}

bool showsNear(const uint8_t* pixels, int colour, double x, double y) {
  const int cx = static_cast<int>(std::lround(x)), cy = static_cast<int>(std::lround(y));
  for (int py = std::max(cy - 1, 0); py <= std::min(cy + 1, HEIGHT - 1); ++py) {
    for (int px = std::max(cx - 1, 0); px <= std::min(cx + 1, WIDTH - 1); ++px) {
      if (at(pixels, px, py) == colour) return true;
    }
  }
  return false;
}

std::vector<int> columnsShowing(const uint8_t* pixels, const Axes& axes, int colour) {
  std::vector<int> columns;
  for (int x = 0; x < WIDTH; ++x) {
    for (int y = axes.amountTickY.back(); y < axes.axisY; ++y) {
      if (at(pixels, x, y) == colour) {
        columns.push_back(x);
        break;
      }
    }
  }
  return columns;
}

}  // namespace chartReader
