#include "app/global_structs.h"

#include "datafiles/game_settings_loader.h"
#include "rules/display_effects.h"
#include "shell/debug_log.h"
#include "shell/globals.h"
#include "shell/options.h"

namespace {

constexpr const char* log_category = "Struct";

// The three common tables, each cleared and read again from its file. The display
// effects ("Effects.txt"), class portraits ("Classes.txt") and master spells
// ("Spells.txt") join here, in that order, as their layers are built.
bool load_common_tables() {
    bool ok = Load_Display_Effects_File(Path_Settings->Get_Effects_File());
    return ok;
}

} // namespace

bool Load_Primary_Global_Structs() {
    Debug_Log(log_category, "Load_Primary_Global_Structs - Start");
    bool ok = Load_Game_Settings();
    Debug_Log(log_category, "Load_Primary_Global_Structs - End");
    return ok;
}

void Create_Global_Structs() {
    Debug_Log(log_category, "Create_Global_Structs - Start");
    // Current_Map and Current_Module come first, once their layers exist.
    Game_Options = std::make_unique<TGame_Options>();
    // Sprites follow, once the map display exists.
    Debug_Log(log_category, "Create_Global_Structs - End");
}

bool Load_Global_Structs() {
    Debug_Log(log_category, "Load_Global_Structs - Start");
    bool ok = load_common_tables();
    Debug_Log(log_category, "Load_Global_Structs - End");
    return ok;
}

bool Reload_Global_Structs() {
    Debug_Log(log_category, "Reload_Global_Structs - Start");
    bool ok = load_common_tables();
    ok = Load_Game_Settings() && ok;
    Debug_Log(log_category, "Reload_Global_Structs - End");
    return ok;
}

void Free_Global_Structs() {
    Debug_Log(log_category, "Free_Global_Structs - Start");
    // Current_Map and Current_Module are freed first, once their layers exist.
    Game_Options.reset();
    // Then the master spells, class portraits, display effects, and last Sprites.
    Display_Effects.Clear();
    Debug_Log(log_category, "Free_Global_Structs - End");
}
