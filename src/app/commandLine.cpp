#include "app/commandLine.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "screen/screen.h"

namespace {

constexpr std::string_view SCALE_OPTION = "--scale";
constexpr std::string_view DATA_DIR_OPTION = "--data-dir";

// A whole number from 1 to the largest scale, digits only.
bool readScale(std::string_view text, int& scale) {
  if (text.empty() || text.size() > 2) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > screen::MAX_WINDOW_SCALE) return false;
  scale = value;
  return true;
}

CommandLine usageError(std::string error) {
  CommandLine line;
  line.action = CommandAction::UsageError;
  line.error = std::move(error);
  return line;
}

// "--name=value" gives value; "--name" alone gives no value.
bool splitOption(std::string_view argument, std::string_view name, bool& hasValue,
                 std::string_view& value) {
  if (argument.substr(0, name.size()) != name) return false;
  if (argument.size() == name.size()) {
    hasValue = false;
    return true;
  }
  if (argument[name.size()] != '=') return false;
  hasValue = true;
  value = argument.substr(name.size() + 1);
  return true;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments, const char* scaleVariable) {
  CommandLine line;
  bool scaleGiven = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    std::string_view argument = arguments[i];
    bool hasValue = false;
    std::string_view value;
    if (argument == "--help") {
      line.action = CommandAction::PrintHelp;
    } else if (argument == "--version") {
      if (line.action == CommandAction::Run) line.action = CommandAction::PrintVersion;
    } else if (splitOption(argument, SCALE_OPTION, hasValue, value)) {
      if (!hasValue && i + 1 < arguments.size()) {
        hasValue = true;
        value = arguments[++i];
      }
      if (!hasValue || !readScale(value, line.scale)) {
        return usageError("--scale needs a whole number from 1 to " +
                          std::to_string(screen::MAX_WINDOW_SCALE));
      }
      scaleGiven = true;
    } else if (splitOption(argument, DATA_DIR_OPTION, hasValue, value)) {
      // The directory is optional: a following option is not taken for it.
      if (!hasValue && i + 1 < arguments.size() && !arguments[i + 1].starts_with("-")) {
        hasValue = true;
        value = arguments[++i];
      }
      if (hasValue && value.empty()) return usageError("--data-dir needs a directory");
      line.changeDirectory = true;
      line.dataDirectory = value;
    } else {
      return usageError("unknown argument: " + std::string(argument));
    }
  }
  // A bad variable must not keep the program from starting (from a menu nobody sees the
  // message): it is reported and the scale fits the display. Empty counts as not set.
  if (!scaleGiven && scaleVariable && scaleVariable[0] != '\0' &&
      !readScale(scaleVariable, line.scale)) {
    line.warning = "QUILLO_SCALE needs a whole number from 1 to " +
                   std::to_string(screen::MAX_WINDOW_SCALE) + "; the scale fits the display";
  }
  return line;
}

std::string userDataDirectory(const char* xdgDataHome, const char* home) {
  // A relative XDG_DATA_HOME is invalid by the freedesktop base directory rules and is ignored.
  if (xdgDataHome && xdgDataHome[0] == '/') return std::string(xdgDataHome) + "/quillo";
  if (home && home[0] != '\0') return std::string(home) + "/.local/share/quillo";
  return {};
}

bool enterDataDirectory(const std::string& directory, std::string& error) {
  std::error_code code;
  std::filesystem::create_directories(directory, code);
  if (!code && chdir(directory.c_str()) != 0)
    code = std::error_code(errno, std::generic_category());
  if (!code) return true;
  error = "cannot use " + directory + " as the data directory: " + code.message();
  return false;
}

const std::string& usageText() {
  static const std::string text =
      "usage: quillo [--scale N] [--data-dir [DIR]]\n"
      "       quillo schedule LOAN RATE [PAYMENT] [--change MONTH:RATE:PAYMENT]... "
      "[--format csv|text]\n"
      "       quillo --version | --help\n"
      "\n"
      "Quillo keeps its options and palette files in its working directory.\n"
      "\n"
      "  --scale N         show every pixel as N by N pixels, N from 1 to " +
      std::to_string(screen::MAX_WINDOW_SCALE) +
      "; without it, the largest\n"
      "                    window that fits in two thirds of the screen\n"
      "  --data-dir [DIR]  work in DIR, made when missing; without DIR, $XDG_DATA_HOME/quillo\n"
      "                    or else ~/.local/share/quillo\n"
      "  --version         print the version and end\n"
      "  --help            print this text and end\n"
      "\n"
      "Environment: QUILLO_SCALE is the scale when --scale is not given.\n";
  return text;
}

const char* programVersion() {
  return QUILLO_VERSION;
}

bool prepareRun(int argc, char** argv, int& status) {
  std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  CommandLine line = parseCommandLine(arguments, std::getenv("QUILLO_SCALE"));
  status = 0;
  switch (line.action) {
    case CommandAction::PrintHelp:
      std::fputs(usageText().c_str(), stdout);
      return false;
    case CommandAction::PrintVersion:
      std::printf("quillo %s\n", programVersion());
      return false;
    case CommandAction::UsageError:
      std::fprintf(stderr, "quillo: %s\n%s", line.error.c_str(), usageText().c_str());
      status = 2;
      return false;
    case CommandAction::Run:
      if (!line.warning.empty()) std::fprintf(stderr, "quillo: %s\n", line.warning.c_str());
      break;
  }
  if (line.changeDirectory) {
    std::string directory = line.dataDirectory;
    if (directory.empty()) {
      directory = userDataDirectory(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    }
    std::string error = directory.empty() ? "no data directory: HOME is not set" : "";
    if (!error.empty() || !enterDataDirectory(directory, error)) {
      std::fprintf(stderr, "quillo: %s\n", error.c_str());
      status = 1;
      return false;
    }
  }
  screen::setWindowScale(line.scale);
  return true;
}
