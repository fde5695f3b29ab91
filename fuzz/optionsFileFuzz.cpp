// Feeds arbitrary bytes to the options file reader. The settings read must always be usable,
// and whatever was read must survive being written and read again.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/optionsFile.h"
#include "colours/colourScheme.h"
#include "scratchDirectory.h"

namespace {

void writeInput(const char* name, const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(name, "wb");
  if (!file) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzScratch::enter("quilloOptionsFuzz");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  writeInput("QuilloOptions.txt", data, size);
  readOptions();
  const int32_t scheme = colourSchemeState.colourScheme;
  const std::string name = options.soundFileName;
  if (scheme != SCHEME_LIGHT_ON_DARK && scheme != SCHEME_DARK_ON_LIGHT) std::abort();
  if (name.size() > 4096) std::abort();
  // The writer escapes nothing, so a name holding a double quote cannot come back whole.
  if (name.find('"') == std::string::npos) {
    writeOptions();
    readOptions();
    if (options.soundFileName != name || colourSchemeState.colourScheme != scheme) std::abort();
  }
  return 0;
}
