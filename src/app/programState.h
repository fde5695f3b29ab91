#pragma once

// Puts every subsystem's state back to how the program finds it when it starts, so that one
// process can run the program more than once (the tests do).
void resetProgramState();
