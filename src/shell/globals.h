#pragma once
// The process-wide state the game defines, in one place. Later layers add theirs in
// their own files; Reset_Shell_Globals puts these back as a new process has them
// (for tests).

#include <cstdint>
#include <memory>
#include <string>

#include "platform/options_file.h"
#include "shell/paths.h"

// Installation-wide switches from "Data\Settings.txt" (its loader is in datafiles/).
struct TGame_Settings {
    bool Allow_Music = false;
    bool Allow_Sound = false;
    bool Use_DirectSound = false;
    std::string Music_Song_Intro;
    std::string Music_Song_Death;
    uint16_t Color_Depth = 16;
    bool Generate_Debug_Log = true;
};

extern std::unique_ptr<TPath_Settings> Path_Settings;
extern std::unique_ptr<TGame_Settings> Game_Settings;
extern bool App_Active;
extern bool App_Ready;
extern bool Intro_Music_Pending;

// App_Dir := game_dir (the folder given with --game-dir, else the program's folder +
// "game/"), with a trailing "/" added when missing and its case kept; then "Game Path"
// is written to the options file. False when the options file could not be written
// (start-up goes on).
bool Setup_Global_Vars(const std::string& game_dir,
                       const std::string& options_path = TOptions_File::Default_Path());

// Creates Path_Settings and Game_Settings (with its defaults), and frees them.
void Create_Primary_Global_Structs();
void Free_Primary_Global_Structs();

void Reset_Shell_Globals();
