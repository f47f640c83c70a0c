#include "shell/globals.h"

#include "shell/debug_log.h"
#include "shell/options.h"
#include "shell/random.h"

std::unique_ptr<TPath_Settings> Path_Settings;
std::unique_ptr<TGame_Settings> Game_Settings;
bool App_Active = false;
bool App_Ready = false;
bool Intro_Music_Pending = false;

bool Setup_Global_Vars(const std::string& game_dir, const std::string& options_path) {
    Set_App_Dir(game_dir);
    return Write_Game_Path(App_Dir, options_path);
}

void Create_Primary_Global_Structs() {
    Debug_Log("Struct", "Create_Primary_Global_Structs - Start");
    Path_Settings = std::make_unique<TPath_Settings>();
    Game_Settings = std::make_unique<TGame_Settings>();
    Debug_Log("Struct", "Create_Primary_Global_Structs - End");
}

void Free_Primary_Global_Structs() {
    Path_Settings.reset();
    Game_Settings.reset();
}

void Reset_Shell_Globals() {
    Free_Primary_Global_Structs();
    Game_Options.reset();
    Machine_Options = TMachine_Options();
    App_Active = false;
    App_Ready = false;
    Intro_Music_Pending = false;
    App_Dir.clear();
    Set_Random_Seed(0);
}
