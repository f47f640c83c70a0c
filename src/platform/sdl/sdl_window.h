#pragma once
// The game's one window over SDL2: it shows a 32-bit frame (0x00RRGGBB) scaled to the
// window with letterboxing, sharp by default, and turns SDL's events into the game's
// terms: positions in frame pixels, Windows virtual-key codes, shift-state bits
// (1 Shift, 2 Alt, 4 Ctrl, 8 left, 16 right, 32 middle button).

#include <cstdint>
#include <string>

struct TWindow_Settings {
    std::string title = "Krelvane";
    int frame_width = 800;
    int frame_height = 600;
    int scale = 1;           // windowed size: 1x, 2x or 3x the frame
    bool fullscreen = false; // desktop-sized, letterboxed
    bool smooth = false;     // linear filtering instead of nearest-neighbour
};

struct TWindow_Event {
    enum TKind {
        None,
        Quit,
        Mouse_Move,
        Mouse_Down,
        Mouse_Up,
        Mouse_Leave,
        Key_Down,
        Activate,
        Deactivate,
        Expose
    };
    TKind kind = None;
    int x = -1;
    int y = -1;
    int button = 0; // 0 left, 1 right, 2 middle
    uint16_t shift = 0;
    uint16_t key = 0;
};

class TSDL_Window {
  public:
    TSDL_Window() = default;
    ~TSDL_Window();
    TSDL_Window(const TSDL_Window&) = delete;
    TSDL_Window& operator=(const TSDL_Window&) = delete;

    // False with a reason when there is no display or the window cannot be made.
    bool Open(const TWindow_Settings& settings, std::string& error);
    void Close();
    bool Is_Open() const { return window_ != nullptr; }
    // The video driver in use ("x11", "wayland", "dummy", ...).
    std::string Driver() const;

    void Present(const uint32_t* pixels, int width, int height);
    // The next event, translated; false when the queue is empty. Alt+Enter is taken
    // here and toggles fullscreen.
    bool Poll_Event(TWindow_Event& event);
    // Waits up to timeout milliseconds for an event.
    bool Wait_Event(TWindow_Event& event, int timeout);
    void Toggle_Fullscreen();
    bool Is_Fullscreen() const;
    void Show_System_Pointer(bool show);

    // Puts input into the window's own event queue, as the system would deliver it
    // (positions in frame pixels): scripts and tests drive the real event path.
    void Inject_Mouse_Move(int x, int y);
    void Inject_Mouse_Button(int x, int y, int button, bool down);
    void Inject_Key(uint16_t key, uint16_t shift);

    static uint32_t Ticks();
    static void Delay(uint32_t milliseconds);

  private:
    bool translate(const void* sdl_event, TWindow_Event& event);
    void to_window(int x, int y, int& wx, int& wy) const;

    void* window_ = nullptr;
    void* renderer_ = nullptr;
    void* texture_ = nullptr;
    int frame_width_ = 800;
    int frame_height_ = 600;
    bool started_video_ = false;
};

// Shows an error box over the window (or without one); false when none could be shown.
bool SDL_Error_Box(const std::string& caption, const std::string& text);
