// krelvane: the game.

#include <cstdio>
#include <cstring>
#include <string>

#include "app/game_startup.h"
#include "platform/files.h"

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
}

// The options parsed from the command line; exit_code >= 0 means stop with it.
struct TCommand_Line {
    TGame_Start_Options start;
    int exit_code = -1;
};

TCommand_Line parse_command_line(int argc, char** argv) {
    TCommand_Line line;
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
    std::printf("The game window is not built yet; shutting down.\n");
}

} // namespace

int main(int argc, char** argv) {
    TCommand_Line line = parse_command_line(argc, argv);
    if (line.exit_code >= 0) {
        return line.exit_code;
    }
    Start_Program(line.start.game_dir);
    TStart_Up_Report report;
    bool started = Start_Up_Game(report);
    if (started) {
        // The window's message loop runs here.
        print_report(report);
    }
    Shut_Down_Game();
    return started ? 0 : 1;
}
