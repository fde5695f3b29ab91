#pragma once

// The clipboard read straight from the X server, for the real window. SDL's own reading gives
// up on a text sent in pieces (the X incremental transfer, which owners use for a few megabytes
// and more) and then empties the clipboard; this reads any size, up to a limit.

#include <cstddef>
#include <string>

namespace x11Clipboard {

enum class Result { Text, NoText, NotHere };

// At most this many bytes are read; the rest of a larger text is left out.
constexpr size_t MAX_TEXT_BYTES = 16 * 1024 * 1024;

// The clipboard's text as UTF-8. NotHere when there is no X display to ask. `whileWaiting` runs
// between looks at the X server, so that the program can answer for a clipboard it owns.
Result readText(std::string& utf8, void (*whileWaiting)());
void close();

}  // namespace x11Clipboard
