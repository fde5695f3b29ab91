#include "editor/macroFiles.h"

#include <algorithm>
#include <utility>

#include "controls/inputLoop.h"
#include "editor/fieldEditor.h"
#include "editor/macroTranslation.h"
#include "screen/screen.h"

MacroRecall macroRecall;

namespace {

// The file is read in pieces of this size, so a large one costs a few reads and one copy.
constexpr size_t READ_CHUNK = 1 << 16;
// More than a person could ever type: a larger file is refused before it is read, so that a
// huge one neither freezes the window nor fills the memory.
constexpr int64_t MAX_MACRO_BYTES = 16 << 20;

}  // namespace

std::string macroFileName(std::string_view name) {
  std::string fileName(name);
  if (fileName.find('.') == std::string::npos) fileName += ".mac";
  return fileName;
}

void loadMacro(std::string_view name) {
  int fileNumber = screen::freeFileNumber();
  std::string fileName = macroFileName(name);
  if (screen::openFile(fileName, screen::FileMode::ReadBinary, fileNumber) != 0) {
    printStatusMessage("Could not find macro file " + fileName, false);
    return;
  }
  MacroTranslation translation;
  bool reading = true;
  int64_t left = MAX_MACRO_BYTES;
  if (screen::fileLength(fileNumber) > MAX_MACRO_BYTES) left = -1;
  while (reading) {
    std::string chunk = left >= 0 ? screen::readBytes(fileNumber, READ_CHUNK) : std::string();
    left -= static_cast<int64_t>(chunk.size());
    bool failed = screen::lastError() != 0 || left < 0;
    for (char byte : chunk) {
      reading = translateMacroByte(translation, static_cast<unsigned char>(byte));
      if (!reading) break;
    }
    // A failure after two slashes lies in the part of the file that is never read.
    if (failed && reading) printStatusMessage("Could not read " + fileName, true);
    if (failed || chunk.size() < READ_CHUNK) break;
  }
  finishMacroTranslation(translation);
  screen::closeFile(fileNumber);
  // What was read before a read error plays like a whole macro.
  inputLoop.macroBuffer = std::move(translation.buffer);
  inputLoop.macroReadPos = 1;
  inputLoop.macroPlaying = true;
  inputLoop.macroWaiting = false;
  macroRecall.recallCount = 0;
}

void storeRecallEntry(std::string_view text) {
  if (macroRecall.recallCount >= RECALL_SLOTS) return;
  ++macroRecall.recallCount;
  macroRecall.recallSlots[macroRecall.recallCount] = std::string(text);
}

bool recalledEntry(int slot, std::string& text) {
  if (slot < 1 || slot > macroRecall.recallCount) return false;
  text = macroRecall.recallSlots[slot];
  return true;
}
