#pragma once

// The repayment schedule: the step prompt and header, one line per month in a band of twelve
// rows that scrolls up when full, and the totals line when the loan is repaid or after 12000
// months. Works on the calculator state.

#include <cstdint>

// Prints the prompt with the three step controls and the header and starts the plan from the
// inputs confirmed; `term`: the months F2 solved the payment for, 0 none.
void startSchedule(int32_t term = 0);
// Something is left to repay and the month limit is not reached.
bool canStep();
// Computes and prints the next month.
void stepMonth();
void stepDown();
// Up to twelve months; the totals line comes as soon as nothing is left to step.
void stepYear();
// Steps until the loan is repaid or the limit reached, then finishes; does nothing when the
// balance is 0 or less or the limit was already reached.
void stepToEnd();
// Prints the totals line and leaves every control but "New calculation" and "Exit" inert.
void finishSchedule();
// Moves text rows top + 1 to bottom up by one row and blanks row bottom.
void scrollScheduleUp(int top, int bottom);
