#include "editor/macroFiles.h"

void loadMacro(std::string_view) {}

void storeRecallEntry(std::string_view) {}

bool recalledEntry(int, std::string&) {
  return false;
}
