#pragma once

// Every screen, input, time, sound, clipboard and file service the rest of Quillo uses.
// Drawing happens on a software surface of colour numbers; a platform backend, chosen at link
// time (SDL window or headless), shows it and feeds the keyboard and mouse.

#include <cstdint>
#include <string>
#include <string_view>

namespace screen {

constexpr int SCREEN_WIDTH = 640;
constexpr int SCREEN_HEIGHT = 480;
constexpr int PALETTE_SIZE = 256;

// ---- Window ----
// How many window pixels wide and high one surface pixel is shown; 0 takes the largest scale
// that fittingWindowScale allows on the display the window opens on. Set before openScreen.
constexpr int MAX_WINDOW_SCALE = 8;
void setWindowScale(int scale);
// The largest scale from 1 to MAX_WINDOW_SCALE whose window takes at most two thirds of the
// width and of the height of a display's usable area; 1 when even that is too big.
int fittingWindowScale(int usableWidth, int usableHeight);
void openScreen();
bool screenExists();
// Offered to every screen, though the calculator's own never calls it (nor printInteger,
// readByte and atEndOfFile below): they are part of the services' contract and tested with it.
void screenSize(int& width, int& height);
// Ends the process with exit status 0.
[[noreturn]] void endProgram();
// For a run without a window (`quillo schedule`): the console's Ctrl+C, Ctrl+Break and close
// end it at once on Windows, with the status Windows gives an interrupted console program, as
// SIGINT, SIGTERM and SIGHUP end it on Linux by their default.
void watchCommandSignals();
// What the program does before it ends when the system ends the session and will not wait for
// its exit path to come round (logging off on Windows): save what must not be lost.
void setSessionEndAction(void (*action)());
// Keeps the window alive during long work that reads no input: moves waiting window events into
// the key queue and the mouse state, and shows what changed. Takes nothing out of the queues.
void serviceWindow();
// Whether the window's close button waits in the key queue, or the program was asked to end.
bool closeRequested();

// ---- Text grid ----
// Cells are 8 pixels wide; 16 high under the 80x30 grid, 8 under the 80x60 one. Rows and
// columns count from 1.
constexpr int CELL_WIDTH = 8;
constexpr int TEXT_CELL_HEIGHT = 16;
constexpr int columnToX(int column) {
  return (column - 1) * CELL_WIDTH;
}
constexpr int rowToY(int row, int cellHeight = TEXT_CELL_HEIGHT) {
  return (row - 1) * cellHeight;
}
constexpr int xToColumn(int x) {
  return x / CELL_WIDTH + 1;
}
constexpr int yToRow(int y, int cellHeight = TEXT_CELL_HEIGHT) {
  return y / cellHeight + 1;
}
// The cell height of the current grid.
int cellHeight();
// 80x60 selects the 8x8 font, 80x30 the 8x16 font; either clears the screen.
void setTextGrid(int columns, int rows);
// Columns in the low 16 bits, rows in the high 16 bits.
int32_t textGridSize();
void setForeground(int colour);
// Foreground in the low 16 bits, background in the high 16 bits.
int32_t currentColours();
void clearScreen();
// A row or column of 0 leaves that coordinate as it is.
void moveCursor(int row, int column);
void cursorPosition(int& row, int& column);
void printText(std::string_view text, bool lineBreak);
void printTab(int column);
void printInteger(long long n);  // not called by the calculator; see screenSize

// ---- Pixel drawing (inclusive coordinates) ----
enum class Shape { Line, Box, FilledBox };
constexpr int CURRENT_COLOUR = -1;
void drawLine(int x1, int y1, int x2, int y2, int colour, Shape shape, bool relative);
// A line of which every other pair of pixels is drawn. `phase` counts the pixels along it and
// is carried on, so that the segments of a dotted polyline keep one rhythm.
void drawDottedLine(int x1, int y1, int x2, int y2, int colour, int& phase);
// Ink pixels only, in the current foreground colour and the current grid's font.
void drawTextAt(int x, int y, std::string_view text);

// ---- Images: off-screen blocks of colour numbers ----
using Image = int;  // 0 is no image
Image createImage(int width, int height);
void destroyImage(Image& image);
void captureRect(int x1, int y1, int x2, int y2, Image image, bool relative);
void pasteImage(int x, int y, Image image);

// ---- Palette: packed colours red + 256 * green + 65536 * blue, levels 0..63 ----
constexpr int32_t packColour(int32_t red, int32_t green, int32_t blue) {
  return red + 256 * green + 65536 * blue;
}
void setPaletteEntry(int index, int32_t packed);
int32_t getPaletteEntry(int index);
// Entries whose value is negative are left as they are.
void setPalette(const int32_t (&colours)[PALETTE_SIZE]);
void getPalette(int32_t (&colours)[PALETTE_SIZE]);

// ---- Keyboard ----
// Empty, one character, or 255 followed by an extended key code. Never waits.
std::string pollKey();
constexpr char EXTENDED = static_cast<char>(255);
enum ExtendedKey : unsigned char {
  KEY_SHIFT_TAB = 15,
  KEY_HOME = 71,
  KEY_UP = 72,
  KEY_LEFT = 75,
  KEY_RIGHT = 77,
  KEY_END = 79,
  KEY_DOWN = 80,
  KEY_PAGE_DOWN = 81,
  KEY_INSERT = 82,
  KEY_DELETE = 83,
  KEY_CLOSE = 107,
  KEY_CTRL_PAGE_DOWN = 118,
};

// ---- Mouse ----
// All outputs are -1 while the pointer is outside the window. The wheel is a running total.
// Buttons: bit 0 left, bit 1 right, bit 2 middle.
void pollMouse(int& x, int& y, int& wheel, int& buttons);

// ---- Time ----
double readSeconds();
void sleepMs(int milliseconds);
// Waits until input arrives or `milliseconds` have passed, whichever is first; a negative time
// waits for input alone. Returns at once while input is still to be polled. The window is served
// meanwhile, so this is how an idle program sleeps.
void waitForInput(int milliseconds);

// ---- Sound, window activity, clipboard ----
// Starts the wave file playing and returns at once. A file that is missing, is not a regular
// file or is not a plain PCM wave of sensible size plays the built-in warning chime instead;
// each name is looked at once per run.
void playSound(std::string_view name);
// The window exists, has the input focus and is not minimised.
bool isWindowActive();
bool clipboardHasText();
std::string clipboardText();
void setClipboardText(std::string_view text);

// ---- Sequential files ----
enum class FileMode { ReadText, WriteText, ReadBinary };
int freeFileNumber();
// 0 on success, a positive error number otherwise. A file opened for writing replaces the old
// one only when it is closed after every write succeeded, so a failure never leaves half a file.
int32_t openFile(std::string_view name, FileMode mode, int fileNumber);
void readItem(int fileNumber, std::string& item);
void readItem(int fileNumber, int32_t& item);
enum class Separator { Comma, LineEnd };
void writeItem(int fileNumber, std::string_view item, Separator separator);
void writeItem(int fileNumber, int32_t item, Separator separator);
std::string readByte(int fileNumber);  // not called by the calculator; see screenSize
// Up to `count` bytes from where the file stands, in one buffered read. Fewer only at the end
// of the file (lastError 0) or when the read failed (lastError positive).
std::string readBytes(int fileNumber, size_t count);
int32_t lastError();
bool atEndOfFile(int fileNumber);  // not called by the calculator; see screenSize
// The size of an open file in bytes, -1 when it cannot be told.
int64_t fileLength(int fileNumber);
// The whole of a regular file of at most maxBytes; false, with bytes empty, for anything else.
bool readWholeFile(std::string_view name, size_t maxBytes, std::string& bytes);
void closeFile(int fileNumber);
// Closes every open file, dropping what was being written, and forgets them all.
void closeAllFiles();
// Removes the scratch files that writes of `name` killed half way left behind: this user's
// regular files named as openFile names them, untouched for more than STALE_SCRATCH_SECONDS, so
// that another running program's save in progress is left alone.
constexpr int STALE_SCRATCH_SECONDS = 10;
void removeStaleScratchFiles(std::string_view name);

// ---- Where the files live ----
// $XDG_DATA_HOME/quillo when that is an absolute path, else ~/.local/share/quillo; empty when
// neither variable says where.
std::string xdgDataDirectory(const char* xdgDataHome, const char* home);
// Makes the data directory the working directory, with its parents made when missing. Asked for
// (`--data-dir`), it is `given`, or the user's own when that is empty: on Linux
// xdgDataDirectory, on Windows %APPDATA%\Quillo. Not asked for, it is the working directory on
// Linux; on Windows %APPDATA%\Quillo for an installed program, and the program's own folder
// for an unpacked one when that can be written to. False with `error` set when it cannot.
bool enterDataDirectory(bool asked, const std::string& given, std::string& error);

// ---- Read-only views for drawing code that copies pixels, and for tests ----
uint8_t pixelAt(int x, int y);
const uint8_t* surfacePixels();  // SCREEN_WIDTH * SCREEN_HEIGHT colour numbers, row by row

}  // namespace screen
