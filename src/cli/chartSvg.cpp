#include "cli/chartSvg.h"

#include <cstdio>
#include <string_view>

namespace {

constexpr int PICTURE_WIDTH = 960;
constexpr int PICTURE_HEIGHT = 720;
constexpr int CELL_WIDTH = CHART_CELL_WIDTH;
constexpr int CELL_HEIGHT = CHART_CELL_HEIGHT;
constexpr int BASELINE = 12;  // from the top of a text cell
constexpr int FONT_SIZE = 14;
// The window's Light on Dark levels (0 to 63) of each ink's colour, as 8-bit levels.
constexpr std::string_view BACKGROUND = "#000041";

struct InkStyle {
  std::string_view name;
  std::string_view colour;
};

// By ink.
constexpr InkStyle INK_STYLES[CHART_INKS] = {
    {"title", "#FFFF2D"},    {"text", "#FFFFFF"},   {"axis", "#969696"}, {"balance", "#009A00"},
    {"interest", "#FF7155"}, {"change", "#AA00AA"}, {"now", "#FFFF2D"},
};

InkStyle inkStyle(ChartInk ink) {
  return INK_STYLES[static_cast<int>(ink)];
}

void appendNumber(std::string& out, double value) {
  char text[32];
  int length = std::snprintf(text, sizeof text, "%.3f", value);
  // "12.500" as "12.5", "408.000" as "408".
  while (length > 0 && text[length - 1] == '0') --length;
  if (length > 0 && text[length - 1] == '.') --length;
  out.append(text, static_cast<size_t>(length));
}

void appendEscaped(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        out += c;
    }
  }
}

void appendLine(std::string& out, const ChartLine& line) {
  const InkStyle style = inkStyle(line.ink);
  out += "<polyline class=\"";
  out += style.name;
  if (line.dotted) out += " dotted";
  out += "\" stroke=\"";
  out += style.colour;
  if (line.dotted) out += "\" stroke-dasharray=\"2 2";
  out += "\" points=\"";
  for (size_t i = 0; i < line.points.size(); ++i) {
    if (i > 0) out += ' ';
    appendNumber(out, line.points[i].x);
    out += ',';
    appendNumber(out, line.points[i].y);
  }
  out += "\"/>\n";
}

void appendText(std::string& out, const ChartText& text) {
  const InkStyle style = inkStyle(text.ink);
  out += "<text class=\"";
  out += style.name;
  out += "\" fill=\"";
  out += style.colour;
  out += "\" x=\"" + std::to_string((text.column - 1) * CELL_WIDTH);
  out += "\" y=\"" + std::to_string((text.row - 1) * CELL_HEIGHT + BASELINE);
  // Each character takes its cell, as in the window.
  out += "\" textLength=\"" + std::to_string(text.text.size() * CELL_WIDTH);
  out += "\" lengthAdjust=\"spacingAndGlyphs\">";
  appendEscaped(out, text.text);
  out += "</text>\n";
}

}  // namespace

void appendChartSvg(std::string& out, const ChartLayout& layout) {
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(PICTURE_WIDTH) +
         "\" height=\"" + std::to_string(PICTURE_HEIGHT) + "\" viewBox=\"0 0 640 480\">\n";
  out += "<rect x=\"0\" y=\"0\" width=\"640\" height=\"480\" fill=\"";
  out += BACKGROUND;
  out += "\"/>\n";
  // A line one pixel wide covers the pixels right of and below its coordinates, as on screen.
  out += "<g transform=\"translate(0.5 0.5)\" fill=\"none\" stroke-width=\"1\">\n";
  for (const ChartLine& line : layout.lines) appendLine(out, line);
  out += "</g>\n<g font-family=\"monospace\" font-size=\"" + std::to_string(FONT_SIZE) + "\">\n";
  for (const ChartText& text : layout.texts) appendText(out, text);
  out += "</g>\n</svg>\n";
}
