// Feeds arbitrary macro files to the translation and plays the result through the input loop.
// The buffer must not depend on how the file was cut into pieces for reading, must stay within
// twice the file's length, and must play to its end one event per byte or key code at most,
// with only events the screens know the ranges of, and never a Ctrl+Enter: a macro that could
// start a macro could start itself for ever.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "controls/eventCodes.h"
#include "controls/inputLoop.h"
#include "editor/macroTranslation.h"
#include "screen/private/headless.h"
#include "screen/screen.h"

namespace {

void fail(const char* what, std::string_view file) {
  std::fprintf(stderr, "macroTranslateFuzz: %s (file of %zu bytes)\n", what, file.size());
  std::abort();
}

std::string translateInPieces(std::string_view file, size_t pieceLength) {
  MacroTranslation translation;
  for (size_t at = 0; at < file.size(); at += pieceLength) {
    bool reading = true;
    for (char byte : file.substr(at, pieceLength)) {
      reading = translateMacroByte(translation, static_cast<unsigned char>(byte));
      if (!reading) break;
    }
    if (!reading) break;
  }
  finishMacroTranslation(translation);
  return std::move(translation.buffer);
}

bool knownRange(EventCode event) {
  return (event >= 1 && event <= 255) ||
         (event >= EVENT_RECALL_FIRST && event <= EVENT_RECALL_LAST) ||
         (event >= EVENT_KEY_BASE && event <= EVENT_KEY_BASE + 255);
}

// Plays the buffer as the editor would, answering every wait at once.
void play(const std::string& buffer, std::string_view file) {
  headless::reset();
  screen::openScreen();
  inputLoop = {};
  inputLoop.macroBuffer = buffer;
  inputLoop.macroPlaying = true;
  size_t calls = 0;
  int pointerY = 0, pointerX = 0;
  while (inputLoop.macroPlaying) {
    if (inputLoop.macroWaiting) {
      inputLoop.macroWaiting = false;
      continue;
    }
    // Every call takes at least one byte, or reads past the end once.
    if (++calls > buffer.size() + 1) fail("playback does not end", file);
    // A wait lets the keyboard in: keep a key ready so the call returns.
    if (headless::scriptFinished()) headless::key("x");
    EventCode event = nextInputEvent(pointerY, pointerX, GRAPHICS_SCREEN_MODE, "(x)", false);
    if (!knownRange(event)) fail("an event outside the known ranges", file);
    if (event == EVENT_CTRL_ENTER) fail("a macro gave Ctrl+Enter", file);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view file(reinterpret_cast<const char*>(data), size);
  std::string buffer = translateMacro(file);
  if (buffer.size() > 2 * file.size()) fail("the buffer outgrew twice the file", file);
  size_t pieceLength = size > 0 ? 1 + data[0] % 7 : 1;
  if (translateInPieces(file, pieceLength) != buffer) fail("pieces translate differently", file);
  play(buffer, file);
  return 0;
}
