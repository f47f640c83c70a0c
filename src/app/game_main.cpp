// krelvane: the game.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "app/game_screen.h"
#include "app/game_startup.h"
#include "app/program_services.h"
#include "app/window_host.h"
#include "game/global_structs.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/names.h"
#include "rules/class_info.h"
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
                 "  --new-game MODULE  skip the menus: start a new game of the module (its\n"
                 "                  folder name in Modules/) with a character made on the spot\n"
                 "  --class N       the new character's class, 1 to the number of classes\n"
                 "                  (default 1)\n"
                 "  --name NAME     the new character's name (default Wanderer)\n"
                 "  --difficulty D  1 novice, 2 average, 3 expert, 4 master (default 2)\n"
                 "  --seed N        dig the levels and play with this random seed, so that a\n"
                 "                  run can be repeated\n"
                 "  --record FILE   write every key and click with its tick as an input\n"
                 "                  script; replay it with --script and the same --seed\n"
                 "  mapgen          open the map generator: dig a level from a module's tile\n"
                 "                  file and look at it whole (also --mapgen)\n"
                 "  tilegen         open the tile editor: paint tiles and save them as tile\n"
                 "                  files in the game folder (also --tilegen)\n"
                 "  width2, height2 the tile editor's grid 30 squares wide or high instead\n"
                 "                  of 15 (also --width2, --height2)\n"
                 "  --version       print the version and exit\n"
                 "  --help          print this help and exit\n");
    std::fputs(Window_Options_Help(), out);
}

// The options parsed from the command line; exit_code >= 0 means stop with it.
struct TCommand_Line {
    TGame_Start_Options start;
    bool map_generator = false, tile_generator = false, width2 = false, height2 = false;
    TWindow_Options window;
    std::optional<TQuick_Start> quick;
    int exit_code = -1;
};

// A whole number in [lo, hi]; false for anything else.
bool read_number(const std::string& text, long long lo, long long hi, long long& value) {
    if (text.empty() || text.size() > 12)
        return false;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return end && *end == '\0' && value >= lo && value <= hi;
}

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
        // The authoring tools' switches, with or without the leading "--".
        const std::string word = arg.rfind("--", 0) == 0 ? arg.substr(2) : arg;
        if (word == "mapgen" || word == "tilegen" || word == "width2" || word == "height2") {
            (word == "mapgen"    ? line.map_generator
             : word == "tilegen" ? line.tile_generator
             : word == "width2"  ? line.width2
                                 : line.height2) = true;
            continue;
        }
        if (arg == "--new-game" || arg == "--class" || arg == "--name" || arg == "--difficulty" ||
            arg == "--seed" || arg == "--record") {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "krelvane: %s needs a value\n", arg.c_str());
                line.exit_code = 2;
                return line;
            }
            const std::string value = argv[++i];
            if (!line.quick && arg != "--record")
                line.quick = TQuick_Start{};
            long long n = 0;
            bool ok = true;
            if (arg == "--new-game") {
                ok = !value.empty() && value.find_first_of("/\\") == std::string::npos &&
                     value != "." && value != "..";
                line.quick->Module = value;
            } else if (arg == "--class") {
                ok = read_number(value, 1, 255, n);
                line.quick->Class = int32_t(n);
            } else if (arg == "--name") {
                ok = !value.empty() && value.size() <= 40 &&
                     value.find_first_of("/\\:*?\"<>|") == std::string::npos;
                line.quick->Name = value;
            } else if (arg == "--difficulty") {
                ok = read_number(value, 1, 4, n);
                line.quick->Difficulty = int32_t(n);
            } else if (arg == "--seed") {
                ok = read_number(value, 0, 4294967295LL, n);
                line.quick->Seed = uint32_t(n);
            } else {
                line.window.record = value;
            }
            if (!ok) {
                std::fprintf(stderr, "krelvane: %s \"%s\" is not a valid value\n", arg.c_str(),
                             value.c_str());
                line.exit_code = 2;
                return line;
            }
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
    if (line.map_generator && line.tile_generator) {
        std::fprintf(stderr, "krelvane: mapgen and tilegen open different tools; give one\n");
        line.exit_code = 2;
    } else if (line.quick && (line.map_generator || line.tile_generator)) {
        std::fprintf(stderr, "krelvane: --new-game starts a game; it does not go with mapgen "
                             "or tilegen\n");
        line.exit_code = 2;
    }
    if (line.quick && line.quick->Module.empty()) {
        std::fprintf(stderr, "krelvane: --class, --name, --difficulty and --seed go with "
                             "--new-game MODULE\n");
        line.exit_code = 2;
    }
    return line;
}

// The module the game starts with while there is no main menu to choose one.
std::string default_module() {
    std::vector<std::string> names = List_Folders(Path_Settings->Get_Modules_Folder());
    for (const std::string& name : names)
        if (Same_Name(name, "Hollowmere"))
            return name;
    return names.empty() ? std::string() : names.front();
}

// The quick start's module and class exist; a one-line error otherwise.
bool check_quick_start(const TQuick_Start& quick) {
    if (!Folder_Exists(Path_Settings->Get_Modules_Folder() + quick.Module)) {
        std::fprintf(stderr, "krelvane: there is no module \"%s\" in %s\n", quick.Module.c_str(),
                     Path_Settings->Get_Modules_Folder().c_str());
        return false;
    }
    // The class table may be the module's own.
    Path_Settings->Set_Module(quick.Module + "\\");
    Reload_Global_Structs();
    if (!Class_Infos.Get(quick.Class)) {
        std::fprintf(stderr, "krelvane: --class %d: the module has classes 1 to %d\n", quick.Class,
                     Class_Infos.Count());
        return false;
    }
    return true;
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
    TProgram_Services services;
    Start_Program(line.start.game_dir);
    TStart_Up_Report report;
    int code = 1;
    if (Start_Up_Game(report)) {
        print_report(report);
        services.Start_Sound();
        Register_Game_Dialogs();
        TMain_Screen_Start start;
        start.Map_Generator = line.map_generator;
        start.Tile_Generator = line.tile_generator;
        start.Tile_Width2 = line.width2;
        start.Tile_Height2 = line.height2;
        // A recording replays only with the seed it was made with.
        if (line.quick && !line.quick->Seed && !line.window.record.empty())
            line.quick->Seed = Tick_Count();
        if (line.quick) {
            if (!check_quick_start(*line.quick)) {
                Shut_Down_Game();
                return 2;
            }
            start.Quick_Start = line.quick;
            start.Skip_Intro = true;
            line.window.record_header = {Quick_Start_Command(*line.quick)};
        } else if (!start.Map_Generator && !start.Tile_Generator && !Find_Game_Dialog("Dlg Menu")) {
            // Until the menus are there, the opening picture leads into a new game of
            // the default module.
            TQuick_Start quick;
            quick.Module = default_module();
            if (!quick.Module.empty())
                start.Quick_Start = quick;
        }
        code = Run_Main_Screen(start, line.window);
    }
    Shut_Down_Game();
    return code;
}
