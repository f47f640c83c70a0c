#pragma once
// The host that runs a control tree: the idle redraw, the 50 ms move timer, and the
// mouse and keys handed to the root's dispatchers. It runs in a real window or
// headless (no window at all), where an input script drives the same dispatchers
// and any frame can be saved as a PNG.
//
// Input scripts hold one command a line ("#" starts a comment):
//     wait TICKS        let TICKS move-timer ticks (50 ms each) pass, drawing each
//     move X Y          the pointer moves to (X, Y) in the 800 x 600 frame
//     click X Y         move, left press and release;  rclick X Y: the right button
//     down X Y / up X Y a left press or release alone; rdown, rup: the right button
//     key NAME          a key press: "A", "Escape", "Shift+2", "F1" (see virtual_keys.h)
//     screenshot FILE   the current frame as a PNG
//     quit              ends the run
//
// Headless, the game clock moves exactly 50 ms a tick, so a script plays as a real run
// does. A recording (THost_Settings::record) writes every input the tree receives in
// this language, each after a "wait" for the ticks that passed before it.

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "presentation/display_class.h"

struct THost_Settings {
    bool headless = false;
    int scale = 1; // window size 1x, 2x or 3x the frame
    bool fullscreen = false;
    bool smooth = false;    // linear scaling instead of sharp pixels
    std::string screenshot; // written when the run ends
    std::string script;     // input script file
    std::string record;     // every input written here as a script
    // The first lines of the recording (comments that say how to replay it).
    std::vector<std::string> record_header;
};

struct THost_Callbacks {
    // The move timer, every 50 ms.
    std::function<void()> On_Timer;
    // True once the program should end (checked before every frame).
    std::function<bool()> Close_Requested;
    // Draws a whole frame into the workspace. Without it the workspace is cleared to
    // black and the root's tree drawn.
    std::function<void()> Draw_Frame;
    // Frames are drawn only while this holds (the application active and ready);
    // otherwise the frame is black.
    std::function<bool()> Can_Draw;
    // The application was activated (true) or deactivated (false).
    std::function<void(bool)> On_Activate;
};

struct TScript_Command {
    enum TKind { Wait, Move, Click, RClick, Down, Up, RDown, RUp, Key, Screenshot, Quit };
    TKind kind = Wait;
    int a = 0;
    int b = 0;
    uint16_t key = 0;
    uint16_t shift = 0;
    std::string file;
    int line = 0;
};

// Reads a whole script; false with "line N: ..." for the first line it cannot read.
bool Parse_Input_Script(const std::string& text, std::vector<TScript_Command>& commands,
                        std::string& error);

class TSDL_Window;

class THost {
  public:
    // The workspace (buffer 0) is made when it does not exist yet.
    explicit THost(TDisplay_Class& root, THost_Callbacks callbacks = {});
    ~THost();
    THost(const THost&) = delete;
    THost& operator=(const THost&) = delete;

    // One frame: draw (or black while drawing is not allowed) and present.
    void Redraw();
    void Timer_Tick();
    void Mouse_Move(int X, int Y, TShift_State Shift = 0);
    void Mouse_Down(TMouse_Button Button, int X, int Y, TShift_State Shift = 0);
    void Mouse_Up(TMouse_Button Button, int X, int Y, TShift_State Shift = 0);
    void Key_Down(uint16_t Key, TShift_State Shift = 0);
    bool Save_Screenshot(const std::string& path, std::string& error);

    // Runs until the script ends, "quit", or the program asks to close: 0 when all
    // went well, 2 when the script or a screenshot failed (the reason is shown).
    int Run_Headless(const THost_Settings& settings);
    // Opens the window and runs until it is closed: 0 when closed normally, 1 when no
    // window could be opened, 2 when the script or a screenshot failed.
    int Run_Window(const THost_Settings& settings);

    // Timer ticks run so far; the video driver of the window ("" headless).
    long Ticks_Run() const { return ticks_; }
    const std::string& Window_Driver() const { return driver_; }

    // Every input from now on is written to the file as a script, after the header's
    // lines as comments; false when the file cannot be written. Stop_Recording adds
    // the time played since the last input as a final "wait" and closes the file;
    // false when the recording could not be written whole.
    bool Start_Recording(const std::string& path, const std::vector<std::string>& header);
    bool Stop_Recording();
    bool Recording() const { return record_file_ != nullptr; }

  private:
    struct TWindow_Run;

    bool load_script(const THost_Settings& settings, std::vector<TScript_Command>& commands);
    bool finish(const THost_Settings& settings);
    // The phases of a window run: open the window and take over presenting and
    // messages; each frame pump the events, run the move timer, play one script
    // command and draw; close the window and give presenting and messages back.
    bool open_window(const THost_Settings& settings, TWindow_Run& run);
    bool pump_events(TWindow_Run& run);
    void run_move_timer(TWindow_Run& run);
    void play_script_command(TWindow_Run& run);
    void draw_paced_frame();
    void close_window(TWindow_Run& run);
    bool closing() const;
    bool can_draw() const;
    bool start_recording(const THost_Settings& settings);
    void record(const std::string& line);
    bool write_final_wait();

    TDisplay_Class& root_;
    THost_Callbacks callbacks_;
    long ticks_ = 0;
    std::string driver_;
    TSDL_Window* window_ = nullptr;
    struct TFile_Closer {
        void operator()(std::FILE* f) const {
            if (f)
                std::fclose(f);
        }
    };
    std::unique_ptr<std::FILE, TFile_Closer> record_file_;
    long recorded_ticks_ = 0; // the tick of the last recorded input
    bool record_failed_ = false;
};
