#pragma once
// The game's start-up and shut-down, in the window's create and destroy order. The
// window, graphics, fonts, main screen and timer slot in between the steps here as
// their layers arrive; main() runs Start_Up_Game, the message loop, Shut_Down_Game.

#include <string>
#include <vector>

struct TGame_Start_Options {
    // The game folder; empty for the one beside the program.
    std::string game_dir;
};

// What start-up did, for the program to tell the player where things are.
struct TStart_Up_Report {
    struct TLoaded_File {
        std::string file;
        bool ok = false;
    };
    std::string game_dir;
    std::string options_file;
    std::string log_file;
    std::vector<TLoaded_File> data_files;
};

// The folder the game runs in when none is given: "game/" beside the program when it
// exists, else the program's own folder. Ends in "/".
std::string Default_Game_Dir();

// Sets App_Dir to the game folder (ending in "/") so the log knows where it goes, then
// logs the start banner.
void Start_Program(const std::string& game_dir);
// The create steps that exist, each logged under "DlgMain". Data-file errors are
// shown and start-up goes on; false only when the game cannot run at all.
bool Start_Up_Game(TStart_Up_Report& report);
// The destroy steps, the reverse of Start_Up_Game.
void Shut_Down_Game();
