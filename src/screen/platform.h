#pragma once

// The platform backend behind the screen services. Two realisations are linked alternatively:
// platformSdl.cpp (the real window) and platformHeadless.cpp (scripted, for tests).

#include <string>
#include <string_view>

namespace platform {

bool openWindow();
void closeWindow();
// Moves waiting window events into the key queue and mouse state, and shows the surface
// if it changed since it was last shown.
void pumpEvents();
// The same for a program busy with work that reads no input meanwhile (a playing macro).
void serviceEvents();
double seconds();
void sleepMs(int milliseconds);
// Makes a sound of a checked wave file's bytes; its number, or -1 when there is no sound device.
int loadWave(std::string_view waveBytes);
// Starts a sound from loadWave and returns at once. `name` is the file the program asked for.
void playWave(int sound, const std::string& name);
bool windowActive();
bool clipboardHasText();
std::string clipboardText();
void setClipboardText(std::string_view text);

}  // namespace platform
