// A clipboard owner that makes pasting hard, for the tests of the reading side. It offers the
// text "1234567890" repeated, and answers each request for it in one of these ways:
//   incr SIZE PIECE GAP_MS   the incremental transfer of SIZE bytes (0: without end) in pieces of
//                            PIECE bytes, each sent GAP_MS after the reader took the last one
//   whole SIZE PIECE         one property of SIZE bytes, built up PIECE bytes at a time
//   flood GAP_MS             no answer; a property of the reader's window changed every GAP_MS
// It prints "ready" once it owns the clipboard and ends after LIFETIME seconds.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

struct Transfer {
  Window requestor = None;
  Atom property = None;
  unsigned long sent = 0;
  bool waitingForTake = false;  // a piece (or the INCR notice) waits for the reader to take it
  bool done = true;
  Clock::time_point nextAt;
};

// The offered text from `offset` on: "1234567890" repeated, cut from one long copy.
std::string textAt(unsigned long offset, unsigned long length) {
  static std::string repeated;
  if (repeated.size() < length + 10) {
    repeated.clear();
    while (repeated.size() < length + 10) repeated += "1234567890";
  }
  return repeated.substr(offset % 10, length);
}

int ignoreErrors(Display*, XErrorEvent*) {
  return 0;  // the reader's window may be gone
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  const int counts = mode == "incr" ? 4 : mode == "whole" ? 3 : mode == "flood" ? 2 : -1;
  if (counts < 0 || argc != counts + 2) {
    std::fprintf(stderr,
                 "usage: hostileClipboardOwner incr SIZE PIECE GAP_MS LIFETIME\n"
                 "       hostileClipboardOwner whole SIZE PIECE LIFETIME\n"
                 "       hostileClipboardOwner flood GAP_MS LIFETIME\n");
    return 2;
  }
  const unsigned long size = mode == "flood" ? 0 : std::strtoul(argv[2], nullptr, 10);
  const unsigned long piece = mode == "flood" ? 0 : std::strtoul(argv[3], nullptr, 10);
  const long gapMs = mode == "incr"    ? std::strtol(argv[4], nullptr, 10)
                     : mode == "flood" ? std::strtol(argv[2], nullptr, 10)
                                       : 0;
  const auto end = Clock::now() + std::chrono::seconds(std::strtol(argv[argc - 1], nullptr, 10));

  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  XSetErrorHandler(ignoreErrors);
  const Window owner =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  const Atom incremental = XInternAtom(display, "INCR", False);
  const Atom flood = XInternAtom(display, "HOSTILE_FLOOD", False);
  XSetSelectionOwner(display, clipboard, owner, CurrentTime);
  if (XGetSelectionOwner(display, clipboard) != owner) return 1;
  std::printf("ready\n");
  std::fflush(stdout);

  Transfer transfer;
  while (Clock::now() < end) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == SelectionRequest) {
        const XSelectionRequestEvent& request = event.xselectionrequest;
        XSelectionEvent answer = {};
        answer.type = SelectionNotify;
        answer.requestor = request.requestor;
        answer.selection = request.selection;
        answer.target = request.target;
        answer.time = request.time;
        answer.property = request.target == utf8 ? request.property : None;
        transfer = {request.requestor, request.property, 0, false, mode != "flood", Clock::now()};
        if (answer.property == None || mode == "flood") {
          if (answer.property == None) {
            XSendEvent(display, request.requestor, False, NoEventMask,
                       reinterpret_cast<XEvent*>(&answer));
          }
          continue;
        }
        if (mode == "incr") {
          XSelectInput(display, request.requestor, PropertyChangeMask);
          const long announced = size > 0 ? static_cast<long>(size) : 0x7fffffffL;
          XChangeProperty(display, request.requestor, request.property, incremental, 32,
                          PropModeReplace, reinterpret_cast<const unsigned char*>(&announced), 1);
          transfer.done = false;
          transfer.waitingForTake = true;
        } else {
          for (unsigned long at = 0; at < size || at == 0; at += piece) {
            const std::string part = textAt(at, std::min(piece, size - at));
            XChangeProperty(display, request.requestor, request.property, utf8, 8,
                            at == 0 ? PropModeReplace : PropModeAppend,
                            reinterpret_cast<const unsigned char*>(part.data()),
                            static_cast<int>(part.size()));
            if (size == 0) break;
          }
          transfer.done = true;
        }
        XSendEvent(display, request.requestor, False, NoEventMask,
                   reinterpret_cast<XEvent*>(&answer));
      } else if (event.type == PropertyNotify && event.xproperty.window == transfer.requestor &&
                 event.xproperty.atom == transfer.property &&
                 event.xproperty.state == PropertyDelete && transfer.waitingForTake) {
        transfer.waitingForTake = false;
        transfer.nextAt = Clock::now() + std::chrono::milliseconds(gapMs);
      }
    }
    const auto now = Clock::now();
    if (mode == "flood" && transfer.requestor != None && now >= transfer.nextAt) {
      const unsigned char mark = 'x';
      XChangeProperty(display, transfer.requestor, flood, XA_STRING, 8, PropModeReplace, &mark, 1);
      transfer.nextAt = now + std::chrono::milliseconds(gapMs);
    } else if (!transfer.done && !transfer.waitingForTake && now >= transfer.nextAt) {
      // The last piece is an empty one; a transfer without end never gets there.
      const unsigned long length = size > 0 ? std::min(piece, size - transfer.sent) : piece;
      const std::string part = textAt(transfer.sent, length);
      XChangeProperty(display, transfer.requestor, transfer.property, utf8, 8, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(part.data()),
                      static_cast<int>(part.size()));
      transfer.sent += length;
      transfer.done = length == 0;
      transfer.waitingForTake = !transfer.done;
    }
    XFlush(display);
    pollfd connection = {ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, 1);
  }
  XCloseDisplay(display);
  return 0;
}
