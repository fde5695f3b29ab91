#pragma once

// Start-up and the main event loop. Returns once the user has chosen to end the program.
void runProgram();
