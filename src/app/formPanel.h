#pragma once

// A small panel of the main screen with two entry fields, a message line and "OK" and
// "Cancel", as F2 and F4 show it: Tab, Up and Down move between the fields, Enter goes to the
// second field and there means OK, Esc or the close button closes it.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "controls/buttonRegistry.h"
#include "controls/panelArea.h"

struct FormField {
  std::string_view label;
  int row, width;
  std::string_view mask;
  std::string text;
};

struct FormPanel {
  PanelArea area;
  std::string_view title;
  int titleRow, textColumn, fieldColumn, messageRow, messageWidth, buttonRow;
  std::array<FormField, 2> fields;
  int focus = 0;  // 0 or 1, the field edited
  // The first field holds an offer, shown dim until the first character typed replaces it.
  bool offerInFirstField = false;
  ButtonId okButton = 0, cancelButton = 0;
};

// The side panels stand right of the form's fields, below the titles: the title on row 5, the
// fields on rows 6 and 7, the message on row 8, the buttons on row 9, anything more below.
constexpr int SIDE_PANEL_BUTTON_ROW = 9;
constexpr int SIDE_PANEL_TEXT_COLUMN = 44;
constexpr std::string_view DIGITS_MASK = "(0-9)";
// A side panel reaching down to lastRow; fields hold the labels, widths, masks and texts.
FormPanel sidePanel(std::string_view title, const std::array<FormField, 2>& fields, int lastRow);

// Covers the panel's area and draws its title, labels, fields and buttons.
void openFormPanel(FormPanel& panel);
// Removes the buttons and puts back what the panel covered.
void closeFormPanel(FormPanel& panel);
// An error message in the panel's message line, padded over the one before.
void showFormMessage(const FormPanel& panel, std::string_view message);
void drawFormField(const FormPanel& panel, int k);

// A field of digits as a number; at most five digits.
int32_t fieldNumber(const FormField& field);

enum class FormAnswer {
  KEEP_OPEN,  // a key or click the panel took care of
  OK,         // "OK" or Enter in the second field
  CLOSE,      // Esc, "Cancel" or the window's close button (left in inputLoop.lastEvent)
  CLICK,      // a left-button release on nothing of the form's own
};

// Edits the focused field until an event ends the edit, and says what it asks for.
FormAnswer formPanelPass(FormPanel& panel);
