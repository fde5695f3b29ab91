#pragma once

// The command line and the environment that start the program: the window's scale, the data
// directory, and the two options that only print (the version and the usage).

#include <string>
#include <vector>

enum class CommandAction { Run, PrintHelp, PrintVersion, UsageError };

struct CommandLine {
  CommandAction action = CommandAction::Run;
  int scale = 0;  // 0: the largest that fits the display
  bool changeDirectory = false;
  std::string dataDirectory;  // with changeDirectory; empty: the user's data directory
  std::string error;          // with UsageError: what was wrong, for the message
  std::string warning;        // with Run: a setting that was ignored, for standard error
};

// `arguments` without the program's name; `scaleVariable` is QUILLO_SCALE's value or null; a
// scale runs from 1 to maxScale.
CommandLine parseCommandLine(const std::vector<std::string>& arguments, const char* scaleVariable,
                             int maxScale);
const char* programVersion();

// Enters the folder the files live in: `asked` when --data-dir was given, `given` its folder
// (empty: the user's own). False with `error` set when it cannot. The system decides where
// that is, so the caller hands it in.
using EnterDataDirectory = bool (*)(bool asked, const std::string& given, std::string& error);

// Reads the command line and the environment and prepares the run: prints what was asked for,
// or the usage for a mistake, enters the data directory and answers the window's scale in
// `scale` (0: the largest that fits). False when the program should end now with `status`.
bool prepareRun(int argc, char** argv, int maxScale, EnterDataDirectory enterDataDirectory,
                int& scale, int& status);
