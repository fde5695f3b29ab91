#pragma once

// What must hold of a running program between any two events, whatever the user did, and what
// the files it writes must look like. Each check answers an empty text when all is well, else
// what is wrong.

#include <string>
#include <string_view>

namespace invariants {

// The most buttons the open screens can own at once: the form's ten controls, the eight a
// finished schedule leaves inert, the options panel's four and the colour editor's seven fixed
// and eight role buttons.
constexpr int MAX_OWNED_BUTTONS = 10 + 8 + 4 + 7 + 8;
// The scroll image, the options panel's saved area and the colour editor's saved area.
constexpr int MAX_LIVE_IMAGES = 3;

// Every registered button is held by exactly one owner's variable, every owner's id names a
// registered button, and there are no more of them than the open screens own.
std::string checkButtons();
// The field texts hold only characters their masks admit, and the one being edited is no longer
// than its field allows (or than it was when the edit began, if that was longer).
std::string checkFieldTexts();
// No file is left open and no more images are alive than the open screens use.
std::string checkResources();
// Every palette entry holds levels 0 to 63, and an open colour editor shows its chosen role's.
std::string checkColours();
// All of the above, and a focus the form knows.
std::string checkProgram();

// A quoted sound file name and a scheme number 1 or 2, each line ended by CR LF.
bool isWholeOptionsFile(std::string_view bytes);
// Sixteen lines of three levels 0 to 63, separated by commas and ended by CR LF.
bool isWholePaletteFile(std::string_view bytes);

}  // namespace invariants
