// krelvane: the game.

#include <cstdio>
#include <cstring>
#include <string>

#include "app/game_startup.h"
#include "app/program_services.h"
#include "app/window_host.h"
#include "platform/files.h"
#include "presentation/widget_sample.h"
#include "shell/globals.h"

namespace {

void print_usage(std::FILE* out) {
    std::fprintf(out,
                 "Usage: krelvane [OPTION]...\n"
                 "Runs the Krelvane dungeon adventure.\n"
                 "\n"
                 "Options:\n"
                 "  --game-dir DIR  the game folder holding Data/, Pictures/, Modules/ and the\n"
                 "                  rest (default: game/ beside the program, else its own folder)\n"
                 "  --version       print the version and exit\n"
                 "  --help          print this help and exit\n");
    std::fputs(Window_Options_Help(), out);
}

// The options parsed from the command line; exit_code >= 0 means stop with it.
struct TCommand_Line {
    TGame_Start_Options start;
    TWindow_Options window;
    int exit_code = -1;
};

TCommand_Line parse_command_line(int argc, char** argv) {
    TCommand_Line line;
    Read_Window_Options_File(line.window);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            print_usage(stdout);
            line.exit_code = 0;
            return line;
        }
        if (arg == "--version") {
            std::printf("krelvane %s\n", KV_VERSION);
            line.exit_code = 0;
            return line;
        }
        if (arg == "--game-dir" || arg.rfind("--game-dir=", 0) == 0) {
            std::string dir;
            if (arg == "--game-dir") {
                if (i + 1 >= argc) {
                    std::fprintf(stderr, "krelvane: --game-dir needs a folder\n");
                    print_usage(stderr);
                    line.exit_code = 2;
                    return line;
                }
                dir = argv[++i];
            } else {
                dir = arg.substr(std::strlen("--game-dir="));
            }
            if (!Folder_Exists(dir)) {
                std::fprintf(stderr, "krelvane: the game folder \"%s\" does not exist\n",
                             dir.c_str());
                line.exit_code = 2;
                return line;
            }
            line.start.game_dir = dir;
            continue;
        }
        std::string error;
        const int taken = Parse_Window_Option(argc, argv, i, line.window, error);
        if (taken < 0) {
            std::fprintf(stderr, "krelvane: %s\n", error.c_str());
            line.exit_code = 2;
            return line;
        }
        if (taken > 0) {
            continue;
        }
        std::fprintf(stderr, "krelvane: unknown option \"%s\"\n", arg.c_str());
        print_usage(stderr);
        line.exit_code = 2;
        return line;
    }
    return line;
}

void print_report(const TStart_Up_Report& report) {
    std::printf("Krelvane %s\n", KV_VERSION);
    std::printf("game folder:  %s\n", report.game_dir.c_str());
    for (const TStart_Up_Report::TLoaded_File& file : report.data_files) {
        std::printf("data file:    %s (%s)\n", file.file.c_str(), file.ok ? "read" : "had errors");
    }
    std::printf("options file: %s\n", report.options_file.c_str());
    std::printf("log file:     %s\n", report.log_file.c_str());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    TCommand_Line line = parse_command_line(argc, argv);
    if (line.exit_code >= 0) {
        return line.exit_code;
    }
    const TProgram_Services services;
    Start_Program(line.start.game_dir);
    TStart_Up_Report report;
    int code = 1;
    if (Start_Up_Game(report)) {
        print_report(report);
        // Until the main game screen exists, the window shows the sample of every
        // control, so the window, input and drawing can be tried.
        Load_Sample_Button_Strips();
        {
            TDC_Widget_Sample root;
            THost_Callbacks callbacks;
            callbacks.Can_Draw = [] { return App_Active && App_Ready; };
            callbacks.On_Activate = [](bool active) { App_Active = active; };
            code = Run_Game_Window(root, line.window, callbacks);
        }
        Free_Sample_Button_Strips();
    }
    Shut_Down_Game();
    return code;
}
