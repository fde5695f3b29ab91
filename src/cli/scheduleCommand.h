#pragma once

// `quillo schedule LOAN|max RATE [PAYMENT | --term TERM] [--change MONTH:RATE:PAYMENT]...
// [--extra MONTH:AMOUNT]... [--format csv|text|summary|svg]`: the whole repayment schedule, or
// its summary, on standard output, without a window.

#include <string>

// argv[0] is the program, argv[1] "schedule". Answers the exit status: 0 when the schedule was
// written, 1 when a payment falls short of the interest due, no payment meets the term, no loan
// fits the payment or the output could not be written, 2 for arguments it cannot use (with the
// usage text) or an end date to keep that has already passed.
int runScheduleCommand(int argc, const char* const* argv);

// Hands on what `out` holds so far and empties it; false when it could not be written.
using OutputSink = bool (*)(std::string& out);

// The same, leaving what goes to standard output and standard error in `out` and `err`. With a
// sink, the schedule goes to it in pieces of about 64 KB, so its text is never held whole; it is
// checked whole first, so nothing of a schedule refused at a later change is handed on.
int scheduleCommand(int argc, const char* const* argv, std::string& out, std::string& err,
                    OutputSink sink = nullptr);
