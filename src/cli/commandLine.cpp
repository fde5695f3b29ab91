#include "cli/commandLine.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "cli/options.h"
#include "cli/standardOutput.h"
#include "cli/usage.h"

namespace {

// A whole number from 1 to maxScale, digits only.
bool readScale(std::string_view text, int maxScale, int& scale) {
  if (text.empty() || text.size() > 2) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > maxScale) return false;
  scale = value;
  return true;
}

CommandLine usageError(std::string error) {
  CommandLine line;
  line.action = CommandAction::UsageError;
  line.error = std::move(error);
  return line;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& given, const char* scaleVariable,
                             int maxScale) {
  const std::vector<std::string_view> arguments(given.begin(), given.end());
  const std::string scaleRange = "a whole number from 1 to " + std::to_string(maxScale);
  CommandLine line;
  bool scaleGiven = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    bool hasValue = false;
    std::string_view value;
    if (readOption(arguments, i, "--help", OptionValue::None, hasValue, value)) {
      line.action = CommandAction::PrintHelp;
    } else if (readOption(arguments, i, "--version", OptionValue::None, hasValue, value)) {
      if (line.action == CommandAction::Run) line.action = CommandAction::PrintVersion;
    } else if (readOption(arguments, i, "--scale", OptionValue::Required, hasValue, value)) {
      if (!hasValue || !readScale(value, maxScale, line.scale)) {
        return usageError("--scale needs " + scaleRange);
      }
      scaleGiven = true;
    } else if (readOption(arguments, i, "--data-dir", OptionValue::Optional, hasValue, value)) {
      if (hasValue && value.empty()) return usageError("--data-dir needs a directory");
      line.changeDirectory = true;
      line.dataDirectory = value;
    } else {
      return usageError("unknown argument: " + std::string(arguments[i]));
    }
  }
  // A bad variable must not keep the program from starting (from a menu nobody sees the
  // message): it is reported and the scale fits the display. Empty counts as not set.
  if (!scaleGiven && scaleVariable && scaleVariable[0] != '\0' &&
      !readScale(scaleVariable, maxScale, line.scale)) {
    line.warning = "QUILLO_SCALE needs " + scaleRange + "; the scale fits the display";
  }
  return line;
}

const char* programVersion() {
  return QUILLO_VERSION;
}

bool prepareRun(int argc, char** argv, int maxScale, EnterDataDirectory enterDataDirectory,
                int& scale, int& status) {
  std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  CommandLine line = parseCommandLine(arguments, std::getenv("QUILLO_SCALE"), maxScale);
  status = 0;
  switch (line.action) {
    case CommandAction::PrintHelp:
    case CommandAction::PrintVersion: {
      const std::string text = line.action == CommandAction::PrintHelp
                                   ? usageText(maxScale)
                                   : "quillo " + std::string(programVersion()) + "\n";
      if (!writeStandardOutput(text)) {
        std::fputs(standardOutputFailure("quillo").c_str(), stderr);
        status = 1;
      }
      return false;
    }
    case CommandAction::UsageError:
      std::fprintf(stderr, "quillo: %s\n%s", line.error.c_str(), usageText(maxScale).c_str());
      status = 2;
      return false;
    case CommandAction::Run:
      if (!line.warning.empty()) std::fprintf(stderr, "quillo: %s\n", line.warning.c_str());
      break;
  }
  std::string error;
  if (!enterDataDirectory(line.changeDirectory, line.dataDirectory, error)) {
    std::fprintf(stderr, "quillo: %s\n", error.c_str());
    status = 1;
    return false;
  }
  scale = line.scale;
  return true;
}
