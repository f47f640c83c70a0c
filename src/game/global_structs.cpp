#include "game/global_structs.h"

#include "datafiles/game_settings_loader.h"
#include "rules/class_info.h"
#include "rules/display_effects.h"
#include "rules/spells.h"
#include "shell/debug_log.h"
#include "shell/globals.h"
#include "shell/options.h"
#include "world/map.h"
#include "world/module.h"
#include "world/sprites.h"

namespace {

constexpr const char* log_category = "Struct";

// The three common tables, each cleared and read again from its file. The display
// effects ("Effects.txt"), class portraits ("Classes.txt") and master spells
// ("Spells.txt") join here, in that order, as their layers are built.
bool load_common_tables() {
    bool ok = Load_Display_Effects_File(Path_Settings->Get_Effects_File());
    ok = Load_Class_Info_File(Path_Settings->Get_Class_Portraits_File()) && ok;
    ok = Load_Master_Spells_File(Path_Settings->Get_Spells_File()) && ok;
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
    Current_Map = std::make_unique<TWriteable_Map>();
    Current_Module = std::make_unique<TWriteable_Module>();
    Game_Options = std::make_unique<TGame_Options>();
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
    if (Current_Map)
        Set_Creature_World(nullptr);
    Sprites.Clear();
    Current_Map.reset();
    Current_Module.reset();
    Game_Options.reset();
    // Then the master spells, class portraits and display effects.
    Master_Spells.Clear();
    Class_Infos.Clear();
    Display_Effects.Clear();
    Debug_Log(log_category, "Free_Global_Structs - End");
}
