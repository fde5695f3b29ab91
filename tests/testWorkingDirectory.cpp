// Every run of the program writes its options file into the working directory, so the whole
// test run works in a scratch directory of its own: nothing is left in the tree or the build
// directory, and no run can pick up settings another one left behind.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>

#include "support/environmentScope.h"
#include "support/scratchDirectory.h"

namespace {

// A death test's child on Windows is a new run of this program, ended before it could clean up:
// it works in the folder its parent named, which the parent removes.
constexpr const char* RUN_FOLDER_VARIABLE = "QUILLO_TEST_RUN_FOLDER";

struct TestWorkingDirectory : testing::Environment {
  std::filesystem::path previous, scratch;
  std::unique_ptr<EnvironmentScope> named;

  void SetUp() override {
    std::error_code error;
    previous = std::filesystem::current_path(error);
    if (const char* parent = std::getenv(RUN_FOLDER_VARIABLE)) {
      std::filesystem::current_path(parent, error);
      return;
    }
    scratch = scratch::makeTemporaryDirectory("quilloTestRun");
    if (scratch.empty()) return;
    std::filesystem::current_path(scratch, error);
    named = std::make_unique<EnvironmentScope>(RUN_FOLDER_VARIABLE, scratch.string().c_str());
  }

  void TearDown() override {
    named.reset();
    std::error_code error;
    std::filesystem::current_path(previous, error);
    if (!scratch.empty()) std::filesystem::remove_all(scratch, error);
  }
};

const testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new TestWorkingDirectory);

}  // namespace
