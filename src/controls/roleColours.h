#pragma once

// The colour number behind each colour role. Every scheme draws a role with the same number;
// only its palette entry differs. The colour roles name them; every layer from the controls up
// draws with them.

constexpr int TITLES_COLOUR = 14;
constexpr int EXPRESSIONS_COLOUR = 15;
constexpr int BUTTON_COLOUR = 2;
constexpr int BUTTON_SELECTED_COLOUR = 13;
constexpr int DROPDOWNS_COLOUR = 8;
constexpr int ERROR_MESSAGES_COLOUR = 12;
constexpr int REPLACEABLE_TEXT_COLOUR = 7;
constexpr int BACKGROUND_COLOUR = 0;
