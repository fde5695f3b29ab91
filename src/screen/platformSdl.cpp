// The real window: SDL2 shows the surface in the window's own framebuffer, each surface pixel as
// a square of window pixels; SDL_mixer plays waves, and SDL's events feed the key queue and the
// mouse state.

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "screen/charset.h"
#include "screen/keyMap.h"
#include "screen/platform.h"
#include "screen/private/hostWindow.h"
#include "screen/private/surfaceState.h"

namespace platform {

namespace {

struct SdlState {
  SDL_Window* window = nullptr;
  int scale = 1;  // window pixels per surface pixel, across and down
  // The surface in the window's pixel format at its own size, stretched into the window.
  SDL_Surface* converted = nullptr;
  // A sound device was found at start. It is open (and its thread awake) only while a sound
  // plays and a little after; reopened with the format found at start, so sounds made for it
  // stay playable.
  bool audioFound = false;
  bool audioAwake = false;
  int audioFrequency = 0;
  Uint16 audioFormat = 0;
  int audioChannels = 0;
  Uint64 audioRestAt = 0;  // ticks from which the device may close
  std::vector<Mix_Chunk*> sounds;
  bool exposed = false;  // the window system lost what was shown: show it again
  Uint64 lastPresent = 0;
  Uint32 lookup[screen::PALETTE_SIZE] = {};
  int buttonsHeld = 0;
  // The text input that follows a key press is typed only if the key's modifiers allow it.
  bool keyTypesText = true;
  // The clipboard text read to tell whether there is any, kept for the paste that follows at
  // once: a large text is not read twice. Dropped at the next pump.
  bool clipboardRead = false;
  std::string clipboard;
  // The colour numbers last shown: only the rectangle that differs is sent again, so that the
  // blinking cursor costs the same at every scale.
  uint8_t shown[screen::SCREEN_WIDTH * screen::SCREEN_HEIGHT] = {};
};

SdlState sdl;

constexpr Uint64 MIN_PRESENT_GAP_MS = 15;  // about 60 frames a second at most

Uint32 toPixel(int32_t packed) {
  auto level = [&](int shift) {
    return static_cast<Uint8>((((packed >> shift) & 0x3f) * 255 + 31) / 63);
  };
  return SDL_MapRGB(sdl.converted->format, level(0), level(8), level(16));
}

bool presentPending() {
  const screen::Surface& surface = screen::surface;
  return sdl.converted && (surface.pixelsChanged || surface.paletteChanged || sdl.exposed);
}

// The smallest rectangle holding every pixel that differs from what was shown; empty when none.
SDL_Rect changedRect() {
  constexpr int W = screen::SCREEN_WIDTH, H = screen::SCREEN_HEIGHT;
  const uint8_t* now = screen::surface.pixels;
  auto rowDiffers = [&](int y) { return std::memcmp(now + y * W, sdl.shown + y * W, W) != 0; };
  int top = 0, bottom = H - 1;
  while (top < H && !rowDiffers(top)) ++top;
  if (top == H) return {0, 0, 0, 0};
  while (!rowDiffers(bottom)) --bottom;
  int left = W, right = -1;
  for (int y = top; y <= bottom; ++y) {
    for (int x = 0; x < left; ++x) {
      if (now[y * W + x] != sdl.shown[y * W + x]) left = x;
    }
    for (int x = W - 1; x > right; --x) {
      if (now[y * W + x] != sdl.shown[y * W + x]) right = x;
    }
  }
  return {left, top, right - left + 1, bottom - top + 1};
}

void present(bool force) {
  screen::Surface& surface = screen::surface;
  if (!sdl.converted) return;
  if (!force && !presentPending()) return;
  Uint64 now = SDL_GetTicks64();
  if (!force && now - sdl.lastPresent < MIN_PRESENT_GAP_MS) return;
  SDL_Surface* window = SDL_GetWindowSurface(sdl.window);
  if (!window) return;
  bool whole = force || surface.paletteChanged || sdl.exposed;
  if (whole) {
    for (int i = 0; i < screen::PALETTE_SIZE; ++i) sdl.lookup[i] = toPixel(surface.palette[i]);
  }
  SDL_Rect rect =
      whole ? SDL_Rect{0, 0, screen::SCREEN_WIDTH, screen::SCREEN_HEIGHT} : changedRect();
  if (rect.w > 0) {
    for (int y = rect.y; y < rect.y + rect.h; ++y) {
      const uint8_t* from = surface.pixels + y * screen::SCREEN_WIDTH;
      Uint32* to = reinterpret_cast<Uint32*>(static_cast<Uint8*>(sdl.converted->pixels) +
                                             y * sdl.converted->pitch);
      for (int x = rect.x; x < rect.x + rect.w; ++x) to[x] = sdl.lookup[from[x]];
      std::memcpy(sdl.shown + y * screen::SCREEN_WIDTH + rect.x, from + rect.x, rect.w);
    }
    SDL_Rect scaled = {rect.x * sdl.scale, rect.y * sdl.scale, rect.w * sdl.scale,
                       rect.h * sdl.scale};
    SDL_BlitScaled(sdl.converted, &rect, window, &scaled);
    SDL_UpdateWindowSurfaceRects(sdl.window, &scaled, 1);
  }
  surface.pixelsChanged = surface.paletteChanged = sdl.exposed = false;
  sdl.lastPresent = now;
}

void queueCloseButton() {
  screen::queueKey(std::string{screen::EXTENDED, static_cast<char>(screen::KEY_CLOSE)});
}

constexpr std::pair<SDL_Keycode, keyMap::Key> SDL_KEYS[] = {
    {SDLK_RETURN, keyMap::Key::Enter},
    {SDLK_ESCAPE, keyMap::Key::Escape},
    {SDLK_BACKSPACE, keyMap::Key::Backspace},
    {SDLK_TAB, keyMap::Key::Tab},
    {SDLK_INSERT, keyMap::Key::Insert},
    {SDLK_DELETE, keyMap::Key::Delete},
    {SDLK_HOME, keyMap::Key::Home},
    {SDLK_END, keyMap::Key::End},
    {SDLK_PAGEUP, keyMap::Key::PageUp},
    {SDLK_PAGEDOWN, keyMap::Key::PageDown},
    {SDLK_UP, keyMap::Key::Up},
    {SDLK_DOWN, keyMap::Key::Down},
    {SDLK_LEFT, keyMap::Key::Left},
    {SDLK_RIGHT, keyMap::Key::Right},
    {SDLK_PRINTSCREEN, keyMap::Key::PrintScreen},
    {SDLK_F1, keyMap::Key::F1},
    {SDLK_F2, keyMap::Key::F2},
    {SDLK_F3, keyMap::Key::F3},
    {SDLK_F4, keyMap::Key::F4},
    {SDLK_F5, keyMap::Key::F5},
    {SDLK_F6, keyMap::Key::F6},
    {SDLK_F7, keyMap::Key::F7},
    {SDLK_F8, keyMap::Key::F8},
    {SDLK_F9, keyMap::Key::F9},
    {SDLK_F10, keyMap::Key::F10},
    {SDLK_F11, keyMap::Key::F11},
    {SDLK_F12, keyMap::Key::F12},
    {SDLK_KP_0, keyMap::Key::Keypad0},
    {SDLK_KP_1, keyMap::Key::Keypad1},
    {SDLK_KP_2, keyMap::Key::Keypad2},
    {SDLK_KP_3, keyMap::Key::Keypad3},
    {SDLK_KP_4, keyMap::Key::Keypad4},
    {SDLK_KP_5, keyMap::Key::Keypad5},
    {SDLK_KP_6, keyMap::Key::Keypad6},
    {SDLK_KP_7, keyMap::Key::Keypad7},
    {SDLK_KP_8, keyMap::Key::Keypad8},
    {SDLK_KP_9, keyMap::Key::Keypad9},
    {SDLK_KP_PERIOD, keyMap::Key::KeypadPeriod},
    {SDLK_KP_DIVIDE, keyMap::Key::KeypadDivide},
    {SDLK_KP_MULTIPLY, keyMap::Key::KeypadMultiply},
    {SDLK_KP_MINUS, keyMap::Key::KeypadMinus},
    {SDLK_KP_PLUS, keyMap::Key::KeypadPlus},
    {SDLK_KP_ENTER, keyMap::Key::KeypadEnter},
};

// SDL names a character key by its unshifted character in the current layout.
keyMap::Key mapKey(SDL_Keycode sym) {
  if (sym >= ' ' && sym <= '~') return keyMap::characterKey(static_cast<char>(sym));
  for (const auto& [sdlKey, key] : SDL_KEYS) {
    if (sdlKey == sym) return key;
  }
  return keyMap::Key::None;
}

// X11 reports AltGr as the right Alt key or as the mode switch.
unsigned mapModifiers(Uint16 mod) {
  return ((mod & KMOD_SHIFT) ? keyMap::SHIFT : 0u) | ((mod & KMOD_CTRL) ? keyMap::CTRL : 0u) |
         ((mod & KMOD_LALT) ? keyMap::ALT : 0u) |
         ((mod & (KMOD_RALT | KMOD_MODE)) ? keyMap::ALT_GR : 0u);
}

// Taken from the event, not from SDL's modifier state, which is already past a quick Alt+A.
void keyDown(const SDL_KeyboardEvent& event) {
  unsigned modifiers = mapModifiers(event.keysym.mod);
  sdl.keyTypesText = keyMap::modifiersTypeText(modifiers);
  std::string key =
      keyMap::pollResult(mapKey(event.keysym.sym), modifiers, event.keysym.mod & KMOD_NUM);
  if (!key.empty()) screen::queueKey(key);
}

void textInput(const SDL_TextInputEvent& event) {
  if (!sdl.keyTypesText) return;  // Alt+A and Ctrl+1 would otherwise type "a" and "1"
  for (char ch : screen::utf8ToCp437(event.text)) screen::queueKey(std::string_view(&ch, 1));
}

int buttonBit(Uint8 button) {
  return button == SDL_BUTTON_LEFT     ? 1
         : button == SDL_BUTTON_RIGHT  ? 2
         : button == SDL_BUTTON_MIDDLE ? 4
                                       : 0;
}

void buttonChange(const SDL_MouseButtonEvent& event) {
  int bit = buttonBit(event.button);
  sdl.buttonsHeld = event.state == SDL_PRESSED ? sdl.buttonsHeld | bit : sdl.buttonsHeld & ~bit;
  screen::mouseChange(event.x, event.y, sdl.buttonsHeld);
}

void handle(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:  // a signal (a session logging out, Ctrl+C in the terminal): end from anywhere
      screen::requestQuit();
      break;
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          queueCloseButton();
          break;
        case SDL_WINDOWEVENT_ENTER:
          screen::pointerEntered();
          break;
        case SDL_WINDOWEVENT_LEAVE:
          screen::pointerLeft();
          break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_RESTORED:
          sdl.exposed = true;
          break;
        default:
          break;
      }
      break;
    case SDL_KEYDOWN:
      keyDown(event.key);
      break;
    case SDL_TEXTINPUT:
      textInput(event.text);
      break;
    case SDL_MOUSEMOTION:
      screen::mouseMoved(event.motion.x, event.motion.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      buttonChange(event.button);
      break;
    case SDL_MOUSEWHEEL: {
      int steps = event.wheel.y;
      if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) steps = -steps;
      screen::wheelTurned(steps);
      break;
    }
    default:
      break;
  }
}

// The window opens centred on the first display, and is sized for it.
constexpr int WINDOW_DISPLAY = 0;

int scaleForDisplay(int display) {
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(display, &usable) != 0) return 1;
  return screen::fittingWindowScale(usable.w, usable.h);
}

// Rounds down, so that the pixels just left of or above the window stay outside the surface.
int toSurfacePixels(int windowPixels) {
  return windowPixels >= 0 ? windowPixels / sdl.scale
                           : -((-windowPixels + sdl.scale - 1) / sdl.scale);
}

// Every mouse position is turned into surface pixels as the event is queued, so that the
// program sees the same positions at every scale.
int mouseInSurfacePixels(void*, SDL_Event* event) {
  switch (event->type) {
    case SDL_MOUSEMOTION:
      event->motion.x = toSurfacePixels(event->motion.x);
      event->motion.y = toSurfacePixels(event->motion.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      event->button.x = toSurfacePixels(event->button.x);
      event->button.y = toSurfacePixels(event->button.y);
      break;
    case SDL_MOUSEWHEEL:
      event->wheel.mouseX = toSurfacePixels(event->wheel.mouseX);
      event->wheel.mouseY = toSurfacePixels(event->wheel.mouseY);
      break;
    default:
      break;
  }
  return 1;
}

constexpr int AUDIO_BUFFER_FRAMES = 1024;
// Kept open this long after a sound ends, so that a burst of refused keys opens it once.
constexpr Uint64 AUDIO_LINGER_MS = 1000;

// Opening the device at start finds out whether there is one, and its format.
void findAudio() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;  // no sound device: run silent
  if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, AUDIO_BUFFER_FRAMES) != 0) return;
  sdl.audioFound = sdl.audioAwake = true;
  Mix_QuerySpec(&sdl.audioFrequency, &sdl.audioFormat, &sdl.audioChannels);
  Mix_AllocateChannels(1);
  // Closing waits for the device's thread; not while the first frames are being shown.
  sdl.audioRestAt = SDL_GetTicks64() + AUDIO_LINGER_MS;
}

bool wakeAudio(Uint64 busyMs) {
  if (!sdl.audioFound) return false;
  if (!sdl.audioAwake) {
    sdl.audioAwake = Mix_OpenAudioDevice(sdl.audioFrequency, sdl.audioFormat, sdl.audioChannels,
                                         AUDIO_BUFFER_FRAMES, nullptr, 0) == 0;
    if (!sdl.audioAwake) return false;
    Mix_AllocateChannels(1);
  }
  sdl.audioRestAt = std::max(sdl.audioRestAt, SDL_GetTicks64() + busyMs + AUDIO_LINGER_MS);
  return true;
}

// A device left open streams silence, and its thread wakes every buffer.
void restAudio(Uint64 now) {
  if (!sdl.audioAwake || now < sdl.audioRestAt) return;
  if (Mix_Playing(-1) > 0) {
    sdl.audioRestAt = now + AUDIO_LINGER_MS;
    return;
  }
  Mix_CloseAudio();
  sdl.audioAwake = false;
}

Uint64 playingMs(const Mix_Chunk& chunk) {
  Uint64 frameBytes =
      static_cast<Uint64>(SDL_AUDIO_BITSIZE(sdl.audioFormat) / 8 * std::max(sdl.audioChannels, 1));
  return chunk.alen / std::max<Uint64>(frameBytes, 1) * 1000 /
         static_cast<Uint64>(std::max(sdl.audioFrequency, 1));
}

constexpr Uint64 NO_DEADLINE = ~Uint64{0};

// Serves the window until the deadline, or until the first event when `untilEvent`. A change held
// back by the frame-rate limit is shown as soon as the limit allows, and a sound device whose
// sound is over is closed, so that nothing wakes the process while nothing changes.
void serveUntil(Uint64 deadline, bool untilEvent) {
  for (;;) {
    present(false);
    Uint64 now = SDL_GetTicks64();
    restAudio(now);
    if (now >= deadline) return;
    Uint64 wait = deadline - now;
    if (presentPending()) wait = std::min(wait, sdl.lastPresent + MIN_PRESENT_GAP_MS - now);
    if (sdl.audioAwake) wait = std::min(wait, sdl.audioRestAt - now);
    int timeout =
        wait == NO_DEADLINE ? -1 : static_cast<int>(std::min<Uint64>(wait, SDL_MAX_SINT32));
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, timeout)) {
      handle(event);
      if (untilEvent) return;
    }
  }
}

}  // namespace

bool openWindow(int scale) {
  screen::host::prepareWindowSystem();
  // The close button must reach the program as a key, not end it.
  SDL_SetHintWithPriority(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0", SDL_HINT_OVERRIDE);
  // The colour numbers are turned into RGB on the CPU anyway; showing them through the window's
  // own framebuffer starts several times faster and idles cheaper than a GL renderer, which
  // brings shader compilation and worker threads on machines without a graphics card.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    SDL_Log("quillo: cannot open the window: %s", SDL_GetError());
    return false;
  }
  // Without a display SDL falls back to drivers that draw nowhere: the program would sit
  // waiting for keys nobody can press.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0) {
    SDL_Log("quillo: cannot open the window: no display");
    SDL_Quit();
    return false;
  }
  sdl.scale = scale > 0 ? scale : scaleForDisplay(WINDOW_DISPLAY);
  SDL_AddEventWatch(mouseInSurfacePixels, nullptr);
  sdl.window = SDL_CreateWindow("quillo", SDL_WINDOWPOS_CENTERED_DISPLAY(WINDOW_DISPLAY),
                                SDL_WINDOWPOS_CENTERED_DISPLAY(WINDOW_DISPLAY),
                                screen::SCREEN_WIDTH * sdl.scale, screen::SCREEN_HEIGHT * sdl.scale,
                                SDL_WINDOW_SHOWN);
  if (sdl.window) screen::host::watchSessionEnd(sdl.window);
  SDL_Surface* shownIn = sdl.window ? SDL_GetWindowSurface(sdl.window) : nullptr;
  if (shownIn) {
    // Stretching needs both sides in one format; a window that is not 32-bit is converted.
    Uint32 format = shownIn->format->BytesPerPixel == 4 ? shownIn->format->format
                                                        : Uint32{SDL_PIXELFORMAT_ARGB8888};
    sdl.converted =
        SDL_CreateRGBSurfaceWithFormat(0, screen::SCREEN_WIDTH, screen::SCREEN_HEIGHT, 32, format);
  }
  if (!sdl.converted) {
    SDL_Log("quillo: cannot open the window: %s", SDL_GetError());
    closeWindow();
    return false;
  }
  SDL_SetSurfaceBlendMode(sdl.converted, SDL_BLENDMODE_NONE);
  int x = 0, y = 0;
  SDL_GetMouseState(&x, &y);
  if (SDL_GetMouseFocus() == sdl.window) {
    screen::mouseMoved(toSurfacePixels(x), toSurfacePixels(y));
  }
  SDL_StartTextInput();
  findAudio();
  present(true);
  return true;
}

void closeWindow() {
  for (Mix_Chunk* chunk : sdl.sounds) Mix_FreeChunk(chunk);
  sdl.sounds.clear();
  if (sdl.audioAwake) Mix_CloseAudio();
  SDL_DelEventWatch(mouseInSurfacePixels, nullptr);
  if (sdl.converted) SDL_FreeSurface(sdl.converted);
  if (sdl.window) SDL_DestroyWindow(sdl.window);
  screen::host::closeClipboard();
  sdl = {};
  SDL_Quit();
}

void pumpEvents() {
  sdl.clipboardRead = false;
  sdl.clipboard.clear();
  SDL_Event event;
  while (SDL_PollEvent(&event)) handle(event);
  present(false);
  restAudio(SDL_GetTicks64());
}

void serviceEvents() {
  pumpEvents();
}

double seconds() {
  return static_cast<double>(SDL_GetPerformanceCounter()) /
         static_cast<double>(SDL_GetPerformanceFrequency());
}

// Sleeps in the event wait, so that the window stays responsive and idle costs nothing.
void sleepMs(int milliseconds) {
  serveUntil(SDL_GetTicks64() + static_cast<Uint64>(milliseconds > 0 ? milliseconds : 0), false);
}

void waitForEvent(int milliseconds) {
  serveUntil(milliseconds < 0 ? NO_DEADLINE : SDL_GetTicks64() + static_cast<Uint64>(milliseconds),
             true);
}

int loadWave(std::string_view waveBytes) {
  if (!wakeAudio(0)) return -1;  // sounds are made in the open device's format
  SDL_RWops* bytes = SDL_RWFromConstMem(waveBytes.data(), static_cast<int>(waveBytes.size()));
  Mix_Chunk* chunk = bytes ? Mix_LoadWAV_RW(bytes, 1) : nullptr;
  if (!chunk) return -1;
  sdl.sounds.push_back(chunk);
  return static_cast<int>(sdl.sounds.size()) - 1;
}

void playWave(int sound, const std::string&) {
  if (sound < 0 || sound >= static_cast<int>(sdl.sounds.size())) return;
  Mix_Chunk* chunk = sdl.sounds[static_cast<size_t>(sound)];
  if (!wakeAudio(playingMs(*chunk))) return;
  Mix_PlayChannel(0, chunk, 0);  // a new sound cuts the old one
}

bool windowActive() {
  if (!sdl.window) return false;
  Uint32 flags = SDL_GetWindowFlags(sdl.window);
  return (flags & SDL_WINDOW_INPUT_FOCUS) && !(flags & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN));
}

// While a paste waits for the clipboard's owner the window is served as always: a clipboard this
// program owns is answered, what changed is shown, keys wait in the queue. A signal or the close
// button ends the wait at once.
bool serveWhilePasting() {
  bool quit = false;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    handle(event);
    quit = quit || event.type == SDL_QUIT ||
           (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE);
  }
  present(false);
  return !quit;
}

// Where the system's own reading does better than SDL's, it is used.
std::string readClipboard() {
  std::string utf8;
  screen::host::ClipboardRead result = screen::host::readClipboard(utf8, serveWhilePasting);
  if (result == screen::host::ClipboardRead::NotHere && SDL_HasClipboardText() == SDL_TRUE) {
    char* text = SDL_GetClipboardText();
    if (text) utf8 = text;
    SDL_free(text);
  }
  return screen::utf8ToCp437(screen::host::fromSystemLineEnds(utf8));
}

bool clipboardHasText() {
  if (!sdl.clipboardRead) sdl.clipboard = readClipboard();
  sdl.clipboardRead = true;
  return !sdl.clipboard.empty();
}

std::string clipboardText() {
  std::string text = sdl.clipboardRead ? std::move(sdl.clipboard) : readClipboard();
  sdl.clipboardRead = false;
  sdl.clipboard.clear();
  return text;
}

void setClipboardText(std::string_view text) {
  SDL_SetClipboardText(screen::cp437ToUtf8(screen::host::toSystemLineEnds(text)).c_str());
}

}  // namespace platform
