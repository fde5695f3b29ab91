#pragma once

// `quillo schedule LOAN RATE [PAYMENT] [--change MONTH:RATE:PAYMENT]... [--format csv|text|svg]`:
// the whole repayment schedule on standard output, without a window.

#include <string>

// argv[0] is the program, argv[1] "schedule". Answers the exit status: 0 when the schedule was
// written, 1 when a payment falls short of the interest due or the output could not be
// written, 2 for arguments it cannot use (with the usage text).
int runScheduleCommand(int argc, const char* const* argv);

// Hands on what `out` holds so far and empties it; false when it could not be written.
using OutputSink = bool (*)(std::string& out);

// The same, leaving what goes to standard output and standard error in `out` and `err`. With a
// sink, a long schedule goes to it in pieces once no change of rate or payment is left that
// could still be refused, so its text never needs to be held whole.
int scheduleCommand(int argc, const char* const* argv, std::string& out, std::string& err,
                    OutputSink sink = nullptr);
