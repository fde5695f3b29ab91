#pragma once

// What the real window needs from the operating system beyond SDL, one realisation per system
// (posix/platformSdlHost.cpp, windows/platformSdlHost.cpp), linked with the SDL backend.

#include <string>
#include <string_view>

struct SDL_Window;

namespace screen::host {

// Before SDL starts: on Windows the program tells the system that it scales for the display's
// DPI itself, so that the window is not stretched blurry.
void prepareWindowSystem();
// Once the window is open: the ways the system ends a program from outside (a hang-up on
// POSIX; logging off and shutting down on Windows) end it through the program's exit path.
void watchSessionEnd(SDL_Window* window);

enum class ClipboardRead { Text, NoText, NotHere };
// The clipboard's text as UTF-8 where the system's own reading does better than SDL's;
// NotHere leaves it to SDL. `keepWaiting` keeps the window answering meanwhile; when it answers
// false (the program is to end) the read gives nothing at once.
ClipboardRead readClipboard(std::string& utf8, bool (*keepWaiting)());
void closeClipboard();
// Line ends as the system's clipboard holds them (CR LF on Windows, where spreadsheets and
// editors expect them) and as the program's own text has them (LF).
std::string toSystemLineEnds(std::string_view text);
std::string fromSystemLineEnds(std::string_view text);

}  // namespace screen::host
