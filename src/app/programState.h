#pragma once

// Puts every subsystem's state back to how the program finds it when it starts, so that one
// process can run the program more than once (the tests do).
void resetProgramState();

// The field editor's part of it. In a file of its own because the field editor's header and
// the colour editor's cannot be included together.
void resetEditorState();
