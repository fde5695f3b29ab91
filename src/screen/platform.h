#pragma once

// The platform backend behind the screen services. Two realisations are linked alternatively:
// platformSdl.cpp (the real window) and platformHeadless.cpp (scripted, for tests).

#include <string>
#include <string_view>

namespace platform {

// Shows each surface pixel as a square of `scale` window pixels; 0 fits the scale to the display.
bool openWindow(int scale);
void closeWindow();
// Moves waiting window events into the key queue and mouse state, and shows the surface
// if it changed since it was last shown.
void pumpEvents();
// The same for a program busy with work that reads no input meanwhile (a playing macro).
void serviceEvents();
double seconds();
void sleepMs(int milliseconds);
// Serves the window until an event arrives or `milliseconds` have passed (negative: until an
// event). In the scripted backend, until the next scripted step is due.
void waitForEvent(int milliseconds);
// Makes a sound of a checked wave file's bytes; its number, or -1 when there is no sound device.
int loadWave(std::string_view waveBytes);
// Starts a sound from loadWave and returns at once. `name` is the file the program asked for.
void playWave(int sound, const std::string& name);
bool windowActive();
bool clipboardHasText();
std::string clipboardText();
void setClipboardText(std::string_view text);

}  // namespace platform

// What a backend hands to the screen services, from pumpEvents or serviceEvents (and, in the real
// window, from sleepMs and openWindow), in the order it happened. The services own the key queue
// and the mouse state; a backend only calls these and never reads or writes that state itself.
// - queueKey: a key poll result (one character, or 255 and an extended code).
// - mouseChange: a mouse state the program must see, such as a button change; each is reported
//   by a pollMouse of its own, oldest first.
// - mouseMoved: the pointer's new position, given to the newest mouse state.
// - wheelTurned: steps forward (positive) or back, added to the running total at once.
// - pointerLeft and pointerEntered: leaving is a mouse state of its own, after the ones before
//   it; a move or a mouse state means the pointer is over the window again.
// - requestQuit: a signal asks the program to end (a session logging out). From then on every key
//   poll reports the close button, so whatever screen, dialog or macro runs gives way to the
//   program's one exit path.
// - endSessionNow: the system ends the session and will not wait for the program to come round
//   to its exit path (Windows, once logging off is decided): the program's session-end action
//   runs at once and the process ends.
// inputWaiting tells whether keys or mouse states are still to be polled.
namespace screen {

void queueKey(std::string_view pollResult);
void mouseChange(int x, int y, int buttons);
void mouseMoved(int x, int y);
void wheelTurned(int steps);
void pointerLeft();
void pointerEntered();
void requestQuit();
[[noreturn]] void endSessionNow();
bool inputWaiting();

}  // namespace screen
