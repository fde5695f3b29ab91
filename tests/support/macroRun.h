#pragma once

// Running the whole program headless with a keystroke macro started from the loan amount field.

#include <functional>
#include <string>
#include <string_view>

namespace macroRun {

// Types the name into the field that has the focus and presses Ctrl+Enter.
void startMacro(const std::string& name);

// A fresh headless run: the macro file "7.mac" holds these bytes (then zeros, in a sparse file,
// up to `fileSize` when that is larger), 7 and Ctrl+Enter are typed into the loan amount field,
// then `afterwards` scripts what the user does next. Returns when the program has ended. Call
// inside a ScratchDirectory.
void run(
    std::string_view fileBytes, const std::function<void()>& afterwards = [] {},
    long long fileSize = 0);

}  // namespace macroRun
