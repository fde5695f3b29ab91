// The real window: SDL2 shows the surface in the window's own framebuffer, each surface pixel as
// a square of window pixels; SDL_mixer plays waves, and SDL's events feed the key queue and the
// mouse state.

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>

#include "screen/charset.h"
#include "screen/platform.h"
#include "screen/surfaceState.h"

namespace platform {

namespace {

struct SdlState {
  SDL_Window* window = nullptr;
  int scale = 1;  // window pixels per surface pixel, across and down
  // The surface in the window's pixel format at its own size, stretched into the window.
  SDL_Surface* converted = nullptr;
  bool audioOpen = false;
  std::map<std::string, Mix_Chunk*> sounds;
  bool exposed = false;  // the window system lost what was shown: show it again
  Uint64 lastPresent = 0;
  Uint32 lookup[screen::PALETTE_SIZE] = {};
  // The colour numbers last shown: only the rectangle that differs is sent again, so that the
  // blinking cursor costs the same at every scale.
  uint8_t shown[screen::SCREEN_WIDTH * screen::SCREEN_HEIGHT] = {};
  // Button changes the program has not polled yet, oldest first. A click quicker than one poll
  // would otherwise never show: each poll of the mouse takes the next change.
  struct MouseChange {
    int x, y, buttons;
  };
  std::deque<MouseChange> mouseChanges;
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

void pushKey(std::string key) {
  screen::input.keys.push_back(std::move(key));
}

void pushExtended(int code) {
  pushKey(std::string{screen::EXTENDED, static_cast<char>(code)});
}

// Keypad keys act as their cursor keys only while NumLock is off; with it on they type digits.
SDL_Keycode keypadAsCursorKey(SDL_Keycode sym, Uint16 mod) {
  if (mod & KMOD_NUM) return sym;
  switch (sym) {
    case SDLK_KP_7:
      return SDLK_HOME;
    case SDLK_KP_8:
      return SDLK_UP;
    case SDLK_KP_4:
      return SDLK_LEFT;
    case SDLK_KP_6:
      return SDLK_RIGHT;
    case SDLK_KP_1:
      return SDLK_END;
    case SDLK_KP_2:
      return SDLK_DOWN;
    case SDLK_KP_3:
      return SDLK_PAGEDOWN;
    case SDLK_KP_0:
      return SDLK_INSERT;
    case SDLK_KP_PERIOD:
      return SDLK_DELETE;
    default:
      return sym;
  }
}

void keyDown(const SDL_KeyboardEvent& event) {
  Uint16 mod = event.keysym.mod;
  bool ctrl = mod & KMOD_CTRL, shift = mod & KMOD_SHIFT, alt = mod & KMOD_ALT;
  SDL_Keycode sym = keypadAsCursorKey(event.keysym.sym, mod);
  switch (sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      pushKey(std::string(1, ctrl ? '\n' : '\r'));
      return;
    case SDLK_ESCAPE:
      pushKey("\x1b");
      return;
    case SDLK_BACKSPACE:
      pushKey("\b");
      return;
    case SDLK_TAB:
      if (shift) {
        pushExtended(screen::KEY_SHIFT_TAB);
      } else {
        pushKey("\t");
      }
      return;
    case SDLK_HOME:
      pushExtended(screen::KEY_HOME);
      return;
    case SDLK_UP:
      pushExtended(screen::KEY_UP);
      return;
    case SDLK_LEFT:
      pushExtended(screen::KEY_LEFT);
      return;
    case SDLK_RIGHT:
      pushExtended(screen::KEY_RIGHT);
      return;
    case SDLK_END:
      pushExtended(screen::KEY_END);
      return;
    case SDLK_DOWN:
      pushExtended(screen::KEY_DOWN);
      return;
    case SDLK_PAGEDOWN:
      pushExtended(ctrl ? screen::KEY_CTRL_PAGE_DOWN : screen::KEY_PAGE_DOWN);
      return;
    case SDLK_INSERT:
      pushExtended(screen::KEY_INSERT);
      return;
    case SDLK_DELETE:
      pushExtended(screen::KEY_DELETE);
      return;
    default:
      break;
  }
  // Ctrl with a letter gives its control character (Ctrl+C 3, Ctrl+V 22, Ctrl+X 24).
  if (ctrl && !alt && sym >= SDLK_a && sym <= SDLK_z)
    pushKey(std::string(1, static_cast<char>(sym - SDLK_a + 1)));
}

void textInput(const SDL_TextInputEvent& event) {
  Uint16 mod = SDL_GetModState();
  if ((mod & KMOD_CTRL) && !(mod & KMOD_ALT)) return;  // Ctrl+1 would otherwise type "1"
  for (char ch : screen::utf8ToCp437(event.text)) pushKey(std::string(1, ch));
}

constexpr size_t MAX_MOUSE_CHANGES = 32;

int buttonBit(Uint8 button) {
  return button == SDL_BUTTON_LEFT     ? 1
         : button == SDL_BUTTON_RIGHT  ? 2
         : button == SDL_BUTTON_MIDDLE ? 4
                                       : 0;
}

void showMouseChange(const SdlState::MouseChange& change) {
  screen::input.mouseX = change.x;
  screen::input.mouseY = change.y;
  screen::input.buttons = change.buttons;
  screen::input.mouseSeen = false;
}

void buttonChange(const SDL_MouseButtonEvent& event) {
  screen::InputState& input = screen::input;
  int bit = buttonBit(event.button);
  int buttons = sdl.mouseChanges.empty() ? input.buttons : sdl.mouseChanges.back().buttons;
  buttons = event.state == SDL_PRESSED ? buttons | bit : buttons & ~bit;
  SdlState::MouseChange change = {event.x, event.y, buttons};
  if (input.mouseSeen && sdl.mouseChanges.empty()) {
    showMouseChange(change);
  } else if (sdl.mouseChanges.size() < MAX_MOUSE_CHANGES) {
    sdl.mouseChanges.push_back(change);
  } else {
    sdl.mouseChanges.back() = change;  // a program that never polls the mouse
  }
}

void takeMouseChange() {
  if (sdl.mouseChanges.empty() || !screen::input.mouseSeen) return;
  showMouseChange(sdl.mouseChanges.front());
  sdl.mouseChanges.pop_front();
}

void handle(const SDL_Event& event) {
  screen::InputState& input = screen::input;
  switch (event.type) {
    case SDL_QUIT:  // a signal asks the program to end: treat it as the close button
      pushExtended(screen::KEY_CLOSE);
      break;
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          pushExtended(screen::KEY_CLOSE);
          break;
        case SDL_WINDOWEVENT_ENTER:
          input.pointerInside = true;
          break;
        case SDL_WINDOWEVENT_LEAVE:
          input.pointerInside = false;
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
      if (sdl.mouseChanges.empty()) {
        input.mouseX = event.motion.x;
        input.mouseY = event.motion.y;
      } else {
        sdl.mouseChanges.back().x = event.motion.x;
        sdl.mouseChanges.back().y = event.motion.y;
      }
      input.pointerInside = true;
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      buttonChange(event.button);
      break;
    case SDL_MOUSEWHEEL: {
      int steps = event.wheel.y;
      if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) steps = -steps;
      input.wheel += steps;
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

void openAudio() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;  // no sound device: run silent
  sdl.audioOpen = Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) == 0;
  if (sdl.audioOpen) Mix_AllocateChannels(1);
}

}  // namespace

bool openWindow(int scale) {
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
  screen::input.pointerInside = SDL_GetMouseFocus() == sdl.window;
  screen::input.mouseX = toSurfacePixels(x);
  screen::input.mouseY = toSurfacePixels(y);
  SDL_StartTextInput();
  openAudio();
  present(true);
  return true;
}

void closeWindow() {
  for (auto& [name, chunk] : sdl.sounds) Mix_FreeChunk(chunk);
  sdl.sounds.clear();
  if (sdl.audioOpen) Mix_CloseAudio();
  SDL_DelEventWatch(mouseInSurfacePixels, nullptr);
  if (sdl.converted) SDL_FreeSurface(sdl.converted);
  if (sdl.window) SDL_DestroyWindow(sdl.window);
  sdl = {};
  SDL_Quit();
}

void pumpEvents() {
  takeMouseChange();
  SDL_Event event;
  while (SDL_PollEvent(&event)) handle(event);
  present(false);
}

void serviceEvents() {
  pumpEvents();
}

double seconds() {
  return static_cast<double>(SDL_GetPerformanceCounter()) /
         static_cast<double>(SDL_GetPerformanceFrequency());
}

// Sleeps in the event wait, so that the window stays responsive and idle costs nothing. A change
// held back by the frame-rate limit is shown as soon as the limit allows, not after the sleep.
void sleepMs(int milliseconds) {
  Uint64 deadline = SDL_GetTicks64() + static_cast<Uint64>(milliseconds > 0 ? milliseconds : 0);
  for (;;) {
    present(false);
    Uint64 now = SDL_GetTicks64();
    if (now >= deadline) break;
    Uint64 wait = deadline - now;
    if (presentPending()) wait = std::min(wait, sdl.lastPresent + MIN_PRESENT_GAP_MS - now);
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, static_cast<int>(wait))) handle(event);
  }
}

void playWave(const std::string& name) {
  if (!sdl.audioOpen) return;
  auto found = sdl.sounds.find(name);
  Mix_Chunk* chunk = found != sdl.sounds.end() ? found->second : nullptr;
  if (!chunk) {
    chunk = Mix_LoadWAV(name.c_str());
    if (!chunk) return;  // a missing sound file is not an error
    sdl.sounds[name] = chunk;
  }
  Mix_PlayChannel(0, chunk, 0);  // a new sound cuts the one still playing, as one voice does
}

bool windowActive() {
  if (!sdl.window) return false;
  Uint32 flags = SDL_GetWindowFlags(sdl.window);
  return (flags & SDL_WINDOW_INPUT_FOCUS) && !(flags & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN));
}

bool clipboardHasText() {
  return SDL_HasClipboardText() == SDL_TRUE;
}

std::string clipboardText() {
  char* text = SDL_GetClipboardText();
  if (!text) return {};
  std::string result = screen::utf8ToCp437(text);
  SDL_free(text);
  return result;
}

void setClipboardText(std::string_view text) {
  SDL_SetClipboardText(screen::cp437ToUtf8(text).c_str());
}

}  // namespace platform
