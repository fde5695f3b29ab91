#include "support/colourDialogSupport.h"

#include <string>

#include "app/calculatorState.h"
#include "colours/colourEditor.h"
#include "colours/colourScheme.h"
#include "colours/optionsDialog.h"
#include "controls/inputLoop.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/freshScreen.h"
#include "support/scratchDirectory.h"

namespace colourDialogs {

Point rolePoint(int role) {
  return {380, 216 + 16 * role};
}

int32_t pack(int32_t red, int32_t green, int32_t blue) {
  return red + 256 * green + 65536 * blue;
}

ButtonId openScreenWithOptions(int scheme) {
  openFreshScreen();
  inputLoop = {};
  optionsDialog = {};
  colourEditor = {};
  colourSchemeState = {};
  colourSchemeState.paletteFileName[1] = "lightOnDarkPalette.txt";
  colourSchemeState.paletteFileName[2] = "darkOnLightPalette.txt";
  colourSchemeState.colourScheme = scheme;
  loadSchemePalette();
  // Text everywhere, so that whatever a dialog fails to put back shows.
  screen::setForeground(15);
  for (int row = 1; row <= 30; ++row) {
    screen::moveCursor(row, 1);
    std::string line;
    for (int column = 1; column <= 80; ++column)
      line += static_cast<char>('a' + (row + column) % 26);
    screen::printText(line, false);
  }
  ButtonId options = 0;
  createButton(options, {"Options", 24, 16, 2, 8, 13, true, 0, 0, 0});
  return options;
}

int registeredButtons() {
  int count = 0;
  for (int slot = 1; slot <= MAX_BUTTONS; ++slot) count += !buttonRegistry.label[slot].empty();
  return count;
}

std::vector<uint8_t> surfaceCopy() {
  const uint8_t* pixels = screen::surfacePixels();
  return {pixels, pixels + screen::SCREEN_WIDTH * screen::SCREEN_HEIGHT};
}

void click(Point at) {
  headless::click(at.x, at.y);
}

int drag(Point from, Point to) {
  headless::mouse(from.x, from.y, 1);
  headless::mouse(to.x, to.y, 1);
  headless::mouse(to.x, to.y, 0);
  return from.x == to.x && from.y == to.y ? 2 : 3;
}

bool chooseOptions(ButtonId& options) {
  InputLoop& in = inputLoop;
  for (;;) {
    in.lastEvent = nextInputEvent(in.pointerY, in.pointerX, GRAPHICS_SCREEN_MODE, "", false);
    if (in.lastEvent == EVENT_CLOSE) return false;
    if (in.lastEvent == EVENT_LEFT_RELEASE && clickButton(options, in.pointerX, in.pointerY)) {
      break;
    }
  }
  runOptionsDialog(options);
  unhighlightButton(options);
  return true;
}

bool panelEvents(int events) {
  for (int i = 0; i < events; ++i) {
    if (optionsPanelPass()) return true;
  }
  return false;
}

bool editorEvents(int events) {
  for (int i = 0; i < events; ++i) {
    if (colourEditorPass()) return true;
  }
  return false;
}

std::array<ColourRole, ROLE_COUNT + 1> editedRoles() {
  std::array<ColourRole, ROLE_COUNT + 1> roles{};
  fillColourRoles(roles);
  roles[ROLE_COUNT] = {BACKGROUND_ROLE_NAME, BACKGROUND_COLOUR};
  return roles;
}

void openEditor() {
  const std::array<ColourRole, ROLE_COUNT + 1> roles = editedRoles();
  openColourEditor(roles, ROLE_COUNT, 320, 200, 2, 13, 14, 16);
}

std::vector<std::string> paletteLines(const std::string& name) {
  const std::string bytes = scratch::readFile(name);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back("!" + bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string paletteLine(int32_t packed) {
  return std::to_string(packed & 0xff) + "," + std::to_string((packed >> 8) & 0xff) + "," +
         std::to_string((packed >> 16) & 0xff);
}

}  // namespace colourDialogs
