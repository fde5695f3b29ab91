// Every run of the program writes its options file into the working directory, so the whole
// test run works in a scratch directory of its own: nothing is left in the tree or the build
// directory, and no run can pick up settings another one left behind.

#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

#include "support/scratchDirectory.h"

namespace {

struct TestWorkingDirectory : testing::Environment {
  std::filesystem::path previous, scratch;

  void SetUp() override {
    std::error_code error;
    previous = std::filesystem::current_path(error);
    scratch = scratch::makeTemporaryDirectory("quilloTestRun");
    if (!scratch.empty()) std::filesystem::current_path(scratch, error);
  }

  void TearDown() override {
    std::error_code error;
    std::filesystem::current_path(previous, error);
    if (!scratch.empty()) std::filesystem::remove_all(scratch, error);
  }
};

const testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new TestWorkingDirectory);

}  // namespace
