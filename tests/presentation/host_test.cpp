// The host: input scripts, headless runs with screenshots, and the window's event path
// (SDL's dummy video driver here; a real X server under Xvfb).

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

#include "platform/files.h"
#include "platform/sdl/sdl_window.h"
#include "presentation/buttons.h"
#include "presentation/dlg_message.h"
#include "presentation/graphics.h"
#include "presentation/host.h"
#include "presentation/text.h"
#include "presentation/widget_sample.h"
#include "support/temp_dir.h"

namespace {

class Host : public ::testing::Test {
  protected:
    void SetUp() override { fg_vbinit(); }
    void TearDown() override {
        Free_Sample_Button_Strips();
        Free_Fonts();
        Graphics_Shutdown();
    }
};

// Sets an environment variable for one scope.
class TScoped_Env {
  public:
    TScoped_Env(const char* name, const char* value) : name_(name) {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        old_ = old ? old : "";
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~TScoped_Env() {
        if (had_)
            setenv(name_.c_str(), old_.c_str(), 1);
        else
            unsetenv(name_.c_str());
    }

  private:
    std::string name_, old_;
    bool had_ = false;
};

struct TRoot : TDisplay_Class {
    TRoot() {
        Set_Bounds("Main Window", 0, 0, 800, 600, false);
        Set_Visible(true);
        button = &Make_Child<TDC_Button>();
        button->Set_Bounds("Go", 100, 100, 50, 20, false);
        button->Set_Visible(true);
        button->OnClick = [this](const std::string&) { ++clicks; };
    }
    void Kill_Child_Control(const std::string& name) override { closed.push_back(name); }
    TDC_Button* button;
    int clicks = 0;
    std::vector<std::string> closed;
};

TEST(Input_Script, ReadsEveryCommandAndNamesTheBadLine) {
    std::vector<TScript_Command> c;
    std::string error;
    ASSERT_TRUE(Parse_Input_Script("# start\n\nwait 3\nmove 1 2\nclick 10 20 # ok\nrclick 5 6\n"
                                   "down 1 1\nup 2 2\nkey Shift+2\nkey escape\n"
                                   "screenshot out dir/a b.png\nquit\n",
                                   c, error))
        << error;
    ASSERT_EQ(c.size(), 10u);
    EXPECT_EQ(c[0].kind, TScript_Command::Wait);
    EXPECT_EQ(c[0].a, 3);
    EXPECT_EQ(c[2].kind, TScript_Command::Click);
    EXPECT_EQ(c[2].b, 20);
    EXPECT_EQ(c[2].line, 5);
    EXPECT_EQ(c[6].key, '2');
    EXPECT_EQ(c[6].shift, 1);
    EXPECT_EQ(c[7].key, 27);
    EXPECT_EQ(c[8].file, "out dir/a b.png");
    EXPECT_EQ(c[9].kind, TScript_Command::Quit);

    for (const char* bad : {"wait\n", "wait -1\n", "click 1\n", "move 1 2 3\n", "key NoSuchKey\n",
                            "jump 1 2\n", "screenshot\n"}) {
        EXPECT_FALSE(Parse_Input_Script(std::string("wait 1\n") + bad, c, error)) << bad;
        EXPECT_EQ(error.rfind("line 2:", 0), 0u) << error;
    }
}

TEST_F(Host, ScriptDrivesButtonsKeysAndTheTimerHeadless) {
    TTemp_Dir dir;
    TRoot root;
    int timer = 0;
    THost_Callbacks callbacks;
    callbacks.On_Timer = [&] { ++timer; };
    THost host(root, callbacks); // the workspace is buffer 0, made before any dialog's
    Show_Message_Dialog(root, "Message Dlg", "Hello", "World");
    THost_Settings settings;
    settings.headless = true;
    settings.screenshot = dir.Path() + "end.png";
    settings.script = dir.Write("s.txt", "click 110 110\n" // blocked by the modal box
                                         "key Escape\n"    // closes it
                                         "wait 4\n"
                                         "click 110 110\n"
                                         "click 150 120\n" // the inclusive corner
                                         "click 151 120\n" // just outside
                                         "screenshot " +
                                             dir.Path() + "mid.png\n");
    EXPECT_EQ(host.Run_Headless(settings), 0);
    EXPECT_EQ(root.closed, std::vector<std::string>{"Message Dlg"});
    EXPECT_EQ(root.clicks, 2);
    EXPECT_EQ(timer, 4);
    EXPECT_EQ(host.Ticks_Run(), 4);
    for (const char* png : {"mid.png", "end.png"}) {
        std::string bytes;
        ASSERT_TRUE(Read_Whole_File(dir.Path() + png, bytes)) << png;
        EXPECT_EQ(bytes.substr(1, 3), "PNG");
    }
}

TEST_F(Host, RunsStopWhenAskedAndReportBadScripts) {
    TTemp_Dir dir;
    TRoot root;
    bool close = false;
    int timer = 0;
    THost_Callbacks callbacks;
    callbacks.On_Timer = [&] { close = ++timer == 3; };
    callbacks.Close_Requested = [&] { return close; };
    callbacks.Can_Draw = [] { return false; };
    THost host(root, callbacks);
    THost_Settings settings;
    settings.headless = true;
    settings.script = dir.Write("s.txt", "wait 100\nclick 110 110\n");
    EXPECT_EQ(host.Run_Headless(settings), 0);
    EXPECT_EQ(timer, 3);
    EXPECT_EQ(root.clicks, 0);

    settings.script = dir.Write("bad.txt", "click 1 2\nfly away\n");
    EXPECT_EQ(host.Run_Headless(settings), 2);
    settings.script = dir.Path() + "missing.txt";
    EXPECT_EQ(host.Run_Headless(settings), 2);
    settings.script.clear();
    settings.screenshot = dir.Path() + "no/such/folder\\\\x.png";
    close = false;
    // A frame that may not be drawn is black.
    EXPECT_EQ(host.Run_Headless(THost_Settings{}), 0);
    EXPECT_EQ(Buffer_Of(Workspace_Buffer)->pixels[100 * 800 + 110], 0u);
}

TEST_F(Host, WithoutADisplayTheWindowSaysSoAndFails) {
    TScoped_Env driver("SDL_VIDEODRIVER", "x11");
    TScoped_Env display("DISPLAY", nullptr);
    TScoped_Env wayland("WAYLAND_DISPLAY", nullptr);
    TRoot root;
    THost host(root);
    EXPECT_EQ(host.Run_Window(THost_Settings{}), 1);
}

// The window's whole event path: script input is put into SDL's queue and comes back
// as window events handed to the dispatchers.
int run_sample_in_window(const std::string& script_path, std::string& driver, int& clicks) {
    std::string report;
    Load_Fonts(report);
    Load_Sample_Button_Strips();
    TDC_Widget_Sample sample;
    const TDC_Text_Button* b = sample.f_Click_Button;
    THost host(sample);
    THost_Settings settings;
    settings.script = script_path;
    TTemp_Dir unused;
    std::string text = "wait 2\nclick " + std::to_string(b->f_X + 20) + " " +
                       std::to_string(b->f_Y + 10) + "\nwait 2\nkey Escape\nwait 2\nquit\n";
    std::string path = script_path;
    if (path.empty())
        path = unused.Write("s.txt", text);
    else
        Write_File_Atomic(path, text);
    settings.script = path;
    const int code = host.Run_Window(settings);
    driver = host.Window_Driver();
    clicks = sample.f_Clicks;
    EXPECT_EQ(sample.f_Closed, "Message Dlg");
    return code;
}

TEST_F(Host, ScriptedInputTravelsThroughTheWindowEvents) {
    TScoped_Env driver_env("SDL_VIDEODRIVER", "dummy");
    std::string driver;
    int clicks = 0;
    ASSERT_EQ(run_sample_in_window("", driver, clicks), 0);
    EXPECT_EQ(driver, "dummy");
    EXPECT_EQ(clicks, 1);
}

TEST_F(Host, WindowScalesPositionsBackToTheFrameAndTogglesFullscreen) {
    TScoped_Env driver_env("SDL_VIDEODRIVER", "dummy");
    TSDL_Window window;
    TWindow_Settings settings;
    settings.scale = 2;
    std::string error;
    ASSERT_TRUE(window.Open(settings, error)) << error;
    // Input put in at frame positions comes back at the same frame positions after
    // the window's 2x scaling.
    window.Inject_Mouse_Button(799, 0, 1, true);
    window.Inject_Key(27, 1);
    std::vector<TWindow_Event> events;
    TWindow_Event e;
    while (window.Poll_Event(e))
        events.push_back(e);
    ASSERT_GE(events.size(), 2u);
    const TWindow_Event& press = events[events.size() - 2];
    EXPECT_EQ(press.kind, TWindow_Event::Mouse_Down);
    EXPECT_EQ(press.x, 799);
    EXPECT_EQ(press.y, 0);
    EXPECT_EQ(press.button, 1);
    EXPECT_EQ(events.back().kind, TWindow_Event::Key_Down);
    EXPECT_EQ(events.back().key, 27);
    EXPECT_EQ(events.back().shift, 1);
    EXPECT_FALSE(window.Is_Fullscreen());
    window.Toggle_Fullscreen();
    EXPECT_TRUE(window.Is_Fullscreen());
    window.Toggle_Fullscreen();
    EXPECT_FALSE(window.Is_Fullscreen());
    std::vector<uint32_t> frame(800 * 600, 0x00FF00FFu);
    window.Present(frame.data(), 800, 600);
    window.Present(frame.data(), 10, 10); // a wrong size is not shown
}

// Under Xvfb: the real window opens, shows the sample and a click reaches a button.
// The test runs itself again inside xvfb-run.
TEST_F(Host, XvfbRealWindowClick) {
    if (std::getenv("KV_XVFB_INNER")) {
        std::string driver;
        int clicks = 0;
        ASSERT_EQ(run_sample_in_window("", driver, clicks), 0);
        EXPECT_EQ(driver, "x11");
        EXPECT_EQ(clicks, 1);
        return;
    }
    if (std::system("command -v xvfb-run >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "xvfb-run is not installed";
    const std::string self = Executable_Path();
    // The X libraries and D-Bus keep a few blocks to the end of the process, so the
    // leak check is left to the dummy-driver test above, which runs the same code.
    const std::string command = "env -u SDL_VIDEODRIVER KV_XVFB_INNER=1 "
                                "ASAN_OPTIONS=detect_leaks=0 xvfb-run -a -s "
                                "'-screen 0 1024x768x24' '" +
                                self + "' --gtest_filter=Host.XvfbRealWindowClick >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << command;
}

} // namespace
