#pragma once

// Start-up and the main event loop. Returns once the user has chosen to end the program.
void runProgram();

// The first steps of start-up: every subsystem's state as new, the window open, the small glyphs
// taken from the 80x60 grid, the 80x30 grid in use and the schedule's scroll image made.
void openProgramScreen();
