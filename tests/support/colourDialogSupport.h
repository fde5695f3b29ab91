#pragma once

// Driving the options panel and the colour editor headless: a screen with the "Options" control
// of the main screen, and the places a user clicks in the panel and the editor.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "colours/colourRoles.h"
#include "controls/buttonRegistry.h"

namespace colourDialogs {

struct Point {
  int x;
  int y;
};

// The "Options" control at row 2, column 4, as the main screen draws it.
constexpr Point OPTIONS{50, 24};
// The panel hanging from it.
constexpr Point LIGHT_ON_DARK{100, 72};
constexpr Point DARK_ON_LIGHT{100, 88};
constexpr Point CHANGE_A_COLOR{60, 120};
constexpr Point PANEL_OK{232, 132};
// The colour editor at (320, 200).
constexpr Point RED{400, 372};
constexpr Point GREEN{456, 372};
constexpr Point BLUE{512, 372};
constexpr Point UP{348, 388};
constexpr Point DOWN{572, 388};
constexpr Point EDITOR_OK{376, 432};
constexpr Point CANCEL{530, 432};
// On the label of role 1 to 8.
Point rolePoint(int role);

// Where the levels are shown while the editor is open.
constexpr int LEVELS_ROW = 25;
constexpr int LEVELS_COLUMN = 50;

int32_t pack(int32_t red, int32_t green, int32_t blue);

// A fresh headless screen in the given scheme (its built-in palette unless a palette file is in
// the working directory), every row filled with text, and the "Options" control drawn; the
// registry, the input loop and both dialogs as at program start. Returns the control's id.
ButtonId openScreenWithOptions(int scheme);

// The buttons in use in the registry.
int registeredButtons();

// The whole surface, to compare before and after.
std::vector<uint8_t> surfaceCopy();

void click(Point at);
// Scripts a press at one point, a move to another with the button held and the release there;
// returns the number of events that makes (no move event when the points are the same).
int drag(Point from, Point to);

// Waits, as the main screen does, for a click on the "Options" control, runs the panel and draws
// the control normally again. False when the window's close button came first.
bool chooseOptions(ButtonId& options);
// Hands the open panel or editor `events` events; true when one of them closed it.
bool panelEvents(int events);
bool editorEvents(int events);

// The eight roles the options dialog hands the editor, numbered from 1.
std::array<ColourRole, ROLE_COUNT + 1> editedRoles();
// Opens the editor as the options dialog does, without its event loop.
void openEditor();

// A palette file's lines, without their CR LF ends; a line that does not end in CR LF is
// returned with "!" in front of it.
std::vector<std::string> paletteLines(const std::string& name);
// The line a palette file holds for this packed colour.
std::string paletteLine(int32_t packed);

}  // namespace colourDialogs
