// The real window's system side on Windows: DPI, the end of a session, the clipboard's line
// ends. SDL reads and writes the clipboard itself (as UTF-16 text).

#include <SDL.h>
#include <SDL_syswm.h>
#include <windows.h>

#include "screen/platform.h"
#include "screen/private/consoleSignals.h"
#include "screen/private/hostWindow.h"
#include "screen/private/windowsRules.h"

namespace screen::host {

namespace {

WNDPROC sdlWindowProc = nullptr;

// Logging off or shutting down: asked first, the program starts its way out; told that the
// session ends, it must be done before the message returns, for the system ends the process
// right after. Both are sent straight to the window, past SDL's message loop and its hook.
LRESULT CALLBACK sessionMessages(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_QUERYENDSESSION) {
    screen::requestQuit();
    return TRUE;
  }
  if (message == WM_ENDSESSION && wParam) screen::endSessionNow();
  return CallWindowProcW(sdlWindowProc, window, message, wParam, lParam);
}

// Safe from the console's own thread: the main loop takes it as a signal to end.
void pushQuit() {
  SDL_Event quit = {};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
}

}  // namespace

void prepareWindowSystem() {
  // main() is the program's own; SDL's replacement for it is not linked.
  SDL_SetMainReady();
  SDL_SetHint(SDL_HINT_WINDOWS_DPI_AWARENESS, "permonitorv2");
  // Started from the desktop, a console program gets a console of its own: it is not needed
  // by the window, only by `quillo schedule` started from one.
  DWORD processes[2];
  if (GetConsoleProcessList(processes, 2) == 1) FreeConsole();
}

void watchSessionEnd(SDL_Window* window) {
  // Started from a console, Ctrl+C, Ctrl+Break and closing it end the window program as the
  // signals do on Linux.
  watchConsoleSignals(pushQuit);
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WINDOWS) return;
  sdlWindowProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      info.info.win.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sessionMessages)));
}

ClipboardRead readClipboard(std::string&, bool (*)()) {
  return ClipboardRead::NotHere;
}

void closeClipboard() {}

std::string toSystemLineEnds(std::string_view text) {
  return windowsRules::crlfLineEnds(text);
}

std::string fromSystemLineEnds(std::string_view text) {
  return windowsRules::lfLineEnds(text);
}

}  // namespace screen::host
