#pragma once

// What the command line prints goes out whole or is reported: a full disk or a closed pipe
// must not pass for success.

#include <string>
#include <string_view>

// Writes `text` to standard output and flushes it; false when it could not be written.
bool writeStandardOutput(std::string_view text);
// "<command>: standard output could not be written: <why>\n", from errno as the failed write
// left it.
std::string standardOutputFailure(std::string_view command);
