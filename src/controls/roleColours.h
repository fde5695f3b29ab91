#pragma once

// The colour number behind each colour role. Every scheme draws a role with the same number;
// only its palette entry differs. The colour roles name them; every layer from the controls up
// draws with them.

enum RoleColour : int {
  TITLES_COLOUR = 14,           // "Titles"
  EXPRESSIONS_COLOUR = 15,      // "Expressions"
  BUTTON_COLOUR = 2,            // "Button (not selected)"
  BUTTON_SELECTED_COLOUR = 13,  // "Button (selected)"
  DROPDOWNS_COLOUR = 8,         // "Dropdowns"
  ERROR_MESSAGES_COLOUR = 12,   // "Error messages"
  REPLACEABLE_TEXT_COLOUR = 7,  // "Replacable text"
  BACKGROUND_COLOUR = 0,        // "(backGround)"
  // Not a role of its own: the field editor's messages, whatever the scheme.
  EDITOR_MESSAGE_COLOUR = 11,
};
