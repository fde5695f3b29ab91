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
void playWave(const std::string& name);
bool windowActive();
bool clipboardHasText();
std::string clipboardText();
void setClipboardText(std::string_view text);

}  // namespace platform
