// Drives the drawing primitives with arbitrary coordinates: lines, boxes, images, text placed
// anywhere an int reaches, on any text grid. Each must clip to the surface and return quickly.

#include <cstdint>
#include <cstring>
#include <string_view>

#include "screen/private/surfaceState.h"
#include "screen/screen.h"

namespace {

struct Reader {
  const uint8_t* data;
  size_t size;
  size_t at = 0;

  uint8_t byte() { return at < size ? data[at++] : 0; }

  // Mostly small numbers around the screen, sometimes the ends of the int range.
  int coordinate() {
    uint8_t kind = byte();
    int32_t raw = 0;
    for (int i = 0; i < 4; ++i)
      raw = static_cast<int32_t>(static_cast<uint32_t>(raw) << 8 | byte());
    switch (kind % 4) {
      case 0:
        return raw % 1000 - 200;
      case 1:
        return raw;
      case 2:
        return kind & 4 ? INT32_MAX - (raw & 0xff) : INT32_MIN + (raw & 0xff);
      default:
        return raw % 32;
    }
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  screen::resetScreenState();
  Reader in{data, size};
  screen::Image image = 0;
  for (int step = 0; step < 64 && in.at < size; ++step) {
    uint8_t op = in.byte();
    int a = in.coordinate(), b = in.coordinate(), c = in.coordinate(), d = in.coordinate();
    bool relative = op & 0x80;
    switch (op % 8) {
      case 0:
      case 1:
      case 2:
        screen::drawLine(a, b, c, d, op & 0x40 ? screen::CURRENT_COLOUR : op & 15,
                         static_cast<screen::Shape>(op % 3), relative);
        break;
      case 3:
        screen::destroyImage(image);
        image = screen::createImage(a, b);
        screen::captureRect(c, d, a, b, image, relative);
        break;
      case 4:
        screen::pasteImage(a, b, image);
        break;
      case 5:
        screen::drawTextAt(a, b, "Qu\xdb\xb0");
        break;
      case 6:
        screen::moveCursor(a, b);
        screen::printText("12,345.67", op & 0x40);
        screen::printTab(c);
        screen::printInteger(d);
        break;
      default:
        screen::setTextGrid(a, b);
        break;
    }
  }
  screen::destroyImage(image);
  return 0;
}
