#pragma once

// Scripting the main screen for a headless run of the whole program: clicks on its controls,
// the inputs typed into its fields, and what its fields and controls show afterwards.

#include <cstdint>
#include <string>
#include <vector>

#include "app/mainScreen.h"

namespace mainScript {

// The middle of control k (1 to 10) in pixels.
int controlX(int k);
int controlY(int k);
void clickControl(int k);

// Types the three inputs, each followed by Tab: the focus ends on "Continue".
void enterInputs(const std::string& loan, const std::string& rate, const std::string& payment);

// Page Down `count` times: a year each.
void pageDowns(int count);
// The rate field opened by its label while a schedule runs, its three characters typed over.
void typeOverRate(const char* rate);
// F2, then the keys typed into its panel.
void termInF2(const char* keys);
// 250,000 at 6.5% for F2's 30 years (1,580.18), stepped to the end of month 60.
void fiveYearsOfThirty();

// The 16 cells of a field as they read on the screen, trailing blanks removed. pixels: a
// snapshot; nullptr reads the surface.
std::string fieldText(Focus field, const uint8_t* pixels = nullptr);

// The one colour control k's caption is drawn in; -1 when nothing is drawn there, -2 when the
// caption shows more than one colour.
int controlInk(int k, const uint8_t* pixels = nullptr);

// Snapshot n of the run, as the screen reader takes it.
const uint8_t* snapshot(size_t n);

// The rows 16 to 28 that hold text, in order.
std::vector<std::string> scheduleRows(const uint8_t* pixels = nullptr);

}  // namespace mainScript
