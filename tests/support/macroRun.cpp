#include "support/macroRun.h"

#include "app/program.h"
#include "screen/headless.h"
#include "support/scratchDirectory.h"

namespace macroRun {

void startMacro(const std::string& name) {
  headless::type(name);
  headless::key("\n");
}

void run(std::string_view fileBytes, const std::function<void()>& afterwards) {
  headless::reset();
  scratch::writeFile("7.mac", fileBytes);
  startMacro("7");
  afterwards();
  runProgram();
}

}  // namespace macroRun
