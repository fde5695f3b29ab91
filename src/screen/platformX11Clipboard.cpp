// Reads the clipboard over a connection of its own to the X server, following the incremental
// transfer piece by piece.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "screen/private/x11Clipboard.h"

namespace x11Clipboard {

namespace {

struct Connection {
  Display* display = nullptr;
  Window requestor = None;
  Atom clipboard = None, utf8 = None, incremental = None, property = None;
};

Connection x11;

// An owner that stops answering is given up on after this long without a piece.
constexpr int GIVE_UP_MS = 2000;
constexpr int LOOK_EVERY_MS = 10;

bool connect() {
  if (x11.display) return true;
  x11.display = XOpenDisplay(nullptr);
  if (!x11.display) return false;
  Window root = DefaultRootWindow(x11.display);
  x11.requestor = XCreateSimpleWindow(x11.display, root, 0, 0, 1, 1, 0, 0, 0);
  XSelectInput(x11.display, x11.requestor, PropertyChangeMask);
  x11.clipboard = XInternAtom(x11.display, "CLIPBOARD", False);
  x11.utf8 = XInternAtom(x11.display, "UTF8_STRING", False);
  x11.incremental = XInternAtom(x11.display, "INCR", False);
  x11.property = XInternAtom(x11.display, "QUILLO_CLIPBOARD", False);
  return true;
}

// The next event of `type` for the requestor window that `accept` takes; false after
// GIVE_UP_MS without one.
bool waitFor(int type, bool (*accept)(const XEvent&), XEvent& event, void (*whileWaiting)()) {
  for (int waited = 0; waited < GIVE_UP_MS;) {
    while (XCheckTypedWindowEvent(x11.display, x11.requestor, type, &event)) {
      if (accept(event)) return true;
    }
    if (whileWaiting) whileWaiting();
    pollfd connection = {ConnectionNumber(x11.display), POLLIN, 0};
    if (poll(&connection, 1, LOOK_EVERY_MS) == 0) waited += LOOK_EVERY_MS;
  }
  return false;
}

bool isSelectionNotify(const XEvent& event) {
  return event.xselection.selection == x11.clipboard;
}

bool isNewPiece(const XEvent& event) {
  return event.xproperty.atom == x11.property && event.xproperty.state == PropertyNewValue;
}

// Takes the property's value off the requestor window, appending it up to the limit; the
// number of bytes it held. `type` is None when there was no property.
size_t takeProperty(std::string& bytes, Atom& type) {
  int format = 0;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  type = None;
  if (XGetWindowProperty(x11.display, x11.requestor, x11.property, 0, LONG_MAX / 4, True,
                         AnyPropertyType, &type, &format, &items, &after, &data) != Success) {
    return 0;
  }
  size_t size = items * static_cast<size_t>(format / 8);
  if (type != x11.incremental && bytes.size() < MAX_TEXT_BYTES) {
    bytes.append(reinterpret_cast<const char*>(data),
                 std::min(size, MAX_TEXT_BYTES - bytes.size()));
  }
  if (data) XFree(data);
  XFlush(x11.display);
  return size;
}

}  // namespace

Result readText(std::string& utf8, void (*whileWaiting)()) {
  utf8.clear();
  if (!connect()) return Result::NotHere;
  if (XGetSelectionOwner(x11.display, x11.clipboard) == None) return Result::NoText;
  XDeleteProperty(x11.display, x11.requestor, x11.property);
  // What an earlier read that was given up on left queued must not pass for this one's answer.
  XSync(x11.display, True);
  XConvertSelection(x11.display, x11.clipboard, x11.utf8, x11.property, x11.requestor, CurrentTime);
  XFlush(x11.display);
  XEvent event;
  if (!waitFor(SelectionNotify, isSelectionNotify, event, whileWaiting) ||
      event.xselection.property == None) {
    return Result::NoText;
  }
  Atom type = None;
  takeProperty(utf8, type);
  if (type == x11.incremental) {
    // Taking the INCR property asks for the first piece; an empty piece ends the transfer. A
    // notice of a property that is gone (the INCR one, taken already) is no piece.
    bool ended = false;
    while (!ended && waitFor(PropertyNotify, isNewPiece, event, whileWaiting)) {
      ended = takeProperty(utf8, type) == 0 && type != None;
    }
    if (!ended || type != x11.utf8) utf8.clear();  // the owner stopped half way
  } else if (type != x11.utf8) {
    utf8.clear();
  }
  return utf8.empty() ? Result::NoText : Result::Text;
}

void close() {
  if (!x11.display) return;
  XDestroyWindow(x11.display, x11.requestor);
  XCloseDisplay(x11.display);
  x11 = {};
}

}  // namespace x11Clipboard
