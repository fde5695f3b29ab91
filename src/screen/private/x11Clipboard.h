#pragma once

// The clipboard read straight from the X server, for the real window. SDL's own reading gives
// up on a text sent in pieces (the X incremental transfer, which owners use for a few megabytes
// and more) and then empties the clipboard; this reads any size, up to a limit.

#include <cstddef>
#include <string>

namespace x11Clipboard {

enum class Result { Text, NoText, NotHere };

// At most this many bytes are read; the rest of a larger text is neither fetched nor waited for.
constexpr size_t MAX_TEXT_BYTES = 16 * 1024 * 1024;
// A paste whose owner has not sent all of it this long after it was asked for gives nothing.
constexpr int PASTE_DEADLINE_MS = 5000;

// The clipboard's text as UTF-8. NotHere when there is no X display to ask. `keepWaiting` runs
// between looks at the X server, so that the program can answer for a clipboard it owns and
// serve its window; when it answers false (the program is to end) the paste gives nothing at once.
Result readText(std::string& utf8, bool (*keepWaiting)());
void close();

}  // namespace x11Clipboard
