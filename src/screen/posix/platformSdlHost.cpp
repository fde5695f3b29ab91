// The real window's system side on Linux and other POSIX systems: the hang-up signal, and on
// X11 the clipboard read over a connection of its own.

#include <SDL.h>

#include <csignal>

#include "screen/private/hostWindow.h"
#ifdef QUILLO_X11_CLIPBOARD
#include "screen/private/x11Clipboard.h"
#endif

namespace screen::host {

namespace {

// SDL turns SIGTERM and SIGINT into a request to quit; a hang-up (the terminal closed, a logout)
// must end the program the same way, options saved, so it is passed on as SIGTERM.
void hangUp(int) {
  raise(SIGTERM);
}

}  // namespace

void prepareWindowSystem() {}

// A hang-up the caller ignores (nohup) stays ignored.
void watchSessionEnd(SDL_Window*) {
  struct sigaction old = {};
  if (sigaction(SIGHUP, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) return;
  struct sigaction action = {};
  action.sa_handler = hangUp;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGHUP, &action, nullptr);
}

// On X11 the clipboard is read directly: SDL's reading fails on a text of a few megabytes and
// then empties the clipboard.
ClipboardRead readClipboard([[maybe_unused]] std::string& utf8,
                            [[maybe_unused]] bool (*keepWaiting)()) {
#ifdef QUILLO_X11_CLIPBOARD
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver && SDL_strcmp(driver, "x11") == 0) {
    switch (x11Clipboard::readText(utf8, keepWaiting)) {
      case x11Clipboard::Result::Text:
        return ClipboardRead::Text;
      case x11Clipboard::Result::NoText:
        return ClipboardRead::NoText;
      case x11Clipboard::Result::NotHere:
        break;
    }
  }
#endif
  return ClipboardRead::NotHere;
}

void closeClipboard() {
#ifdef QUILLO_X11_CLIPBOARD
  x11Clipboard::close();
#endif
}

std::string toSystemLineEnds(std::string_view text) {
  return std::string(text);
}

std::string fromSystemLineEnds(std::string_view text) {
  return std::string(text);
}

}  // namespace screen::host
