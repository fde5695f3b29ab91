#include "controls/buttonRegistry.h"

#include <algorithm>

#include "screen/screen.h"

ButtonRegistry buttonRegistry;

namespace {

constexpr int HORIZONTAL_PADDING = 8;
constexpr int FRAME_PADDING = 8;

bool validId(ButtonId id) {
  return id >= 1 && id <= MAX_BUTTONS;
}

std::string_view withoutTrailingSpaces(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && text[end - 1] == ' ') --end;
  return text.substr(0, end);
}

// Label width in characters, from which the hit rectangle is measured.
int labelWidth(std::string_view label, bool framed, int lineCount) {
  if (framed && lineCount > 1) return static_cast<int>(label.find('\n'));
  return static_cast<int>(withoutTrailingSpaces(label).size());
}

void fillOptionMark(ButtonId id, int colour) {
  const int x = buttonRegistry.x[id], y = buttonRegistry.y[id];
  screen::drawLine(x - 16, y + 3, x - 8, y + 11, colour, screen::Shape::FilledBox, false);
}

}  // namespace

void createButton(ButtonId& id, const ButtonSpec& button) {
  const std::string_view label = button.label;
  const int32_t x = button.x, y = button.y;
  // An empty label would leave the slot looking free, and a second owner would be handed it.
  if (id != 0 || label.empty()) return;
  ButtonId slot = 1;
  while (slot <= MAX_BUTTONS && !buttonRegistry.label[slot].empty()) ++slot;
  if (slot > MAX_BUTTONS) {
    screen::printText("Too many active Buttons", false);
    return;
  }
  ButtonRegistry& r = buttonRegistry;
  id = slot;
  r.label[slot] = label;
  r.x[slot] = x;
  r.y[slot] = y;
  r.normalColour[slot] = button.normalColour;
  r.highlightColour[slot] = button.highlightColour;
  r.underlinePosition[slot] = button.underlinePosition;
  r.framed[slot] = button.framed;
  r.lineHeight[slot] =
      button.lineHeightCode <= TEXT_LINES ? button.lineHeightCode * 8 : button.lineHeightCode;
  r.lineCount[slot] = 1 + static_cast<int32_t>(std::count(label.begin(), label.end(), '\n'));

  const int v = button.framed ? FRAME_PADDING : 0;
  const int w = labelWidth(label, button.framed, r.lineCount[slot]);
  r.left[slot] = x - HORIZONTAL_PADDING - button.extraLeft;
  r.right[slot] = x + 8 * w + HORIZONTAL_PADDING + button.extraRight;
  r.top[slot] = y - v + 1;
  r.bottom[slot] = y + r.lineCount[slot] * r.lineHeight[slot] + v - 3;
  drawButton(id, false);
}

void drawButton(ButtonId id, bool highlighted) {
  if (!validId(id)) return;
  const ButtonRegistry& r = buttonRegistry;
  const int colour = highlighted ? r.highlightColour[id] : r.normalColour[id];
  const int x = r.x[id], y = r.y[id], height = r.lineHeight[id];
  screen::setForeground(colour);

  std::string_view rest = r.label[id];
  for (int line = 0; line < r.lineCount[id]; ++line) {
    const size_t end = std::min(rest.find('\n'), rest.size());
    const std::string_view piece = withoutTrailingSpaces(rest.substr(0, end));
    rest = end < rest.size() ? rest.substr(end + 1) : std::string_view();
    if (height == 8) {
      drawSmallText(piece, y + line * 8, x, colour);
    } else {
      screen::drawTextAt(x, y + line * height, piece);
    }
  }

  if (const int n = r.underlinePosition[id]; n > 0) {
    screen::drawLine(x + (n - 1) * 8, y + height, 7, 0, colour, screen::Shape::Line, true);
  }
  if (r.framed[id]) {
    // The frame keeps the normal colour so that only the label shows the highlight.
    screen::setForeground(r.normalColour[id]);
    screen::drawLine(r.left[id], r.top[id], r.right[id], r.bottom[id], screen::CURRENT_COLOUR,
                     screen::Shape::Box, false);
  }
}

void highlightButton(ButtonId id) {
  if (id != 0) drawButton(id, true);
}

void unhighlightButton(ButtonId id) {
  if (id != 0) drawButton(id, false);
}

void hoverButton(ButtonId id, int32_t px, int32_t py) {
  if (id >= 1) drawButton(id, isOverButton(id, px, py));
}

bool isOverButton(ButtonId id, int32_t px, int32_t py) {
  if (!validId(id)) return false;
  const ButtonRegistry& r = buttonRegistry;
  return r.left[id] <= px && px <= r.right[id] && r.top[id] <= py && py <= r.bottom[id];
}

bool clickButton(ButtonId id, int32_t px, int32_t py) {
  if (!isOverButton(id, px, py)) return false;
  drawButton(id, false);
  return true;
}

void removeButton(ButtonId& id) {
  if (id < 1) return;
  if (validId(id)) {
    buttonRegistry.normalColour[id] = 0;
    buttonRegistry.highlightColour[id] = 0;
    drawButton(id, false);
    drawButton(id, true);
    buttonRegistry.label[id].clear();
  }
  id = 0;
}

void removeButtons(std::span<ButtonId> ids, int count) {
  const int last = std::min(count, static_cast<int>(ids.size()) - 1);
  for (int i = 1; i <= last; ++i) removeButton(ids[i]);
}

void buttonExtent(ButtonId id, int32_t& innerLeft, int32_t& innerRight, int32_t& bottom) {
  if (!validId(id)) return;
  innerLeft = buttonRegistry.left[id] + 1;
  innerRight = buttonRegistry.right[id] - 1;
  bottom = buttonRegistry.bottom[id];
}

void markOptionOn(ButtonId id) {
  if (!validId(id)) return;
  screen::setForeground(buttonRegistry.normalColour[id]);
  fillOptionMark(id, screen::CURRENT_COLOUR);
}

void markOptionOff(ButtonId id) {
  if (!validId(id)) return;
  fillOptionMark(id, 0);
  const int x = buttonRegistry.x[id], y = buttonRegistry.y[id];
  screen::setForeground(buttonRegistry.normalColour[id]);
  screen::drawLine(x - 16, y + 3, x - 8, y + 11, screen::CURRENT_COLOUR, screen::Shape::Box, false);
}
