#include "platform/sdl/sdl_window.h"

#include <SDL.h>

namespace {

SDL_Window* win(void* p) {
    return static_cast<SDL_Window*>(p);
}
SDL_Renderer* ren(void* p) {
    return static_cast<SDL_Renderer*>(p);
}
SDL_Texture* tex(void* p) {
    return static_cast<SDL_Texture*>(p);
}

// The event type that carries injected key presses.
Uint32 key_event_type() {
    static const Uint32 type = SDL_RegisterEvents(1);
    return type;
}

uint16_t virtual_key(SDL_Keycode k) {
    if (k >= SDLK_a && k <= SDLK_z)
        return uint16_t('A' + (k - SDLK_a));
    if (k >= SDLK_0 && k <= SDLK_9)
        return uint16_t('0' + (k - SDLK_0));
    if (k >= SDLK_F1 && k <= SDLK_F12)
        return uint16_t(112 + (k - SDLK_F1));
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9)
        return uint16_t(97 + (k - SDLK_KP_1));
    switch (k) {
    case SDLK_BACKSPACE:
        return 8;
    case SDLK_TAB:
        return 9;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return 13;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return 16;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return 17;
    case SDLK_LALT:
    case SDLK_RALT:
        return 18;
    case SDLK_PAUSE:
        return 19;
    case SDLK_CAPSLOCK:
        return 20;
    case SDLK_ESCAPE:
        return 27;
    case SDLK_SPACE:
        return 32;
    case SDLK_PAGEUP:
        return 33;
    case SDLK_PAGEDOWN:
        return 34;
    case SDLK_END:
        return 35;
    case SDLK_HOME:
        return 36;
    case SDLK_LEFT:
        return 37;
    case SDLK_UP:
        return 38;
    case SDLK_RIGHT:
        return 39;
    case SDLK_DOWN:
        return 40;
    case SDLK_INSERT:
        return 45;
    case SDLK_DELETE:
        return 46;
    case SDLK_KP_0:
        return 96;
    case SDLK_KP_MULTIPLY:
        return 106;
    case SDLK_KP_PLUS:
        return 107;
    case SDLK_KP_MINUS:
        return 109;
    case SDLK_KP_PERIOD:
        return 110;
    case SDLK_KP_DIVIDE:
        return 111;
    case SDLK_SEMICOLON:
        return 186;
    case SDLK_EQUALS:
        return 187;
    case SDLK_COMMA:
        return 188;
    case SDLK_MINUS:
        return 189;
    case SDLK_PERIOD:
        return 190;
    case SDLK_SLASH:
        return 191;
    case SDLK_BACKQUOTE:
        return 192;
    case SDLK_LEFTBRACKET:
        return 219;
    case SDLK_BACKSLASH:
        return 220;
    case SDLK_RIGHTBRACKET:
        return 221;
    case SDLK_QUOTE:
        return 222;
    default:
        return 0;
    }
}

uint16_t shift_state() {
    const SDL_Keymod mod = SDL_GetModState();
    const Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
    uint16_t s = 0;
    s |= (mod & KMOD_SHIFT) ? 1 : 0;
    s |= (mod & KMOD_ALT) ? 2 : 0;
    s |= (mod & KMOD_CTRL) ? 4 : 0;
    s |= (buttons & SDL_BUTTON_LMASK) ? 8 : 0;
    s |= (buttons & SDL_BUTTON_RMASK) ? 16 : 0;
    s |= (buttons & SDL_BUTTON_MMASK) ? 32 : 0;
    return s;
}

int button_of(Uint8 sdl_button) {
    return sdl_button == SDL_BUTTON_RIGHT ? 1 : sdl_button == SDL_BUTTON_MIDDLE ? 2 : 0;
}

} // namespace

TSDL_Window::~TSDL_Window() {
    Close();
}

bool TSDL_Window::Open(const TWindow_Settings& settings, std::string& error) {
    Close();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        error = std::string("No display is available (") + SDL_GetError() +
                "). Run krelvane on a desktop, or use --headless.";
        return false;
    }
    started_video_ = true;
    // With no desktop SDL may fall back to a driver that shows nothing; a window
    // nobody can see is no window, unless that driver was asked for by name.
    const std::string driver = Driver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if ((driver == "offscreen" || driver == "dummy" || driver == "evdev") &&
        (asked == nullptr || driver != asked)) {
        error = "No display is available (no desktop to show a window on). Run krelvane on "
                "a desktop, or use --headless.";
        Close();
        return false;
    }
    frame_width_ = settings.frame_width;
    frame_height_ = settings.frame_height;
    const int scale = settings.scale < 1 ? 1 : settings.scale > 3 ? 3 : settings.scale;
    Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    if (settings.fullscreen)
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, settings.smooth ? "linear" : "nearest");
    window_ =
        SDL_CreateWindow(settings.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                         frame_width_ * scale, frame_height_ * scale, flags);
    if (window_)
        renderer_ = SDL_CreateRenderer(win(window_), -1, SDL_RENDERER_PRESENTVSYNC);
    if (window_ && !renderer_)
        renderer_ = SDL_CreateRenderer(win(window_), -1, SDL_RENDERER_SOFTWARE);
    if (renderer_) {
        SDL_RenderSetLogicalSize(ren(renderer_), frame_width_, frame_height_);
        texture_ = SDL_CreateTexture(ren(renderer_), SDL_PIXELFORMAT_ARGB8888,
                                     SDL_TEXTUREACCESS_STREAMING, frame_width_, frame_height_);
    }
    if (!texture_) {
        error = std::string("Unable to open the game window: ") + SDL_GetError();
        Close();
        return false;
    }
    key_event_type();
    return true;
}

void TSDL_Window::Close() {
    if (texture_)
        SDL_DestroyTexture(tex(texture_));
    if (renderer_)
        SDL_DestroyRenderer(ren(renderer_));
    if (window_)
        SDL_DestroyWindow(win(window_));
    texture_ = renderer_ = window_ = nullptr;
    if (started_video_) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        started_video_ = false;
        // With nothing else of SDL running, let it release what it holds as a whole.
        if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0)
            SDL_Quit();
    }
}

std::string TSDL_Window::Driver() const {
    const char* name = SDL_GetCurrentVideoDriver();
    return name ? name : "";
}

void TSDL_Window::Present(const uint32_t* pixels, int width, int height) {
    if (!texture_ || width != frame_width_ || height != frame_height_)
        return;
    SDL_UpdateTexture(tex(texture_), nullptr, pixels, width * 4);
    SDL_SetRenderDrawColor(ren(renderer_), 0, 0, 0, 255);
    SDL_RenderClear(ren(renderer_));
    SDL_RenderCopy(ren(renderer_), tex(texture_), nullptr, nullptr);
    SDL_RenderPresent(ren(renderer_));
}

bool TSDL_Window::translate(const void* raw, TWindow_Event& event) {
    const SDL_Event& e = *static_cast<const SDL_Event*>(raw);
    event = TWindow_Event();
    event.shift = shift_state();
    switch (e.type) {
    case SDL_QUIT:
        event.kind = TWindow_Event::Quit;
        return true;
    case SDL_MOUSEMOTION:
        event.kind = TWindow_Event::Mouse_Move;
        event.x = e.motion.x;
        event.y = e.motion.y;
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        event.kind =
            e.type == SDL_MOUSEBUTTONDOWN ? TWindow_Event::Mouse_Down : TWindow_Event::Mouse_Up;
        event.x = e.button.x;
        event.y = e.button.y;
        event.button = button_of(e.button.button);
        return true;
    case SDL_KEYDOWN: {
        const SDL_Keycode k = e.key.keysym.sym;
        if ((k == SDLK_RETURN || k == SDLK_KP_ENTER) && (e.key.keysym.mod & KMOD_ALT)) {
            if (!e.key.repeat)
                Toggle_Fullscreen();
            return false;
        }
        event.kind = TWindow_Event::Key_Down;
        event.key = virtual_key(k);
        return event.key != 0;
    }
    case SDL_WINDOWEVENT:
        switch (e.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            event.kind = TWindow_Event::Activate;
            return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            event.kind = TWindow_Event::Deactivate;
            return true;
        case SDL_WINDOWEVENT_LEAVE:
            event.kind = TWindow_Event::Mouse_Leave;
            return true;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            event.kind = TWindow_Event::Expose;
            return true;
        default:
            return false;
        }
    default:
        if (e.type == key_event_type()) {
            event.kind = TWindow_Event::Key_Down;
            event.key = uint16_t(e.user.code);
            event.shift = uint16_t(reinterpret_cast<uintptr_t>(e.user.data1));
            return true;
        }
        return false;
    }
}

bool TSDL_Window::Poll_Event(TWindow_Event& event) {
    SDL_Event e;
    while (SDL_PollEvent(&e))
        if (translate(&e, event))
            return true;
    return false;
}

bool TSDL_Window::Wait_Event(TWindow_Event& event, int timeout) {
    SDL_Event e;
    const Uint32 end = SDL_GetTicks() + Uint32(timeout < 0 ? 0 : timeout);
    while (SDL_WaitEventTimeout(&e, timeout)) {
        if (translate(&e, event))
            return true;
        const Uint32 now = SDL_GetTicks();
        if (now >= end)
            return false;
        timeout = int(end - now);
    }
    return false;
}

void TSDL_Window::Toggle_Fullscreen() {
    if (!window_)
        return;
    SDL_SetWindowFullscreen(win(window_), Is_Fullscreen() ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

bool TSDL_Window::Is_Fullscreen() const {
    return window_ && (SDL_GetWindowFlags(win(window_)) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

void TSDL_Window::Show_System_Pointer(bool show) {
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void TSDL_Window::to_window(int x, int y, int& wx, int& wy) const {
    wx = x;
    wy = y;
    if (!renderer_)
        return;
    // Injected events pass the renderer's own conversion from window to frame pixels.
    SDL_RenderLogicalToWindow(ren(renderer_), float(x) + 0.5f, float(y) + 0.5f, &wx, &wy);
}

void TSDL_Window::Inject_Mouse_Move(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = window_ ? SDL_GetWindowID(win(window_)) : 0;
    to_window(x, y, e.motion.x, e.motion.y);
    SDL_PushEvent(&e);
}

void TSDL_Window::Inject_Mouse_Button(int x, int y, int button, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = window_ ? SDL_GetWindowID(win(window_)) : 0;
    e.button.button = button == 1   ? SDL_BUTTON_RIGHT
                      : button == 2 ? SDL_BUTTON_MIDDLE
                                    : SDL_BUTTON_LEFT;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    to_window(x, y, e.button.x, e.button.y);
    SDL_PushEvent(&e);
}

void TSDL_Window::Inject_Key(uint16_t key, uint16_t shift) {
    SDL_Event e{};
    e.type = key_event_type();
    e.user.code = key;
    e.user.data1 = reinterpret_cast<void*>(uintptr_t(shift));
    SDL_PushEvent(&e);
}

uint32_t TSDL_Window::Ticks() {
    return SDL_GetTicks();
}
void TSDL_Window::Delay(uint32_t milliseconds) {
    SDL_Delay(milliseconds);
}

bool SDL_Error_Box(const std::string& caption, const std::string& text) {
    return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), nullptr) ==
           0;
}
