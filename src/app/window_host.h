#pragma once
// How the game shows itself: the window options (options file and command line), the
// fonts, and the run of the control tree in a window or headless. Also the tool's
// "render-widgets" command.

#include <string>
#include <vector>

#include "platform/options_file.h"
#include "presentation/host.h"

struct TWindow_Options {
    bool headless = false;
    int scale = 1; // 1, 2 or 3
    bool fullscreen = false;
    bool smooth = false;
    std::string screenshot; // --screenshot FILE
    std::string script;     // --script FILE
    std::string record;     // --record FILE
    std::vector<std::string> record_header;
};

// Reads the window choices of the options file: "Window Scale" (1..3), "Fullscreen"
// and "Smooth Scaling" ("true"/"false"). Missing or unreadable values keep what
// options holds.
void Read_Window_Options_File(TWindow_Options& options,
                              const std::string& options_path = TOptions_File::Default_Path());

// Takes argv[i] when it is a window option, with its value (i then points at the
// value). Returns 1 when taken, 0 when argv[i] is not a window option, -1 when its
// value is missing or wrong (error says why).
int Parse_Window_Option(int argc, char** argv, int& i, TWindow_Options& options,
                        std::string& error);
// The lines of --help that describe the window options.
const char* Window_Options_Help();

// Opens the six fonts; a missing face is reported once (the game goes on).
bool Load_External_Resources();
void Free_External_Resources();

// Runs the tree in the window (or headless) until it ends; the exit code of the
// program: 0 normally, 1 when no window could be opened (the reason is shown), 2 when
// an input script or screenshot failed.
int Run_Game_Window(TDisplay_Class& root, const TWindow_Options& options,
                    const THost_Callbacks& callbacks = {});

// krelvane-tool render-widgets --png OUT.png [--window] [--script FILE]: draws the
// sample dialog with every control in each of its states and all six fonts. argv[0]
// is "render-widgets". Returns the exit code.
int Tool_Render_Widgets(int argc, char** argv);
