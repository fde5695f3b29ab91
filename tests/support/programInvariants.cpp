#include "support/programInvariants.h"

#include <algorithm>
#include <map>
#include <regex>
#include <vector>

#include "app/calculatorState.h"
#include "app/extraPanel.h"
#include "app/mainScreen.h"
#include "app/termPanel.h"
#include "colours/colourEditor.h"
#include "colours/optionsDialog.h"
#include "controls/buttonRegistry.h"
#include "editor/fieldEditor.h"
#include "screen/private/fileTable.h"
#include "screen/private/surfaceState.h"

namespace invariants {

namespace {

// Digits, point and comma from typing; "E", "+" and "-" from a huge or tiny amount shown in its
// number text, which a recall may carry into another field.
constexpr std::string_view FIELD_CHARACTERS = "0123456789.,E+-";
constexpr size_t FIELD_WIDTH = 16;
// The longest amount text: the widest grouped amount below 1e16 with its cents.
constexpr size_t LONGEST_AMOUNT = 26;

struct Owner {
  const char* name;
  ButtonId id;
};

std::vector<Owner> ownedButtons() {
  std::vector<Owner> owners;
  auto add = [&owners](const char* name, ButtonId id) {
    if (id != 0) owners.push_back({name, id});
  };
  for (int k = 1; k <= CONTROL_COUNT; ++k) add("a control of the form", calc.controlIds[k]);
  for (ButtonId id : calc.inertControls) add("an inert control", id);
  for (size_t s = 1; s < optionsDialog.schemeButtons.size(); ++s) {
    add("a scheme button", optionsDialog.schemeButtons[s]);
  }
  add("\"Change a color\"", optionsDialog.changeButton);
  add("the panel's \"OK\"", optionsDialog.okButton);
  add("the term panel's \"OK\"", termPanel.form.okButton);
  add("the term panel's \"Cancel\"", termPanel.form.cancelButton);
  add("the extra panel's \"OK\"", extraPanel.form.okButton);
  add("the extra panel's \"Cancel\"", extraPanel.form.cancelButton);
  for (ButtonId id : extraPanel.listButtons) add("an extra listed", id);
  for (int b = 1; b <= FIXED_BUTTON_COUNT; ++b) {
    add("a colour editor button", colourEditor.fixedButtons[b]);
  }
  for (int r = 1; r <= MAX_EDITED_ROLES; ++r) add("a role button", colourEditor.roleButtons[r]);
  return owners;
}

std::string badCharacters(const std::string& text) {
  for (char c : text) {
    if (FIELD_CHARACTERS.find(c) == std::string_view::npos) {
      return "the field text \"" + text + "\" holds the character " +
             std::to_string(static_cast<unsigned char>(c));
    }
  }
  return {};
}

}  // namespace

std::string checkButtons() {
  std::map<ButtonId, const char*> owners;
  for (const Owner& owner : ownedButtons()) {
    if (owner.id < 1 || owner.id > MAX_BUTTONS) {
      return std::string(owner.name) + " holds the id " + std::to_string(owner.id);
    }
    if (!owners.emplace(owner.id, owner.name).second) {
      return "button " + std::to_string(owner.id) + " is held by " + owners[owner.id] + " and " +
             owner.name;
    }
    if (buttonRegistry.label[owner.id].empty()) {
      return std::string(owner.name) + " holds button " + std::to_string(owner.id) +
             ", whose slot is free";
    }
  }
  int registered = 0;
  for (int slot = 1; slot <= MAX_BUTTONS; ++slot) {
    if (buttonRegistry.label[slot].empty()) continue;
    ++registered;
    if (!owners.count(slot)) {
      return "button " + std::to_string(slot) + " (\"" + buttonRegistry.label[slot] +
             "\") is registered but nobody holds it";
    }
  }
  if (registered > MAX_OWNED_BUTTONS) {
    return std::to_string(registered) + " buttons are registered, more than the screens own";
  }
  return {};
}

std::string checkFieldTexts() {
  FieldEditor& f = fieldEditor;
  for (const std::string* text :
       {&calc.loanText, &calc.rateText, &calc.paymentText, &f.text, &calc.editText}) {
    std::string bad = badCharacters(*text);
    if (!bad.empty()) return bad;
  }
  if (calc.rateText.size() > FIELD_WIDTH) return "the rate text grew to " + calc.rateText;
  for (const std::string* text : {&calc.loanText, &calc.paymentText}) {
    if (text->size() > LONGEST_AMOUNT) return "an amount text grew to " + *text;
  }
  // While the form prompts for a field, calc.editText holds the text the edit began with until
  // the edit ends, and the edited text afterwards.
  if (calc.promptWidth <= 0) return {};
  const size_t allowed = std::max(static_cast<size_t>(calc.promptWidth), calc.editText.size());
  if (f.text.size() > allowed) {
    return "the edited text \"" + f.text + "\" is longer than the " + std::to_string(allowed) +
           " characters the field allows";
  }
  return {};
}

std::string checkResources() {
  for (int n = 1; n <= screen::MAX_FILES; ++n) {
    if (screen::fileTable.files[n].stream) {
      return "file " + std::to_string(n) + " (" + screen::fileTable.files[n].name +
             ") is left open";
    }
  }
  int live = 0;
  for (const auto& block : screen::imageStore.blocks) live += block.width > 0 ? 1 : 0;
  if (live > MAX_LIVE_IMAGES) return std::to_string(live) + " images are alive";
  return {};
}

std::string checkColours() {
  for (int entry = 0; entry < screen::PALETTE_SIZE; ++entry) {
    const int32_t packed = screen::getPaletteEntry(entry);
    const bool levels = packed >= 0 && (packed & 0xff) <= 63 && ((packed >> 8) & 0xff) <= 63 &&
                        ((packed >> 16) & 0xff) <= 63 && (packed >> 24) == 0;
    if (!levels) {
      return "palette entry " + std::to_string(entry) + " holds " + std::to_string(packed);
    }
  }
  const ColourEditorState& e = colourEditor;
  if (e.area.saved == 0) return {};
  if (e.chosenRole < 1 || e.chosenRole > e.roleCount || e.chosenComponent < 1 ||
      e.chosenComponent > 3) {
    return "the colour editor chose role " + std::to_string(e.chosenRole) + ", component " +
           std::to_string(e.chosenComponent);
  }
  const int32_t shown = e.levels[1] + 256 * e.levels[2] + 65536 * e.levels[3];
  if (shown != screen::getPaletteEntry(e.roleColours[e.chosenRole])) {
    return "the colour editor shows levels its role's colour does not have";
  }
  return {};
}

std::string checkProgram() {
  std::string problem = checkButtons();
  if (problem.empty()) problem = checkFieldTexts();
  if (problem.empty()) problem = checkResources();
  if (problem.empty()) problem = checkColours();
  if (problem.empty() && (calc.focus < FOCUS_LOAN || calc.focus > FOCUS_CONTINUE)) {
    return "the focus is " + std::to_string(calc.focus);
  }
  return problem;
}

bool isWholeOptionsFile(std::string_view bytes) {
  // The name may hold anything but the closing quote's CR LF and scheme line, even line ends:
  // a quoted name read from a file keeps them.
  static const std::regex WHOLE("^\"[\\s\\S]*\"\r\n[12]\r\n$");
  return std::regex_match(bytes.begin(), bytes.end(), WHOLE);
}

bool isWholePaletteFile(std::string_view bytes) {
  static const std::regex LEVEL_LINE(
      "([0-9]|[1-5][0-9]|6[0-3]),([0-9]|[1-5][0-9]|6[0-3]),"
      "([0-9]|[1-5][0-9]|6[0-3])\r\n");
  int lines = 0;
  auto next = bytes.begin();
  std::match_results<std::string_view::const_iterator> match;
  while (next != bytes.end()) {
    if (!std::regex_search(next, bytes.end(), match, LEVEL_LINE,
                           std::regex_constants::match_continuous)) {
      return false;
    }
    next = match[0].second;
    ++lines;
  }
  return lines == 16;
}

}  // namespace invariants
