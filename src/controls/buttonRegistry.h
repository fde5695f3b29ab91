#pragma once

// Push buttons: labels drawn at pixel positions in a normal or a highlight colour, optionally
// framed, each with the rectangle in which the pointer counts as being on it. The owner of a
// button keeps its ButtonId in a variable of its own and passes that variable in.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "screen/screen.h"

using ButtonId = int32_t;  // 0: no button; 1 to MAX_BUTTONS: a slot

constexpr int MAX_BUTTONS = 200;

// The characters the small 8x8 glyphs exist for; the character at 1-based position p has glyph p.
constexpr std::string_view SMALL_GLYPH_SET =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
    "abcdefghijklmnopqrstuvwxyz"
    "0123456789"
    " ,.-+/=:;$&()^%'?_\""
    "\x18\x19\x1a\x1b\x11\x10\x1e\x1f\xdb\xf8";
constexpr int SMALL_GLYPH_COUNT = 91;
static_assert(SMALL_GLYPH_SET.size() == SMALL_GLYPH_COUNT);

// Glyph p (1 to 91) as the 8x8 text font draws it: ink EXPRESSIONS_COLOUR on paper 0, row by
// row.
struct SmallGlyphTable {
  uint8_t glyphs[SMALL_GLYPH_COUNT + 1][8][8] = {};
};

// One table per field, indexed by slot number; slot 0 is never given out.
struct ButtonRegistry {
  std::string label[MAX_BUTTONS + 1];  // empty: the slot is free
  int32_t x[MAX_BUTTONS + 1] = {};
  int32_t y[MAX_BUTTONS + 1] = {};
  bool framed[MAX_BUTTONS + 1] = {};
  // The hit rectangle, edges inclusive.
  int32_t left[MAX_BUTTONS + 1] = {};
  int32_t right[MAX_BUTTONS + 1] = {};
  int32_t top[MAX_BUTTONS + 1] = {};
  int32_t bottom[MAX_BUTTONS + 1] = {};
  int32_t normalColour[MAX_BUTTONS + 1] = {};
  int32_t highlightColour[MAX_BUTTONS + 1] = {};
  int32_t underlinePosition[MAX_BUTTONS + 1] = {};
  int32_t lineHeight[MAX_BUTTONS + 1] = {};
  int32_t lineCount[MAX_BUTTONS + 1] = {};
  SmallGlyphTable smallGlyphs;
};

extern ButtonRegistry buttonRegistry;

// Line height codes of createButton: 8-pixel lines in the small glyphs, 16-pixel lines in the
// screen font.
constexpr int32_t SMALL_LINES = 1;
constexpr int32_t TEXT_LINES = 2;

// A button as its owner describes it: the caption (lines split by '\n') with its top left in
// pixels, the line height code, the colours, and the flags.
struct ButtonSpec {
  std::string_view label;
  int32_t x = 0;
  int32_t y = 0;
  // SMALL_LINES or TEXT_LINES: 8 or 16 pixel lines; a larger code is a pixel height.
  int32_t lineHeightCode = TEXT_LINES;
  int32_t normalColour = 0;
  int32_t highlightColour = 0;
  bool framed = false;
  int32_t extraLeft = 0;   // pixels the hit rectangle reaches left of the caption
  int32_t extraRight = 0;  // and right of it
  int32_t underlinePosition = 0;
};

// Registers the button in the lowest free slot and draws it in its normal colour; does nothing
// when id is not 0. When every slot is taken it prints "Too many active Buttons" at the text
// cursor and id stays 0.
void createButton(ButtonId& id, const ButtonSpec& button);
void drawButton(ButtonId id, bool highlighted);
void highlightButton(ButtonId id);
void unhighlightButton(ButtonId id);
// Draws the button highlighted when the point is on it and normal otherwise, every time.
void hoverButton(ButtonId id, int32_t px, int32_t py);
bool isOverButton(ButtonId id, int32_t px, int32_t py);
// On a hit the button is drawn in its normal colour.
bool clickButton(ButtonId id, int32_t px, int32_t py);
// Erases the button, frees its slot and sets id to 0.
void removeButton(ButtonId& id);
// Removes ids[1] to ids[count]: owners keep their buttons in arrays indexed from 1.
void removeButtons(std::span<ButtonId> ids, int count);
// Leaves the outputs alone when id is 0.
void buttonExtent(ButtonId id, int32_t& innerLeft, int32_t& innerRight, int32_t& bottom);
void markOptionOn(ButtonId id);
void markOptionOff(ButtonId id);

// The small glyphs (smallGlyphs.cpp). Opaque 8x8 cells: the glyph's ink in the colour, its paper
// in colour 0.
void drawSmallText(std::string_view text, int32_t y, int32_t x, int32_t colour);
// Needs the 80x60 text grid (8x8 cells); prints each character at the top left and copies it.
void captureSmallGlyphs();
