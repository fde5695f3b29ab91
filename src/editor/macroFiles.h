#pragma once

// Keystroke macro files: a file named in an entry field is translated into the input loop's
// playback buffer, and entries typed while a macro waits can be recalled into later fields.

#include <array>
#include <string>
#include <string_view>

constexpr int RECALL_SLOTS = 9;

struct MacroRecall {
  std::array<std::string, RECALL_SLOTS + 1> recallSlots;  // 1 to 9
  int recallCount = 0;                                    // filled slots, counted afresh per load
};

extern MacroRecall macroRecall;

// The file a macro name stands for: ".mac" is added to a name without a point.
std::string macroFileName(std::string_view name);

// Loads the named macro file and starts playing it. A file that cannot be opened leaves
// everything as it was; both that and a read error are reported at the editor's status row.
void loadMacro(std::string_view name);
// Keeps the entry the user confirmed while the macro waited, while a slot is free.
void storeRecallEntry(std::string_view text);
// The entry kept in slot 1 to 9; false for a slot not filled.
bool recalledEntry(int slot, std::string& text);
