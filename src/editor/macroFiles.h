#pragma once

// Keystroke macro files: a file named in an entry field is translated into the input loop's
// playback buffer, and entries typed while a macro waits can be recalled into later fields.

#include <string>
#include <string_view>

// Loads the named macro file and starts playing it; reports a file that cannot be read at the
// status row. Not written yet: starts nothing.
void loadMacro(std::string_view name);
// Keeps the entry the user confirmed while the macro waited. Not written yet: keeps nothing.
void storeRecallEntry(std::string_view text);
// The entry kept in slot 1 to 9; false for a slot not filled. Not written yet: none is.
bool recalledEntry(int slot, std::string& text);
