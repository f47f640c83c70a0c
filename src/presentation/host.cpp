#include "presentation/host.h"

#include <memory>
#include <sstream>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/sdl/sdl_window.h"
#include "presentation/graphics.h"
#include "presentation/png_file.h"
#include "presentation/virtual_keys.h"
#include "shell/services.h"

namespace {

constexpr uint32_t timer_interval = 50;

bool read_int(std::istringstream& in, int& value) {
    return bool(in >> value);
}

// Message boxes over the window while it is open; error lists still go where they
// went before (the game screen's own dialog).
class TWindow_Messages : public TMessage_Service {
  public:
    void Show_Message_Box(const std::string& caption, const std::string& text) override {
        if (!SDL_Error_Box(caption, text))
            previous_->Show_Message_Box(caption, text);
    }
    void Show_Error_List(const std::string& heading, const std::string& file,
                         const std::vector<std::string>& messages) override {
        previous_->Show_Error_List(heading, file, messages);
    }
    void Set_Previous(TMessage_Service& previous) { previous_ = &previous; }

  private:
    TMessage_Service* previous_ = nullptr;
};

} // namespace

bool Parse_Input_Script(const std::string& text, std::vector<TScript_Command>& commands,
                        std::string& error) {
    commands.clear();
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const size_t hash = line.find('#');
        if (hash != std::string::npos)
            line.erase(hash);
        std::istringstream in(line);
        std::string word;
        if (!(in >> word))
            continue;
        TScript_Command c;
        c.line = number;
        bool ok = true;
        if (word == "wait") {
            c.kind = TScript_Command::Wait;
            ok = read_int(in, c.a) && c.a >= 0;
        } else if (word == "move" || word == "click" || word == "rclick" || word == "down" ||
                   word == "up" || word == "rdown" || word == "rup") {
            c.kind = word == "move"     ? TScript_Command::Move
                     : word == "click"  ? TScript_Command::Click
                     : word == "rclick" ? TScript_Command::RClick
                     : word == "down"   ? TScript_Command::Down
                     : word == "rdown"  ? TScript_Command::RDown
                     : word == "rup"    ? TScript_Command::RUp
                                        : TScript_Command::Up;
            ok = read_int(in, c.a) && read_int(in, c.b);
        } else if (word == "key") {
            c.kind = TScript_Command::Key;
            std::string name;
            ok = (in >> name) && Parse_Key_Name(name, c.key, c.shift);
        } else if (word == "screenshot") {
            c.kind = TScript_Command::Screenshot;
            std::getline(in >> std::ws, c.file);
            while (!c.file.empty() && (c.file.back() == ' ' || c.file.back() == '\r'))
                c.file.pop_back();
            ok = !c.file.empty();
        } else if (word == "quit") {
            c.kind = TScript_Command::Quit;
        } else {
            ok = false;
        }
        std::string extra;
        if (ok && c.kind != TScript_Command::Screenshot && (in >> extra))
            ok = false;
        if (!ok) {
            error = "line " + std::to_string(number) + ": cannot read \"" + line + "\"";
            return false;
        }
        commands.push_back(c);
    }
    return true;
}

THost::THost(TDisplay_Class& root, THost_Callbacks callbacks)
    : root_(root), callbacks_(std::move(callbacks)) {
    if (!Buffer_Of(Workspace_Buffer))
        fg_vballoc(Screen_Width, Screen_Height);
}

THost::~THost() {
    Set_Presenter(nullptr);
}

bool THost::closing() const {
    return callbacks_.Close_Requested && callbacks_.Close_Requested();
}
bool THost::can_draw() const {
    return !callbacks_.Can_Draw || callbacks_.Can_Draw();
}

void THost::Redraw() {
    if (fg_vbopen(Workspace_Buffer) != 0)
        return;
    if (!can_draw()) {
        Set_Colour(0);
        Clear_Buffer();
    } else if (callbacks_.Draw_Frame) {
        callbacks_.Draw_Frame();
    } else {
        Set_Colour(0);
        Clear_Buffer();
        root_.Dispatch_Draw(Workspace_Buffer);
    }
    Present();
}

void THost::Timer_Tick() {
    ++ticks_;
    // Headless the game clock is the ticks' own.
    if (Manual_Clock())
        Advance_Clock(timer_interval);
    // A control the timer closes is freed after the timer's handlers have returned.
    TDispatch_Guard guard;
    if (callbacks_.On_Timer)
        callbacks_.On_Timer();
}

bool THost::start_recording(const THost_Settings& settings) {
    if (settings.record.empty())
        return true;
    if (!Start_Recording(settings.record, settings.record_header)) {
        Show_Message_Box("Error", "Unable to write the recording \"" + settings.record + "\".");
        return false;
    }
    return true;
}

bool THost::Start_Recording(const std::string& path, const std::vector<std::string>& header) {
    record_file_.reset(std::fopen(path.c_str(), "w"));
    if (!record_file_)
        return false;
    record_failed_ = false;
    for (const std::string& line : header)
        record_failed_ |= std::fprintf(record_file_.get(), "# %s\n", line.c_str()) < 0;
    recorded_ticks_ = ticks_;
    return true;
}

void THost::record(const std::string& line) {
    if (!record_file_)
        return;
    if (ticks_ > recorded_ticks_)
        record_failed_ |=
            std::fprintf(record_file_.get(), "wait %ld\n", ticks_ - recorded_ticks_) < 0;
    recorded_ticks_ = ticks_;
    record_failed_ |= std::fprintf(record_file_.get(), "%s\n", line.c_str()) < 0;
    record_failed_ |= std::fflush(record_file_.get()) != 0;
}

// The time played after the last input belongs to the recording too, or a replay would
// stop short of the state the game ended in.
bool THost::write_final_wait() {
    if (record_file_ && ticks_ > recorded_ticks_) {
        record_failed_ |=
            std::fprintf(record_file_.get(), "wait %ld\n", ticks_ - recorded_ticks_) < 0;
        record_failed_ |= std::fflush(record_file_.get()) != 0;
        recorded_ticks_ = ticks_;
    }
    return !record_failed_;
}

bool THost::Stop_Recording() {
    if (!record_file_)
        return false;
    bool ok = write_final_wait();
    ok = std::fclose(record_file_.release()) == 0 && ok;
    return ok;
}

void THost::Mouse_Move(int X, int Y, TShift_State Shift) {
    record("move " + std::to_string(X) + " " + std::to_string(Y));
    Set_Mouse_Position(X, Y);
    root_.Dispatch_MouseMove(Shift, X, Y);
}

namespace {

std::string button_line(const char* left, const char* right, TMouse_Button button, int x, int y) {
    return std::string(button == mbRight ? right : left) + " " + std::to_string(x) + " " +
           std::to_string(y);
}

} // namespace

void THost::Mouse_Down(TMouse_Button Button, int X, int Y, TShift_State Shift) {
    if (Button != mbMiddle)
        record(button_line("down", "rdown", Button, X, Y));
    Set_Mouse_Position(X, Y);
    root_.Dispatch_MouseDown(Button, Shift, X, Y);
}

void THost::Mouse_Up(TMouse_Button Button, int X, int Y, TShift_State Shift) {
    if (Button != mbMiddle)
        record(button_line("up", "rup", Button, X, Y));
    Set_Mouse_Position(X, Y);
    root_.Dispatch_MouseUp(Button, Shift, false, X, Y);
}

void THost::Key_Down(uint16_t Key, TShift_State Shift) {
    record("key " + Key_Name(Key, Shift));
    root_.Dispatch_KeyDown(Key, Shift);
}

bool THost::Save_Screenshot(const std::string& path, std::string& error) {
    const TVirtual_Buffer* workspace = Buffer_Of(Workspace_Buffer);
    if (!workspace) {
        error = "There is no frame to save as \"" + path + "\"";
        return false;
    }
    return Save_PNG(*workspace, path, error);
}

bool THost::load_script(const THost_Settings& settings, std::vector<TScript_Command>& commands) {
    commands.clear();
    if (settings.script.empty())
        return true;
    std::string text, error;
    if (!Read_Whole_File(settings.script, text)) {
        Show_Message_Box("Error", "Unable to read the input script \"" + settings.script + "\".");
        return false;
    }
    if (!Parse_Input_Script(text, commands, error)) {
        Show_Message_Box("Error", "Input script \"" + settings.script + "\", " + error + ".");
        return false;
    }
    return true;
}

// The screenshot asked for on the command line, of the last frame.
bool THost::finish(const THost_Settings& settings) {
    write_final_wait();
    if (settings.screenshot.empty())
        return true;
    std::string error;
    if (!Save_Screenshot(settings.screenshot, error)) {
        Show_Message_Box("Error", error);
        return false;
    }
    return true;
}

int THost::Run_Headless(const THost_Settings& settings) {
    std::vector<TScript_Command> commands;
    if (!load_script(settings, commands) || !start_recording(settings))
        return 2;
    // The clock moves by the ticks alone while the run lasts.
    struct TManual_Clock {
        bool before = Manual_Clock();
        TManual_Clock() { Set_Manual_Clock(true); }
        ~TManual_Clock() { Set_Manual_Clock(before); }
    } manual_clock;
    Redraw();
    bool ok = true;
    for (const TScript_Command& c : commands) {
        if (closing())
            break;
        switch (c.kind) {
        case TScript_Command::Wait:
            for (int i = 0; i < c.a && !closing(); ++i) {
                Timer_Tick();
                Redraw();
            }
            break;
        case TScript_Command::Move:
            Mouse_Move(c.a, c.b);
            break;
        case TScript_Command::Click:
        case TScript_Command::RClick: {
            const TMouse_Button b = c.kind == TScript_Command::Click ? mbLeft : mbRight;
            const TShift_State held = b == mbLeft ? ssLeft : ssRight;
            Mouse_Move(c.a, c.b);
            Mouse_Down(b, c.a, c.b, held);
            Mouse_Up(b, c.a, c.b);
            break;
        }
        case TScript_Command::Down:
            Mouse_Down(mbLeft, c.a, c.b, ssLeft);
            break;
        case TScript_Command::Up:
            Mouse_Up(mbLeft, c.a, c.b);
            break;
        case TScript_Command::RDown:
            Mouse_Down(mbRight, c.a, c.b, ssRight);
            break;
        case TScript_Command::RUp:
            Mouse_Up(mbRight, c.a, c.b);
            break;
        case TScript_Command::Key:
            Key_Down(c.key, c.shift);
            break;
        case TScript_Command::Screenshot: {
            std::string error;
            Redraw();
            if (!Save_Screenshot(c.file, error)) {
                Show_Message_Box("Error", error);
                ok = false;
            }
            break;
        }
        case TScript_Command::Quit:
            return finish(settings) && ok ? 0 : 2;
        }
        if (c.kind != TScript_Command::Wait && !closing())
            Redraw();
    }
    if (!closing())
        Redraw();
    return finish(settings) && ok ? 0 : 2;
}

// What a window run carries from one phase to the next.
struct THost::TWindow_Run {
    std::unique_ptr<TSDL_Window> window;
    std::vector<TScript_Command> commands;
    size_t next_command = 0;
    long wait_until = 0;    // the script's next command waits for this many ticks
    uint32_t next_tick = 0; // when the move timer is due next
    TWindow_Messages messages;
    std::unique_ptr<TScoped_Services> over_window; // while the window is open
    bool ok = true;                                // no script command or screenshot has failed
    bool running = true;
};

int THost::Run_Window(const THost_Settings& settings) {
    TWindow_Run run;
    if (!load_script(settings, run.commands) || !start_recording(settings))
        return 2;
    if (!open_window(settings, run))
        return 1;
    while (run.running && !closing()) {
        if (!pump_events(run) || closing())
            break;
        run_move_timer(run);
        play_script_command(run);
        if (!run.running)
            break;
        draw_paced_frame();
    }
    run.ok = finish(settings) && run.ok;
    close_window(run);
    return run.ok ? 0 : 2;
}

bool THost::open_window(const THost_Settings& settings, TWindow_Run& run) {
    run.window = std::make_unique<TSDL_Window>();
    TWindow_Settings ws;
    ws.scale = settings.scale;
    ws.fullscreen = settings.fullscreen;
    ws.smooth = settings.smooth;
    std::string error;
    if (!run.window->Open(ws, error)) {
        Show_Message_Box("Error", error);
        return false;
    }
    window_ = run.window.get();
    driver_ = run.window->Driver();
    run.window->Show_System_Pointer(false);
    Set_Presenter([w = run.window.get()](const TVirtual_Buffer& frame) {
        w->Present(frame.pixels.data(), frame.width, frame.height);
    });
    // Reported as messages over the window from now on.
    run.messages.Set_Previous(Message_Service());
    run.over_window = std::make_unique<TScoped_Services>(TServices{.Messages = &run.messages});
    run.next_tick = TSDL_Window::Ticks() + timer_interval;
    return true;
}

// Hands every waiting window event to the tree; false once the window is closed.
bool THost::pump_events(TWindow_Run& run) {
    TWindow_Event e;
    while (run.running && run.window->Poll_Event(e)) {
        switch (e.kind) {
        case TWindow_Event::Quit:
            run.running = false;
            break;
        case TWindow_Event::Mouse_Move:
            Mouse_Move(e.x, e.y, e.shift);
            break;
        case TWindow_Event::Mouse_Down:
            Mouse_Down(TMouse_Button(e.button), e.x, e.y, e.shift);
            break;
        case TWindow_Event::Mouse_Up:
            Mouse_Up(TMouse_Button(e.button), e.x, e.y, e.shift);
            break;
        case TWindow_Event::Mouse_Leave:
            Set_Mouse_Position(-1, -1);
            break;
        case TWindow_Event::Key_Down:
            Key_Down(e.key, e.shift);
            break;
        case TWindow_Event::Activate:
        case TWindow_Event::Deactivate:
            if (callbacks_.On_Activate)
                callbacks_.On_Activate(e.kind == TWindow_Event::Activate);
            if (e.kind == TWindow_Event::Activate)
                Restore_Surfaces();
            break;
        default:
            break;
        }
    }
    return run.running;
}

// The move timer; a stalled frame catches up a few ticks, not all of them.
void THost::run_move_timer(TWindow_Run& run) {
    const uint32_t now = TSDL_Window::Ticks();
    for (int caught = 0; int32_t(now - run.next_tick) >= 0 && caught < 4; ++caught) {
        Timer_Tick();
        run.next_tick += timer_interval;
    }
    if (int32_t(now - run.next_tick) >= 0)
        run.next_tick = now + timer_interval;
}

// The script feeds the window's own event queue, one command a frame.
void THost::play_script_command(TWindow_Run& run) {
    if (run.next_command >= run.commands.size() || ticks_ < run.wait_until)
        return;
    const TScript_Command& c = run.commands[run.next_command++];
    TSDL_Window& window = *run.window;
    switch (c.kind) {
    case TScript_Command::Wait:
        run.wait_until = ticks_ + c.a;
        break;
    case TScript_Command::Move:
        window.Inject_Mouse_Move(c.a, c.b);
        break;
    case TScript_Command::Click:
    case TScript_Command::RClick:
        window.Inject_Mouse_Move(c.a, c.b);
        window.Inject_Mouse_Button(c.a, c.b, c.kind == TScript_Command::Click ? 0 : 1, true);
        window.Inject_Mouse_Button(c.a, c.b, c.kind == TScript_Command::Click ? 0 : 1, false);
        break;
    case TScript_Command::Down:
    case TScript_Command::Up:
        window.Inject_Mouse_Button(c.a, c.b, 0, c.kind == TScript_Command::Down);
        break;
    case TScript_Command::RDown:
    case TScript_Command::RUp:
        window.Inject_Mouse_Button(c.a, c.b, 1, c.kind == TScript_Command::RDown);
        break;
    case TScript_Command::Key:
        window.Inject_Key(c.key, c.shift);
        break;
    case TScript_Command::Screenshot: {
        std::string error;
        if (!Save_Screenshot(c.file, error)) {
            Show_Message_Box("Error", error);
            run.ok = false;
        }
        break;
    }
    case TScript_Command::Quit:
        run.running = false;
        break;
    }
}

void THost::draw_paced_frame() {
    const uint32_t frame_start = TSDL_Window::Ticks();
    Redraw();
    // Without vertical sync, idle frames are spaced a little so that a waiting game
    // does not take a whole core.
    const uint32_t spent = TSDL_Window::Ticks() - frame_start;
    if (spent < 8)
        TSDL_Window::Delay(8 - spent);
}

void THost::close_window(TWindow_Run& run) {
    run.over_window.reset();
    Set_Presenter(nullptr);
    run.window->Show_System_Pointer(true);
    window_ = nullptr;
    run.window.reset();
}
