// Reads the clipboard over a connection of its own to the X server, following the incremental
// transfer piece by piece.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
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

using Clock = std::chrono::steady_clock;

// One paste, however its owner sends it (slowly, in endless pieces, amid a storm of other
// changes), is given up on this long after it was asked for.
constexpr auto PASTE_DEADLINE = std::chrono::milliseconds(PASTE_DEADLINE_MS);
constexpr int LOOK_EVERY_MS = 10;
// A property is fetched this many bytes at a time, so that a large one is never held twice and
// the part beyond the limit is never fetched at all.
constexpr size_t FETCH_BYTES = 1024 * 1024;

struct Wait {
  Clock::time_point deadline;
  bool (*keepWaiting)();
};

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

// The next event of `type` that `accept` takes. Every other event is dropped as it comes, so an
// owner that keeps changing the requestor window's properties fills no queue. False at the
// deadline, or at once when the program is asked to end.
bool waitFor(int type, bool (*accept)(const XEvent&), XEvent& event, const Wait& wait) {
  for (;;) {
    while (XPending(x11.display) > 0) {
      XNextEvent(x11.display, &event);
      if (event.type == type && accept(event)) return true;
      if (Clock::now() >= wait.deadline) return false;
    }
    if (wait.keepWaiting && !wait.keepWaiting()) return false;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(wait.deadline - Clock::now());
    if (left.count() <= 0) return false;
    pollfd connection = {ConnectionNumber(x11.display), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(std::min<long long>(left.count(), LOOK_EVERY_MS)));
  }
}

bool isSelectionNotify(const XEvent& event) {
  return event.xselection.selection == x11.clipboard;
}

bool isNewPiece(const XEvent& event) {
  return event.xproperty.atom == x11.property && event.xproperty.state == PropertyNewValue;
}

struct Property {
  Atom type = None;  // None when there was no property
  size_t size = 0;   // bytes in all
  bool text = false;
};

// Takes the property off the requestor window: its type and size, and, for text, its bytes
// appended until `bytes` holds the limit. Deleting it asks an incremental owner for its next
// piece.
Property takeProperty(std::string& bytes) {
  Property property;
  long offset = 0;  // in 32-bit units, as the X server counts
  for (unsigned long after = 1; after > 0;) {
    int format = 0;
    unsigned long items = 0;
    unsigned char* data = nullptr;
    const size_t room = MAX_TEXT_BYTES - std::min(bytes.size(), MAX_TEXT_BYTES);
    const long fetch =
        static_cast<long>((std::min(std::max(room, size_t{4}), FETCH_BYTES) + 3) / 4);
    if (XGetWindowProperty(x11.display, x11.requestor, x11.property, offset, fetch, False,
                           AnyPropertyType, &property.type, &format, &items, &after,
                           &data) != Success) {
      property.type = None;
      break;
    }
    const size_t got = items * static_cast<size_t>(format / 8);
    if (offset == 0) {
      property.size = got + after;
      property.text = property.type == x11.utf8 && format == 8;
    }
    if (property.text) {
      if (bytes.empty()) bytes.reserve(std::min(property.size, room));  // a whole text at once
      bytes.append(reinterpret_cast<const char*>(data), std::min(got, room));
    }
    if (data) XFree(data);
    if (!property.text || bytes.size() >= MAX_TEXT_BYTES) break;
    offset += static_cast<long>(got / 4);
  }
  XDeleteProperty(x11.display, x11.requestor, x11.property);
  XFlush(x11.display);
  return property;
}

// Follows an incremental transfer: each piece is taken as it comes, and an empty one ends it.
// A notice of a property that is gone (the INCR one, taken already) is no piece. False when the
// transfer was cut short: the owner fell silent, the deadline passed or the program must end.
// The transfer ends early once the limit is reached.
bool takePieces(std::string& utf8, const Wait& wait) {
  XEvent event;
  while (waitFor(PropertyNotify, isNewPiece, event, wait)) {
    const Property piece = takeProperty(utf8);
    if (piece.type == None) continue;
    if (!piece.text) return false;
    if (piece.size == 0 || utf8.size() >= MAX_TEXT_BYTES) return true;
  }
  return false;
}

}  // namespace

Result readText(std::string& utf8, bool (*keepWaiting)()) {
  utf8.clear();
  if (!connect()) return Result::NotHere;
  if (XGetSelectionOwner(x11.display, x11.clipboard) == None) return Result::NoText;
  const Wait wait = {Clock::now() + PASTE_DEADLINE, keepWaiting};
  XDeleteProperty(x11.display, x11.requestor, x11.property);
  // What an earlier read that was given up on left queued must not pass for this one's answer.
  XSync(x11.display, True);
  XConvertSelection(x11.display, x11.clipboard, x11.utf8, x11.property, x11.requestor, CurrentTime);
  XFlush(x11.display);
  XEvent event;
  bool complete = false;
  if (waitFor(SelectionNotify, isSelectionNotify, event, wait)) {
    if (event.xselection.property == None) return Result::NoText;
    const Property answer = takeProperty(utf8);
    complete = answer.type == x11.incremental ? takePieces(utf8, wait) : answer.text;
  }
  if (!complete) utf8.clear();
  if (!complete || utf8.size() >= MAX_TEXT_BYTES) {
    // An owner still sending would go on writing to this window: the next paste starts afresh.
    close();
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
