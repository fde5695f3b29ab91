// The real window: SDL2 shows the surface through a streaming texture, SDL_mixer plays waves,
// and SDL's events feed the key queue and the mouse state.

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <deque>
#include <vector>

#include "screen/charset.h"
#include "screen/platform.h"
#include "screen/surfaceState.h"

namespace platform {

namespace {

struct SdlState {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  bool audioOpen = false;
  std::vector<Mix_Chunk*> sounds;
  bool exposed = false;  // the window system lost what was shown: show it again
  Uint64 lastPresent = 0;
  Uint32 lookup[screen::PALETTE_SIZE] = {};
  Uint32 converted[screen::SCREEN_WIDTH * screen::SCREEN_HEIGHT] = {};
  // Button changes the program has not polled yet, oldest first. A click quicker than one poll
  // would otherwise never show: each poll of the mouse takes the next change.
  struct MouseChange {
    int x, y, buttons;
  };
  std::deque<MouseChange> mouseChanges;
};

SdlState sdl;

constexpr Uint64 MIN_PRESENT_GAP_MS = 15;  // about 60 frames a second at most

Uint32 toArgb(int32_t packed) {
  auto level = [&](int shift) {
    return static_cast<Uint32>((((packed >> shift) & 0x3f) * 255 + 31) / 63);
  };
  return 0xff000000u | (level(0) << 16) | (level(8) << 8) | level(16);
}

bool presentPending() {
  const screen::Surface& surface = screen::surface;
  return sdl.texture && (surface.pixelsChanged || surface.paletteChanged || sdl.exposed);
}

void present(bool force) {
  screen::Surface& surface = screen::surface;
  if (!sdl.texture) return;
  if (!force && !presentPending()) return;
  Uint64 now = SDL_GetTicks64();
  if (!force && now - sdl.lastPresent < MIN_PRESENT_GAP_MS) return;
  for (int i = 0; i < screen::PALETTE_SIZE; ++i) sdl.lookup[i] = toArgb(surface.palette[i]);
  for (int i = 0; i < screen::SCREEN_WIDTH * screen::SCREEN_HEIGHT; ++i) {
    sdl.converted[i] = sdl.lookup[surface.pixels[i]];
  }
  SDL_UpdateTexture(sdl.texture, nullptr, sdl.converted, screen::SCREEN_WIDTH * sizeof(Uint32));
  SDL_RenderClear(sdl.renderer);
  SDL_RenderCopy(sdl.renderer, sdl.texture, nullptr, nullptr);
  SDL_RenderPresent(sdl.renderer);
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
    case SDL_QUIT:  // a signal (a session logging out, Ctrl+C in the terminal): end from anywhere
      screen::requestQuit();
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

void openAudio() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;  // no sound device: run silent
  sdl.audioOpen = Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) == 0;
  if (sdl.audioOpen) Mix_AllocateChannels(1);
}

}  // namespace

bool openWindow() {
  // The close button must reach the program as a key, not end it.
  SDL_SetHintWithPriority(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0", SDL_HINT_OVERRIDE);
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
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
  sdl.window = SDL_CreateWindow("quillo", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                screen::SCREEN_WIDTH, screen::SCREEN_HEIGHT, SDL_WINDOW_SHOWN);
  if (sdl.window) sdl.renderer = SDL_CreateRenderer(sdl.window, -1, SDL_RENDERER_SOFTWARE);
  if (sdl.renderer) {
    sdl.texture =
        SDL_CreateTexture(sdl.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                          screen::SCREEN_WIDTH, screen::SCREEN_HEIGHT);
  }
  if (!sdl.texture) {
    SDL_Log("quillo: cannot open the window: %s", SDL_GetError());
    closeWindow();
    return false;
  }
  int x = 0, y = 0;
  SDL_GetMouseState(&x, &y);
  screen::input.pointerInside = SDL_GetMouseFocus() == sdl.window;
  screen::input.mouseX = x;
  screen::input.mouseY = y;
  SDL_StartTextInput();
  openAudio();
  present(true);
  return true;
}

void closeWindow() {
  for (Mix_Chunk* chunk : sdl.sounds) Mix_FreeChunk(chunk);
  sdl.sounds.clear();
  if (sdl.audioOpen) Mix_CloseAudio();
  if (sdl.texture) SDL_DestroyTexture(sdl.texture);
  if (sdl.renderer) SDL_DestroyRenderer(sdl.renderer);
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

int loadWave(std::string_view waveBytes) {
  if (!sdl.audioOpen) return -1;
  SDL_RWops* bytes = SDL_RWFromConstMem(waveBytes.data(), static_cast<int>(waveBytes.size()));
  Mix_Chunk* chunk = bytes ? Mix_LoadWAV_RW(bytes, 1) : nullptr;
  if (!chunk) return -1;
  sdl.sounds.push_back(chunk);
  return static_cast<int>(sdl.sounds.size()) - 1;
}

void playWave(int sound, const std::string&) {
  if (sound < 0 || sound >= static_cast<int>(sdl.sounds.size())) return;
  Mix_PlayChannel(0, sdl.sounds[static_cast<size_t>(sound)], 0);  // a new sound cuts the old one
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
