#include "support/macroRun.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "app/program.h"
#include "screen/private/headless.h"
#include "support/scratchDirectory.h"

namespace macroRun {

void startMacro(const std::string& name) {
  headless::type(name);
  headless::key("\n");
}

void run(std::string_view fileBytes, const std::function<void()>& afterwards, long long fileSize) {
  headless::reset();
  scratch::writeFile("7.mac", fileBytes);
  if (fileSize > static_cast<long long>(fileBytes.size()) && truncate("7.mac", fileSize) != 0) {
    ADD_FAILURE() << "cannot grow 7.mac";
  }
  startMacro("7");
  afterwards();
  runProgram();
}

}  // namespace macroRun
